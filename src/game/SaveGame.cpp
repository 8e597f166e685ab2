// Save games: writer, validating reader and the two entry points of the screens.
#include "game/SaveGame.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/StringUtils.h"
#include "game/GameNotice.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* SaveGameHeader = "Sudoku Numora Savegame";
// A 16 x 16 save is about 11 KB; anything past this cannot be a save of ours.
constexpr std::size_t MaxSaveGameBytes = 64 * 1024;

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

void AppendLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

void AppendNumberGrid(std::string& text, const TByteGrid& grid, int width, int height) {
    AppendLine(text, "-");
    for (int y = 0; y < height; ++y) {
        std::string line;
        for (int x = 0; x < width; ++x) line += TwoDigits(grid[x][y]) + " ";
        AppendLine(text, line);
    }
}

bool IsValidSize(int size) {
    return size == 4 || size == 6 || size == 9 || size == 12 || size == 16;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the lines in order and records the first thing out of place.
class TSaveGameReader {
  public:
    explicit TSaveGameReader(const std::string& text) : lines_(SplitLines(text)) {}

    std::optional<TSaveGameData> Read() {
        TSaveGameData data;
        if (!Header(data)) return std::nullopt;
        if (!NumberGrid(data.PuzzleStart, data.Width, "givens")) return std::nullopt;
        if (!NumberGrid(data.Puzzle, data.Width, "numbers")) return std::nullopt;
        if (!NumberGrid(data.Solution, data.Width, "solution")) return std::nullopt;
        if (!FlagGrid(data.Locked, data.Width)) return std::nullopt;
        if (!MarkupGrid(data.Markup, data.Width)) return std::nullopt;
        while (next_ < lines_.size())
            if (!lines_[next_++].empty()) return Fail("unexpected text after the pencil marks");
        const auto [regionWidth, regionHeight] = RegionShape(data.Width);
        if (!GridFollowsTheRule(data.Solution, data.Width, regionWidth, regionHeight)) {
            error_ = "the solution is not a valid grid";
            return std::nullopt;
        }
        for (int y = 0; y < data.Width; ++y)
            for (int x = 0; x < data.Width; ++x)
                if (data.PuzzleStart[x][y] != 0 && data.PuzzleStart[x][y] != data.Solution[x][y]) {
                    error_ = "the given at column " + std::to_string(x + 1) + ", row " +
                             std::to_string(y + 1) + " differs from the solution";
                    return std::nullopt;
                }
        return data;
    }

    const std::string& Error() const { return error_; }

  private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string error_;

    std::nullopt_t Fail(const std::string& reason) {
        error_ = reason + (next_ > 0 ? ", line " + std::to_string(next_) : "");
        return std::nullopt;
    }

    const std::string* NextLine() {
        if (next_ >= lines_.size()) return nullptr;
        return &lines_[next_++];
    }

    bool Header(TSaveGameData& data) {
        // The first line is not read back: saves made elsewhere put other text there.
        const std::string* line = NextLine();
        if (!line) return Fail("not a saved game"), false;
        line = NextLine();
        if (!line || line->size() != 5 || !IsDigit((*line)[0]) || !IsDigit((*line)[1]) || (*line)[2] != 'x' ||
            !IsDigit((*line)[3]) || !IsDigit((*line)[4]))
            return Fail("bad grid size"), false;
        data.Width = ((*line)[0] - '0') * 10 + ((*line)[1] - '0');
        data.Height = ((*line)[3] - '0') * 10 + ((*line)[4] - '0');
        if (data.Width != data.Height || !IsValidSize(data.Width)) return Fail("bad grid size"), false;
        line = NextLine();
        if (!line || line->size() != 1 || (*line)[0] < '0' || (*line)[0] > '4')
            return Fail("bad difficulty"), false;
        data.Difficulty = (*line)[0] - '0';
        line = NextLine();
        if (!line || (*line != "0" && *line != "1")) return Fail("bad pencil-mark flag"), false;
        data.ShowMarkup = (*line)[0] - '0';
        line = NextLine();
        if (!line || line->empty() || line->size() > 10) return Fail("bad time"), false;
        std::int64_t time = 0;
        for (char c : *line) {
            if (!IsDigit(c)) return Fail("bad time"), false;
            time = time * 10 + (c - '0');
        }
        if (time > 0x7fffffff) return Fail("bad time"), false;
        data.ElapsedTime = static_cast<int>(time);
        return true;
    }

    bool Separator() {
        const std::string* line = NextLine();
        if (!line || *line != "-") return Fail("missing separator"), false;
        return true;
    }

    bool NumberGrid(TByteGrid& grid, int n, const char* what) {
        if (!Separator()) return false;
        for (int y = 0; y < n; ++y) {
            const std::string* line = NextLine();
            if (!line || line->size() != static_cast<std::size_t>(n) * 3)
                return Fail(std::string("bad row of the ") + what), false;
            for (int x = 0; x < n; ++x) {
                const char* cell = line->data() + x * 3;
                if (!IsDigit(cell[0]) || !IsDigit(cell[1]) || cell[2] != ' ')
                    return Fail(std::string("bad row of the ") + what), false;
                const int value = (cell[0] - '0') * 10 + (cell[1] - '0');
                if (value > n) return Fail(std::string("number out of range in the ") + what), false;
                grid[x][y] = static_cast<std::uint8_t>(value);
            }
        }
        return true;
    }

    // Reads `count` flags "0 " or "1 " per cell of each row.
    template <typename Store>
    bool Flags(int n, int count, const char* what, Store store) {
        if (!Separator()) return false;
        for (int y = 0; y < n; ++y) {
            const std::string* line = NextLine();
            if (!line || line->size() != static_cast<std::size_t>(n) * count * 2)
                return Fail(std::string("bad row of the ") + what), false;
            for (int x = 0; x < n; ++x)
                for (int k = 0; k < count; ++k) {
                    const char* flag = line->data() + (x * count + k) * 2;
                    if ((flag[0] != '0' && flag[0] != '1') || flag[1] != ' ')
                        return Fail(std::string("bad row of the ") + what), false;
                    store(x, y, k, static_cast<std::uint8_t>(flag[0] - '0'));
                }
        }
        return true;
    }

    bool FlagGrid(TByteGrid& grid, int n) {
        return Flags(n, 1, "locks", [&](int x, int y, int, std::uint8_t v) { grid[x][y] = v; });
    }

    bool MarkupGrid(TMarkupGrid& marks, int n) {
        return Flags(n, n, "pencil marks", [&](int x, int y, int k, std::uint8_t v) { marks[x][y][k] = v; });
    }
};

std::string NoticeText(const std::string& key, const std::string& fallback) {
    const std::string text = GameString(key);
    return text.empty() ? fallback : text;
}

// A name is a plain file name: anything that could lead out of the profiles folder is refused.
bool IsSafeName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == '\0') return false;
    return true;
}

}  // namespace

