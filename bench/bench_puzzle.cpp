// Benchmarks of the puzzle core (Google Benchmark):
// - puzzle generation on the shared word lists: each line is one puzzle, its
//   words added one by one with random placement and every direction allowed,
//   then the random fill; reports puzzles per second and the share of words placed;
// - a random "Add Word" of a 22-letter word on a full 30x30 grid, where all
//   1500 attempts fail;
// - encoding and decoding a 30x30 puzzle file record.
// The word lists are read from QUARRIN_WORDS, or from the shared folder beside the checkout.

#include "files/puzzle_file.h"
#include "puzzle/puzzle_model.h"

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

QList<QStringList> readPuzzles(const QString &name)
{
    QList<QStringList> puzzles;
    QFile file(wordsDir() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return puzzles;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList words = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty())
            puzzles << words;
    }
    return puzzles;
}

AddWordRequest randomRequest(const QString &word)
{
    AddWordRequest add;
    add.word = word;
    add.randomPosition = true;
    add.allowed = DirectionSet::all();
    return add;
}

void generate(benchmark::State &state, GridSize size, const char *listName)
{
    const QList<QStringList> puzzles = readPuzzles(QString::fromLatin1(listName));
    if (puzzles.isEmpty()) {
        state.SkipWithError("word list not found (set QUARRIN_WORDS)");
        return;
    }
    // The requests are made once; a user's typing is not what is measured.
    QList<QList<AddWordRequest>> requests;
    for (const QStringList &words : puzzles) {
        QList<AddWordRequest> list;
        for (const QString &w : words)
            list << randomRequest(w);
        requests << list;
    }
    RandomGenerator random;
    std::int64_t words = 0, placed = 0;
    qsizetype next = 0;
    for (auto _ : state) {
        PuzzleModel model(size, &random);
        for (const AddWordRequest &add : requests[next]) {
            ++words;
            placed += model.addWord(add).placed ? 1 : 0;
        }
        model.fillRandom();
        benchmark::DoNotOptimize(model.revision());
        next = (next + 1) % requests.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["puzzles/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["placed%"] = words ? 100.0 * double(placed) / double(words) : 0.0;
}

void BM_Generate15(benchmark::State &state)
{
    generate(state, GridSize::Small, "words_15x15.txt");
}
BENCHMARK(BM_Generate15);

void BM_Generate30(benchmark::State &state)
{
    generate(state, GridSize::Large, "words_30x30.txt");
}
BENCHMARK(BM_Generate30);

void BM_AddWordFailsOnFullGrid(benchmark::State &state)
{
    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    model.fillRandom(); // every cell holds a letter: nothing long fits
    const AddWordRequest add = randomRequest(QString(22, QLatin1Char('Q')));
    for (auto _ : state) {
        const CommandOutcome out = model.addWord(add);
        if (out.placed) {
            state.SkipWithError("the word was placed");
            break;
        }
        benchmark::DoNotOptimize(out.messages.size());
    }
}
BENCHMARK(BM_AddWordFailsOnFullGrid);

PuzzleModel fullLargePuzzle(RandomGenerator &random)
{
    PuzzleModel model(GridSize::Large, &random);
    const QList<QStringList> puzzles = readPuzzles(QStringLiteral("words_30x30.txt"));
    const QStringList words =
        puzzles.isEmpty() ? QStringList{"CROSSWORD", "DICTIONARY", "ALPHABET"} : puzzles.first();
    for (const QString &w : words)
        model.addWord(randomRequest(w));
    model.fillMessage(QStringLiteral("a hidden message"));
    model.fillRandom();
    return model;
}

void BM_EncodeRecord30(benchmark::State &state)
{
    RandomGenerator random;
    PuzzleModel model = fullLargePuzzle(random);
    PuzzleFileRecord30 record;
    for (auto _ : state) {
        record.fillFrom(model);
        const QByteArray bytes = record.toBytes();
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_EncodeRecord30);

void BM_DecodeRecord30(benchmark::State &state)
{
    RandomGenerator random;
    PuzzleModel model = fullLargePuzzle(random);
    PuzzleFileRecord30 writer;
    writer.fillFrom(model);
    const QByteArray bytes = writer.toBytes();
    PuzzleFileRecord30 record;
    for (auto _ : state) {
        const FileResult result = record.fromBytes(bytes);
        benchmark::DoNotOptimize(result.ok);
    }
}
BENCHMARK(BM_DecodeRecord30);

} // namespace

BENCHMARK_MAIN();
