#pragma once

#include "model/edit_steps.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6 {

struct UnitImage;

// Edits of a rectangle of the advance map at once, and the map's cells as
// tab-separated text, the way a spreadsheet copies and pastes them.
//
// Every result is a whole degree, rounded to the nearest with halves up
// (12.5 -> 13), and clamped to the cell's range in the field table (0 ... 60 °).
// The results of interpolating and smoothing are worked out from the values the
// block held before the operation, never from cells it has already changed.

/// A rectangle of map cells, corners included.
struct MapBlock {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    /// The block between two cells, given in any order.
    static MapBlock spanning(MapCell a, MapCell b);
    int rows() const { return bottom - top + 1; }
    int columns() const { return right - left + 1; }
    bool contains(MapCell cell) const
    {
        return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
    }
    bool operator==(const MapBlock &) const = default;
};

enum class BlockOperation {
    Set,                ///< every cell to the argument, degrees
    Add,                ///< the argument added, degrees (negative subtracts)
    Scale,              ///< multiplied by the argument, percent
    InterpolateRows,    ///< each row linear between its first and last cell
    InterpolateColumns, ///< each column linear between its top and bottom cell
    Bilinear,           ///< bilinear between the four corners
    Smooth,             ///< the mean of each cell and its up to eight neighbours inside the block
};

/// Applies one operation to the block's cells; `argument` is used by Set, Add and
/// Scale only. A block reaching beyond the map is cut to it.
void applyBlockOperation(UnitImage &image, const MapBlock &block, BlockOperation operation, int argument = 0);

/// The block as a spreadsheet copies it: one line per row, each ended by "\n",
/// cells separated by tabs, whole degrees.
std::string blockToText(const UnitImage &image, const MapBlock &block);

/// Pasted cells, row by row; an empty value is a blank cell, which leaves its map
/// cell as it is.
using PastedCells = std::vector<std::vector<std::optional<int>>>;

struct PasteError {
    enum class Kind {
        NoNumbers,  ///< nothing but blanks and line ends
        NotANumber, ///< a cell that is not a number
    };
    Kind kind = Kind::NoNumbers;
    int line = 0;     ///< from 1; 0 with NoNumbers
    int column = 0;   ///< the cell's position in its line, from 1; 0 with NoNumbers
    std::string cell; ///< the cell as pasted, blanks at its ends removed
};

struct ParsedPaste {
    PastedCells cells;
    std::optional<PasteError> error; ///< set: `cells` is empty
};

/// Reads tab-separated text: lines end in "\n", "\r\n" or "\r", empty lines at the
/// end are dropped (a spreadsheet ends its copy with a line end); cells are split
/// by tabs. A cell may be quoted ("12", doubled quotes inside), have blanks around
/// it and a trailing degree sign; its number may have a decimal point or a decimal
/// comma and is rounded to the nearest whole degree, halves up. Any other cell
/// makes the whole text an error: a cell with a tab or line end inside its quotes
/// is split by them and is not a number either.
ParsedPaste parseTabSeparated(std::string_view text);

/// Writes pasted cells with their first at `topLeft`; cells beyond the map are left
/// out and each value is clamped to its cell's range. Returns the block the paste
/// covers on the map.
MapBlock pasteCells(UnitImage &image, MapCell topLeft, const PastedCells &cells);

} // namespace talviro6
