#pragma once

// How a paper page looks: font family and sizes, letter case, word order, an
// optional name line, and the large-print preset. Sizes are in points.

#include <QString>

namespace quarrin {

enum class LetterCase
{
    Upper,
    Lower
};

enum class WordOrder
{
    List,        // as the words were entered
    Alphabetical // words sorted; numbered clues keep their numbers' order
};

// Large print: grid letters of at least 16 pt on grids up to 15 x 15, the word
// list at least 14 pt.
inline constexpr double kLargeGridPoints = 16.0;
inline constexpr double kLargeListPoints = 14.0;
inline constexpr double kLargeTitlePoints = 26.0;
inline constexpr int kLargeGridSideLimit = 15;

struct SheetStyle
{
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double titlePoints = 20.0;
    double gridPoints = 0.0; // 0: the letters are sized to the cell
    double listPoints = 12.0;
    bool nameLine = false; // "Name ____  Date ____" under the title
    LetterCase letterCase = LetterCase::Upper;
    WordOrder order = WordOrder::List;
    bool largePrint = false;

    // The smallest grid letter the style asks for on a grid of this size
    // (0 when it only asks for letters sized to the cell).
    double minimumGridPoints(int columns, int rows) const;
    // The list and title sizes in force (the large-print minimums applied).
    double effectiveListPoints() const;
    double effectiveTitlePoints() const;
};

// The text as the style shows grid letters and words.
QString inCase(const QString &text, LetterCase letterCase);

} // namespace quarrin
