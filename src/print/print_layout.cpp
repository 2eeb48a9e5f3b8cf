#include "print/print_layout.h"

#include <QFontMetrics>

#include <algorithm>
#include <map>

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

// The page of any other size: the 15x15 page's tools; the grid and labels
// stand where pageGeometry puts them.
PrintLayout generalLayout(GridSize size)
{
    PrintLayout l = kSmall;
    l.size = size;
    l.windowName = "printDocument";
    l.gridName = "quarrinDocument";
    const PageGeometry g = pageGeometry(size, QStringList(), QFont());
    l.frameRect = g.frameRect;
    l.gridRect = g.gridRect;
    l.cellPixels = g.cellPixels;
    return l;
}

// The page's free area for the grid and labels of other sizes.
constexpr int kAreaLeft = 48;
constexpr int kAreaTop = 49;
constexpr int kAreaRight = 790 - 16;
// The tools cover the page below 544 on screen: grid and labels stay above.
constexpr int kAreaBottom = 536;
constexpr int kFrameMargin = 8;  // from the frame's edge to the grid's
constexpr int kFrameExtra = 19;  // the frame is the grid plus this
constexpr int kLabelGap = 20;    // between the frame and the labels
constexpr int kLargestCell = 30; // as the 15x15 page

} // namespace

const PrintLayout &printLayout(GridSize size)
{
    if (size == GridSize::Small)
        return kSmall;
    if (size == GridSize::Large)
        return kLarge;
    static std::map<GridSize, PrintLayout> general;
    auto it = general.find(size);
    if (it == general.end())
        it = general.emplace(size, generalLayout(size)).first;
    return it->second;
}

PageGeometry pageGeometry(GridSize size, const QStringList &labels, const QFont &wordFont)
{
    PageGeometry g;
    if (size.isFixed()) {
        const PrintLayout &l = printLayout(size);
        g.frameRect = l.frameRect;
        g.gridRect = l.gridRect;
        g.cellPixels = l.cellPixels;
        for (int k = 0; k < labels.size(); ++k)
            g.labelPositions.push_back(QPoint(l.labelLeft, l.labelTop + l.labelStep * k));
        return g;
    }
    const QFontMetrics metrics(wordFont);
    const int step = metrics.height() + 3;
    int widest = 60;
    int shown = 0;
    for (const QString &label : labels) {
        if (label.isEmpty())
            continue;
        ++shown;
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    const int columnWidth = widest + 16;
    const int longer = std::max(size.columns(), size.rows());
    const int largest =
        std::min(kLargestCell, (kAreaBottom - kAreaTop - kFrameExtra - 3) / longer - 1);
    // The grid control draws a two-pixel edge around its cells.
    const auto gridSizeFor = [&](int cell) {
        return QSize(size.columns() * (cell + 1) + 3, size.rows() * (cell + 1) + 3);
    };
    const auto frameFor = [&](int cell) {
        const QSize grid = gridSizeFor(cell);
        return QRect(kAreaLeft, kAreaTop, grid.width() + kFrameExtra, grid.height() + kFrameExtra);
    };
    // How many labels fit beside a frame, and below it.
    const auto capacity = [&](const QRect &frame) {
        const int besideLeft = frame.right() + 1 + kLabelGap;
        const int besideColumns = std::max(0, (kAreaRight - besideLeft) / columnWidth);
        const int besideRows = (kAreaBottom - (kAreaTop - 2)) / step;
        const int belowTop = frame.bottom() + 1 + 12;
        const int belowRows = std::max(0, (kAreaBottom - belowTop) / step);
        const int belowColumns = (kAreaRight - kAreaLeft) / columnWidth;
        return besideColumns * besideRows + belowColumns * belowRows;
    };
    int cell = std::max(6, largest);
    while (cell > 6 && capacity(frameFor(cell)) < shown)
        --cell;
    g.cellPixels = cell;
    g.frameRect = frameFor(cell);
    g.gridRect = QRect(QPoint(kAreaLeft + kFrameMargin, kAreaTop + kFrameMargin - 1),
                       gridSizeFor(cell));
    // Columns beside the frame first, then below it.
    const int besideLeft = g.frameRect.right() + 1 + kLabelGap;
    const int besideRows = std::max(1, (kAreaBottom - (kAreaTop - 2)) / step);
    const int besideColumns = std::max(0, (kAreaRight - besideLeft) / columnWidth);
    const int belowTop = g.frameRect.bottom() + 1 + 12;
    const int belowRows = std::max(1, (kAreaBottom - belowTop) / step);
    for (int k = 0; k < labels.size(); ++k) {
        if (k < besideColumns * besideRows) {
            g.labelPositions.push_back(QPoint(besideLeft + (k / besideRows) * columnWidth,
                                              kAreaTop - 2 + (k % besideRows) * step));
        } else {
            const int j = k - besideColumns * besideRows;
            g.labelPositions.push_back(
                QPoint(kAreaLeft + (j / belowRows) * columnWidth, belowTop + (j % belowRows) * step));
        }
    }
    return g;
}

QFont fittedGridFont(const QFont &chosen, GridSize size, int cellPixels)
{
    if (size.isFixed())
        return chosen;
    QFont font = chosen;
    const int pixels = chosen.pixelSize() > 0 ? chosen.pixelSize()
                                              : int(chosen.pointSizeF() * 96.0 / 72.0 + 0.5);
    font.setPixelSize(std::clamp(cellPixels * 75 / 100, 5, std::max(5, pixels)));
    return font;
}

} // namespace quarrin
