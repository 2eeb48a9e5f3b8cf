#pragma once

// A made-up puzzle for the print window tests and the screenshot tool:
// words laid across and down into a store of the right size, the other
// cells filled with letters from a fixed sequence.

#include "puzzle/puzzle_snapshot.h"
#include "puzzle/size_table.h"

#include <QStringList>

namespace quarrin::testing {

struct PlacedWord
{
    QString word;
    int col;
    int row;
    bool down;
};

inline PuzzleSnapshot makeSnapshot(GridSize size, const QList<PlacedWord> &words,
                                   bool fillBlanks = true)
{
    const SizeSpec &spec = sizeSpec(size);
    const int side = spec.storeColumns;
    QString letters(side * side, QLatin1Char(' '));
    unsigned state = 7;
    for (int i = 0; i < spec.columns; ++i) {
        for (int j = 0; j < spec.rows; ++j) {
            if (fillBlanks) {
                state = state * 134775813u + 1u;
                letters[i * side + j] = QChar(QLatin1Char('A' + char((state >> 16) % 26)));
            }
        }
    }
    PuzzleSnapshot snapshot;
    for (const PlacedWord &w : words) {
        for (int k = 0; k < w.word.size(); ++k) {
            const int col = w.col + (w.down ? 0 : k);
            const int row = w.row + (w.down ? k : 0);
            letters[col * side + row] = w.word.at(k);
        }
        snapshot.words.append(w.word);
    }
    snapshot.letters = letters;
    while (snapshot.words.size() > spec.snapshotWords)
        snapshot.words.removeLast();
    while (snapshot.words.size() < spec.snapshotWords)
        snapshot.words.append(QString());
    return snapshot;
}

// Words for a full page of either size.
inline QList<PlacedWord> sampleWords(GridSize size, int count)
{
    static const char *const names[] = {"CAT",  "DOG",   "HORSE",  "SHEEP",   "GOAT",   "PIG",
                                        "DUCK", "GOOSE", "RABBIT", "DONKEY",  "TURKEY", "HEN",
                                        "COW",  "LLAMA", "MOUSE",  "FERRET",  "PONY",   "OX",
                                        "BULL", "CALF",  "LAMB",   "FOAL",    "KID",    "CHICK",
                                        "RAM",  "EWE",   "MARE",   "STALLION"};
    // one word per row, starting in a column of its own so the rows look different
    const SizeSpec &spec = sizeSpec(size);
    QList<PlacedWord> words;
    for (int i = 0; i < count && i < 28 && i < spec.columns; ++i) {
        const QString word = QLatin1String(names[i]);
        const int col = (i * 7) % (spec.columns - int(word.size()) + 1);
        words.append(PlacedWord{word, col, i, false});
    }
    return words;
}

} // namespace quarrin::testing
