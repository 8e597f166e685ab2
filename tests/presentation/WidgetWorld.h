// Shared set-up of the widget tests: the presentation test world plus menu, image and sound folders
// filled with small generated files, a recording audio driver behind a channel pool, and helpers that
// inject pointer positions, clicks, keys and typed characters the way the event handling does.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "TestWorld.h"
#include "core/ChannelArray.h"
#include "core/ErrorReport.h"
#include "core/FakeAudio.h"
#include "core/Profile.h"
#include "core/SoundBank.h"
#include "platform/ImageCodec.h"
#include "support/TestEnv.h"

class WidgetWorld : public TestWorld {
  protected:
    void SetUp() override {
        TestWorld::SetUp();
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
        std::filesystem::create_directories(dir.Path() / "menus");
        std::filesystem::create_directories(dir.Path() / "graphics");
        std::filesystem::create_directories(dir.Path() / "sound");
        // Dialog buttons and a few menu buttons; hover images differ in colour so draws can be told apart.
        for (const char* name : {"ok", "yes", "no", "cancel"}) MenuImage(name, 60, 30);
        for (const char* name : {"play", "options", "quit"}) MenuImage(name, 100, 40);
        WriteWav("sound/buttonmo.wav");
        WriteWav("sound/buttonclick.wav");
        Game->SetMenuPath(dir.Str() + "menus");
        Game->SetImagePath(dir.Str() + "graphics");
        Game->SetSoundPath(dir.Str() + "sound");
        Game->Channels = TChannelArray::Create(4);
    }
    void TearDown() override {
        Game->Channels.reset();
        TestWorld::TearDown();
        SetAudioDriverInstance(nullptr);
        SetErrorNotice(nullptr);
    }

    void WritePng(const std::string& relative, int w, int h, uint32_t argb) {
        std::vector<uint8_t> png = EncodePNG(TPixmap(w, h, argb));
        testenv::WriteFile(dir.Path() / relative, std::string(png.begin(), png.end()));
    }
    // name.png and nameMO.png (stored lower-cased, as the data is).
    void MenuImage(const std::string& name, int w, int h) {
        WritePng("menus/" + name + ".png", w, h, 0xFF808080u);
        WritePng("menus/" + name + "mo.png", w, h, 0xFFFFFFFFu);
    }
    // The player chooser's Create and Delete buttons and a profiles folder holding Anna, Bert and Cleo.
    void ThreePlayers() {
        for (const char* name : {"create", "delete"}) MenuImage(name, 60, 30);
        std::filesystem::create_directories(dir.Path() / "profiles");
        Game->SetProfilePath(dir.Str() + "profiles");
        for (const char* name : {"Anna", "Bert", "Cleo"}) TProfile::Create(name)->Save();
    }
    void WriteWav(const std::string& relative) {
        std::string wav = "RIFF0000WAVEfmt ";
        auto put32 = [&](uint32_t v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
        auto put16 = [&](uint16_t v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
        put32(16);
        put16(1);
        put16(1);
        put32(22050);
        put32(44100);
        put16(2);
        put16(16);
        wav += "data";
        put32(20);
        wav.append(20, '\0');
        testenv::WriteFile(dir.Path() / relative, wav);
    }

    // A sound bank over the sound folder with these sounds written into it and loaded.
    void LoadSounds(std::initializer_list<const char*> names) {
        for (const char* name : names) WriteWav(std::string("sound/") + name + ".wav");
        SoundBank = std::make_unique<TSoundBank>();
        SoundBank->SetPath(dir.Str() + "sound");
        for (const char* name : names) SoundBank->Load(name);
    }

    static void PointAt(int x, int y) {
        Game->Mouse->x = x;
        Game->Mouse->y = y;
    }
    // A press and release of the left button: one hit waits for a reader.
    static void ClickAt(int x, int y) {
        PointAt(x, y);
        Game->Mouse->ButtonDown(1);
        Game->Mouse->ButtonUp(1);
    }
    static void PressKey(int key) {
        KeyBufferKeyDown(key);
        KeyBufferKeyUp(key);
    }
    // Characters as the platform delivers them: one code point per event.
    static void Type(const std::u32string& text) {
        for (char32_t c : text) KeyBufferChar(int(c));
    }
    // Sounds started on any channel so far.
    int SoundsPlayed() const {
        int cues = 0;
        for (const auto& c : made) cues += c->cues;
        return cues;
    }
    // Draw commands of an image.
    int DrawsOf(const TImage* image) const {
        int n = 0;
        for (const auto& c : rec.calls)
            if (c.op == "DrawImage" && c.image == image) ++n;
        return n;
    }

    testenv::TempDir dir;
    std::vector<std::shared_ptr<FakeChannel>> made;
    std::vector<std::string> notices;
};
