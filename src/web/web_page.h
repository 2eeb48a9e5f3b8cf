#pragma once

// A puzzle as one web page that plays in any browser, from a USB stick, an
// e-mail attachment or a learning platform: one .html file with the style and
// the script inline, no file beside it and no request to any network (its
// Content-Security-Policy forbids every load, so a slip would show as an
// error in the browser rather than a silent fetch).
//
// The page shows the title, the grid, the word list (or the clues, numbered),
// a clock that starts at the first mark, "Start again" and, if asked for,
// "Show answers" (off until pressed). The player marks a word by dragging from
// one end to the other (mouse, pen or touch), by clicking or tapping both
// ends, or with the keyboard (arrow keys move the cursor, Space or Enter marks
// an end); either reading direction counts. A found word is ringed on the grid
// and struck through in the list; the last one shows "You finished!! Time:
// M:SS" and stops the clock. Progress is kept in the browser's local storage
// under the puzzle's id and survives a reload.
//
// What other programs and the tests may rely on:
//   - the grid is role="grid", its rows role="row", each cell role="gridcell"
//     with data-x and data-y (1-based column and row) and its letter as text;
//   - each listed word's element has data-word with the word; a found one has
//     aria-checked="true" (role="checkbox", read-only), not a class;
//   - the finish message appears in the element with role="status";
//   - #wq carries data-puzzle (the id), data-columns, data-rows and, once the
//     script has run, data-ready="true".
//
// The page works for any number of columns and rows and any letters: a cell
// is whatever text the puzzle gives it (a Greek, Cyrillic or Turkish letter
// as well as A to Z), and words are matched without regard to case, the way
// the puzzle's language upper-cases. The page's lang is the puzzle's
// language; its own English texts (buttons, help, counts) say lang="en".

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quarrin {

// What a page shows: plain data, with no tie to the editor's model.
struct WebPuzzle
{
    struct Entry
    {
        QString word; // as listed
        QString clue; // shown instead of the word when not empty
        // Where the word lies, when drawn: its first letter (1-based column
        // x and row y), the step from one letter to the next (dx, dy, each
        // -1, 0 or 1) and its length. Only a page with "Show answers" holds
        // it, and only where the grid's letters there spell the word.
        int x = 0;
        int y = 0;
        int dx = 0;
        int dy = 0;
        int length = 0;
        bool drawn = false;
    };

    QString title;
    // The ISO 639-1 code of the puzzle's language: the page's lang, which
    // also tells the script how to upper-case (Turkish i is İ).
    QString language = QStringLiteral("en");
    int columns = 0;
    int rows = 0;
    // Row by row: cell (x, y) is cells[(y - 1) * columns + (x - 1)]. A cell
    // missing from the list, empty or a blank shows as a blank cell.
    QStringList cells;
    std::vector<Entry> words;

    // The text of cell (x, y), 1-based; empty outside the grid.
    QString cell(int x, int y) const;
    // Whether the entry's walk stays in the grid.
    bool fits(const Entry &entry) const;
};

struct WebPageOptions
{
    // The "Show answers" button and the answers it shows; without it the
    // page holds no word's place at all.
    bool showAnswers = true;
};

// The page, UTF-8. The same puzzle and options give the same bytes.
QByteArray webPageHtml(const WebPuzzle &puzzle, const WebPageOptions &options = {});

// The id under which a page keeps its progress: the same for the same
// letters and words, different for any other puzzle.
QString webPuzzleId(const WebPuzzle &puzzle);

// One line of an index page.
struct WebIndexEntry
{
    QString title;
    QString fileName; // relative to the index
    int words = 0;
    int columns = 0;
    int rows = 0;
};

// A page linking puzzle pages in the same folder; as self-contained as they
// are. `language` is the puzzles' (their titles are in it).
QByteArray webIndexHtml(const QString &title, const std::vector<WebIndexEntry> &pages,
                        const QString &language = QStringLiteral("en"));

// Writes a page atomically: it appears under `path` only once it is whole,
// and a failed write leaves any earlier file of that name as it was. Returns
// an error message naming the file and the reason, or an empty string.
QString writeWebFile(const QString &path, const QByteArray &bytes);

} // namespace quarrin
