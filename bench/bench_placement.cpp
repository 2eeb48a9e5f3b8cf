// Placement benchmark: each line of a word list becomes one puzzle. Every word
// is added with random placement and all directions allowed, then the blanks
// are filled with random letters. Reports puzzles per second and the share of
// words placed.
//   bench_placement [WORDS_DIR]

#include "puzzle/puzzle_model.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <cstdio>

using namespace quarrin;

namespace {

int runList(GridSize size, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    QList<QStringList> puzzles;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList words = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty())
            puzzles << words;
    }
    RandomGenerator random;
    long words = 0, placed = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QStringList &list : puzzles) {
        PuzzleModel model(size, &random);
        for (const QString &w : list) {
            AddWordRequest add;
            add.word = w;
            add.randomPosition = true;
            add.allowed = DirectionSet::all();
            ++words;
            if (model.AddWord(add).placed)
                ++placed;
        }
        model.FillRandom();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("%s: %lld puzzles in %.3f s = %.0f puzzles/s, %.1f%% of %ld words placed\n",
                size == GridSize::Small ? "15x15" : "30x30", (long long)puzzles.size(), seconds,
                double(puzzles.size()) / seconds, 100.0 * double(placed) / double(words), words);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QStringLiteral(QUARRIN_BENCH_WORDS);
    int rc = runList(GridSize::Small, dir + "/words_15x15.txt");
    rc |= runList(GridSize::Large, dir + "/words_30x30.txt");
    return rc;
}
