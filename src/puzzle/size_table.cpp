#include "puzzle/size_table.h"

namespace quarrin {

namespace {

const SizeSpec kSmall{
    GridSize::Small,
    15,
    16,
    14,
    18,
    15,
    30,
    1410,
    ".qrn",
    "Quarrin 15x15 (.qrn) (*.qrn)",
    "Word Quarrin Generator 15x15 Grid",
    "Change to 30x30 Grid",
    "Positions of words",
    "Delete word",
    "Word is too large. 14 Characters maximum",
    "Invalid X, Y Values. Coordinates must be between 1 and 15 only",
    false,
    false,
    true,
    true,
};

const SizeSpec kLarge{
    GridSize::Large,
    30,
    31,
    22,
    28,
    28,
    14,
    2214,
    ".qrn2",
    "Quarrin 30x30 (.qrn2) (*.qrn2)",
    "Word Quarrin Generator 30x30 Grid",
    "Change to 15x15 Grid",
    "Positions of Words",
    "Delete Word",
    "Word is too large. 22 Characters maximum",
    "Invalid X, Y Values. Coordinates must be between 1 and 30 only",
    true,
    true,
    false,
    false,
};

} // namespace

const SizeSpec &sizeSpec(GridSize size)
{
    return size == GridSize::Small ? kSmall : kLarge;
}

} // namespace quarrin
