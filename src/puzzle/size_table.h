#pragma once

// The size table: everything that tells one grid size from another.
//
// A grid is W columns by H rows, each from 5 to 50, square or not. Two sizes
// are special rows of the table: 15x15 and 30x30, the sizes with a puzzle
// record file of their own (".qrn", ".qrn2"), fixed limits, captions and
// window layouts. Every other size is a general row whose values follow from
// its two sides: the longest word is the longer side, the most words
// W x H / 8 (at least 6, at most 200), and all of them reach the play and
// print windows. No other code branches on the size: it reads the row.

#include <QMetaType>
#include <QString>

#include <optional>

namespace quarrin {

class GridSize
{
public:
    static constexpr int kMinSide = 5;
    static constexpr int kMaxSide = 50;

    constexpr GridSize() = default; // 15x15
    constexpr GridSize(int columns, int rows) : m_columns(columns), m_rows(rows) {}

    // The two sizes with a record file of their own.
    static const GridSize Small; // 15x15, ".qrn"
    static const GridSize Large; // 30x30, ".qrn2"

    constexpr int columns() const { return m_columns; }
    constexpr int rows() const { return m_rows; }
    constexpr bool isSquare() const { return m_columns == m_rows; }
    constexpr bool isValid() const
    {
        return m_columns >= kMinSide && m_columns <= kMaxSide && m_rows >= kMinSide &&
               m_rows <= kMaxSide;
    }
    // One of the two special rows.
    constexpr bool isFixed() const;
    // "20x12": columns first.
    QString text() const;
    // Reads "WxH" (or "W×H", "W X H") or a single side "N" for a square
    // grid; nothing for anything else or a side out of range.
    static std::optional<GridSize> parse(const QString &text);

    constexpr bool operator==(const GridSize &o) const
    {
        return m_columns == o.m_columns && m_rows == o.m_rows;
    }
    constexpr bool operator!=(const GridSize &o) const { return !(*this == o); }
    constexpr bool operator<(const GridSize &o) const
    {
        return m_columns != o.m_columns ? m_columns < o.m_columns : m_rows < o.m_rows;
    }

private:
    int m_columns = 15;
    int m_rows = 15;
};

inline constexpr GridSize GridSize::Small{15, 15};
inline constexpr GridSize GridSize::Large{30, 30};

constexpr bool GridSize::isFixed() const
{
    return *this == Small || *this == Large;
}

struct SizeSpec
{
    GridSize size;
    int columns;       // visible columns
    int rows;          // visible rows
    int storeColumns;  // the cell store: columns + 1 (the last column is a hidden margin)
    int storeRows;     // rows + 1 (the last row is a hidden margin)
    int maxWordLength; // longest word
    int maxWords;      // most words in a puzzle
    int snapshotWords; // words handed to the play and print windows
    int editorCellPixels; // the fixed editors' cell; 0: the editor sizes its cells to fit
    int recordBytes;      // size of one puzzle file record; 0: the size has no record file
    QString fileExtension; // ".qrn" / ".qrn2"; empty without a record file
    QString fileFilter;    // file dialog filter of the record file
    QString editorCaption;
    QString switchCaption; // caption and hint of the size-switch button
    QString positionsHint;
    QString deleteHint;
    QString tooLargeMessage;
    QString coordinateMessage;
    // Random fill: the large grid reseeds from the clock before the fill and
    // again at the start of every column; the others go on from the
    // generator's current state.
    bool reseedRandomFill;
    // The message fill writes a six-space mark ("      .") instead of kFillerMark.
    bool wideMessageMark;
    // The message prompt names the number of free cells.
    bool messagePromptShowsCount;
    // The small editor trims the position lines after every load command,
    // even a cancelled one.
    bool trimPositionsAfterLoad;

    bool hasRecordFile() const { return recordBytes > 0; }
    int storeCells() const { return storeColumns * storeRows; }
};

// The row of a size. Rows live for the whole run; asking twice for one size
// gives the same row. The size must be valid (GridSize::isValid).
const SizeSpec &sizeSpec(GridSize size);

// Filler mark appended to every filled letter: five spaces and a full stop.
inline const QString kFillerMark = QStringLiteral("     .");

} // namespace quarrin

Q_DECLARE_METATYPE(quarrin::GridSize)
