// Whole frames of the board screen as the player sees them, rendered headless at 800 x 600 by SDL's software
// renderer and compared with reference PNGs in tests/game/golden/ within a tolerance: a 9 x 9 board in play
// (numbers, a mistake shown, pencil marks, the pointer's hint line, the timer) and a 16 x 16 board.
//
// A missing reference (or NUMORA_UPDATE_GOLDEN=1) writes the current picture as the new reference and skips
// the comparison; look at a new reference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "BoardWorld.h"
#include "platform/ImageCodec.h"
#include "platform/Random.h"

namespace {

using board::BoardWorld;
using board::Now;

class BoardFrameTest : public BoardWorld {
  protected:
    void SetUp() override {
        BoardWorld::SetUp();
        offscreen = CreateOffscreenBackend(800, 600);
        ASSERT_TRUE(offscreen);
        SetDrawBackend(offscreen.get());
        ResetDrawStateDefaults(800, 600);
        SeedRnd(7);  // the background picture is chosen at random
    }

    void Frame(int n) {
        NewBoard(n);
        EnterBoardScreen();
        Now += 83000;  // 01:23 on the timer
        // A few of the player's numbers, one of them wrong, and pencil marks in an empty cell.
        int placed = 0;
        for (int x = 0; x < n && placed < 3; ++x)
            for (int y = 0; y < n && placed < 3; ++y)
                if (Puzzle[x][y] == 0) {
                    Puzzle[x][y] =
                        static_cast<std::uint8_t>(placed == 0 ? Solution[x][y] % n + 1 : Solution[x][y]);
                    ++placed;
                }
        for (int x = n - 1; x >= 0; --x)
            if (Puzzle[x][n - 1] == 0) {
                for (int k = 0; k < n; k += 2) Markup[x][n - 1][k] = 1;
                break;
            }
        ShowMistakes = 1;
        TCell* hovered = CellAt(n / 2, n / 2);
        Game->Mouse->x = int(hovered->x);
        Game->Mouse->y = int(hovered->y);
        GameScreen->Draw();
    }

    void Compare(const std::string& name) {
        TPixmap shot = GrabPixmap(0, 0, 800, 600);
        std::filesystem::path ref = testenv::SourceDir() / "tests/game/golden" / (name + ".png");
        const char* update = std::getenv("NUMORA_UPDATE_GOLDEN");
        if (!std::filesystem::exists(ref) || (update != nullptr && std::string(update) == "1")) {
            std::vector<uint8_t> png = EncodePNG(shot);
            std::filesystem::create_directories(ref.parent_path());
            testenv::WriteFile(ref, std::string(png.begin(), png.end()));
            GTEST_SKIP() << "reference written: " << ref;
        }
        std::string bytes = testenv::ReadFile(ref);
        auto expected =
            DecodePNG(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        ASSERT_TRUE(expected);
        ASSERT_EQ(expected->width, 800);
        ASSERT_EQ(expected->height, 600);
        int off = 0;
        for (size_t i = 0; i < shot.pixels.size(); ++i) {
            uint32_t a = shot.pixels[i], b = expected->pixels[i];
            for (int s = 0; s < 24; s += 8)
                if (std::abs(int((a >> s) & 255) - int((b >> s) & 255)) > 12) {
                    ++off;
                    break;
                }
        }
        // Font rasterising may differ by a pixel at glyph edges between library versions.
        EXPECT_LT(off, int(shot.pixels.size()) / 1000) << name << ": " << off << " pixels differ";
    }

    std::unique_ptr<TDrawBackend> offscreen;
};

TEST_F(BoardFrameTest, NineByNineInPlay) {
    Frame(9);
    Compare("board9x9");
}

TEST_F(BoardFrameTest, SixteenBySixteenInPlay) {
    Frame(16);
    Compare("board16x16");
}

// The ink of a full set of pencil marks in an empty cell, measured on the frame: the pixels that change
// when the marks are drawn, as a box against the cell's 32 x 32 tile. Every size keeps the marks inside
// the tile with room at the sides; the 16 x 16 layout (four rows, 8 pixels apart, from one pixel above
// the tile, in a font whose digits and letters are 7 pixels tall) spans 31 of the tile's 32 rows, so it
// keeps its one spare row at the bottom.
TEST_F(BoardFrameTest, PencilMarksKeepAMarginInsideTheirCell) {
    struct TMargins {
        int n, left, top, right, bottom;
    };
    const TMargins least[] = {
        {4, 2, 2, 2, 2}, {6, 2, 2, 2, 2}, {9, 2, 2, 2, 2}, {12, 2, 2, 2, 2}, {16, 2, 0, 2, 1}};
    for (const TMargins& want : least) {
        SCOPED_TRACE("board " + std::to_string(want.n));
        NewBoard(want.n);
        EnterBoardScreen();
        Game->Mouse->x = Game->Mouse->y = -100;  // no hover tile or hint line
        TCell* cell = nullptr;
        for (int x = 0; x < want.n && !cell; ++x)
            for (int y = 0; y < want.n && !cell; ++y)
                if (Puzzle[x][y] == 0) cell = CellAt(x, y);
        ASSERT_NE(cell, nullptr);
        const int ax = cell->ArrayLocationX, ay = cell->ArrayLocationY;
        GameScreen->Draw();
        const int left = int(cell->x) - 16, top = int(cell->y) - 16, reach = 8;
        const TPixmap bare = GrabPixmap(left - reach, top - reach, 32 + 2 * reach, 32 + 2 * reach);
        for (int k = 0; k < want.n; ++k) Markup[ax][ay][k] = 1;
        GameScreen->Draw();
        const TPixmap marked = GrabPixmap(left - reach, top - reach, 32 + 2 * reach, 32 + 2 * reach);
        int x0 = 1000, y0 = 1000, x1 = -1000, y1 = -1000;
        for (int y = 0; y < bare.height; ++y)
            for (int x = 0; x < bare.width; ++x)
                if (bare.ReadPixel(x, y) != marked.ReadPixel(x, y)) {
                    x0 = std::min(x0, x - reach), y0 = std::min(y0, y - reach);
                    x1 = std::max(x1, x - reach), y1 = std::max(y1, y - reach);
                }
        ASSERT_LE(x0, x1) << "no marks drawn";
        EXPECT_GE(x0, want.left);
        EXPECT_GE(y0, want.top);
        EXPECT_GE(31 - x1, want.right);
        EXPECT_GE(31 - y1, want.bottom);
        std::printf("board %2d: mark ink x %d..%d, y %d..%d of the tile's 0..31\n", want.n, x0, x1, y0, y1);
    }
}

}  // namespace
