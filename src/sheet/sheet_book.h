#pragma once

// A puzzle book as one PDF a print-on-demand service accepts.
//
// In order: an optional title page (no page number), an optional table of
// contents (each puzzle's title and page, then the solutions), the puzzles
// one to a page (or two, when they stay legible), then the solutions section
// with 1, 2, 4, 6 or 9 keys to a page, each labelled with its puzzle's title
// and page. Every page is the trim size (plus the bleed on its three outer
// edges when asked); odd pages are right-hand pages, so the inside margin,
// which grows with the page count, is on the left of odd pages and on the
// right of even ones. Every page but the title page carries its number.
// The book is padded with blank pages to an even count and to the services'
// least page count.

#include "sheet/sheet_puzzle.h"
#include "sheet/sheet_style.h"

#include <QPageSize>
#include <QString>

#include <vector>

class QIODevice;

namespace quarrin {

// The keys to a page a solutions section can have.
inline constexpr int kKeysPerPageChoices[] = {1, 2, 4, 6, 9};
// The smallest grid letter two puzzles to a page may have (large print: its own).
inline constexpr double kLeastTwoUpLetterPoints = 9.0;

struct BookOptions
{
    QPageSize trim = QPageSize(QPageSize::A4);
    bool bleed = false;
    bool titlePage = false;
    bool contents = false;
    int perPage = 1;     // 1 or 2
    int keysPerPage = 4; // one of kKeysPerPageChoices
    bool pad = true;     // to an even count and the least page count
    QString title;       // of the title page and the PDF
    SheetStyle style;
};

// What the book came to.
struct BookReport
{
    int pages = 0;      // in all, blank ones included
    int blankPages = 0; // added at the end
    int perPage = 1;    // puzzles to a page as written
    double gutterInches = 0;
    std::vector<int> puzzlePages; // the page each puzzle is on
};

// Writes the book; false when a page could not be drawn. `report` may be null.
bool writeSheetBookPdf(QIODevice &out, const std::vector<SheetPuzzle> &puzzles,
                       const BookOptions &options, BookReport *report = nullptr);

} // namespace quarrin
