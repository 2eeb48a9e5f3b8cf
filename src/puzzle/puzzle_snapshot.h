#pragma once

#include "puzzle/puzzle_model.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace quarrin {

// What an editor hands to its print and play windows just before showing
// them: the first character of every cell of the store, column by column
// ((columns+1) x (rows+1) characters, a space for a blank cell), and the
// first W words.
struct PuzzleSnapshot
{
    QString letters;
    QStringList words; // always W entries; empty past the last word
    // For the answer key: where each of the W words lies (no value for an
    // empty entry or a word that is not drawn), and one flag per store cell,
    // column by column, set where the cell holds a filled letter rather than
    // a word letter. A snapshot made only of letters and words has neither:
    // its key rings nothing and dims nothing.
    std::vector<std::optional<WordPath>> paths{};
    QByteArray filled{};
    // Each word's clue, W entries like `words`; empty where a word has none
    // (and always empty for a puzzle whose words carry no clues).
    QStringList clues{};
    // The visible grid. A snapshot made only of letters leaves these 0: the
    // grid is then the square that the letters fill.
    int columns = 0;
    int rows = 0;
    // The ISO 639-1 code of the puzzle's language ("en" for a record editor's).
    QString language = QStringLiteral("en");

    // The cell store's columns and rows: the grid and its margin (0 when empty).
    int storeColumns() const;
    int storeRows() const;
    // The visible grid's columns and rows.
    int gridColumns() const { return std::max(storeColumns() - 1, 0); }
    int gridRows() const { return std::max(storeRows() - 1, 0); }
    // The character for column `col`, row `row` of the store (a space when outside).
    QChar letterAt(int col, int row) const;
    // Whether the cell holds a filled letter (false outside the store).
    bool isFilled(int col, int row) const;
};

// Fills `snapshot` from the model (giving every empty cell a single space).
void takeSnapshot(PuzzleModel &model, PuzzleSnapshot &snapshot);

} // namespace quarrin
