// Benchmarks of the puzzle check (Google Benchmark):
// - the check of a full 30x30 puzzle (28 words from the shared word lists,
//   random placement in every direction, random fill) against 200 blocked
//   words: the built-in list topped up with made-up words; once with the
//   check prepared (as Refill and the check window use it) and once built
//   from nothing each time;
// - a typical Refill to clean, 15x15 (15 words) and 30x30 (28 words), with
//   the built-in blocked words; reports the mean number of tries.
// Target: the check under 1 ms, a typical Refill under 50 ms.

#include "check/puzzle_check.h"

#include <QFile>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace quarrin;

namespace {

QString wordsDir()
{
    const char *env = std::getenv("QUARRIN_WORDS");
    return env ? QString::fromLocal8Bit(env) : QStringLiteral(QUARRIN_BENCH_WORDS);
}

QStringList firstPuzzleWords(const char *listName, int line)
{
    QFile file(wordsDir() + QLatin1Char('/') + QLatin1String(listName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    QString text;
    for (int i = 0; i <= line && !in.atEnd(); ++i)
        text = in.readLine();
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

BlockedWords twoHundredBlockedWords()
{
    BlockedWords words = BlockedWords::builtIn();
    LcgState random{12345};
    while (words.size() < 200) {
        QString w;
        const int length = 4 + random.below(4);
        for (int i = 0; i < length; ++i)
            w += QChar(u'A' + random.below(26));
        words.add(w);
    }
    return words;
}

// A puzzle of the given words, placed at random in every direction, filled.
bool makePuzzle(PuzzleModel &model, const QStringList &words)
{
    for (const QString &word : words) {
        AddWordRequest add;
        add.word = word.left(model.spec().maxWordLength);
        add.randomPosition = true;
        add.allowed = DirectionSet::all();
        model.addWord(add);
    }
    model.fillRandom();
    return model.wordCount() > 0;
}

void BM_Check30Prepared(benchmark::State &state)
{
    RandomGenerator random([] { return std::uint64_t(RandomGenerator::highResolutionTicks()); });
    PuzzleModel model(GridSize::Large, &random);
    if (!makePuzzle(model, firstPuzzleWords("words_30x30.txt", 0))) {
        state.SkipWithError("word list not found (set QUARRIN_WORDS)");
        return;
    }
    const PuzzleCheck check(twoHundredBlockedWords());
    std::size_t problems = 0;
    for (auto _ : state) {
        const CheckReport report = check.run(model);
        problems = report.problems.size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["words"] = model.wordCount();
    state.counters["blocked"] = check.blocked().size();
    state.counters["problems"] = double(problems);
}
BENCHMARK(BM_Check30Prepared)->Unit(benchmark::kMicrosecond);

void BM_Check30FromNothing(benchmark::State &state)
{
    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    if (!makePuzzle(model, firstPuzzleWords("words_30x30.txt", 0))) {
        state.SkipWithError("word list not found (set QUARRIN_WORDS)");
        return;
    }
    const BlockedWords blocked = twoHundredBlockedWords();
    for (auto _ : state) {
        const PuzzleCheck check(blocked);
        benchmark::DoNotOptimize(check.run(model).problems.size());
    }
}
BENCHMARK(BM_Check30FromNothing)->Unit(benchmark::kMicrosecond);

void refillToClean(benchmark::State &state, GridSize size, const char *listName)
{
    RandomGenerator random;
    random.setSeed(7);
    const PuzzleCheck check(BlockedWords::builtIn());
    long tries = 0;
    long refills = 0;
    long failures = 0;
    int line = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PuzzleModel model(size, &random);
        const bool made = makePuzzle(model, firstPuzzleWords(listName, line++ % 50));
        state.ResumeTiming();
        if (!made) {
            state.SkipWithError("word list not found (set QUARRIN_WORDS)");
            return;
        }
        const RefillResult result = refill(model, check);
        tries += result.tries;
        ++refills;
        failures += result.refilled ? 0 : 1;
    }
    state.counters["tries"] = double(tries) / double(refills);
    state.counters["failed"] = double(failures);
}

void BM_Refill15(benchmark::State &state)
{
    refillToClean(state, GridSize::Small, "words_15x15.txt");
}
BENCHMARK(BM_Refill15)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_Refill30(benchmark::State &state)
{
    refillToClean(state, GridSize::Large, "words_30x30.txt");
}
BENCHMARK(BM_Refill30)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

BENCHMARK_MAIN();
