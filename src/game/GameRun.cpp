// GameRun and its loaders. Every image and sound it asks for is required: a missing one is a fatal
// report through the banks and the archive.
#include "game/GameRun.h"

#include <string>
#include <utility>

#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/PakFileManager.h"
#include "core/SoundBank.h"
#include "game/GameHelpers.h"
#include "game/GameNotice.h"
#include "game/HighScoreList.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "presentation/ImageBank.h"
#include "presentation/MousePointer.h"

std::function<void()> GameRunStartTitle;

void LoadSounds() {
    SoundBank->Load("buttonclick");
    SoundBank->Load("applause.ogg");
}

void LoadImages() {
    Game->Mouse->Load("pointer");
    for (const char* name :
         {"paused", "cell1", "cell2", "cell3", "generating", "solving", "music", "sound", "blackback",
          "input", "inputlong", "sizelabel", "difficultylabel", "helpimage", "manager"})
        ImageBank->Load(name, "", -1, 1);
    Game->SpritePausedCreate(ImageBank->Find("paused"));
}

void GameRun() {
    AutoMidHandle(true);
    SetClsColor(0, 0, 0);
    Cls();
    Flip(-1);

    LoadSounds();
    LoadImages();
    // From here on the game's own dialog can stand in for a system message box that cannot open.
    RegisterNoticeDialog();

    // The large pictures live in the archive rather than the graphics folder.
    for (const char* file : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
                             "playscreen.jpg", "titlescreen.jpg", "particle1.png", "particle2.png"})
        CreateGameImage(PakManager->GetImageOrDie(file, -1), StripAll(file), 1, nullptr);

    const std::pair<TPellixHighScoreList*, const char*> tables[] = {{&HighScores4, "hs4x4"},
                                                                    {&HighScores6, "hs6x6"},
                                                                    {&HighScores9, "hs9x9"},
                                                                    {&HighScores12, "hs12x12"},
                                                                    {&HighScores16, "hs16x16"}};
    for (const auto& [table, file] : tables) {
        table->Create(Game->SubPath + file, 10, 10);
        table->Load();
    }

    if (GameRunStartTitle) GameRunStartTitle();

    // Started behind another window: begin suspended until the game gets the focus.
    if (!WindowIsForeground()) Game->SuspendedEvent = 1;
}
