// The built game data in build/bin/data: every image, button state, text and archive entry the game
// looks up exists under the name the loaders ask for and decodes.
//
// The names below are the program's own spellings (mixed case, as the screens ask for them); each
// is resolved through the same case-folding lookup the loaders use. The asset manifest and the
// button table are walked as well, so nothing listed there may be missing or of the wrong size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/GameText.h"
#include "core/PakFileManager.h"
#include "core/PakFormat.h"
#include "platform/DataFile.h"
#include "platform/ImageCodec.h"
#include "support/TestEnv.h"

namespace fs = std::filesystem;

namespace {

fs::path Data() {
    return testenv::BinDir() / "data";
}

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

// The words of a list, cut at each separator.
std::vector<std::string> Split(const std::string& list, char separator) {
    std::vector<std::string> words;
    std::istringstream in(list);
    for (std::string word; std::getline(in, word, separator);) words.push_back(word);
    return words;
}

// Buttons with an image and its hover image ("Exit" pairs with "exitMO", see below).
const std::vector<std::string> kTwoState = Split(
    "play help options highscore playsmall customsmall load backsmall oksmall clear 4x4button 6x6button "
    "9x9button 12x12button 16x16button OK Yes No Cancel Delete Load Up Down pause savegame newpuzzle "
    "restartpuzzle backtomenu showrandomcell showdesiredcell checkplay nextpuzzle",
    ' ');

// Toggles and radio choices: also name + "On" and name + "OnMO".
std::vector<std::string> FourState() {
    std::vector<std::string> names = Split(
        "4x4 6x6 9x9 12x12 16x16 veryeasy easy medium hard veryhard fullscreen showtimer highlighter "
        "preventdoublenumbers check showhidemistakes lockunlocknumbers showhideautomarkup showhidesolution",
        ' ');
    for (int i = 0; i <= 9; ++i) names.push_back(std::to_string(i));
    for (int i = 0; i <= 16; ++i) names.push_back("small" + std::to_string(i));
    return names;
}

// Every key the game looks up in the texts.
std::vector<std::string> TextKeys() {
    std::vector<std::string> keys = Split(
        "Data Pak Error,Locked Cell,Cell Message Text,Cell Message Only,Highscore Place,Restart Puzzle,"
        "Create Puzzle,Exit Playing,Enter Save Name,Not Solvable,Click Contents Message,"
        "Finished Puzzle Message,Time Field,Could Not Create File,Could Not Load File,Damaged Savegame,"
        "Could Not Delete File,Failed Save File,Very Easy,Easy,Medium,Hard,Very Hard,Version,"
        "Choose Savegame,Delete File,Help Message 1,Help Message 2,Name,Difficulty,Time,Clear Highscore",
        ',');
    for (int i = 1; i <= 10; ++i) keys.push_back("Highscore Name " + std::to_string(i));
    return keys;
}

std::unique_ptr<TPakFileManager> OpenArchive() {
    return TPakFileManager::Create((Data() / "resources").string() + "/", ".pak");
}

std::unique_ptr<TGameText> Texts() {
    auto texts = std::make_unique<TGameText>();
    texts->Folder = (Data() / "text").string() + "/";
    texts->Read("gametext.txt");
    return texts;
}

// WCAG relative luminance of an ARGB pixel (alpha ignored: the measured area is opaque).
double Luminance(uint32_t argb) {
    auto channel = [](uint32_t value) {
        const double c = double(value & 0xff) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(argb >> 16) + 0.7152 * channel(argb >> 8) + 0.0722 * channel(argb);
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Presence: every name the program looks up resolves to a file that decodes.

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

// Every number colour of the board (given grey, the player's white, mistake red) reads at least 3:1 on
// every tile state: both region shades, and the highlighted or hovered tile. Measured where numbers
// and marks are drawn (inside the rim), at the tile's brightest pixel; the two shades stay 1.5:1 apart.
TEST(GameData, NumbersKeepTheirContrastOnEveryBoardTile) {
    const double numberColours[] = {Luminance(0xffc8c8c8), Luminance(0xffffffff), Luminance(0xffff0000)};
    double mean[3] = {};
    for (int tile = 1; tile <= 3; ++tile) {
        const auto image = Image("graphics", "cell" + std::to_string(tile));
        ASSERT_TRUE(image) << "cell" << tile;
        ASSERT_EQ(image->width, 32);
        double brightest = 0, sum = 0;
        int count = 0;
        for (int y = 4; y < 28; ++y)
            for (int x = 4; x < 28; ++x) {
                const uint32_t pixel = image->pixels[size_t(y * image->width + x)];
                ASSERT_EQ(pixel >> 24, 0xffu) << "cell" << tile << " is not opaque at " << x << "," << y;
                const double l = Luminance(pixel);
                brightest = std::max(brightest, l);
                sum += l;
                ++count;
            }
        mean[tile - 1] = sum / count;
        for (double colour : numberColours)
            EXPECT_GE(Contrast(colour, brightest), 3.0) << "cell" << tile << " against a number colour";
    }
    EXPECT_GE(Contrast(mean[0], mean[1]), 1.5) << "the two region shades";
}
