#include "print/print_layout.h"

namespace quarrin {

namespace {

const PrintLayout kSmall = {
    GridSize::Small,
    "printPage",
    QPoint(101, 19),
    790,
    656,
    false,
    QPoint(48, 8),
    QRect(48, 49, 484, 484),
    QRect(56, 56, 465, 465),
    30,
    552,
    47,
    24,
    "quarrin",
    {"BitBtn2", "Print", 46, 544, 139},
    {"Button5", "Printer Setup", 192, 544, 137},
    {"BitBtn3", "Change Grid Font", 336, 544, 137},
    {"Button3", "Change Grid Squares Colour", 480, 544, 145},
    {"Button4", "Change Background Colour", 632, 544, 147},
    {"Label4", "Move Title Up/Down:", 48, 582, 0},
    QPoint(160, 576),
    {"Button8", "Save Image", 192, 576, 137},
    {"Button1", "Change Title", 336, 576, 137},
    {"Button2", "Change Title Font", 480, 576, 145},
    {"Button6", "Change Word List Font", 632, 576, 145},
    {"Label2", "Replace word label:", 48, 610, 0},
    {"clueBox", "", 160, 608, 169},
    {"Label3", "with clue:", 344, 610, 0},
    {"wordTo", "", 400, 608, 225},
    {"Button7", "Replace!", 632, 608, 145},
};

const PrintLayout kLarge = {
    GridSize::Large,
    "printComplex",
    QPoint(104, 20),
    801,
    656,
    true,
    QPoint(32, 8),
    QRect(32, 56, 473, 473),
    QRect(41, 65, 455, 455),
    14,
    528,
    55,
    16,
    "quarrin2",
    {"BitBtn2", "Print", 32, 544, 137},
    {"Button5", "Printer Setup", 176, 544, 145},
    {"BitBtn3", "Change Grid Font", 328, 544, 129},
    {"Button3", "Change Grid Squares Colour", 464, 544, 153},
    {"Button4", "Change Background Colour", 624, 544, 153},
    {"Label5", "Move Title Up/Down:", 32, 582, 0},
    QPoint(144, 576),
    {"Button8", "Save Image", 176, 576, 145},
    {"Button1", "Change Title", 328, 576, 129},
    {"Button2", "Change Title Font", 464, 576, 153},
    {"Button6", "Change Word List Font", 624, 576, 153},
    {"Label2", "Replace word label:", 32, 610, 0},
    {"clueBox", "", 144, 608, 177},
    {"Label3", "with clue:", 344, 610, 0},
    {"wordTo", "", 400, 608, 217},
    {"Button7", "Replace!", 624, 608, 153},
};

} // namespace

const PrintLayout &printLayout(GridSize size)
{
    return size == GridSize::Small ? kSmall : kLarge;
}

} // namespace quarrin
