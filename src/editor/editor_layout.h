#pragma once

#include "puzzle/size_table.h"

#include <QRect>

namespace quarrin {

// The two kinds of editor: the 15x15 and 30x30 editors of the record files,
// each a fixed window of its own size, and the document editor, which holds a
// puzzle of any size, saved as a document, in a window that can be resized.
enum class EditorKind
{
    Record,
    Document,
};

// What the editor windows differ in beyond the puzzle's size table: the
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
    // The document editor lays its controls out to the window's size: the
    // grid takes what the window leaves, its cells growing with it.
    bool scales;
};

// The layout of the record editor of a record size, or of the document editor.
const EditorLayout &editorLayout(GridSize size, EditorKind kind = EditorKind::Record);

// The document editor's arrangement for a client area of `client` pixels: the
// grid's panel on the left, the lists and every command in a column on the
// right. Also gives the panel's size at which a grid of `size` gets cells of
// `cellPixels`, for the window's first size.
struct ScaledEditorGeometry
{
    QRect panel;     // the grid's panel
    int rightColumn; // left edge of the column of lists and commands
    int listTop;
    int listHeight;
    int commandsTop; // first row below the lists: the delete row
};
ScaledEditorGeometry scaledEditorGeometry(const QSize &client);
QSize scaledEditorClientSize(GridSize size, int cellPixels);
// The cell that fits a grid of `size` into a panel of `panel` pixels.
int scaledEditorCellPixels(GridSize size, const QSize &panel);
inline constexpr int kScaledEditorMinWidth = 998;
inline constexpr int kScaledEditorMinHeight = 668;

// Fonts of the window, mapped to the families installed here.
namespace editor_fonts {
inline constexpr const char *kSans = "Liberation Sans";          // Arial, MS Sans Serif
inline constexpr const char *kNarrow = "Liberation Sans Narrow"; // Arial Narrow, Impact
inline constexpr const char *kPalatino = "P052";
inline constexpr const char *kDejaVu = "DejaVu Sans"; // the document editor's letters, of any alphabet
} // namespace editor_fonts

} // namespace quarrin
