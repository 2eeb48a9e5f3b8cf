#pragma once

// The web page's puzzle from an editor's puzzle: the one place that knows how
// the editor's snapshot lays out its cells and words, and how the print page
// turns words into clues. Everything else in web/ works on WebPuzzle alone.

#include "puzzle/puzzle_snapshot.h"
#include "web/web_page.h"

#include <QString>
#include <QStringList>

namespace quarrin {

// What a print page shows of a puzzle: its title, its word labels ("1. CAT",
// or "1. Farm animal" once a clue replaced the word) and the words it was
// showing them for.
struct PrintedTexts
{
    QString title;
    QStringList labels;
    QStringList words;
};

// The clue of each of the puzzle's words, in order: the text of its print
// label where the user replaced the word there, otherwise empty. A label
// counts only while the page still shows the same word in that place, so a
// clue never outlives its word when the puzzle changes afterwards.
QStringList cluesFromPrintPage(const QStringList &words, const PrintedTexts &printed);

// The page's puzzle: the visible grid of the snapshot (its hidden margin
// left out), its language, its listed words with their places, and their
// clues: entry k of `clues` for word k (the print page's), or else the
// word's own clue in the snapshot. Empty word slots are left out of the list.
WebPuzzle webPuzzleFromSnapshot(const PuzzleSnapshot &snapshot, const QString &title,
                                const QStringList &clues = {});

} // namespace quarrin
