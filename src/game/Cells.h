// The board's cells: one TCell sprite per grid position, held in the one TCellList (the global CellList).
//
// A cell holds no puzzle data of its own. Everything it draws (tile, number, pencil marks, the player's
// aids) is read from the board model every frame, and a click turns straight into a change of the board
// model, so the cells can be thrown away and rebuilt at any time (new puzzle, restart, loaded game).
//
// Used by the board screen (GameScreen), which builds, manages and draws the cells.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presentation/Sprite.h"

class TCellList;

class TCell : public TSprite {
  public:
    TCellList* Cells = nullptr;  // the list that owns the cell
    int CellType = 0;            // 0: a board cell; any other type draws nothing and ignores clicks
    int ArrayLocationX = 0;      // column in the board grids
    int ArrayLocationY = 0;      // row in the board grids
    int TargetX = 0;             // resting place (centre) on the screen
    int TargetY = 0;
    int CellRegion = 0;  // tile shade, alternating from region to region

    static std::shared_ptr<TCell> Create(std::shared_ptr<TGameImage> image, float x, float y);
    void Move() override;
    // 1 when the pointer lies strictly inside the 32 x 32 square around the centre.
    virtual int IsMouseOver();
    // drawHover 0 suppresses the pointer tile and the hint line.
    virtual void DrawSpecial(int drawHover);
    // The click rules; once per frame.
    virtual void Manage();

  private:
    bool InGrid() const;
    void DrawHover();
    void DrawNumber();
    void DrawPencilMarks();
};

class TCellList {
  public:
    std::shared_ptr<TCell> AddNew(int x, int y, std::shared_ptr<TGameImage> image);
    void Draw(int drawHover);
    void Manage();
    void Move();

    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    // The cells in list order (column by column, top to bottom within a column).
    const std::vector<std::shared_ptr<TCell>>& Items() const { return items_; }
    // The first cell under the pointer, or nullptr.
    TCell* CellUnderPointer();

  private:
    // Walks a copy, so a cell's action that rebuilds the board cannot free the list under the walk.
    template <typename F>
    void Walk(F&& f);

    std::vector<std::shared_ptr<TCell>> items_;
};

extern TCellList CellList;

// The text a number is shown as: "1" to "9", and "A" to "G" for 10 to 16; "" for anything else.
std::string CellSymbol(int value);

// Rebuilds the board's cells for the current size and regions; flyIn 1 lets them drop in from above.
// TCore::CreateCells runs it once the board screens are wired up (BoardScreensInit).
void CreateBoardCells(int flyIn);
