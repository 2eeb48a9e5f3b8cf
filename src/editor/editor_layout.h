#pragma once

#include "puzzle/size_table.h"

#include <QRect>

namespace quarrin {

// What the two editor windows differ in beyond the puzzle's size table: the
// window and grid names, the grid's geometry and fonts, and what closing the
// window does.
struct EditorLayout
{
    const char *windowName; // objectName of the window
    const char *gridName;   // objectName of the grid view
    QRect panelRect;        // the grid's panel, in client pixels
    QRect gridRect;         // the grid, relative to its panel
    const char *gridFontFamily;
    int gridFontPixels;
    const char *listFontFamily; // the three word lists
    int listFontPixels;
    // The main window ends the program when it closes; the other editor closes
    // the main window when it closes.
    bool isMainWindow;
};

const EditorLayout &editorLayout(GridSize size);

// Fonts of the window, mapped to the families installed here.
namespace editor_fonts {
inline constexpr const char *kSans = "Liberation Sans";          // Arial, MS Sans Serif
inline constexpr const char *kNarrow = "Liberation Sans Narrow"; // Arial Narrow, Impact
inline constexpr const char *kPalatino = "P052";
} // namespace editor_fonts

} // namespace quarrin
