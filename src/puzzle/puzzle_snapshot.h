#pragma once

#include <QString>
#include <QStringList>

namespace quarrin {

class PuzzleModel;

// What an editor hands to its print and play windows just before showing
// them: the first character of every cell of the store, column by column
// ((N+1) x (N+1) characters, a space for a blank cell), and the first W words.
struct PuzzleSnapshot
{
    QString letters;
    QStringList words; // always W entries; empty past the last word

    int side() const; // N + 1, derived from the letters (0 when empty)
    // The character for column `col`, row `row` of the store (a space when outside).
    QChar letterAt(int col, int row) const;
};

// Fills `snapshot` from the model (giving every empty cell a single space).
void takeSnapshot(PuzzleModel &model, PuzzleSnapshot &snapshot);

} // namespace quarrin
