#include "sheet/sheet_style.h"

#include <algorithm>

namespace quarrin {

double SheetStyle::minimumGridPoints(int columns, int rows) const
{
    double minimum = gridPoints;
    if (largePrint && columns <= kLargeGridSideLimit && rows <= kLargeGridSideLimit)
        minimum = std::max(minimum, kLargeGridPoints);
    return minimum;
}

double SheetStyle::effectiveListPoints() const
{
    return largePrint ? std::max(listPoints, kLargeListPoints) : listPoints;
}

double SheetStyle::effectiveTitlePoints() const
{
    return largePrint ? std::max(titlePoints, kLargeTitlePoints) : titlePoints;
}

QString inCase(const QString &text, LetterCase letterCase)
{
    const QString changed = letterCase == LetterCase::Lower ? text.toLower() : text.toUpper();
    // A letter whose other case is two letters (\u00DF to "SS") would no
    // longer fill one cell, nor match the grid: it stays as it is.
    return changed.size() == text.size() ? changed : text;
}

} // namespace quarrin
