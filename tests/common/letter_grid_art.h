#pragma once

// ASCII-art boards for plain letter grids (puzzle/letter_grid.h).
//   '.'  empty cell
//   'A'  a fixed letter (a word or message letter)
//   'a'  a filler letter A, one the fill may draw again
// Rows are strings of equal length; the board is the whole grid.

#include "puzzle/letter_grid.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace quarrin::test {

inline LetterGrid gridOf(const QStringList &rows)
{
    LetterGrid grid(rows.isEmpty() ? 0 : int(rows.first().size()), int(rows.size()));
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            const QChar ch = rows.at(r).at(c);
            grid.set(c, r, ch == QLatin1Char('.') ? char16_t(0) : ch.toUpper().unicode());
        }
    }
    return grid;
}

// Non-zero for the cells drawn in lower case.
inline std::vector<std::uint8_t> fillerOf(const QStringList &rows)
{
    std::vector<std::uint8_t> filler;
    for (const QString &row : rows)
        for (const QChar ch : row)
            filler.push_back(ch.isLower() ? 1 : 0);
    return filler;
}

// The grid as art; filler cells (when given) in lower case.
inline QStringList artOf(const LetterGrid &grid, const std::vector<std::uint8_t> &filler = {})
{
    QStringList rows;
    for (int r = 0; r < grid.rows; ++r) {
        QString line;
        for (int c = 0; c < grid.columns; ++c) {
            const char16_t l = grid.at(c, r);
            const bool lower = !filler.empty() && filler[std::size_t(grid.index(c, r))];
            line += l == 0 ? QChar(QLatin1Char('.')) : lower ? QChar(l).toLower() : QChar(l);
        }
        rows << line;
    }
    return rows;
}

} // namespace quarrin::test