std::string SaveGameFormat(const TSaveGameData& data) {
    const int n = data.Width;
    std::string text;
    AppendLine(text, SaveGameHeader);
    AppendLine(text, TwoDigits(data.Width) + "x" + TwoDigits(data.Height));
    AppendLine(text, std::to_string(data.Difficulty));
    AppendLine(text, data.ShowMarkup ? "1" : "0");
    AppendLine(text, std::to_string(data.ElapsedTime < 0 ? 0 : data.ElapsedTime));
    AppendNumberGrid(text, data.PuzzleStart, n, n);
    AppendNumberGrid(text, data.Puzzle, n, n);
    AppendNumberGrid(text, data.Solution, n, n);
    AppendLine(text, "-");
    for (int y = 0; y < n; ++y) {
        std::string line;
        for (int x = 0; x < n; ++x) line += data.Locked[x][y] ? "1 " : "0 ";
        AppendLine(text, line);
    }
    AppendLine(text, "-");
    for (int y = 0; y < n; ++y) {
        std::string line;
        for (int x = 0; x < n; ++x)
            for (int k = 0; k < n; ++k) line += data.Markup[x][y][k] ? "1 " : "0 ";
        AppendLine(text, line);
    }
    return text;
}

std::optional<TSaveGameData> SaveGameParse(const std::string& text, std::string* error) {
    TSaveGameReader reader(text);
    auto data = reader.Read();
    if (!data && error) *error = reader.Error();
    return data;
}

