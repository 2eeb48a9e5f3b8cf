#include "editor/editor_layout.h"

#include <algorithm>

namespace quarrin {

namespace {

// The 15x15 grid: 15 cells of 30 pixels plus their lines and a 2-pixel frame,
// centred over a 481-pixel panel.
const EditorLayout kSmallLayout{
    "Main",
    "quarrin",
    QRect(16, 48, 481, 481),
    QRect(6, 6, 469, 469),
    editor_fonts::kPalatino,
    21,
    editor_fonts::kSans,
    13,
    true,
    false,
};

// The 30x30 grid: 30 cells of 14 pixels plus their lines and a 1-pixel frame.
const EditorLayout kLargeLayout{
    "MainC",
    "quarrin2",
    QRect(16, 48, 484, 484),
    QRect(16, 16, 452, 452),
    editor_fonts::kSans,
    11,
    editor_fonts::kNarrow,
    13,
    false,
    false,
};

// The document editor: the panel and grid are placed by scaledEditorGeometry.
const EditorLayout kDocumentLayout{
    "MainDocument",
    "quarrinDocument",
    QRect(16, 48, 481, 481),
    QRect(6, 6, 469, 469),
    editor_fonts::kDejaVu,
    16,
    editor_fonts::kSans,
    13,
    false,
    true,
};

// The column of lists and commands on the right of the document editor.
constexpr int kColumnWidth = 561;
constexpr int kMargin = 16;
constexpr int kTop = 40;
constexpr int kListTop = 56;
constexpr int kCommandsHeight = 203; // the delete row to the last button row
constexpr int kBottomMargin = 8;
constexpr int kPanelInset = 6; // between the panel's edge and the grid's

} // namespace

const EditorLayout &editorLayout(GridSize size, EditorKind kind)
{
    if (kind == EditorKind::Document)
        return kDocumentLayout;
    return size == GridSize::Small ? kSmallLayout : kLargeLayout;
}

ScaledEditorGeometry scaledEditorGeometry(const QSize &client)
{
    const int width = std::max(client.width(), kScaledEditorMinWidth);
    const int height = std::max(client.height(), kScaledEditorMinHeight);
    ScaledEditorGeometry g;
    g.rightColumn = width - kMargin - kColumnWidth;
    g.panel = QRect(kMargin, kTop, g.rightColumn - kMargin - 2 * kMargin,
                    height - kTop - kBottomMargin);
    g.commandsTop = height - kBottomMargin - kCommandsHeight;
    g.listTop = kListTop;
    g.listHeight = g.commandsTop - 8 - kListTop;
    return g;
}

int scaledEditorCellPixels(GridSize size, const QSize &panel)
{
    // Each cell has a one-pixel line on its right and below it.
    const int across = (panel.width() - 2 * kPanelInset) / size.columns() - 1;
    const int down = (panel.height() - 2 * kPanelInset) / size.rows() - 1;
    return std::clamp(std::min(across, down), 4, 48);
}

QSize scaledEditorClientSize(GridSize size, int cellPixels)
{
    const int gridWidth = size.columns() * (cellPixels + 1) + 2 * kPanelInset;
    const int gridHeight = size.rows() * (cellPixels + 1) + 2 * kPanelInset;
    return QSize(std::max(kScaledEditorMinWidth, 3 * kMargin + gridWidth + kColumnWidth + kMargin),
                 std::max(kScaledEditorMinHeight, kTop + gridHeight + kBottomMargin));
}

} // namespace quarrin
