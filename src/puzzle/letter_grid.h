#pragma once

// A plain letter grid of any size: `columns` x `rows` cells, each one UTF-16
// unit, kept row by row (the cell at column c, row r is letters[r * columns + c],
// both counted from 0). 0 is an empty cell; any other unit is a letter that a
// word running through the cell must match. The placement and clean-fill
// algorithms work on it, apart from the puzzle model's own cell store.

#include <cstddef>
#include <vector>

namespace quarrin {

struct LetterGrid
{
    int columns = 0;
    int rows = 0;
    std::vector<char16_t> letters; // row-major; 0 = empty

    LetterGrid() = default;
    LetterGrid(int columnCount, int rowCount)
        : columns(columnCount), rows(rowCount),
          letters(std::size_t(columnCount > 0 && rowCount > 0 ? columnCount * rowCount : 0), 0)
    {
    }

    bool contains(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < columns && row < rows;
    }
    int index(int col, int row) const { return row * columns + col; }
    // Outside the grid reads as empty.
    char16_t at(int col, int row) const
    {
        return contains(col, row) ? letters[std::size_t(index(col, row))] : char16_t(0);
    }
    void set(int col, int row, char16_t letter)
    {
        if (contains(col, row))
            letters[std::size_t(index(col, row))] = letter;
    }
    bool operator==(const LetterGrid &o) const
    {
        return columns == o.columns && rows == o.rows && letters == o.letters;
    }
    bool operator!=(const LetterGrid &o) const { return !(*this == o); }
};

} // namespace quarrin
