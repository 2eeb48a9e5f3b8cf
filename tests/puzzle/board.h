#pragma once

// ASCII-art boards for puzzle tests.
//   '.'  blank (empty cell)
//   'A'  word letter (the one-character text "A")
//   'a'  filled cell (the letter A followed by the filler mark)
//   '_'  a single space
// Rows are strings; the board covers the top-left corner of the visible grid.

#include "puzzle/puzzle_model.h"

#include <QStringList>
#include <QTest>

namespace quarrin::test {

inline QString cellFromChar(QChar c)
{
    if (c == QLatin1Char('.'))
        return QString();
    if (c == QLatin1Char('_'))
        return QStringLiteral(" ");
    if (c.isLower())
        return c.toUpper() + kFillerMark;
    return QString(c);
}

inline QChar charFromCell(const QString &cell)
{
    if (cell.isEmpty())
        return QLatin1Char('.');
    if (cell == QLatin1String(" "))
        return QLatin1Char('_');
    if (cell.size() == 1)
        return cell.at(0);
    if (cell.at(0) == QLatin1Char(' '))
        return QLatin1Char('-'); // a loaded blank: space plus mark
    return cell.at(0).toLower();
}

inline void setBoard(PuzzleModel &model, const QStringList &rows)
{
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            model.setCell(c, r, cellFromChar(rows[r].at(c)));
}

// The top-left `cols` x `rows` corner of the grid as art.
inline QStringList board(const PuzzleModel &model, int cols, int rows)
{
    QStringList out;
    for (int r = 0; r < rows; ++r) {
        QString line;
        for (int c = 0; c < cols; ++c)
            line += charFromCell(model.cell(c, r));
        out << line;
    }
    return out;
}

inline QStringList board(const PuzzleModel &model)
{
    return board(model, model.columns(), model.rows());
}

// Everything a load or a command may change, for "nothing changed" checks.
struct PuzzleState
{
    QStringList cells, log, positions, directions;
    bool operator==(const PuzzleState &o) const
    {
        return cells == o.cells && log == o.log && positions == o.positions &&
               directions == o.directions;
    }
};

inline PuzzleState stateOf(const PuzzleModel &model)
{
    PuzzleState s;
    for (int c = 0; c < model.storeColumns(); ++c)
        for (int r = 0; r < model.storeRows(); ++r)
            s.cells << model.cell(c, r);
    s.log = model.log();
    s.positions = model.positions();
    s.directions = model.directionMemo();
    return s;
}

// The text of every visible cell, column by column.
inline QStringList visibleCells(const PuzzleModel &model)
{
    QStringList out;
    for (int c = 0; c < model.columns(); ++c)
        for (int r = 0; r < model.rows(); ++r)
            out << model.cell(c, r);
    return out;
}

// Adds a word at a given position and direction, as the editor's boxes would.
inline void place(PuzzleModel &model, const QString &word, int x, int y, const QString &dir)
{
    AddWordRequest r;
    r.word = word;
    r.x = QString::number(x);
    r.y = QString::number(y);
    r.direction = dir;
    QVERIFY2(model.addWord(r).placed, qPrintable(word));
}

// A clock that always reads the same value, so reseeding is repeatable.
inline RandomGenerator fixedRandom(std::uint64_t ticks = 42)
{
    return RandomGenerator([ticks] { return ticks; });
}

} // namespace quarrin::test