TSaveGameData SaveGameCapture() {
    TSaveGameData data;
    data.Width = PuzzleWidth;
    data.Height = PuzzleHeight;
    // A typed-in puzzle keeps the level it was graded at.
    const int graded = HighScoreDifficulty();
    data.Difficulty = graded >= 0 ? graded : PuzzleDifficulty;
    data.ShowMarkup = ShowMarkup ? 1 : 0;
    data.ElapsedTime = StopwatchElapsed();
    data.PuzzleStart = PuzzleStart;
    data.Puzzle = Puzzle;
    data.Solution = Solution;
    data.Locked = Locked;
    data.Markup = Markup;
    return data;
}

void SaveGameApply(const TSaveGameData& data) {
    PuzzleWidth = data.Width;
    PuzzleHeight = data.Height;
    PuzzleDifficulty = data.Difficulty;
    ShowMarkup = data.ShowMarkup;
    PuzzleStartTime = MilliSecs() - data.ElapsedTime;
    PuzzleEndTime = 0;
    PuzzleStart = data.PuzzleStart;
    Puzzle = data.Puzzle;
    Solution = data.Solution;
    Locked = data.Locked;
    Markup = data.Markup;
    // A saved typed-in puzzle with several solutions or nothing to fill takes no place after loading either.
    if (Core.GradeGivens() < 0)
        CustomPuzzleGrade = -1;
    else
        CustomPuzzleGrade.reset();
}

TSaveGame TSaveGame::Create(const std::string& name) {
    TSaveGame save;
    save.Init(name);
    return save;
}

void TSaveGame::Init(const std::string& name) {
    Name = name;
}

std::string TSaveGame::Path() const {
    return Game->ProfilePath + Name + ".dat";
}

int TSaveGame::Save() {
    Error.clear();
    if (IsSafeName(Name) && WriteFileAtomic(Path(), SaveGameFormat(SaveGameCapture()))) return 1;
    Error = GameString("Could Not Create File") + Path() + "'";
    GameNotice(Error);
    return 0;
}

int TSaveGame::Load() {
    Error.clear();
    std::optional<std::string> bytes;
    bool tooLarge = false;
    if (IsSafeName(Name)) bytes = LoadFile(Path(), MaxSaveGameBytes, &tooLarge);
    if (tooLarge) {
        Error = NoticeText("Damaged Savegame", "The saved game is damaged and cannot be loaded: ") + Path() +
                " (far too large to be a saved game)";
        return 0;
    }
    if (!bytes) {
        Error = NoticeText("Could Not Load File", "The saved game could not be opened: ") + Path();
        return 0;
    }
    std::string reason;
    const auto data = SaveGameParse(*bytes, &reason);
    if (!data) {
        Error = NoticeText("Damaged Savegame", "The saved game is damaged and cannot be loaded: ") + Path() +
                " (" + reason + ")";
        return 0;
    }
    SaveGameApply(*data);
    return 1;
}

int SaveGameSave(const std::string& name) {
    return TSaveGame::Create(name).Save();
}

int SaveGameLoad(const std::string& name) {
    TSaveGame save = TSaveGame::Create(name);
    const int result = save.Load();
    if (result == 0) GameNotice(save.Error);
    return result;
}
