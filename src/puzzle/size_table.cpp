#include "puzzle/size_table.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace quarrin {

namespace {

SizeSpec smallRow()
{
    return {
        GridSize::Small,
        15,
        15,
        16,
        16,
        14,
        18,
        15,
        30,
        1410,
        QStringLiteral(".qrn"),
        QStringLiteral("Quarrin 15x15 (.qrn) (*.qrn)"),
        QStringLiteral("Word Quarrin Generator 15x15 Grid"),
        QStringLiteral("Change to 30x30 Grid"),
        QStringLiteral("Positions of words"),
        QStringLiteral("Delete word"),
        QStringLiteral("Word is too large. 14 Characters maximum"),
        QStringLiteral("Invalid X, Y Values. Coordinates must be between 1 and 15 only"),
        false,
        false,
        true,
        true,
    };
}

SizeSpec largeRow()
{
    return {
        GridSize::Large,
        30,
        30,
        31,
        31,
        22,
        28,
        28,
        14,
        2214,
        QStringLiteral(".qrn2"),
        QStringLiteral("Quarrin 30x30 (.qrn2) (*.qrn2)"),
        QStringLiteral("Word Quarrin Generator 30x30 Grid"),
        QStringLiteral("Change to 15x15 Grid"),
        QStringLiteral("Positions of Words"),
        QStringLiteral("Delete Word"),
        QStringLiteral("Word is too large. 22 Characters maximum"),
        QStringLiteral("Invalid X, Y Values. Coordinates must be between 1 and 30 only"),
        true,
        true,
        false,
        false,
    };
}

// Any other size: the limits follow from the sides, every word reaches the
// play and print windows, and puzzles of it are saved as documents.
SizeSpec generalRow(GridSize size)
{
    const int w = size.columns();
    const int h = size.rows();
    const int longest = std::max(w, h);
    const int most = std::clamp(w * h / 8, 6, 200);
    const QString coordinates =
        size.isSquare()
            ? QStringLiteral("Invalid X, Y Values. Coordinates must be between 1 and %1 only")
                  .arg(w)
            : QStringLiteral("Invalid X, Y Values. X must be between 1 and %1 and Y between 1 "
                             "and %2")
                  .arg(w)
                  .arg(h);
    return {
        size,
        w,
        h,
        w + 1,
        h + 1,
        longest,
        most,
        most,
        0,
        0,
        QString(),
        QString(),
        QStringLiteral("Word Quarrin Generator %1 Grid").arg(size.text()),
        QStringLiteral("New Puzzle..."),
        QStringLiteral("Positions of Words"),
        QStringLiteral("Delete Word"),
        QStringLiteral("Word is too large. %1 Characters maximum").arg(longest),
        coordinates,
        false,
        false,
        true,
        false,
    };
}

} // namespace

QString GridSize::text() const
{
    return QStringLiteral("%1x%2").arg(m_columns).arg(m_rows);
}

std::optional<GridSize> GridSize::parse(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,3})\\s*(?:[xX\\x{00D7}]\\s*(\\d{1,3}))?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int columns = m.captured(1).toInt();
    const int rows = m.captured(2).isEmpty() ? columns : m.captured(2).toInt();
    const GridSize size(columns, rows);
    if (!size.isValid())
        return std::nullopt;
    return size;
}

const SizeSpec &sizeSpec(GridSize size)
{
    static const SizeSpec small = smallRow();
    static const SizeSpec large = largeRow();
    if (size == GridSize::Small)
        return small;
    if (size == GridSize::Large)
        return large;
    Q_ASSERT(size.isValid());
    // General rows are made on first use and kept, so a reference stays good.
    static std::mutex lock;
    static std::map<GridSize, std::unique_ptr<const SizeSpec>> rows;
    const std::lock_guard<std::mutex> guard(lock);
    auto &row = rows[size];
    if (!row)
        row = std::make_unique<const SizeSpec>(generalRow(size));
    return *row;
}

} // namespace quarrin
