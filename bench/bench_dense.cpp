// Placement on grids of any size (puzzle/dense_placement.h):
// - the chemical elements: the 118 names (923 letters, bench/data/elements.txt)
//   packed by placeDense with all eight directions, into 40x40 (time per
//   packing, target < 1 s with all 118 placed) and into 32x32 (how many are
//   placed, the figure to raise; and the time it takes), over several seeds;
//   and the smallest square that takes all 118, per seed;
// - puzzles per second at 10x10, 15x15, 20x20, 30x30 and 50x50 from the shared
//   word lists, two ways: random placement with the full search behind it
//   (findPlace: 1500 draws, then every place) word by word, and placeDense;
//   each with the share of words placed. The lists are made for 15x15 and
//   30x30, so the other sizes take parts or runs of lines: 10x10 the first 8
//   words of a 15x15 line, 20x20 two 15x15 lines, 50x50 three 30x30 lines
//   (about 60, 56 and 50 % of the cells in letters).
//
// Usage: bench_dense [secs=1] [seeds=5]
// The word lists are read from QUARRIN_WORDS, or from the shared folder beside
// the checkout.

#include "puzzle/dense_placement.h"
#include "word_lines.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace quarrin;

namespace {

QStringList elements()
{
    QStringList names;
    for (const QStringList &line : bench::readWordLines(QStringLiteral(QUARRIN_ELEMENTS)))
        names << line;
    return names;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Packing
{
    int placed;
    double ms;
    long long looked;
};

Packing packElements(const QStringList &names, int side, std::uint32_t seed)
{
    LetterGrid grid(side, side);
    LcgState random{seed};
    QElapsedTimer timer;
    timer.start();
    const DenseResult r = placeDense(grid, names, DirectionSet::all(), random);
    return {r.placed, double(timer.nsecsElapsed()) / 1e6, r.looked};
}

void reportElements(const QStringList &names, int side, int seeds)
{
    std::vector<double> ms;
    std::printf("elements %dx%d, placed per seed:", side, side);
    for (int s = 1; s <= seeds; ++s) {
        const Packing p = packElements(names, side, std::uint32_t(s) * 7919u);
        ms.push_back(p.ms);
        std::printf(" %d", p.placed);
    }
    std::printf(" of %d; median %.1f ms, worst %.1f ms\n", int(names.size()), median(ms),
                *std::max_element(ms.begin(), ms.end()));
}

// The smallest square that takes all the names, per seed (sides that do not
// take them all use the whole default budget).
void smallestSquare(const QStringList &names, int seeds)
{
    std::printf("elements, smallest square taking all %d, per seed:", int(names.size()));
    for (int s = 1; s <= seeds; ++s) {
        int side = 32;
        while (side > 5 &&
               packElements(names, side - 1, std::uint32_t(s) * 7919u).placed == names.size())
            --side;
        std::printf(" %dx%d", side, side);
        std::fflush(stdout);
    }
    std::printf("\n");
}

struct SizeCase
{
    int side;
    const char *list;
    int linesJoined;
    int wordsPerPuzzle; // 0: every word of the joined lines
};

std::vector<QStringList> puzzlesFor(const SizeCase &c)
{
    const QList<QStringList> lines = bench::readSharedList(c.list);
    std::vector<QStringList> puzzles;
    for (int i = 0; i + c.linesJoined <= lines.size(); i += c.linesJoined) {
        QStringList words;
        for (int k = 0; k < c.linesJoined; ++k)
            words << lines.at(i + k);
        if (c.wordsPerPuzzle > 0)
            words = words.mid(0, c.wordsPerPuzzle);
        puzzles.push_back(words);
    }
    return puzzles;
}

template <typename Make> void rate(const char *what, int side, double secs, Make make)
{
    // A short warm-up, then as many puzzles as the time allows.
    QElapsedTimer timer;
    timer.start();
    std::size_t next = 0;
    long long placed = 0, requested = 0, count = 0;
    while (timer.nsecsElapsed() < qint64(0.2e9))
        make(next++, placed, requested);
    placed = requested = 0;
    timer.restart();
    while (timer.nsecsElapsed() < qint64(secs * 1e9)) {
        make(next++, placed, requested);
        ++count;
    }
    const double elapsed = double(timer.nsecsElapsed()) / 1e9;
    std::printf("%-28s %2dx%-2d %9.0f puzzles/s  placed %6.2f %%\n", what, side, side,
                double(count) / elapsed, 100.0 * double(placed) / double(requested));
}

} // namespace

int main(int argc, char **argv)
{
    const double secs = argc > 1 ? std::atof(argv[1]) : 1.0;
    const int seeds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    const QStringList names = elements();
    if (names.size() != 118) {
        std::fprintf(stderr, "the element list was not found\n");
        return 2;
    }
    reportElements(names, 40, seeds);
    reportElements(names, 32, seeds);
    smallestSquare(names, seeds);

    const SizeCase cases[] = {{10, "words_15x15.txt", 1, 8},
                              {15, "words_15x15.txt", 1, 0},
                              {20, "words_15x15.txt", 2, 0},
                              {30, "words_30x30.txt", 1, 0},
                              {50, "words_30x30.txt", 3, 0}};
    for (const SizeCase &c : cases) {
        const std::vector<QStringList> puzzles = puzzlesFor(c);
        if (puzzles.empty()) {
            std::fprintf(stderr, "word list %s not found (set QUARRIN_WORDS)\n", c.list);
            return 2;
        }
        LcgState random{0x2A2A2A2Au};
        rate("random + findAnyPlace", c.side, secs,
             [&](std::size_t i, long long &placed, long long &requested) {
                 const QStringList &words = puzzles[i % puzzles.size()];
                 LetterGrid grid(c.side, c.side);
                 for (const QString &w : words) {
                     if (const auto place = findPlace(grid, w, DirectionSet::all(), random)) {
                         writeWord(grid, w, *place);
                         ++placed;
                     }
                 }
                 requested += words.size();
             });
        rate("placeDense", c.side, secs,
             [&](std::size_t i, long long &placed, long long &requested) {
                 const QStringList &words = puzzles[i % puzzles.size()];
                 LetterGrid grid(c.side, c.side);
                 placed += placeDense(grid, words, DirectionSet::all(), random).placed;
                 requested += words.size();
             });
    }
    return 0;
}
