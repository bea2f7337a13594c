#pragma once

/// Small value types of the spreadsheet control: cell positions, ranges and
/// the limits of a grid.

#include <cstdint>

namespace vtx::sheet {

/// Rows and columns count from 1; row 0 and column 0 are the headers.
constexpr int kMaxRows = 1048576;
constexpr int kMaxCols = 16384;
/// The index that addresses a header (row 0 or column 0) in every call.
constexpr int kHeaderIndex = -32767;

/// A cell position: column and row, headers included (0).
struct CellPos {
    int col = 0;
    int row = 0;
    bool operator==(const CellPos&) const = default;
    /// A 64-bit key, ordered by column and then row.
    std::uint64_t key() const {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32) |
               static_cast<std::uint32_t>(row);
    }
    static CellPos fromKey(std::uint64_t k) {
        return {static_cast<int>(k >> 32), static_cast<int>(k & 0xffffffffu)};
    }
};

/// An inclusive rectangle of cells; col0 <= col1 and row0 <= row1 when valid.
struct CellRange {
    int col0 = 0;
    int row0 = 0;
    int col1 = -1;
    int row1 = -1;
    bool operator==(const CellRange&) const = default;
    bool isValid() const { return col0 <= col1 && row0 <= row1; }
    bool contains(int col, int row) const {
        return col >= col0 && col <= col1 && row >= row0 && row <= row1;
    }
    int cols() const { return col1 - col0 + 1; }
    int rows() const { return row1 - row0 + 1; }
    static CellRange cell(int col, int row) { return {col, row, col, row}; }
    /// The range between two corners given in any order.
    static CellRange ordered(int col0, int row0, int col1, int row1) {
        return {col0 < col1 ? col0 : col1, row0 < row1 ? row0 : row1, col0 < col1 ? col1 : col0,
                row0 < row1 ? row1 : row0};
    }
};

/// The form in which a cell's text is read: the numbers are those of the
/// control's callers.
enum class TextForm : int { Data = 0, Formula = 1, Tag = 2, Value = 3 };

/// How formula texts are read and shown: 0 default (reads A1 and R1C1,
/// shows A1), 1 A1 only, 2 R1C1 only.
enum class RefStyle : int { Default = 0, A1 = 1, R1C1 = 2 };

} // namespace vtx::sheet
