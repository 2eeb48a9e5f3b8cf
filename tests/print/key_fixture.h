#pragma once

// Puzzles for the answer key tests, the worksheet benchmark and the
// screenshot tool, made through the puzzle model as the editor makes them:
// words added at given cells and directions, then every blank cell given a
// filled letter from a fixed sequence (no clock, no luck).

#include "puzzle/puzzle_model.h"
#include "puzzle/puzzle_snapshot.h"

#include <QString>

namespace quarrin::testing {

struct KeyWord
{
    const char *word;
    int x; // 1-based, as typed into the editor
    int y;
    const char *direction;
};

// Adds the words (each must fit), fills the blanks with filled letters when
// asked, and takes the snapshot the print window gets.
inline PuzzleSnapshot keySnapshot(GridSize size, std::initializer_list<KeyWord> words,
                                  bool fill = true)
{
    RandomGenerator random;
    PuzzleModel model(size, &random);
    for (const KeyWord &w : words) {
        AddWordRequest r;
        r.word = QLatin1String(w.word);
        r.x = QString::number(w.x);
        r.y = QString::number(w.y);
        r.direction = QLatin1String(w.direction);
        r.randomPosition = false;
        const CommandOutcome out = model.addWord(r);
        if (!out.placed)
            qFatal("key fixture: %s does not fit", w.word);
    }
    if (fill) {
        unsigned state = 11;
        for (int col = 0; col < model.columns(); ++col) {
            for (int row = 0; row < model.rows(); ++row) {
                if (model.cellAt(col, row).kind != Cell::Empty)
                    continue;
                state = state * 134775813u + 1u;
                model.setCell(col, row,
                              QString(QChar('A' + int((state >> 16) % 26))) + kFillerMark);
            }
        }
    }
    PuzzleSnapshot snapshot;
    takeSnapshot(model, snapshot);
    return snapshot;
}

// One word in each of the eight directions, two of them crossing.
inline PuzzleSnapshot eightWaySnapshot(GridSize size, bool fill = true)
{
    if (size == GridSize::Small)
        return keySnapshot(size,
                           {{"HORSE", 1, 1, "Right"},
                            {"SHEEP", 2, 3, "Down"},
                            {"GOAT", 15, 4, "Left"},
                            {"DUCK", 14, 14, "Up"},
                            {"CALF", 4, 12, "Up-Right"},
                            {"LAMB", 12, 15, "Up-Left"},
                            {"MULE", 8, 5, "Down-Right"},
                            {"PONY", 14, 6, "Down-Left"},
                            {"HEN", 2, 4, "Right"}},
                           fill);
    return keySnapshot(size,
                       {{"STALLION", 1, 1, "Right"},
                        {"CHICKEN", 3, 4, "Down"},
                        {"DONKEY", 30, 7, "Left"},
                        {"TURKEY", 28, 29, "Up"},
                        {"RABBIT", 6, 25, "Up-Right"},
                        {"FERRET", 25, 30, "Up-Left"},
                        {"LLAMA", 12, 9, "Down-Right"},
                        {"GOOSE", 27, 12, "Down-Left"},
                        {"COW", 3, 4, "Right"}},
                       fill);
}

} // namespace quarrin::testing
