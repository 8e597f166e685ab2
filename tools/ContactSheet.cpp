// Composes the contact sheet of the game's data as an SVG for rsvg-convert: first mock-ups of the
// screens, with every picture at the place where the game draws it, then every image and every
// button state at its own size over the background it sits on, labelled with its name and size.
// It exists so the art can be judged as a whole before, and independently of, the screens' code.
//
//   ContactSheet <manifest.txt> <buttons.txt> <data dir> <pak staging dir> <out.svg>
//
// The SVG refers to the images by paths relative to its own folder, which must hold both the data
// and the staging folder below it (rsvg-convert reads no files outside the SVG's folder).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ImageCodec.h"

namespace fs = std::filesystem;

namespace {

struct ImageRow {
    std::string file;  // under data/, or a packed name
    int width = 0, height = 0;
    std::string backdrop;
    int x = 400, y = 300;
};

struct ButtonRow {
    std::string name, style, label;
    int width = 0, height = 0, states = 2;
};

class Sheet {
  public:
    Sheet(fs::path data, fs::path pak, fs::path base)
        : data_(std::move(data)), pak_(std::move(pak)), base_(std::move(base)) {}

    std::ostringstream out;

    // Path of a data file: "graphics/x.png" under data/, a bare packed name under the staging folder.
    fs::path Resolve(const std::string& file) const {
        return file.find('/') == std::string::npos ? pak_ / file : data_ / file;
    }

    std::pair<int, int> Size(const std::string& file) {
        auto it = sizes_.find(file);
        if (it != sizes_.end()) return it->second;
        std::pair<int, int> size{0, 0};
        if (std::optional<TPixmap> p = LoadPixmap(Resolve(file).string()))
            size = {p->width, p->height};
        else
            std::cerr << "ContactSheet: cannot decode " << Resolve(file) << "\n";
        sizes_[file] = size;
        return size;
    }

    // Draws an image with its top-left corner at (x, y).
    void Image(const std::string& file, double x, double y, double opacity = 1) {
        const auto [w, h] = Size(file);
        out << "<image x=\"" << x << "\" y=\"" << y << "\" width=\"" << w << "\" height=\"" << h << "\"";
        if (opacity < 1) out << " opacity=\"" << opacity << "\"";
        out << " href=\"" << fs::relative(Resolve(file), base_).generic_string() << "\"/>\n";
    }
    // Draws an image centred on (x, y), as the game's mid-handled images are.
    void Centred(const std::string& file, double x, double y) {
        const auto [w, h] = Size(file);
        Image(file, x - w / 2, y - h / 2);
    }
    // Text as the game's image fonts draw it: (x, y) is the top of the line, Carlito Regular.
    void Text(const std::string& text, double x, double y, double size, const std::string& colour,
              const char* anchor = "start", double shadow = 0, double shadowAlpha = 0.6) {
        const double baseline = y + size * 0.75;
        if (shadow > 0) {
            out << "<text x=\"" << x + shadow << "\" y=\"" << baseline + shadow
                << "\" font-family=\"Carlito\" font-size=\"" << size << "\" text-anchor=\"" << anchor
                << "\" fill=\"#000\" fill-opacity=\"" << shadowAlpha << "\">" << Escape(text) << "</text>\n";
        }
        out << "<text x=\"" << x << "\" y=\"" << baseline << "\" font-family=\"Carlito\" font-size=\"" << size
            << "\" text-anchor=\"" << anchor << "\" fill=\"" << colour << "\">" << Escape(text)
            << "</text>\n";
    }
    void Label(const std::string& text, double x, double y) {
        out << "<text x=\"" << x << "\" y=\"" << y << "\" font-family=\"Carlito\" font-size=\"14\""
            << " fill=\"#f4f4f4\">" << Escape(text) << "</text>\n";
    }
    void Rect(double x, double y, double w, double h, const std::string& fill, double opacity = 1) {
        out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << w << "\" height=\"" << h
            << "\" fill=\"" << fill << "\" fill-opacity=\"" << opacity << "\"/>\n";
    }
    // Starts a clipped 800 x 600 screen at (x, y); everything until EndScreen is in screen pixels.
    void BeginScreen(double x, double y, const std::string& background) {
        out << "<svg x=\"" << x << "\" y=\"" << y
            << "\" width=\"800\" height=\"600\" viewBox=\"0 0 800 600\">\n";
        Rect(0, 0, 800, 600, "#000");
        if (background != "black") Image(background + ".jpg", 0, 0);
    }
    void EndScreen() { out << "</svg>\n"; }
    // A piece of a background behind a tile: the area around the screen point (sx, sy).
    void Backdrop(const std::string& background, double x, double y, double w, double h, double sx,
                  double sy) {
        // Keep the window on the picture where it is large enough, so no black shows around it.
        const double vx = std::clamp(sx - w / 2, 0.0, std::max(0.0, 800 - w));
        const double vy = h <= 600 ? std::clamp(sy - h / 2, 0.0, 600 - h) : sy - h / 2;
        out << "<svg x=\"" << x << "\" y=\"" << y << "\" width=\"" << w << "\" height=\"" << h
            << "\" viewBox=\"" << vx << " " << vy << " " << w << " " << h << "\">\n";
        Rect(vx, vy, w, h, "#000");
        // Tiles wider than the screen continue the picture, mirrored, so the seam stays smooth.
        if (background != "black") {
            Image(background + ".jpg", 0, 0);
            if (vx + w > 800) {
                out << "<g transform=\"translate(1600 0) scale(-1 1)\">\n";
                Image(background + ".jpg", 0, 0);
                out << "</g>\n";
            }
        }
        out << "</svg>\n";
    }

