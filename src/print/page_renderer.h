#pragma once

// PageRenderer: the one routine that draws a print page, or its answer key,
// from a plain page description. The print window's page picture, its
// on-screen key, the printer, PDF files and the two-page worksheet all go
// through it, and it needs no window: a command that makes pages headless
// fills a PageDescription (PageDescription::standard gives the page as a
// print window first shows it) and calls paint() or paintFitted() on its own
// painter, one call per page.
//
// The page is drawn in page pixels (96 to the inch), width x 604, from the
// back: page colour, title and word labels, the grid frame, the letter grid;
// on the key, rings round the listed words over the letters. Text stays text
// and rings stay outlines, so a PDF or a printer gets vector drawing.
//
// The answer key: every listed word that is drawn in the grid is ringed from
// its first letter to its last, filled letters are light grey, the title is
// followed by " – Answer Key" and a label showing a clue also shows its answer.

#include "language/glyph_coverage.h"
#include "print/print_layout.h"
#include "puzzle/puzzle_snapshot.h"
#include "puzzle/size_table.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;

namespace quarrin {

class TPubStrGrid;

// The fonts and colours a print window starts with.
QFont pageWindowFont(); // word labels and grid letters
QFont pageTitleFont();
inline const QColor kStartPageColour(166, 202, 240);       // sky blue
inline const QColor kStartFrameColour(87, 160, 227);       // the grid frame's own colour
inline const QColor kStartCellColour(255, 255, 255);       // the system window colour
inline const QColor kKeyFilledLetterColour(176, 176, 176); // filled letters on the key

// Everything the page shows.
struct PageDescription
{
    GridSize size = GridSize::Small;
    int width = 0; // page width in page pixels; the height is always kPageHeight
    QString title;
    QPoint titlePos; // top-left corner of the title
    QFont titleFont;
    // Captions of the word labels 1 to W ("1. CAT", or "1. Farm animal" for a
    // clue); empty for an empty label.
    QStringList labels;
    QFont wordFont;
    QFont gridFont;
    QColor pageColour;
    QColor frameColour;
    QColor cellColour;
    // The letters, the words behind the labels and where they lie.
    PuzzleSnapshot puzzle;

    // The page as a print window first shows it for `puzzle`: design width,
    // start title, fonts and colours, the labels numbered from the words.
    static PageDescription standard(GridSize size, const PuzzleSnapshot &puzzle);
    QSize pageSize() const { return QSize(width, kPageHeight); }
};

struct PageOptions
{
    bool answerKey = false;
    // Page and frame colour drawn as white; text, grid lines and the cell
    // colour are kept.
    bool whiteBackground = false;
};

// One ring of the key: label `word` (0-based) and the cells it runs over.
struct AnswerRing
{
    int word = 0;
    WordPath path;
};

// The rings of the key: one per listed word that is drawn, in label order.
std::vector<AnswerRing> answerRings(const PuzzleSnapshot &puzzle);
// The title and label captions as the key shows them.
QString answerKeyTitle(const QString &title);
QString answerKeyCaption(const QString &caption, const QString &word);

// What the page draws in which font: for the check that every letter can be
// drawn before the page is printed or saved.
QList<DrawnText> pageDrawnTexts(const PageDescription &page, const PageOptions &options);

class PageRenderer
{
public:
    PageRenderer();
    ~PageRenderer();
    PageRenderer(const PageRenderer &) = delete;
    PageRenderer &operator=(const PageRenderer &) = delete;

    // Draws the page in page pixels with its top-left corner at the painter's
    // origin. It sets no clip of its own (a PDF would repeat it with every
    // cell); a caller that needs the page's edge kept clips before.
    void paint(QPainter &p, const PageDescription &page, const PageOptions &options);
    // Draws the page scaled to fit `target` with its proportions kept,
    // centred across the target and at its top.
    void paintFitted(QPainter &p, const PageDescription &page, const PageOptions &options,
                     const QRectF &target);
    // The page as a picture, one pixel per page pixel.
    QImage image(const PageDescription &page, const PageOptions &options);

private:
    void setUpGrid(const PageDescription &page, const PageOptions &options,
                   const PageGeometry &geometry);

    // Draws the letter grid exactly as the print window's grid control does.
    std::unique_ptr<TPubStrGrid> m_grid;
    bool m_dimFilled = false;
    const PuzzleSnapshot *m_puzzle = nullptr; // while a page is drawn
};

} // namespace quarrin
