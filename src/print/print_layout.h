#pragma once

#include "puzzle/size_table.h"

#include <QPoint>
#include <QRect>
#include <QSize>

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

const PrintLayout &printLayout(GridSize size);

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
