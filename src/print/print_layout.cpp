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
    {"BitBtn2", "Print", 46, 544, 139},                       // printButton
    {"Button5", "Printer Setup", 192, 544, 137},              // setupButton
    {"BitBtn3", "Change Grid Font", 336, 544, 137},           // gridFont
    {"Button3", "Change Grid Squares Colour", 480, 544, 145}, // gridColour
    {"Button4", "Change Background Colour", 632, 544, 147},   // pageColour
    {"Label4", "Move Title Up/Down:", 48, 582, 0},            // positionLabel
    QPoint(160, 576),
    {"Button8", "Save Image", 192, 576, 137},            // saveButton
    {"Button1", "Change Title", 336, 576, 137},          // titleButton
    {"Button2", "Change Title Font", 480, 576, 145},     // titleFont
    {"Button6", "Change Word List Font", 632, 576, 145}, // wordFont
    {"Label2", "Replace word label:", 48, 610, 0},       // clueLabel
    {"clueBox", "", 160, 608, 169},                      // clueBox
    {"Label3", "with clue:", 344, 610, 0},               // withLabel
    {"wordTo", "", 400, 608, 225},                       // clueText
    {"Button7", "Replace!", 632, 608, 145},              // replaceButton
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
    {"BitBtn2", "Print", 32, 544, 137},                       // printButton
    {"Button5", "Printer Setup", 176, 544, 145},              // setupButton
    {"BitBtn3", "Change Grid Font", 328, 544, 129},           // gridFont
    {"Button3", "Change Grid Squares Colour", 464, 544, 153}, // gridColour
    {"Button4", "Change Background Colour", 624, 544, 153},   // pageColour
    {"Label5", "Move Title Up/Down:", 32, 582, 0},            // positionLabel
    QPoint(144, 576),
    {"Button8", "Save Image", 176, 576, 145},            // saveButton
    {"Button1", "Change Title", 328, 576, 129},          // titleButton
    {"Button2", "Change Title Font", 464, 576, 153},     // titleFont
    {"Button6", "Change Word List Font", 624, 576, 153}, // wordFont
    {"Label2", "Replace word label:", 32, 610, 0},       // clueLabel
    {"clueBox", "", 144, 608, 177},                      // clueBox
    {"Label3", "with clue:", 344, 610, 0},               // withLabel
    {"wordTo", "", 400, 608, 217},                       // clueText
    {"Button7", "Replace!", 624, 608, 153},              // replaceButton
};

} // namespace

const PrintLayout &printLayout(GridSize size)
{
    return size == GridSize::Small ? kSmall : kLarge;
}

} // namespace quarrin
