// Board construction, cell state with its house tables, the deduction log, trial-and-error
// snapshots and the diagnostic operations.
#include "SudokuBoard.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <sstream>

#include "SolutionCounter.h"

namespace {

struct BlockShape {
    int rows;
    int columns;
};

// Rows x columns per block; N = rows * columns.
BlockShape ShapeFor(int size) {
    switch (size) {
        case 4:
            return {2, 2};
        case 6:
            return {2, 3};
        case 12:
            return {3, 4};
        case 16:
            return {4, 4};
        default:
            return {3, 3};
    }
}

bool IsSupportedSize(int size) {
    return size == 4 || size == 6 || size == 9 || size == 12 || size == 16;
}

}  // namespace

// Any other size has no block shape; such a board is built 9 x 9 rather than with blocks that do
// not tile it.
SudokuBoard::SudokuBoard(int requestedSize) : size(IsSupportedSize(requestedSize) ? requestedSize : 9) {
    enabled.fill(true);
    used.fill(false);
    const BlockShape shape = ShapeFor(size);
    rowsPerBlock_ = shape.rows;
    colsPerBlock_ = shape.columns;
    houseSum = (size + 1) * size / 2;
    full_ = FullValueSet(size);

    const int cellCount = size * size;
    value_.assign(cellCount, 0);
    eliminated_.assign(cellCount, 0);
    candidates_.assign(cellCount, 0);
    houseCount_.assign(3 * size, {});
    houseMask_.assign(3 * size, 0);
    rowOf_.resize(cellCount);
    colOf_.resize(cellCount);
    blockOf_.resize(cellCount);

    for (int band = 0; band < size / rowsPerBlock_; ++band) {
        for (int j = 0; j < size / colsPerBlock_; ++j) {
            auto block = std::make_unique<SudokuBlock>(band * rowsPerBlock_, j * colsPerBlock_, rowsPerBlock_,
                                                       colsPerBlock_);
            block->blockIndex = static_cast<int>(blocks.size());
            block->houseIndex = 2 * size + block->blockIndex;
            blocks.push_back(std::move(block));
        }
    }
    for (int i = 0; i < size; ++i) {
        rows.push_back(std::make_unique<SudokuChain>(true, i));
        rows.back()->houseIndex = i;
        columns.push_back(std::make_unique<SudokuChain>(false, i));
        columns.back()->houseIndex = size + i;
    }
    cells_.reserve(cellCount);
    for (int r = 0; r < size; ++r) {
        for (int k = 0; k < size; ++k) {
            const int b = (r / rowsPerBlock_) * rowsPerBlock_ + k / colsPerBlock_;
            SudokuBlock* block = blocks[b].get();
            cells_.push_back(
                std::make_unique<SudokuCell>(this, block, rows[r].get(), columns[k].get(), r, k, 0));
            SudokuCell* cell = cells_.back().get();
            rowOf_[cell->index] = static_cast<std::uint8_t>(r);
            colOf_[cell->index] = static_cast<std::uint8_t>(k);
            blockOf_[cell->index] = static_cast<std::uint8_t>(b);
            block->cells.push_back(cell);
            rows[r]->cells.push_back(cell);
            columns[k]->cells.push_back(cell);
        }
    }
}

SudokuBoard::~SudokuBoard() = default;

// ---- Cell state ------------------------------------------------------------------------------

void SudokuBoard::PlaceValue(int cell, int v) {
    const int old = value_[cell];
    if (old == v) return;
    const int houses[3] = {rowOf_[cell], size + colOf_[cell], 2 * size + blockOf_[cell]};
    for (int h : houses) {
        auto& count = houseCount_[h];
        if (old != 0) {
            if (count[old] == 2) --conflicts_;
            if (--count[old] == 0) houseMask_[h] &= ~ValueBit(old);
        }
        if (v != 0) {
            if (++count[v] == 2) ++conflicts_;
            houseMask_[h] |= ValueBit(v);
        }
    }
    value_[cell] = static_cast<std::uint8_t>(v);
}

void SudokuBoard::RebuildHouseTables() {
    for (auto& count : houseCount_) count.fill(0);
    std::fill(houseMask_.begin(), houseMask_.end(), 0);
    conflicts_ = 0;
    std::vector<std::uint8_t> values(value_.size(), 0);
    values.swap(value_);
    for (int c = 0; c < CellCount(); ++c) PlaceValue(c, values[c]);
}

ValueSet SudokuBoard::PeerValues(int cell) const {
    return houseMask_[rowOf_[cell]] | houseMask_[size + colOf_[cell]] | houseMask_[2 * size + blockOf_[cell]];
}

ValueSet SudokuBoard::RefreshCandidates(int cell) {
    if (value_[cell] != 0) return candidates_[cell] = ValueBit(value_[cell]);
    eliminated_[cell] |= PeerValues(cell);
    return candidates_[cell] = full_ & ~eliminated_[cell];
}

bool SudokuBoard::Eliminate(int cell, int v, const char* text) {
    if (HasValue(eliminated_[cell], v)) return false;
    eliminated_[cell] |= ValueBit(v);
    if (logging) LogCellValue(text, cell, v);
    return true;
}

