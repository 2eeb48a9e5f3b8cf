// Clean fill (check/clean_fill.h) with the built-in blocked words:
// - building the matcher from the list (once per list);
// - cleanFill alone on a 30x30 grid: each line of the shared 30x30 word list
//   made into a puzzle (its words at random places, every direction, then the
//   model's random fill), and the fill cleaned again and again from the same
//   drawn letters; median per fill, target < 1 ms; the same for 15x15, and
//   for 50x50 with three 30x30 lines a puzzle;
// - the whole clean random fill through the model (fillRandomClean) against
//   the plain fillRandom, per puzzle;
// - how many of the puzzles the puzzle check finds a blocked word in, with the
//   plain fill and with the clean fill.
//
// Usage: bench_clean_fill [repeats=50]
// The word lists are read from QUARRIN_WORDS, or from the shared folder beside
// the checkout.

#include "check/clean_fill_model.h"
#include "check/puzzle_check.h"
#include "puzzle/fill_letters.h"
#include "word_lines.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace quarrin;

namespace {

struct Drawn
{
    LetterGrid grid;
    std::vector<std::uint8_t> filler;
};

void addWords(PuzzleModel &model, const QStringList &words)
{
    for (const QString &word : words) {
        AddWordRequest add;
        add.word = word.left(model.spec().maxWordLength);
        add.randomPosition = true;
        add.allowed = DirectionSet::all();
        model.addWord(add);
    }
}

// A puzzle of the words, filled by the model, as a plain grid and its filler mask.
Drawn drawnPuzzle(GridSize size, const QStringList &words, RandomGenerator &random)
{
    PuzzleModel model(size, &random);
    addWords(model, words);
    Drawn d{LetterGrid(model.columns(), model.rows()), {}};
    d.filler.resize(d.grid.letters.size());
    for (int row = 0; row < model.rows(); ++row)
        for (int col = 0; col < model.columns(); ++col)
            d.filler[std::size_t(d.grid.index(col, row))] =
                model.cellAt(col, row).takesRandomLetter();
    model.fillRandom();
    for (int row = 0; row < model.rows(); ++row)
        for (int col = 0; col < model.columns(); ++col)
            d.grid.set(col, row, model.cellAt(col, row).letter);
    return d;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

void timeCleanFill(const char *what, const std::vector<Drawn> &puzzles,
                   const BlockedWordMatcher &matcher, int repeats)
{
    const QString &pool = randomFillLetters();
    LcgState random{12345};
    const LetterSource draw = [&] { return pool.at(random.below(int(pool.size()))).unicode(); };
    std::vector<double> us;
    long long redrawn = 0;
    QElapsedTimer timer;
    for (int r = 0; r < repeats; ++r) {
        for (const Drawn &d : puzzles) {
            LetterGrid grid = d.grid;
            timer.start();
            const CleanFillResult result = cleanFill(grid, d.filler, matcher, draw);
            us.push_back(double(timer.nsecsElapsed()) / 1e3);
            redrawn += result.redrawn;
        }
    }
    std::printf("cleanFill %-24s median %6.1f us, 90th percentile %6.1f us, worst %7.1f us "
                "(target < 1000 us); %.2f letters drawn again per fill\n",
                what, percentile(us, 0.5), percentile(us, 0.9), percentile(us, 1.0),
                double(redrawn) / double(us.size()));
}

} // namespace

int main(int argc, char **argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const QList<QStringList> lists30 = bench::readSharedList("words_30x30.txt");
    const QList<QStringList> lists15 = bench::readSharedList("words_15x15.txt");
    if (lists30.isEmpty() || lists15.isEmpty()) {
        std::fprintf(stderr, "word lists not found (set QUARRIN_WORDS)\n");
        return 2;
    }
    const BlockedWords blocked = BlockedWords::builtIn();

    QElapsedTimer timer;
    timer.start();
    const int builds = 200;
    for (int i = 0; i < builds; ++i) {
        const BlockedWordMatcher m(blocked.words());
        if (m.isEmpty())
            return 1;
    }
    std::printf("matcher of %d blocked words: built in %.1f us\n", blocked.size(),
                double(timer.nsecsElapsed()) / 1e3 / builds);
    const BlockedWordMatcher matcher(blocked.words());

    // A clock that steps on at each reading: the same puzzles every run.
    RandomGenerator random([ticks = std::uint64_t(7)]() mutable { return ticks += 7919; });
    std::vector<Drawn> puzzles30, puzzles15, puzzles50;
    for (const QStringList &words : lists30)
        puzzles30.push_back(drawnPuzzle(GridSize::Large, words, random));
    for (const QStringList &words : lists15)
        puzzles15.push_back(drawnPuzzle(GridSize::Small, words, random));
    for (int i = 0; i + 3 <= int(lists30.size()); i += 3)
        puzzles50.push_back(drawnPuzzle(
            GridSize(50, 50), lists30.at(i) + lists30.at(i + 1) + lists30.at(i + 2), random));
    timeCleanFill("30x30 puzzles", puzzles30, matcher, repeats);
    timeCleanFill("15x15 puzzles", puzzles15, matcher, repeats);
    timeCleanFill("50x50 puzzles", puzzles50, matcher, repeats);

    // Through the model: the plain fill and the clean one, per puzzle, and what
    // the puzzle check finds after each.
    const PuzzleCheck check(blocked);
    const auto blockedIn = [&check](const PuzzleModel &model) {
        const CheckReport report = check.run(model);
        return std::any_of(report.problems.begin(), report.problems.end(),
                           [](const Problem &p) { return p.kind == ProblemKind::BlockedWord; });
    };
    for (const auto &[size, lists] :
         {std::pair{GridSize::Large, &lists30}, std::pair{GridSize::Small, &lists15}}) {
        std::vector<double> plainUs, cleanUs;
        int plainBlocked = 0, cleanBlocked = 0, incurable = 0;
        for (const QStringList &words : *lists) {
            for (const bool clean : {false, true}) {
                RandomGenerator r([ticks = std::uint64_t(31)]() mutable { return ticks += 7919; });
                PuzzleModel model(size, &r);
                addWords(model, words);
                timer.start();
                if (clean) {
                    const ModelCleanFill result = fillRandomClean(model, r, matcher);
                    incurable += result.clean.incurable.empty() ? 0 : 1;
                } else {
                    model.fillRandom();
                }
                (clean ? cleanUs : plainUs).push_back(double(timer.nsecsElapsed()) / 1e3);
                (clean ? cleanBlocked : plainBlocked) += blockedIn(model) ? 1 : 0;
            }
        }
        const int n = size == GridSize::Large ? 30 : 15;
        std::printf("%dx%d fill through the model: plain median %.1f us, clean median %.1f us; "
                    "puzzles with a blocked word by the check: plain %d of %d, clean %d "
                    "(%d with one on word letters alone)\n",
                    n, n, percentile(plainUs, 0.5), percentile(cleanUs, 0.5), plainBlocked,
                    int(lists->size()), cleanBlocked, incurable);
    }
    return 0;
}
