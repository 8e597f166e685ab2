// Draws one state of one menu button as an SVG, from the button table in assets/menus/buttons.txt.
//
//   ButtonSvg <table> <name> <state> <out.svg>      state: normal | MO | On | OnMO
//
// All buttons share one look so the screens read as a set: a rounded pill with a soft vertical
// gradient, a thin light rim and a label in the game font. The states differ in more than hue, so
// they stay apart for colour-blind players: hover brightens the fill and adds a glow ring; the
// selected state turns the fill light (dark label on a light pill) and adds a shape mark, a dot
// for radio choices and a tick in a box for toggles.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct ButtonRow {
    std::string name;
    std::string style;
    int width = 0;
    int height = 0;
    int states = 2;
    std::string label;
};

struct Palette {
    const char* top;
    const char* bottom;
    const char* rim;
    double rimAlpha;
    const char* text;
    const char* mark;  // box, dot and icon colour
    const char* glow;  // empty: no glow ring
};

// Resting, hover, selected and selected-hover looks.
const Palette kNormal{"#35577f", "#243d5c", "#9cc3ec", 0.45, "#eef4fb", "#cfe0f2", ""};
const Palette kHover{"#4d82ba", "#325d8e", "#e4f1ff", 0.95, "#ffffff", "#ffffff", "#8fd3ff"};
const Palette kOn{"#ffcf66", "#eba532", "#fff2cc", 0.9, "#1b2434", "#1b2434", ""};
const Palette kOnHover{"#ffe7ad", "#f8c35e", "#ffffff", 1.0, "#121926", "#121926", "#fff0c0"};
// The one main action of a screen rests in teal so the eye finds it first.
const Palette kMain{"#2f8c8f", "#216769", "#9fe8e4", 0.55, "#f2fbfb", "#d9f6f4", ""};
const Palette kMainHover{"#43b0b0", "#2d8585", "#e0fffb", 0.95, "#ffffff", "#ffffff", "#9ff3ea"};

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool FindRow(const std::string& tablePath, const std::string& name, ButtonRow& row) {
    std::ifstream in(tablePath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        ButtonRow r;
        if (!(fields >> r.name >> r.style >> r.width >> r.height >> r.states)) continue;
        if (r.name != name) continue;
        std::getline(fields, r.label);
        const auto first = r.label.find_first_not_of(" \t");
        r.label = first == std::string::npos ? "" : r.label.substr(first);
        while (!r.label.empty() && (r.label.back() == ' ' || r.label.back() == '\r')) r.label.pop_back();
        row = r;
        return true;
    }
    return false;
}