    static std::string Escape(const std::string& s) {
        std::string r;
        for (char c : s) {
            if (c == '&')
                r += "&amp;";
            else if (c == '<')
                r += "&lt;";
            else if (c == '>')
                r += "&gt;";
            else
                r += c;
        }
        return r;
    }

  private:
    fs::path data_, pak_, base_;
    std::map<std::string, std::pair<int, int>> sizes_;
};

std::string ButtonFile(const std::string& name, const std::string& state) {
    std::string file = name + (state == "normal" ? "" : state);
    for (char& c : file) c = char(std::tolower(static_cast<unsigned char>(c)));
    return "menus/" + file + ".png";
}

std::map<std::string, std::string> LoadTexts(const fs::path& path) {
    std::map<std::string, std::string> texts;
    std::ifstream in(path);
    std::string line, key, value;
    bool inEntry = false, haveKey = false;
    auto flush = [&]() {
        if (haveKey) {
            if (!value.empty() && value.back() == '\n') value.pop_back();
            texts[key] = value;
        }
        key.clear();
        value.clear();
        haveKey = false;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            flush();
            inEntry = true;
        } else if (inEntry && !haveKey) {
            key = line;
            haveKey = true;
        } else if (haveKey) {
            value += line + "\n";
        }
    }
    flush();
    return texts;
}

// The game's multi-line text: lines 25 pixels apart, the last one at y when anchored at the bottom.
void TextBlock(Sheet& s, const std::string& text, double x, double lastY, double size, const char* anchor) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    double y = lastY - double(lines.size() - 1) * 25;
    for (const std::string& l : lines) {
        s.Text(l, x, y, size, "#ffffff", anchor, 2);
        y += 25;
    }
}

// A menu column: buttons stacked from y with a gap, each at x (or centred when x < 0).
void Column(Sheet& s, const std::vector<std::string>& files, double x, double y, double gap) {
    for (const std::string& f : files) {
        const auto [w, h] = s.Size(f);
        s.Image(f, x < 0 ? (800 - w) / 2 : x, y);
        y += h + gap;
    }
}
// A menu row centred on the screen at y, buttons gap apart.
void Row(Sheet& s, const std::vector<std::string>& files, double y, double gap) {
    double total = -gap;
    for (const std::string& f : files) total += s.Size(f).first + gap;
    double x = (800 - total) / 2;
    for (const std::string& f : files) {
        s.Image(f, x, y);
        x += s.Size(f).first + gap;
    }
}
double ColumnHeight(Sheet& s, const std::vector<std::string>& files, double gap) {
    double h = -gap;
    for (const std::string& f : files) h += s.Size(f).second + gap;
    return h;
}

