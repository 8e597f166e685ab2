// Game options and the first-run page.
#include "game/GameOptions.h"

#include "core/StringUtils.h"
#include "game/Core.h"
#include "platform/System.h"
#include "platform/Window.h"

int FirstRun = 1;
TIniFile GameIni;

const char* const GetStartedURL = "https://www.tolvanegames.com/getstarted.php?id=NM";

void OptionsFill() {
    GameIni.Clear();
    GameIni.Add("PreventDoubleNumbers", std::to_string(PreventDoubleNumbers));
    GameIni.Add("ShowTimer", std::to_string(ShowTimer));
    GameIni.Add("ShowHighlighter", std::to_string(ShowHighlighter));
    GameIni.Add("FirstRun", std::to_string(FirstRun));
}

void OptionsLoad() {
    for (const TIniLine& line : GameIni) {
        const int value = ToInt(line.Value);
        if (line.Name == "PREVENTDOUBLENUMBERS")
            PreventDoubleNumbers = value;
        else if (line.Name == "SHOWTIMER")
            ShowTimer = value;
        else if (line.Name == "SHOWHIGHLIGHTER")
            ShowHighlighter = value;
        else if (line.Name == "FIRSTRUN")
            FirstRun = value;
    }
}

void OptionsSave() {
    OptionsFill();
    GameIni.Save();
}

void OptionsStartUp(const std::string& subPath) {
    GameIni.FileName = subPath + "config";
    OptionsFill();
    GameIni.Load();
    OptionsLoad();
}

void OpenGetStartedPage(int firstRun) {
    if (firstRun == 0) return;
    if (GraphicsIsFullScreen()) EndGraphics();
    OpenURL(GetStartedURL);
}