// Fixed numbers print with one decimal so the SVG stays readable and stable between builds.
std::string N(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

void Text(std::ostream& svg, const std::string& label, double x, double baseline, double size,
          const char* anchor, const Palette& p, bool lightText) {
    if (label.empty()) return;
    // A soft drop under light labels lifts them off the fill; dark labels on light pills need none.
    if (lightText) {
        svg << "<text x=\"" << N(x) << "\" y=\"" << N(baseline + 1.2)
            << "\" font-family=\"Carlito\" font-weight=\"bold\""
            << " font-size=\"" << N(size) << "\" text-anchor=\"" << anchor
            << "\" fill=\"#000\" fill-opacity=\"0.45\">" << Escape(label) << "</text>\n";
    }
    svg << "<text x=\"" << N(x) << "\" y=\"" << N(baseline)
        << "\" font-family=\"Carlito\" font-weight=\"bold\""
        << " font-size=\"" << N(size) << "\" text-anchor=\"" << anchor << "\" fill=\"" << p.text << "\">"
        << Escape(label) << "</text>\n";
}

// A rounded box at (x, y) of side s; ticked when on.
void CheckBox(std::ostream& svg, double x, double y, double s, bool on, const Palette& p) {
    const double r = s * 0.22;
    if (on) {
        svg << "<rect x=\"" << N(x) << "\" y=\"" << N(y) << "\" width=\"" << N(s) << "\" height=\"" << N(s)
            << "\" rx=\"" << N(r) << "\" fill=\"" << p.mark << "\"/>\n";
        svg << "<path d=\"M" << N(x + s * 0.22) << " " << N(y + s * 0.52) << " L" << N(x + s * 0.43) << " "
            << N(y + s * 0.74) << " L" << N(x + s * 0.8) << " " << N(y + s * 0.28)
            << "\" fill=\"none\" stroke=\"#ffe7b0\" stroke-width=\"" << N(std::max(1.6, s * 0.16))
            << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
    } else {
        svg << "<rect x=\"" << N(x + 0.75) << "\" y=\"" << N(y + 0.75) << "\" width=\"" << N(s - 1.5)
            << "\" height=\"" << N(s - 1.5) << "\" rx=\"" << N(r)
            << "\" fill=\"#0d1826\" fill-opacity=\"0.35\" stroke=\"" << p.mark
            << "\" stroke-width=\"1.5\"/>\n";
    }
}

// A ring at (cx, cy); filled with a centre dot when chosen.
void RadioMark(std::ostream& svg, double cx, double cy, double r, bool on, const Palette& p) {
    svg << "<circle cx=\"" << N(cx) << "\" cy=\"" << N(cy) << "\" r=\"" << N(r)
        << "\" fill=\"#0d1826\" fill-opacity=\"" << (on ? "0.0" : "0.35") << "\" stroke=\"" << p.mark
        << "\" stroke-width=\"1.6\"/>\n";
    if (on) {
        svg << "<circle cx=\"" << N(cx) << "\" cy=\"" << N(cy) << "\" r=\"" << N(r * 0.52) << "\" fill=\""
            << p.mark << "\"/>\n";
    }
}

// An eraser block tilted on its side: the "no number" choice of the board.
void EraserIcon(std::ostream& svg, double cx, double cy, double s, const Palette& p) {
    svg << "<g transform=\"translate(" << N(cx) << " " << N(cy) << ") rotate(-35)\">\n";
    svg << "<rect x=\"" << N(-s * 0.5) << "\" y=\"" << N(-s * 0.22) << "\" width=\"" << N(s) << "\" height=\""
        << N(s * 0.44) << "\" rx=\"" << N(s * 0.09) << "\" fill=\"none\" stroke=\"" << p.mark
        << "\" stroke-width=\"" << N(std::max(1.4, s * 0.08)) << "\"/>\n";
    svg << "<rect x=\"" << N(-s * 0.5) << "\" y=\"" << N(-s * 0.22) << "\" width=\"" << N(s * 0.38)
        << "\" height=\"" << N(s * 0.44) << "\" rx=\"" << N(s * 0.09) << "\" fill=\"" << p.mark << "\"/>\n";
    svg << "</g>\n";
}

void Arrow(std::ostream& svg, double cx, double cy, double s, bool up, const Palette& p) {
    const double dir = up ? -1 : 1;
    svg << "<path d=\"M" << N(cx - s * 0.5) << " " << N(cy - dir * s * 0.25) << " L" << N(cx) << " "
        << N(cy + dir * s * 0.3) << " L" << N(cx + s * 0.5) << " " << N(cy - dir * s * 0.25)
        << "\" fill=\"none\" stroke=\"" << p.mark << "\" stroke-width=\"" << N(s * 0.22)
        << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
}

void WriteButton(std::ostream& svg, ButtonRow row, bool hover, bool on) {
    // A style ending in "main" is its base style in the main-action colours.
    const bool main = row.style.size() > 4 && row.style.ends_with("main");
    if (main) row.style.resize(row.style.size() - 4);
    const Palette& p = on     ? (hover ? kOnHover : kOn)
                       : main ? (hover ? kMainHover : kMain)
                              : (hover ? kHover : kNormal);
    const double m = 3.0;  // margin for the glow ring
    const double W = row.width, H = row.height;
    const double w = W - 2 * m, h = H - 2 * m;
    const bool square = row.style == "number" || row.style == "eraser" || row.style == "box" ||
                        row.style == "up" || row.style == "down";
    const double r = square ? std::min(w, h) * 0.26 : std::min(h * 0.5, 14.0);

    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << row.width << "\" height=\"" << row.height
        << "\" viewBox=\"0 0 " << row.width << " " << row.height << "\">\n";
    svg << "<defs>\n"
        << "<linearGradient id=\"fill\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" stop-color=\""
        << p.top << "\"/><stop offset=\"1\" stop-color=\"" << p.bottom << "\"/></linearGradient>\n"
        << "<linearGradient id=\"shine\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" "
           "stop-color=\"#fff\""
        << " stop-opacity=\"0.28\"/><stop offset=\"1\" stop-color=\"#fff\" "
           "stop-opacity=\"0\"/></linearGradient>\n"
        << "<filter id=\"blur\" x=\"-20%\" y=\"-40%\" width=\"140%\" height=\"180%\"><feGaussianBlur "
           "stdDeviation=\"1.6\"/>"
        << "</filter>\n</defs>\n";

    if (*p.glow) {
        svg << "<rect x=\"" << N(m - 0.5) << "\" y=\"" << N(m - 0.5) << "\" width=\"" << N(w + 1)
            << "\" height=\"" << N(h + 1) << "\" rx=\"" << N(r + 0.5) << "\" fill=\"none\" stroke=\""
            << p.glow << "\" stroke-width=\"3\" stroke-opacity=\"0.85\" filter=\"url(#blur)\"/>\n";
    }
    svg << "<rect x=\"" << N(m) << "\" y=\"" << N(m) << "\" width=\"" << N(w) << "\" height=\"" << N(h)
        << "\" rx=\"" << N(r) << "\" fill=\"url(#fill)\"/>\n";
    // The upper sheen, kept inside the pill.
    svg << "<rect x=\"" << N(m + 1) << "\" y=\"" << N(m + 1) << "\" width=\"" << N(w - 2) << "\" height=\""
        << N(h * 0.5) << "\" rx=\"" << N(std::max(0.0, r - 1)) << "\" fill=\"url(#shine)\"/>\n";
    svg << "<rect x=\"" << N(m + 0.6) << "\" y=\"" << N(m + 0.6) << "\" width=\"" << N(w - 1.2)
        << "\" height=\"" << N(h - 1.2) << "\" rx=\"" << N(r) << "\" fill=\"none\" stroke=\"" << p.rim
        << "\" stroke-opacity=\"" << N(p.rimAlpha) << "\" stroke-width=\"" << (*p.glow ? "1.8" : "1.2")
        << "\"/>\n";

    const bool lightText = !on;
    const double cx = W / 2, cy = H / 2;
    // Carlito's capitals and digits stand about 0.63 em tall; this centres them on the pill.
    auto baseline = [&](double size) { return cy + size * 0.33; };

    if (row.style == "big") {
        const double fs = 27;
        Text(svg, row.label, cx, baseline(fs), fs, "middle", p, lightText);
    } else if (row.style == "action" || row.style == "tab") {
        const double fs = 20;
        Text(svg, row.label, cx, baseline(fs), fs, "middle", p, lightText);
    } else if (row.style == "radio") {
        const double fs = 20;
        const double markR = 7.5;
        RadioMark(svg, m + 17, cy, markR, on, p);
        Text(svg, row.label, cx + 10, baseline(fs), fs, "middle", p, lightText);
    } else if (row.style == "check") {
        const double fs = 20, s = 20;
        CheckBox(svg, m + 12, cy - s / 2, s, on, p);
        Text(svg, row.label, m + 12 + s + 12, baseline(fs), fs, "start", p, lightText);
    } else if (row.style == "side") {
        const double fs = 15;
        Text(svg, row.label, cx, baseline(fs), fs, "middle", p, lightText);
    } else if (row.style == "sidecheck") {
        const double fs = 15, s = 13;
        CheckBox(svg, m + 7, cy - s / 2, s, on, p);
        Text(svg, row.label, m + 7 + s + 8, baseline(fs), fs, "start", p, lightText);
    } else if (row.style == "number") {
        const double fs = h * 0.78;
        Text(svg, row.label, cx, baseline(fs), fs, "middle", p, lightText);
    } else if (row.style == "eraser") {
        EraserIcon(svg, cx, cy, h * 0.62, p);
    } else if (row.style == "box") {
        const double s = h * 0.6;
        CheckBox(svg, cx - s / 2, cy - s / 2, s, on, p);
    } else if (row.style == "up" || row.style == "down") {
        Arrow(svg, cx, cy, h * 0.5, row.style == "up", p);
    }
    svg << "</svg>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: ButtonSvg <table> <name> <normal|MO|On|OnMO> <out.svg>\n";
        return 2;
    }
    ButtonRow row;
    if (!FindRow(argv[1], argv[2], row)) {
        std::cerr << "ButtonSvg: no button '" << argv[2] << "' in " << argv[1] << "\n";
        return 1;
    }
    const std::string state = argv[3];
    if (state != "normal" && state != "MO" && state != "On" && state != "OnMO") {
        std::cerr << "ButtonSvg: unknown state '" << state << "'\n";
        return 2;
    }
    std::ostringstream svg;
    WriteButton(svg, row, state == "MO" || state == "OnMO", state == "On" || state == "OnMO");
    std::ofstream out(argv[4], std::ios::binary);
    out << svg.str();
    return out.good() ? 0 : 1;
}
