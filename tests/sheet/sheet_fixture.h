#pragma once

// Puzzles for the sheet tests, the benchmarks and the screenshot tool, built
// straight as SheetPuzzles of any columns x rows: words written at given
// cells and directions, the other cells filled from a fixed sequence of
// letters (no clock, no luck).

#include "sheet/sheet_puzzle.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace quarrin::testing {

struct SheetWord
{
    QString word;
    int col; // 0-based
    int row;
    Direction direction;
    QString clue = QString();
};

// A grid of `columns` x `rows` with the words written in (each must fit),
// every other cell a filler letter drawn from `alphabet`.
inline SheetPuzzle sheetPuzzle(const QString &title, int columns, int rows,
                               std::initializer_list<SheetWord> words,
                               const QString &alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"))
{
    SheetPuzzle p;
    p.title = title;
    p.columns = columns;
    p.rows = rows;
    for (int i = 0; i < columns * rows; ++i)
        p.letters << QString();
    p.filler.assign(std::size_t(columns * rows), true);
    for (const SheetWord &w : words) {
        const QVector<uint> letters = w.word.toUcs4();
        WordPath path{w.col, w.row, w.direction, int(letters.size())};
        for (int k = 0; k < path.length; ++k) {
            const CellPos c = path.cell(k);
            if (c.col < 0 || c.row < 0 || c.col >= columns || c.row >= rows)
                qFatal("sheet fixture: %s leaves the grid", qPrintable(w.word));
            const int index = c.row * columns + c.col;
            p.letters[index] = QString::fromUcs4(reinterpret_cast<const char32_t *>(&letters[k]), 1);
            p.filler[std::size_t(index)] = false;
        }
        p.words << w.word;
        p.clues << w.clue;
        p.paths.push_back(path);
    }
    const QVector<uint> pool = alphabet.toUcs4();
    unsigned state = 7;
    for (int i = 0; i < columns * rows; ++i) {
        if (!p.letters[i].isEmpty())
            continue;
        state = state * 134775813u + 1u;
        const uint c = pool[int((state >> 16) % unsigned(pool.size()))];
        p.letters[i] = QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
    }
    return p;
}

// A 15 x 15 farm puzzle, one word in each of the eight directions.
inline SheetPuzzle farmPuzzle(const QString &title = QStringLiteral("Farm animals"))
{
    return sheetPuzzle(title, 15, 15,
                       {{"HORSE", 0, 0, Direction::Right},
                        {"SHEEP", 1, 2, Direction::Down},
                        {"GOAT", 14, 3, Direction::Left},
                        {"DUCK", 13, 13, Direction::Up},
                        {"CALF", 3, 11, Direction::UpRight},
                        {"LAMB", 11, 14, Direction::UpLeft},
                        {"MULE", 7, 4, Direction::DownRight},
                        {"PONY", 13, 5, Direction::DownLeft},
                        {"HEN", 1, 3, Direction::Right},
                        {"ROOSTER", 6, 12, Direction::Right},
                        {"TURKEY", 14, 7, Direction::Down},
                        {"DONKEY", 2, 14, Direction::Right}});
}

// The clues of the farm puzzle, one of them long enough to wrap on any page.
inline SheetPuzzle farmPuzzleWithClues()
{
    SheetPuzzle p = farmPuzzle(QStringLiteral("Who lives on the farm?"));
    p.clues = QStringList{
        "It neighs and pulls the cart",
        "Woolly, and counted by those who cannot sleep",
        "Bearded, and eats nearly anything",
        "Quacks on the pond",
        "A young cow",
        "A young sheep",
        "Half horse, half donkey, and famously stubborn about the whole arrangement",
        "A small horse",
        "Lays the eggs",
        "Wakes everybody up at dawn",
        "Travels towards the centre of the Earth's dinner table each November",
        "Says hee-haw"};
    return p;
}

} // namespace quarrin::testing