bool SudokuBoard::SetValue(int row, int column, int v) {
    if (v < 0 || v > size || row < 0 || row >= size || column < 0 || column >= size) return false;
    PlaceValue(row * size + column, v);
    return true;
}

Grid SudokuBoard::GetValues() const {
    Grid g(size, std::vector<int>(size, 0));
    for (int r = 0; r < size; ++r)
        for (int k = 0; k < size; ++k) g[r][k] = value_[r * size + k];
    return g;
}

bool SudokuBoard::SetValues(const Grid& g) {
    if (size <= 0 || static_cast<int>(g.size()) != size) return false;
    for (const auto& row : g) {
        if (static_cast<int>(row.size()) != size) return false;
        for (int v : row)
            if (v < 0 || v > size) return false;
    }
    for (int r = 0; r < size; ++r) {
        for (int k = 0; k < size; ++k) {
            eliminated_[r * size + k] = 0;
            PlaceValue(r * size + k, g[r][k]);
        }
    }
    return true;
}

void SudokuBoard::ResetUsedTechniques() {
    for (int id = 0; id < kTrialAndError; ++id) used[id] = false;
}

// ---- Log -------------------------------------------------------------------------------------

void SudokuBoard::LogLine(const std::string& line) {
    log.push_back(line);
}

void SudokuBoard::LogCell(const char* text, int cell) {
    if (!logging) return;
    std::ostringstream line;
    line << text << rowOf_[cell] + 1 << 'c' << colOf_[cell] + 1 << '\n';
    LogLine(line.str());
}

void SudokuBoard::LogCellValue(const char* text, int cell, int v) {
    if (!logging) return;
    std::ostringstream line;
    line << text << rowOf_[cell] + 1 << 'c' << colOf_[cell] + 1 << " for val " << v << '\n';
    LogLine(line.str());
}

// ---- Trial-and-error snapshots ----------------------------------------------------------------

void SudokuBoard::PushSnapshot() {
    savedValues_.insert(savedValues_.end(), value_.begin(), value_.end());
    savedEliminated_.insert(savedEliminated_.end(), eliminated_.begin(), eliminated_.end());
    savedUnsolved_.push_back(unsolvedCount);
}

void SudokuBoard::RestoreSnapshot() {
    const std::size_t n = value_.size();
    std::copy(savedValues_.end() - n, savedValues_.end(), value_.begin());
    std::copy(savedEliminated_.end() - n, savedEliminated_.end(), eliminated_.begin());
    unsolvedCount = savedUnsolved_.back();
    DropSnapshot();
    RebuildHouseTables();
}

void SudokuBoard::DropSnapshot() {
    const std::size_t n = value_.size();
    savedValues_.resize(savedValues_.size() - n);
    savedEliminated_.resize(savedEliminated_.size() - n);
    savedUnsolved_.pop_back();
}

// ---- Diagnostics -----------------------------------------------------------------------------

int SudokuBoard::FindAllSolutions(unsigned cap) {
    std::vector<int> flat(value_.begin(), value_.end());
    return CollectAllSolutions(flat, solutions, colsPerBlock_, rowsPerBlock_, cap);
}

bool SudokuBoard::IsSolved() const {
    for (const auto& row : rows)
        if (row->Sum() != houseSum) return false;
    for (const auto& column : columns)
        if (column->Sum() != houseSum) return false;
    for (const auto& block : blocks)
        if (block->Sum() != houseSum) return false;
    return true;
}

bool SudokuBoard::MatchesGrid(const Grid& a, const Grid& b) const {
    for (int r = 0; r < size && r < static_cast<int>(a.size()); ++r) {
        for (int k = 0; k < size && k < static_cast<int>(a[r].size()); ++k) {
            if (a[r][k] == 0) continue;
            if (r >= static_cast<int>(b.size()) || k >= static_cast<int>(b[r].size()) || b[r][k] != a[r][k])
                return false;
        }
    }
    return true;
}

void SudokuBoard::Print(std::ostream& out) const {
    const std::string rule(size + size / colsPerBlock_ + 1, '-');
    out << rule << '\n';
    for (int r = 0; r < size; ++r) {
        out << '|';
        for (int k = 0; k < size; ++k) {
            const int v = value_[r * size + k];
            if (v >= 16)
                out << 'g';
            else
                out << v;
            if ((k + 1) % colsPerBlock_ == 0) out << '|';
        }
        out << '\n';
        if ((r + 1) % rowsPerBlock_ == 0) out << rule << '\n';
    }
}

bool SudokuBoard::LoadFromFile(const std::string& path) {
    std::ifstream in(path);
    int n = 0;
    if (!in || !(in >> n) || n != size) return false;
    Grid g(size, std::vector<int>(size, 0));
    int zeros = 0;
    for (auto& row : g) {
        for (int& v : row) {
            if (!(in >> v) || v < 0 || v > size) return false;
            if (v == 0) ++zeros;
        }
    }
    SetValues(g);
    unsolvedCount = zeros;
    return true;
}
