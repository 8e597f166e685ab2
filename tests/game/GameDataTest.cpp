// The built game data in build/bin/data: every image, button state, sound, text, setting and
// archive entry the game looks up exists under the name the loaders ask for, decodes, and fits the
// places where the screens put it.
//
// The names below are the program's own spellings (mixed case, as the screens ask for them); each
// is resolved through the same case-folding lookup the loaders use. The asset manifest and the
// button table are walked as well, so nothing listed there may be missing or of the wrong size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestEnv.h"
#include "core/GameText.h"
#include "core/PakFileManager.h"
#include "core/PakFormat.h"
#include "platform/AudioSample.h"
#include "platform/DataFile.h"
#include "platform/FontRaster.h"
#include "platform/ImageCodec.h"

namespace fs = std::filesystem;

namespace {

fs::path Data() { return testenv::BinDir() / "data"; }

std::optional<TPixmap> Image(const std::string& folder, const std::string& name) {
    return LoadPixmap(DataFileName((Data() / folder / (name + ".png")).string()));
}

struct Size {
    int w = 0, h = 0;
};

Size ImageSize(const std::string& folder, const std::string& name) {
    const auto p = Image(folder, name);
    return p ? Size{p->width, p->height} : Size{};
}

// Images the game loads from data/graphics by name.
const std::vector<std::string> kGraphics = {
    "pointer",    "paused",       "cell1",     "cell2",           "cell3",       "generating",
    "solving",    "music",        "sound",     "blackback",       "input",       "inputlong",
    "sizelabel",  "difficultylabel", "helpimage", "manager",      "endlevelback", "slider",
    "marker",     "logo",         "playoptionsheader", "optionsheader", "helpheader", "highscoresheader",
    "logosmall",  "tolvanelogo"};

// Buttons with an image and its hover image ("Exit" pairs with "exitMO", see below).
const std::vector<std::string> kTwoState = {
    "play",        "help",        "options",     "highscore",     "playsmall",   "customsmall", "load",
    "backsmall",   "oksmall",     "clear",       "4x4button",     "6x6button",   "9x9button",   "12x12button",
    "16x16button", "OK",          "Yes",         "No",            "Cancel",      "Delete",      "Load",
    "Up",          "Down",        "pause",       "savegame",      "newpuzzle",   "restartpuzzle", "backtomenu",
    "showrandomcell", "showdesiredcell", "checkplay", "nextpuzzle"};

// Toggles and radio choices: also name + "On" and name + "OnMO".
std::vector<std::string> FourState() {
    std::vector<std::string> names = {"4x4",  "6x6",  "9x9",  "12x12",  "16x16",  "veryeasy", "easy",
                                      "medium", "hard", "veryhard", "fullscreen", "showtimer", "highlighter",
                                      "preventdoublenumbers", "check", "showhidemistakes", "lockunlocknumbers",
                                      "showhideautomarkup", "showhidesolution"};
    for (int i = 0; i <= 9; ++i) names.push_back(std::to_string(i));
    for (int i = 0; i <= 16; ++i) names.push_back("small" + std::to_string(i));
    return names;
}

// Every key the game looks up in the texts.
std::vector<std::string> TextKeys() {
    std::vector<std::string> keys = {
        "Data Pak Error", "Locked Cell",   "Cell Message Text", "Cell Message Only", "Highscore Place",
        "Restart Puzzle", "Create Puzzle", "Exit Playing",      "Enter Save Name",   "Not Solvable",
        "Click Contents Message", "Finished Puzzle Message", "Time Field", "Could Not Create File", "Could Not Load File", "Damaged Savegame", "Could Not Delete File",
        "Failed Save File", "Very Easy", "Easy", "Medium", "Hard", "Very Hard", "Version", "Choose Savegame",
        "Delete File", "Help Message 1", "Help Message 2", "Name", "Difficulty", "Time", "Clear Highscore"};
    for (int i = 1; i <= 10; ++i) keys.push_back("Highscore Name " + std::to_string(i));
    return keys;
}

const std::vector<std::string> kArchive = {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg",
                                           "gamescreen4.jpg", "playscreen.jpg",  "titlescreen.jpg",
                                           "particle1.png",   "particle2.png",   "calibri.ttf"};

std::unique_ptr<TPakFileManager> OpenArchive() {
    return TPakFileManager::Create((Data() / "resources").string() + "/", ".pak");
}

std::unique_ptr<TGameText> Texts() {
    auto texts = std::make_unique<TGameText>();
    texts->Folder = (Data() / "text").string() + "/";
    texts->Read("gametext.txt");
    return texts;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

// Width in pixels of a line set in the game font at a pixel size, as the image fonts advance it.
class Measure {
public:
    explicit Measure(int size) {
        const auto pak = OpenArchive();
        raster_ = TFontRaster::Create(pak->GetBinary("calibri.ttf"), size, true);
    }
    bool Ok() const { return raster_ != nullptr; }
    double Width(const std::string& utf8) {
        double w = 0;
        for (size_t i = 0; i < utf8.size();) {
            char32_t c = static_cast<unsigned char>(utf8[i]);
            int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
            if (extra) c &= (0x3F >> extra);
            for (int k = 1; k <= extra && i + size_t(k) < utf8.size(); ++k)
                c = (c << 6) | (static_cast<unsigned char>(utf8[i + size_t(k)]) & 0x3F);
            i += size_t(extra) + 1;
            if (auto g = raster_->RenderGlyph(c)) w += g->advance;
        }
        return w;
    }

private:
    std::shared_ptr<TFontRaster> raster_;
};

// Sum of button heights plus the gaps between them, as a menu stacks them.
int Stack(const std::vector<std::string>& names, int gap) {
    int h = -gap;
    for (const auto& n : names) h += ImageSize("menus", n).h + gap;
    return h;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Presence: every name the program looks up resolves to a file that decodes.

TEST(GameDataNames, EveryGraphicTheGameLoadsDecodes) {
    for (const auto& name : kGraphics) {
        EXPECT_TRUE(Image("graphics", name).has_value()) << "graphics/" << name;
    }
}

TEST(GameDataNames, EveryButtonStateDecodesWithOneSizePerButton) {
    auto check = [](const std::string& name, const std::vector<std::string>& states) {
        const Size base = ImageSize("menus", name);
        ASSERT_GT(base.w, 0) << "menus/" << name;
        for (const auto& s : states) {
            const Size z = ImageSize("menus", name + s);
            EXPECT_EQ(z.w, base.w) << name + s;
            EXPECT_EQ(z.h, base.h) << name + s;
        }
    };
    for (const auto& n : kTwoState) check(n, {"MO"});
    for (const auto& n : FourState()) check(n, {"MO", "On", "OnMO"});
    // The title screen's exit button is spelt "Exit" with the hover image "exitMO".
    check("Exit", {});
    EXPECT_EQ(ImageSize("menus", "exitMO").w, ImageSize("menus", "Exit").w);
}

TEST(GameDataNames, ArchiveHoldsEveryPackedResource) {
    const auto pak = OpenArchive();
    ASSERT_TRUE(pak);
    for (const auto& name : kArchive) EXPECT_TRUE(pak->GetItem(name)) << name;
}

TEST(GameDataNames, FontIsCarlitoAndBuildsEveryGameSize) {
    const auto pak = OpenArchive();
    const std::vector<uint8_t> font = pak->GetBinary("calibri.ttf");
    ASSERT_GE(font.size(), 4u);
    EXPECT_EQ(font[0], 0);
    EXPECT_EQ(font[1], 1);  // TrueType outlines
    for (int size : {10, 11, 12, 14, 16, 18, 20, 25, 34}) {
        const auto raster = TFontRaster::Create(font, size, true);
        ASSERT_TRUE(raster) << size;
        for (char32_t c : std::u32string(U"0123456789ABCDEFG:!'é×")) EXPECT_TRUE(raster->HasGlyph(c)) << size;
    }
    // The font's licence travels with it.
    const std::string licence = testenv::ReadFile(Data() / "resources" / "carlito-licence.txt");
    EXPECT_NE(licence.find("SIL Open Font License"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The asset manifest and the button table: everything listed is built, at the listed size.

TEST(GameDataManifest, EveryListedFileExistsAtItsSize) {
    std::ifstream in(testenv::SourceDir() / "assets" / "manifest.txt");
    ASSERT_TRUE(in);
    const auto pak = OpenArchive();
    int checked = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream f(line);
        std::string kind, file;
        if (!(f >> kind >> file) || kind[0] == '#') continue;
        int w = 0, h = 0;
        f >> w >> h;
        ++checked;
        if (kind == "entry") {
            ASSERT_TRUE(pak->GetItem(file)) << file;
            if (w > 0) {
                const auto p = pak->GetPixmap(file);
                ASSERT_TRUE(p) << file;
                EXPECT_EQ(p->width, w) << file;
                EXPECT_EQ(p->height, h) << file;
            }
        } else {
            ASSERT_TRUE(fs::is_regular_file(Data() / file)) << file;
            if (kind == "image") {
                const auto p = LoadPixmap((Data() / file).string());
                ASSERT_TRUE(p) << file;
                EXPECT_EQ(p->width, w) << file;
                EXPECT_EQ(p->height, h) << file;
            }
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(GameDataManifest, EveryButtonOfTheTableIsBuiltAtItsSize) {
    std::ifstream in(testenv::SourceDir() / "assets" / "menus" / "buttons.txt");
    ASSERT_TRUE(in);
    int checked = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        std::string name, style;
        int w = 0, h = 0, states = 0;
        if (!(f >> name >> style >> w >> h >> states)) continue;
        std::vector<std::string> suffixes = {"", "MO"};
        if (states == 4) suffixes.insert(suffixes.end(), {"On", "OnMO"});
        for (const auto& s : suffixes) {
            const Size z = ImageSize("menus", name + s);
            EXPECT_EQ(z.w, w) << name + s;
            EXPECT_EQ(z.h, h) << name + s;
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}

// ---------------------------------------------------------------------------------------------
// Texts: the file reads with the game's own reader and holds every key with usable wording.

TEST(GameDataText, EveryKeyHasTextEndingInAWrittenLine) {
    // A blank line before the next header belongs to the entry above and would add a line break.
    const auto texts = Texts();
    for (const auto& key : TextKeys()) {
        const auto& lines = texts->Find(key);
        ASSERT_FALSE(lines.empty()) << key;
        EXPECT_FALSE(lines.back().empty()) << key;
    }
}

TEST(GameDataText, TextsThatTheGameContinuesEndReadyForWhatFollows) {
    const auto texts = Texts();
    // The game appends a number, a time or a path directly to these.
    for (const std::string key : {"Version", "Time Field", "Highscore Place", "Failed Save File"}) {
        const std::string t = texts->FindString(key);
        ASSERT_FALSE(t.empty()) << key;
        EXPECT_EQ(t.back(), ' ') << key;
    }
    // The path that follows is closed by "'", so the text opens the quote.
    const std::string create = texts->FindString("Could Not Create File");
    ASSERT_FALSE(create.empty());
    EXPECT_EQ(create.back(), '\'');
}

TEST(GameDataText, WordingFitsWhereTheScreensDrawIt) {
    Measure font25(25), font20(20);
    ASSERT_TRUE(font25.Ok());
    ASSERT_TRUE(font20.Ok());
    ASSERT_GT(font25.Width("Sudoku"), 50);
    const auto texts = Texts();

    // Help page: text from x = 285 to the right edge of the backing panel, the first message's last
    // line at y = 210, the second's at 410, lines 25 apart, the first starting below the header.
    const Size back = ImageSize("graphics", "blackback");
    const double right = 400 + back.w / 2.0 - 8;
    const auto help1 = texts->Find("Help Message 1");
    const auto help2 = texts->Find("Help Message 2");
    EXPECT_GE(210 - 25 * (int(help1.size()) - 1), 300 - back.h / 2);
    EXPECT_GE(410 - 25 * (int(help2.size()) - 1), 210 + 25) << "the two help texts overlap";
    for (const auto& l : help1) EXPECT_LE(285 + font25.Width(l), right) << l;
    for (const auto& l : help2) EXPECT_LE(285 + font25.Width(l), right) << l;

    // Hint lines at the bottom of the board, centred across the screen.
    for (const std::string key : {"Locked Cell", "Cell Message Text", "Cell Message Only", "Click Contents Message",
                                  "Finished Puzzle Message"}) {
        for (const auto& l : texts->Find(key)) EXPECT_LE(font25.Width(l), 790) << key;
    }

    // Dialog captions on their panels, with the 20-pixel border at each side.
    const double longRoom = ImageSize("graphics", "inputlong").w - 40;
    for (const std::string key : {"Restart Puzzle", "Create Puzzle", "Exit Playing", "Not Solvable", "Clear Highscore",
                                  "Delete File"}) {
        EXPECT_LE(font20.Width(texts->FindString(key)), longRoom) << key;
    }
    EXPECT_LE(font20.Width(texts->FindString("Highscore Place") + "10!"), longRoom);
    EXPECT_LE(font20.Width(texts->FindString("Enter Save Name")), ImageSize("graphics", "input").w - 40);
    EXPECT_LE(font20.Width(texts->FindString("Choose Savegame")), ImageSize("graphics", "manager").w - 40);
}

// ---------------------------------------------------------------------------------------------
// Layout: the sizes fit the places where the screens put the images.

TEST(GameDataLayout, BoardColumnsFitBesideTheLargestBoardAndAboveTheTimer) {
    const std::vector<std::string> main = {"pause", "savegame", "newpuzzle", "restartpuzzle", "backtomenu"};
    const std::vector<std::string> aids = {"showhidemistakes", "lockunlocknumbers", "showrandomcell",
                                           "showdesiredcell", "showhideautomarkup", "showhidesolution"};
    EXPECT_LE(100 + Stack(main, 10), 280) << "the main menu runs into the aids";
    EXPECT_LE(280 + Stack(aids, 10), 490) << "the aids run into the timer";
    // A 16 x 16 board's leftmost tile starts at 80 + (800 - 512) / 2 - 16 = 208.
    for (const auto& n : main) EXPECT_LE(27 + ImageSize("menus", n).w, 208) << n;
    for (const auto& n : aids) EXPECT_LE(27 + ImageSize("menus", n).w, 208) << n;
    for (const auto& n : {"nextpuzzle", "checkplay"}) EXPECT_LE(27 + ImageSize("menus", n).w, 208) << n;

    std::vector<std::string> big, small;
    for (int i = 0; i <= 9; ++i) big.push_back(std::to_string(i));
    for (int i = 0; i <= 16; ++i) small.push_back("small" + std::to_string(i));
    EXPECT_LE(Stack(big, 7), 600);
    EXPECT_LE(Stack(small, 3), 600);
    EXPECT_LE(730 + ImageSize("menus", "9").w, 800);
    EXPECT_LE(730 + ImageSize("menus", "small16").w, 800);
    // The end-of-puzzle buttons fit on their panel.
    const Size panel = ImageSize("graphics", "endlevelback");
    EXPECT_LT(Stack({"nextpuzzle", "restartpuzzle", "backtomenu"}, 10), panel.h);
    EXPECT_LT(ImageSize("menus", "nextpuzzle").w, panel.w);
}

TEST(GameDataLayout, MenuScreensFitBetweenHeaderAndBottomRow) {
    // Play screen: five radio buttons from y = 230 stop above the command row at y = 500.
    EXPECT_LE(230 + Stack({"4x4", "6x6", "9x9", "12x12", "16x16"}, 0), 500);
    EXPECT_LE(230 + Stack({"veryeasy", "easy", "medium", "hard", "veryhard"}, 0), 500);
    // The size column starts at x = 165 and the difficulty column at 465, under labels centred at
    // 220 and 560.
    EXPECT_NEAR(165 + ImageSize("menus", "4x4").w / 2.0, 220, 12);
    EXPECT_NEAR(465 + ImageSize("menus", "medium").w / 2.0, 560, 12);
    // The command row fits across the screen.
    int row = -15;
    for (const auto& n : {"playsmall", "customsmall", "load", "backsmall"}) row += ImageSize("menus", n).w + 15;
    EXPECT_LE(row, 780);
    // Options: four toggles from y = 240 stop above the OK button, centred and moved 260 down.
    const int okTop = (600 - ImageSize("menus", "oksmall").h) / 2 + 260;
    EXPECT_LE(240 + Stack({"fullscreen", "showtimer", "highlighter", "preventdoublenumbers"}, 10), okTop);
    EXPECT_LE(okTop + ImageSize("menus", "oksmall").h, 600);
}

TEST(GameDataLayout, DialogButtonsFitTheirPanels) {
    EXPECT_LE(ImageSize("menus", "OK").w + 50 + ImageSize("menus", "Cancel").w, ImageSize("graphics", "input").w);
    EXPECT_LE(ImageSize("menus", "Yes").w + 50 + ImageSize("menus", "No").w, ImageSize("graphics", "inputlong").w);
    const int chooser = ImageSize("menus", "Cancel").w + ImageSize("menus", "Delete").w + ImageSize("menus", "Load").w + 20;
    EXPECT_LE(chooser, ImageSize("graphics", "manager").w - 40);
    // The scroll arrows sit at x = 616 inside the chooser, which is centred on the screen.
    EXPECT_LE(616 + ImageSize("menus", "Up").w, 400 + ImageSize("graphics", "manager").w / 2);
}

TEST(GameDataLayout, SliderHasItsDeadEndsAndTheKnobMatchesTheBar) {
    const Size bar = ImageSize("graphics", "slider");
    const Size dot = ImageSize("graphics", "marker");
    EXPECT_GT(bar.w, 2 * 22 + 100);
    // The knob is drawn from the bar's top edge, so it must be as tall as the bar.
    EXPECT_EQ(dot.h, bar.h);
    // Music and sound labels centred at x = 242 end before the bars at x = 346.
    EXPECT_LE(242 + ImageSize("graphics", "music").w / 2, 346);
    EXPECT_LE(242 + ImageSize("graphics", "sound").w / 2, 346);
}

TEST(GameDataLayout, PointerIsLargeEnoughForTheSparkleTrail) {
    // Sparkles spawn at pointer + Rand(1, width - 20) and Rand(1, height - 25).
    const Size p = ImageSize("graphics", "pointer");
    EXPECT_GT(p.w - 20, 1);
    EXPECT_GT(p.h - 25, 1);
    // The hot spot is the top-left pixel: the arrow's tip must be drawn there.
    const auto img = Image("graphics", "pointer");
    ASSERT_TRUE(img);
    EXPECT_GT(img->ReadPixel(1, 1) >> 24, 0x80u);
}

TEST(GameDataLayout, ParticlesAreSoftWhiteGlows) {
    const auto pak = OpenArchive();
    for (const std::string name : {"particle1.png", "particle2.png"}) {
        const auto p = pak->GetPixmap(name);
        ASSERT_TRUE(p) << name;
        const uint32_t centre = p->ReadPixel(p->width / 2, p->height / 2);
        const uint32_t corner = p->ReadPixel(0, 0);
        EXPECT_GT(centre >> 24, 0xC0u) << name;
        EXPECT_EQ(corner >> 24, 0u) << name;
        // White, so that the game's colour tints it exactly.
        EXPECT_EQ(centre & 0xFFFFFFu, 0xFFFFFFu) << name;
    }
}

// ---------------------------------------------------------------------------------------------
// Sounds: lengths and the seamless title-music loop.

TEST(GameDataSound, TitleMusicIsLongAndLoopsWithoutAClick) {
    const auto bytes = LoadDataFile((Data() / "music" / "music.ogg").string());
    ASSERT_TRUE(bytes);
    const auto music = DecodeOgg(*bytes);
    ASSERT_TRUE(music);
    ASSERT_EQ(music->bits, 16);
    const size_t frames = music->Frames();
    EXPECT_GE(double(frames) / music->rate, 30.0);
    // Compare the jump from the last frame back to the first with the ordinary frame-to-frame
    // steps: at the seam it must be no larger than the steps the music itself makes.
    auto sample = [&](size_t frame, int ch) {
        const size_t i = (frame * size_t(music->channels) + size_t(ch)) * 2;
        return int(int16_t(uint16_t(music->data[i]) | uint16_t(music->data[i + 1]) << 8));
    };
    for (int ch = 0; ch < music->channels; ++ch) {
        std::vector<int> steps;
        for (size_t f = 1; f < frames; ++f) steps.push_back(std::abs(sample(f, ch) - sample(f - 1, ch)));
        std::sort(steps.begin(), steps.end());
        const int typical = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(sample(0, ch) - sample(frames - 1, ch)), typical) << "channel " << ch;
    }
    // And the music plays on across the seam instead of fading to silence at both ends.
    auto rms = [&](size_t from, size_t count) {
        double sum = 0;
        for (size_t f = from; f < from + count; ++f) sum += double(sample(f, 0)) * sample(f, 0);
        return std::sqrt(sum / double(count));
    };
    const size_t quarter = size_t(music->rate) / 4;
    const double overall = rms(0, frames);
    EXPECT_GT(rms(0, quarter), 0.3 * overall);
    EXPECT_GT(rms(frames - quarter, quarter), 0.3 * overall);
}

TEST(GameDataSound, EffectsAreShortAndTheJingleFitsTheSplash) {
    auto seconds = [](const std::string& file) {
        const auto bytes = LoadDataFile((Data() / file).string());
        if (!bytes) return -1.0;
        const auto s = LoadAudioSample(*bytes);
        return s ? double(s->Frames()) / s->rate : -1.0;
    };
    EXPECT_GT(seconds("sound/buttonclick.wav"), 0.02);
    EXPECT_LT(seconds("sound/buttonclick.wav"), 0.3);
    EXPECT_GT(seconds("sound/buttonMO.wav"), 0.01);
    EXPECT_LT(seconds("sound/buttonMO.wav"), 0.2);
    // The splash shows for 1.25 + 1.5 + 1.25 s, its jingle played at 0.9 times its rate.
    EXPECT_GT(seconds("sound/splash.wav"), 2.0);
    EXPECT_LT(seconds("sound/splash.wav") / 0.9, 7.0);
    EXPECT_GT(seconds("sound/applause.ogg"), 2.0);
}

// ---------------------------------------------------------------------------------------------
// Default settings: the framework's keys in the framework's order, with the OpenGL driver.

TEST(GameDataSettings, DefaultIniHoldsEveryFrameworkKeyInOrder) {
    const std::string text = testenv::ReadFile(Data() / "default.ini");
    std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "") << "the last line ends in CR LF";
    lines.pop_back();
    const std::vector<std::string> keys = {
        "VERSION NO",        "FULL SCREEN", "SOUND",     "MUSIC",    "SPEECH",        "SOUND VOLUME",
        "MUSIC VOLUME",      "SPEECH VOLUME", "FADE",    "PARTICLES", "PORTAL SPLASH", "PORTAL SPLASH2",
        "INTRO",             "VSYNC",       "DRIVER",    "SOUND DRIVER", "FULL SCREEN PROCESS PRIORITY",
        "FULL SCREEN THREAD PRIORITY", "WINDOWED PROCESS PRIORITY", "WINDOWED THREAD PRIORITY", "PROFILE NAME",
        "REGION",            "SUB-REGION"};
    ASSERT_EQ(lines.size(), keys.size());
    std::map<std::string, std::string> values;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t eq = lines[i].find('=');
        ASSERT_NE(eq, std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].substr(0, eq), keys[i]);
        values[keys[i]] = lines[i].substr(eq + 1);
    }
    EXPECT_EQ(values["DRIVER"], "1");
    EXPECT_EQ(values["SOUND VOLUME"], "50");
    EXPECT_EQ(values["MUSIC VOLUME"], "50");
    EXPECT_EQ(values["FADE"], "1");
    EXPECT_EQ(values["PROFILE NAME"], "");
}
