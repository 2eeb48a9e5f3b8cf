#include "editor/editor_layout.h"

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
};

} // namespace

const EditorLayout &editorLayout(GridSize size)
{
    return size == GridSize::Small ? kSmallLayout : kLargeLayout;
}

} // namespace quarrin
