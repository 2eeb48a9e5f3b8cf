#pragma once

// Puzzles for the web page tests, the benchmarks and the screenshots: seeded
// runs of the real puzzle model (the words go in by the editor's random Add
// Word, then the random fill), and a small rectangular puzzle in other
// alphabets built directly as a WebPuzzle.

#include "generate/puzzle_batch.h"
#include "puzzle/puzzle_snapshot.h"
#include "web/web_page.h"

#include <QStringList>

#include <vector>

namespace quarrin::testing {

// Fifteen words for the 15x15 grid, up to its longest (14 letters).
inline QStringList words15()
{
    return {QStringLiteral("HORSE"),  QStringLiteral("SHEEP"),        QStringLiteral("GOAT"),
            QStringLiteral("DONKEY"), QStringLiteral("FARMHOUSEDOG"), QStringLiteral("CHICKEN"),
            QStringLiteral("TURKEY"), QStringLiteral("RABBIT"),       QStringLiteral("PIGLET"),
            QStringLiteral("LEVEL"),  QStringLiteral("BARN"),         QStringLiteral("TRACTOR"),
            QStringLiteral("MEADOW"), QStringLiteral("HAYSTACK"),     QStringLiteral("DUCKLING")};
}

// Twenty-eight words for the 30x30 grid, up to its longest (22 letters).
inline QStringList words30()
{
    return {QStringLiteral("ALBATROSS"),     QStringLiteral("BLACKBIRD"),
            QStringLiteral("CORMORANT"),     QStringLiteral("DOVE"),
            QStringLiteral("EAGLE"),         QStringLiteral("FLAMINGO"),
            QStringLiteral("GOLDFINCH"),     QStringLiteral("HERON"),
            QStringLiteral("IBIS"),          QStringLiteral("JACKDAW"),
            QStringLiteral("KINGFISHER"),    QStringLiteral("LAPWING"),
            QStringLiteral("MAGPIE"),        QStringLiteral("NIGHTINGALE"),
            QStringLiteral("OSPREY"),        QStringLiteral("PELICAN"),
            QStringLiteral("QUAIL"),         QStringLiteral("ROBIN"),
            QStringLiteral("SPARROW"),       QStringLiteral("TOUCAN"),
            QStringLiteral("VULTURE"),       QStringLiteral("WOODPECKER"),
            QStringLiteral("WREN"),          QStringLiteral("YELLOWHAMMER"),
            QStringLiteral("PUFFIN"),        QStringLiteral("NUTHATCH"),
            QStringLiteral("OYSTERCATCHER"), QStringLiteral("LESSERSPOTTEDWOODPECKR")};
}

// A seeded puzzle of the given words, every word placed, randomly filled.
// Returns an empty snapshot when a word found no place.
inline PuzzleSnapshot seededSnapshot(GridSize size, const QStringList &words, std::uint32_t seed)
{
    generate::BatchOptions options;
    options.size = size;
    options.seed = seed;
    generate::PuzzleBatch batch(options);
    generate::PuzzleWords input;
    for (const QString &w : words)
        input.push_back({w, 1});
    PuzzleModel model(size, &batch.random());
    std::vector<generate::Warning> warnings;
    batch.make(input, model, 1, warnings);
    PuzzleSnapshot snapshot;
    for (const generate::Warning &w : warnings)
        qWarning("seeded puzzle %u: %s", seed, qPrintable(w.text()));
    if (!warnings.empty())
        return snapshot;
    takeSnapshot(model, snapshot);
    return snapshot;
}

// Seven columns and twelve rows of Greek, Cyrillic and Turkish letters (with
// Latin A, N, C and Y among them), a word across, down, backwards and along a
// diagonal, and clues for two of them.
inline WebPuzzle rectangularPuzzle()
{
    WebPuzzle p;
    p.title = QStringLiteral("Ελληνικά & Кириллица <7×12>");
    p.columns = 7;
    p.rows = 12;
    const char16_t *rows[12] = {
        u"ΑΛΦΑΩΨΧ", // ΑΛΦΑ from (1, 1) right
        u"ДΒΓΔΕΖΗ", // ДОМ from (1, 2) down
        u"ОΘΙΚΛΜΝ", //
        u"МİNCİΞΟ", // İNCİ from (2, 4) right
        u"ΠΡΣΤΥΦΧ", //
        u"ЙАЧΨΩΑΒ", // ЧАЙ from (3, 6) left
        u"ΓΔΕΖΗΘΙ", //
        u"ÇΚΛΜΝΞΟ", // ÇAY from (1, 8) down-right
        u"ΠAΡΣΤΥΦ", //
        u"ΧΨYΩΑΒΓ", //
        u"ΔΕΖΗΘΙΚ", //
        u"ΛΜΝΞΟΠΡ", //
    };
    for (const char16_t *row : rows) {
        const QString text = QString::fromUtf16(row);
        for (const QChar c : text)
            p.cells << QString(c);
    }
    const auto entry = [](const char16_t *word, const char16_t *clue, int x, int y, int dx,
                          int dy) {
        WebPuzzle::Entry e;
        e.word = QString::fromUtf16(word);
        e.clue = QString::fromUtf16(clue);
        e.x = x;
        e.y = y;
        e.dx = dx;
        e.dy = dy;
        e.length = int(e.word.size());
        e.drawn = true;
        return e;
    };
    p.words = {
        entry(u"ΑΛΦΑ", u"", 1, 1, 1, 0), entry(u"ДОМ", u"Дом <house> & home", 1, 2, 0, 1),
        entry(u"ЧАЙ", u"", 3, 6, -1, 0), entry(u"ÇAY", u"Türkçe: tea", 1, 8, 1, 1),
        entry(u"İNCİ", u"", 2, 4, 1, 0),
    };
    return p;
}

} // namespace quarrin::testing
