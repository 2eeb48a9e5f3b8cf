#pragma once

// The sheet layout: one puzzle on paper, white, for a class or a book.
//
// From the top: the title (wrapped, centred), an optional name and date line,
// then the grid as large as the area allows with the word list below it, or
// beside it when that leaves the grid larger. Cells are square with equal row
// and column spacing, so diagonals run at 45 degrees, and the letters are
// sized to the cell. The list takes as many columns as fit; clues are
// numbered and wrapped over lines, never cut. The answer key is the same page
// with the words ringed, filler letters light grey, " – Answer Key" after the
// title and each clue followed by its answer.
//
// Everything is measured in the units of the device drawn on (a PDF writer
// or printer at its resolution); sizes given in points are converted with
// the device's resolution. Text stays text and lines stay lines.

#include "sheet/sheet_puzzle.h"
#include "sheet/sheet_style.h"

#include "language/glyph_coverage.h"
#include <QColor>

#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPaintDevice;
class QPainter;

namespace quarrin {

inline const QColor kSheetFillerKeyColour(176, 176, 176); // filler letters on a key
inline const QColor kSheetCellLineColour(170, 170, 170);  // lines between cells
inline const QColor kSheetFrameColour(48, 48, 48);        // the grid's outline

// One line of text, drawn with its left end of the baseline at `baseline`.
struct SheetLine
{
    enum Font
    {
        Title,
        List,
        Footer
    };
    QString text;
    QPointF baseline;
    Font font = List;
    double width = 0; // its advance
};

struct SheetLayout
{
    QRectF area;     // what it was laid out in
    double unit = 1; // device units per point
    QFont titleFont;
    QFont listFont;
    QFont gridFont;
    std::vector<SheetLine> lines; // title, name line, word list
    std::size_t headLines = 0;    // how many of them are the title's and the name line's
    std::vector<QLineF> rules;    // the name line's rules
    QRectF grid;                  // the letter grid's outline
    double cell = 0;              // the side of a cell
    QRectF list;                  // the word list's box (empty with no words)
    int listColumns = 0;
    bool listBeside = false;
    double bottom = 0; // the lowest point anything reaches
    bool answerKey = false;

    double gridPoints() const { return gridFont.pointSizeF(); }
    double cellPoints() const { return cell / unit; }
};

// Lays the puzzle out in `area` of `device` (its resolution measures fonts).
SheetLayout layoutSheet(const SheetPuzzle &puzzle, const SheetStyle &style, const QRectF &area,
                        const QPaintDevice &device, bool answerKey);
// Draws what layoutSheet laid out.
void paintSheet(QPainter &p, const SheetPuzzle &puzzle, const SheetStyle &style,
                const SheetLayout &layout);

// The grid alone: letters centred in square cells of side `cell` from
// `topLeft`, cell lines and an outline; on a key, the rings and grey filler.
void paintSheetGrid(QPainter &p, const SheetPuzzle &puzzle, LetterCase letterCase,
                    const QPointF &topLeft, double cell, const QFont &font, bool answerKey,
                    double unit);

// A key of a book's solutions section: `label` over the ringed grid, as large
// as `box` allows. Returns the grid's letter size in points.
double paintSheetKey(QPainter &p, const SheetPuzzle &puzzle, const SheetStyle &style,
                     const QRectF &box, const QString &label, const QPaintDevice &device);

// The page number, centred on the bottom line of `live`.
void paintPageNumber(QPainter &p, const SheetStyle &style, const QRectF &live, int number,
                     const QPaintDevice &device);
// The height at the bottom of the live area the page number takes, with the
// space above it.
double footerHeight(const SheetStyle &style, const QPaintDevice &device);

// A text broken into lines no wider than `width`, at word boundaries where it
// can be and anywhere in a word longer than a line: nothing is ever cut.
struct SheetWrapped
{
    QString text;
    double width = 0; // its advance
};
std::vector<SheetWrapped> sheetWrap(const QString &text, const QFont &font,
                                    const QPaintDevice &device, double width);

// A font of the style's family at `points`, bold or not.
QFont sheetFont(const SheetStyle &style, double points, bool bold = false);
// " – Answer Key" after a title.
QString sheetKeyTitle(const QString &title);

// What a worksheet of the puzzle draws in which font (the puzzle's page and,
// with `withKey`, its key's): for the check that every letter can be drawn.
QList<DrawnText> sheetDrawnTexts(const SheetPuzzle &puzzle, const SheetStyle &style, bool withKey);

} // namespace quarrin
