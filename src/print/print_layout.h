#pragma once

#include "puzzle/size_table.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <vector>

namespace quarrin {

// One tool control of the print window: its name, caption and place.
struct ToolPlace
{
    const char *name;
    const char *caption;
    int left;
    int top;
    int width;
};

// Where everything of a print window stands; one row per grid size.
struct PrintLayout
{
    GridSize size;
    const char *windowName; // objectName of the window
    QPoint designPos;       // where the window opens
    int clientWidth;        // width of the window's content (and of the page image)
    int designHeight;       // content height before the first activation
    bool startsSizeable;    // the large window may be resized until its first print or save
    QPoint titlePos;
    QRect frameRect;
    QRect gridRect;
    int cellPixels;
    int labelLeft; // word labels l1 ... lW
    int labelTop;
    int labelStep;
    const char *gridName;
    ToolPlace printButton;
    ToolPlace setupButton;
    ToolPlace gridFont;
    ToolPlace gridColour;
    ToolPlace pageColour;
    ToolPlace positionLabel;
    QPoint positionArrows;
    ToolPlace saveButton;
    ToolPlace titleButton;
    ToolPlace titleFont;
    ToolPlace wordFont;
    ToolPlace clueLabel;
    ToolPlace clueBox;
    ToolPlace withLabel;
    ToolPlace clueText;
    ToolPlace replaceButton;
};

// The print window of a size: the design layouts of the two record sizes;
// for any other size the 15x15 window's tools, with its page laid out by
// pageGeometry.
const PrintLayout &printLayout(GridSize size);

// Where the page's grid frame, grid and word labels stand. The record sizes
// keep their design places. Any other size puts the grid at the top left as
// large as the word list leaves room for, with the labels in columns to its
// right and, when those are full, below it.
struct PageGeometry
{
    QRect frameRect;
    QRect gridRect;
    int cellPixels = 0;
    std::vector<QPoint> labelPositions; // one per label, counted from 0
};
PageGeometry pageGeometry(GridSize size, const QStringList &labels, const QFont &wordFont);
// The grid font as drawn: the one chosen, for the record sizes; for any other
// size no larger than its cells take.
QFont fittedGridFont(const QFont &chosen, GridSize size, int cellPixels);

// Fixed sizes shared by both windows.
inline constexpr int kPageHeight = 604;   // the page: the window's top 604 pixels
inline constexpr int kNormalHeight = 673; // content height while the tools are shown
inline constexpr int kButtonHeight = 25;
inline constexpr int kFieldHeight = 21;
inline constexpr int kArrowsSize = 25;
inline constexpr int kTitleStartTop = 8;
inline constexpr int kTitleTopMin = 0;
inline constexpr int kTitleTopMax = 24;

} // namespace quarrin
