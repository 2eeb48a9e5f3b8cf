#pragma once

// SheetPuzzle: what a paper page needs to know of one puzzle, and nothing of
// the windows or the cell store it came from. The sheet layout (worksheets,
// the printer, puzzle books) reads only this, so it works for a grid of any
// number of columns and rows and for any letters.
//
// sheetPuzzleFromSnapshot() is the one place that knows how an editor hands a
// puzzle over (the store of (N+1) x (N+1) cells column by column with its
// hidden margin, the list of word slots, the print window's labels).

#include "puzzle/puzzle_model.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quarrin {

struct PuzzleSnapshot;

struct SheetPuzzle
{
    QString title;
    int columns = 0;
    int rows = 0;
    // One text per cell, row by row (columns x rows entries): a letter, which
    // may take more than one UTF-16 unit; an empty text for a blank cell.
    QStringList letters;
    // One flag per cell, row by row: a filler letter rather than a word's.
    std::vector<bool> filler;
    // The listed words, in list order, each with its clue (empty: the list
    // shows the word itself) and where it lies in the grid (none: not drawn).
    QStringList words;
    QStringList clues;
    std::vector<std::optional<WordPath>> paths;

    QString letterAt(int col, int row) const;
    bool isFiller(int col, int row) const;
    bool hasClues() const;
};

// The puzzle of a snapshot under `title`. `labels` are the print window's word
// captions ("1. CAT", or "1. Farm animal" where a clue replaced the word), one
// per word slot; a caption that shows something other than its word makes
// that text the word's clue, and one that shows the word drops the word's own
// clue. Without labels, the snapshot's own clues stand. Empty word slots are
// left out.
SheetPuzzle sheetPuzzleFromSnapshot(const PuzzleSnapshot &snapshot, const QString &title,
                                    const QStringList &labels = {});

} // namespace quarrin