void Board(Sheet& s, int n, int regionW, int regionH) {
    const int left = 80 + (800 - n * 32) / 2, top = (600 - n * 32) / 2 - 10;
    // A plausible position: some givens (grey), some of the player's numbers (white), marks, one mistake.
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int shade = (x / regionW + y / regionH) % 2;
            const bool hover = x == 4 && y == 4;
            const bool highlight =
                x == 4 || y == 4 || (x / regionW == 4 / regionW && y / regionH == 4 / regionH);
            s.Centred(hover || highlight ? "graphics/cell3.png"
                      : shade            ? "graphics/cell2.png"
                                         : "graphics/cell1.png",
                      left + x * 32, top + y * 32);
            const int v = (x * 3 + y + (y / regionH)) % n + 1;
            const int kind = (x * 7 + y * 5) % 6;
            const double cx = left + x * 32 - 16, cy = top + y * 32 - 16;
            const std::string digit = v < 10 ? std::to_string(v) : std::string(1, char('A' + v - 10));
            if (kind == 0 || kind == 3)
                s.Text(digit, cx + 8, cy + 1, 34, "rgb(200,200,200)");
            else if (kind == 1)
                s.Text(digit, cx + 8, cy + 1, 34, (x + y) % 9 == 4 ? "rgb(255,0,0)" : "#ffffff");
            else if (kind == 2 && n == 9) {
                for (int k = 0; k < 9; ++k)
                    if ((k * 5 + x + y) % 3 == 0)
                        s.Text(std::to_string(k + 1), cx + 4 + (k % 3) * 9, cy + 1 + (k / 3) * 10, 12,
                               "#ffffff");
            }
        }
    }
}

void Mockups(Sheet& s, const std::map<std::string, std::string>& texts, double ox, double oy) {
    auto T = [&](const char* key) {
        auto it = texts.find(key);
        return it == texts.end() ? std::string("<missing>") : it->second;
    };
    auto B = [](const std::string& n, const char* st = "normal") { return ButtonFile(n, st); };
    const double W = 820, H = 640;
    auto caption = [&](double x, double y, const std::string& t) { s.Label(t, x, y + 616); };

    // Title screen.
    double x = ox, y = oy;
    s.BeginScreen(x, y, "titlescreen");
    s.Centred("graphics/logo.png", 400, 100);
    {
        std::vector<std::string> m{B("play"), B("help", "MO"), B("options"), B("highscore"), B("Exit")};
        Column(s, m, -1, (600 - ColumnHeight(s, m, 10)) / 2 + 50, 10);
    }
    s.Text(T("Version") + "4.60", 790, 576, 18, "#ffffff", "end", 2);
    s.Image("graphics/pointer.png", 470, 282);
    s.EndScreen();
    caption(x, y, "title screen (help under the pointer)");

    // Play screen.
    x = ox + W;
    s.BeginScreen(x, y, "playscreen");
    s.Centred("graphics/playoptionsheader.png", 400, 100);
    s.Centred("graphics/sizelabel.png", 220, 205);
    s.Centred("graphics/difficultylabel.png", 560, 205);
    Column(s, {B("4x4"), B("6x6"), B("9x9", "On"), B("12x12", "MO"), B("16x16")}, 165, 230, 0);
    Column(s, {B("veryeasy"), B("easy"), B("medium", "OnMO"), B("hard"), B("veryhard")}, 465, 230, 0);
    Row(s, {B("playsmall"), B("customsmall"), B("load"), B("backsmall")}, 500, 15);
    s.EndScreen();
    caption(x, y, "play screen (9x9 chosen, 12x12 hovered, Medium chosen and hovered)");

    // Options screen.
    x = ox + 2 * W;
    s.BeginScreen(x, y, "titlescreen");
    s.Centred("graphics/music.png", 242, 151);
    s.Centred("graphics/sound.png", 242, 207);
    for (double sy : {138.0, 194.0}) {
        s.Image("graphics/slider.png", 346, sy);
        const double value = sy < 150 ? 50 : 80;
        s.Image("graphics/marker.png", int(346 + 22 + value / 100 * (280 - 44) - 9), sy);
    }
    s.Centred("graphics/optionsheader.png", 400, 50);
    Column(s,
           {B("fullscreen", "On"), B("showtimer", "OnMO"), B("highlighter"), B("preventdoublenumbers", "On")},
           -1, 240, 10);
    s.Image(B("oksmall"), (800 - 140) / 2, (600 - 46) / 2 + 260);
    s.EndScreen();
    caption(x, y, "options screen");

    // Help screen.
    x = ox;
    y = oy + H;
    s.BeginScreen(x, y, "titlescreen");
    s.Centred("graphics/blackback.png", 400, 300);
    s.Centred("graphics/helpimage.png", 165, 300);
    TextBlock(s, T("Help Message 1"), 285, 210, 25, "start");
    TextBlock(s, T("Help Message 2"), 285, 410, 25, "start");
    s.Centred("graphics/helpheader.png", 400, 50);
    s.Image(B("oksmall", "MO"), (800 - 140) / 2, (600 - 46) / 2 + 260);
    s.EndScreen();
    caption(x, y, "help screen");

    // Best times.
    x = ox + W;
    s.BeginScreen(x, y, "titlescreen");
    s.Centred("graphics/blackback.png", 400, 284);
    s.Centred("graphics/highscoresheader.png", 400, 50);
    Row(s, {B("4x4button"), B("6x6button", "MO"), B("9x9button"), B("12x12button"), B("16x16button")}, 115,
        15);
    Row(s, {B("oksmall"), B("clear")}, (600 - 46) / 2 + 260, 15);
    s.Text(T("Name"), 80, 170, 34, "rgb(255,255,0)");
    s.Text(T("Difficulty"), 600, 170, 34, "rgb(255,255,0)", "end");
    s.Text(T("Time"), 720, 170, 34, "rgb(255,255,0)", "end");
    const char* levels[] = {"Very Easy", "Easy", "Medium", "Hard", "Very Hard"};
    for (int i = 0; i < 10; ++i) {
        s.Text(T(("Highscore Name " + std::to_string(i + 1)).c_str()), 80, 200 + i * 25, 34, "#ffffff");
        s.Text(T(levels[(i * 3) % 5]), 600, 200 + i * 25, 34, "#ffffff", "end");
        s.Text(std::to_string(3 + i * 2) + ":" + std::to_string(10 + i * 4), 720, 200 + i * 25, 34, "#ffffff",
               "end");
    }
    s.EndScreen();
    caption(x, y, "best-time screen");

    // Board, 9 x 9.
    x = ox + 2 * W;
    s.BeginScreen(x, y, "gamescreen1");
    s.Centred("graphics/logosmall.png", 102, 50);
    Column(s, {B("pause"), B("savegame"), B("newpuzzle", "MO"), B("restartpuzzle"), B("backtomenu")}, 27, 100,
           10);
    Column(s,
           {B("showhidemistakes"), B("lockunlocknumbers", "On"), B("showrandomcell"), B("showdesiredcell"),
            B("showhideautomarkup", "OnMO"), B("showhidesolution")},
           27, 280, 10);
    Board(s, 9, 3, 3);
    {
        std::vector<std::string> nums;
        for (int i = 0; i <= 9; ++i)
            nums.push_back(B(std::to_string(i), i == 5 ? "On" : i == 2 ? "MO" : "normal"));
        Column(s, nums, 730, (600 - ColumnHeight(s, nums, 7)) / 2, 7);
    }
    s.Text(T("Time Field") + "03:25", 25, 490, 34, "#ffffff", "start", 2);
    TextBlock(s, T("Cell Message Text"), 400, 565, 25, "middle");
    s.Image("graphics/pointer.png", 470, 275);
    s.EndScreen();
    caption(x, y, "board 9x9 (5 chosen, highlighter on, one mistake in red)");

    // Board, 16 x 16, with the end-of-puzzle panel.
    x = ox;
    y = oy + 2 * H;
    s.BeginScreen(x, y, "gamescreen3");
    s.Centred("graphics/logosmall.png", 102, 50);
    Column(s, {B("pause"), B("savegame"), B("newpuzzle"), B("restartpuzzle"), B("backtomenu")}, 27, 100, 10);
    Column(s,
           {B("showhidemistakes", "On"), B("lockunlocknumbers", "On"), B("showrandomcell"),
            B("showdesiredcell"), B("showhideautomarkup"), B("showhidesolution")},
           27, 280, 10);
    Board(s, 16, 4, 4);
    {
        std::vector<std::string> nums;
        for (int i = 0; i <= 16; ++i)
            nums.push_back(B("small" + std::to_string(i), i == 12 ? "On" : "normal"));
        Column(s, nums, 730, (600 - ColumnHeight(s, nums, 3)) / 2, 3);
    }
    s.Text(T("Time Field") + "41:07", 25, 490, 34, "#ffffff", "start", 2);
    s.Centred("graphics/endlevelback.png", 400, 300);
    Column(s, {B("nextpuzzle", "MO"), B("restartpuzzle"), B("backtomenu")}, -1, (600 - (3 * 25 + 20)) / 2,
           10);
    TextBlock(s, T("Finished Puzzle Message"), 400, 565, 25, "middle");
    s.EndScreen();
    caption(x, y, "board 16x16, finished: end-of-puzzle panel (C chosen)");

    // Play screen with the save-game chooser.
    x = ox + W;
    s.BeginScreen(x, y, "playscreen");
    s.Centred("graphics/playoptionsheader.png", 400, 100);
    s.Rect(0, 0, 800, 600, "#000", 0.5);
    s.Centred("graphics/manager.png", 400, 300);
    s.Text(T("Choose Savegame"), 400, 110, 20, "#ffffff", "middle", 1);
    s.Rect(170, 140, 430, 8 * 31, "rgb(100,100,100)", 0.5);
    const char* saves[] = {"Sunday morning", "Train home", "Hard one", "Lunch break", "Sixteen"};
    for (int i = 0; i < 5; ++i) {
        if (i == 1) s.Rect(170, 140 + i * 31, 430, 31, "#ffffff", 0.2);
        s.Text(saves[i], 385, 140 + i * 31 + 5, 20, "#ffffff", "middle", 1);
    }
    s.Image(B("up"), 616, 140);
    s.Image(B("down", "MO"), 616, 140 + 8 * 31 - 32);
    Row(s, {B("cancel"), B("delete"), B("load", "MO")}, 300 + 210 - 20 - 46, 10);
    s.EndScreen();
    caption(x, y, "save-game chooser");

    // Board with a question, and the pause and generating overlays.
    x = ox + 2 * W;
    s.BeginScreen(x, y, "gamescreen2");
    s.Centred("graphics/logosmall.png", 102, 50);
    Board(s, 6, 3, 2);
    s.Centred("graphics/inputlong.png", 400, 150);
    s.Text(T("Exit Playing"), 400, 80, 20, "#ffffff", "middle", 1);
    Row(s, {B("yes", "MO"), B("no")}, 150 + 90 - 20 - 46, 50);
    s.Centred("graphics/input.png", 400, 340);
    s.Text(T("Enter Save Name"), 400, 270, 20, "#ffffff", "middle", 1);
    s.Rect(250 + 40, 270 + 20 + 24 + 11 - 5, 380 - 80, 34, "#000");
    s.Text("Evening puzzle", 250 + 40 + 10, 270 + 20 + 24 + 11, 20, "#ffffff", "start", 1);
    Row(s, {B("ok"), B("cancel")}, 340 + 90 - 20 - 46, 50);
    s.Rect(0, 450, 800, 150, "#000", 0.5);
    s.Centred("graphics/generating.png", 400, 525);
    s.EndScreen();
    caption(x, y, "dialogs (question, save name) and the generating overlay");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: ContactSheet <manifest.txt> <buttons.txt> <data dir> <pak dir> <out.svg>\n";
        return 2;
    }
    const fs::path outPath = fs::absolute(argv[5]);
    Sheet s(fs::absolute(argv[3]), fs::absolute(argv[4]), outPath.parent_path());

    std::vector<ImageRow> images;
    {
        std::ifstream in(argv[1]);
        for (std::string line; std::getline(in, line);) {
            std::istringstream f(line);
            std::string kind;
            if (!(f >> kind) || kind[0] == '#') continue;
            ImageRow r;
            if (kind == "image" && (f >> r.file >> r.width >> r.height >> r.backdrop)) {
                f >> r.x >> r.y;
                images.push_back(r);
            } else if (kind == "entry" && (f >> r.file >> r.width >> r.height >> r.backdrop)) {
                images.push_back(r);
            }
        }
    }
    std::vector<ButtonRow> buttons;
    {
        std::ifstream in(argv[2]);
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream f(line);
            ButtonRow b;
            if (!(f >> b.name >> b.style >> b.width >> b.height >> b.states)) continue;
            if (b.style.ends_with("main")) b.style.resize(b.style.size() - 4);
            buttons.push_back(b);
        }
    }
    const auto texts = LoadTexts(fs::absolute(argv[3]) / "text/gametext.txt");

    const double sheetW = 2460;
    Mockups(s, texts, 10, 10);
    double y = 10 + 3 * 640 + 20;

    // Tiles: flow layout, each tile the image over a piece of its background, labelled below.
    double x = 10, rowH = 0;
    auto place = [&](double w, double h) {
        if (x + w > sheetW - 10) {
            x = 10;
            y += rowH + 10;
            rowH = 0;
        }
        const double px = x, py = y;
        x += w + 10;
        rowH = std::max(rowH, h);
        return std::make_pair(px, py);
    };
    for (const ImageRow& r : images) {
        const bool big = r.width >= 800;
        const double scale = big ? 0.5 : 1;
        const double w = std::max(r.width * scale + 24, 200.0), h = r.height * scale + 24 + 18;
        auto [px, py] = place(w, h);
        s.Backdrop(r.backdrop, px, py, w, h - 18, r.x, r.y);
        if (big) {
            s.out << "<g transform=\"translate(" << px + 12 << " " << py + 12 << ") scale(0.5)\">\n";
            s.Image(r.file, 0, 0);
            s.out << "</g>\n";
        } else {
            s.Image(r.file, px + (w - r.width) / 2, py + 12);
        }
        const auto [aw, ah] = s.Size(r.file);
        s.Label(r.file + " " + std::to_string(aw) + "x" + std::to_string(ah), px + 2, py + h - 4);
    }
    y += rowH + 20;
    x = 10;
    rowH = 0;
    for (const ButtonRow& b : buttons) {
        std::vector<std::string> states{"normal", "MO"};
        if (b.states == 4) states.insert(states.end(), {"On", "OnMO"});
        const double w = std::max((b.width + 6) * double(states.size()) + 18, 170.0), h = b.height + 18 + 18;
        auto [px, py] = place(w, h);
        const bool board =
            b.style == "side" || b.style == "sidecheck" || b.style == "number" || b.style == "eraser";
        const bool dialog = b.style == "up" || b.style == "down" || b.name == "ok" || b.name == "yes" ||
                            b.name == "no" || b.name == "cancel" || b.name == "delete" || b.name == "load";
        if (dialog)
            s.Rect(px, py, w, h - 18, "#16263c");
        else
            s.Backdrop(board                ? "gamescreen1"
                       : b.style == "radio" ? "playscreen"
                                            : "titlescreen",
                       px, py, w, h - 18, 300, 300);
        double bx = px + 9;
        for (const std::string& st : states) {
            s.Image(ButtonFile(b.name, st), bx, py + 9);
            bx += b.width + 6;
        }
        s.Label(b.name + " " + std::to_string(b.width) + "x" + std::to_string(b.height), px + 2, py + h - 4);
    }
    y += rowH + 10;

    std::ofstream out(outPath);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << sheetW << "\" height=\"" << int(y)
        << "\" viewBox=\"0 0 " << sheetW << " " << int(y)
        << "\">\n<rect width=\"100%\" height=\"100%\" fill=\"#3a3a3a\"/>\n"
        << s.out.str() << "</svg>\n";
    return out.good() ? 0 : 1;
}
