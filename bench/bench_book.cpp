// Times a 200-puzzle 15x15 book on 6 x 9 in with its keys four to a page
// (200 puzzle pages and 50 of solutions): the word lists of
// ../shared/bench/words_15x15.txt (or QUARRIN_WORDS) placed by the editor's
// random Add Word with a fixed seed and filled, then the whole book laid out,
// drawn and written to memory. Targets: under 2 s and under 3 MB.
//
// Usage: bench_book [repetitions]

#include "generate/puzzle_batch.h"
#include "puzzle/puzzle_snapshot.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_paper.h"

#include "run_times.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QString path = qEnvironmentVariableIsSet("QUARRIN_WORDS")
                             ? qEnvironmentVariable("QUARRIN_WORDS")
                             : QStringLiteral(QUARRIN_SHARED_BENCH "/words_15x15.txt");
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "bench_book: cannot read %s\n", qPrintable(path));
        return 1;
    }
    const generate::InputResult read = generate::readWordLists(input);
    generate::BatchOptions batchOptions;
    batchOptions.seed = 1;
    generate::PuzzleBatch batch(batchOptions);
    std::vector<SheetPuzzle> puzzles;
    std::vector<generate::Warning> warnings;
    for (std::size_t k = 0; k < read.puzzles.size() && puzzles.size() < 200; ++k) {
        PuzzleModel model(GridSize::Small, &batch.random());
        batch.make(read.puzzles[k], model, int(k) + 1, warnings);
        PuzzleSnapshot snapshot;
        takeSnapshot(model, snapshot);
        puzzles.push_back(
            sheetPuzzleFromSnapshot(snapshot, QStringLiteral("Word Quarrin %1").arg(k + 1)));
    }
    BookOptions options;
    options.trim = *parseTrimSize(QStringLiteral("6x9in"));
    options.keysPerPage = 4;
    options.title = QStringLiteral("Word Search Puzzles");

    bench::RunTimes times;
    qint64 bytes = 0;
    BookReport report;
    for (int i = 0; i < repetitions; ++i) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        times.start();
        const bool ok = writeSheetBookPdf(buffer, puzzles, options, &report);
        times.stop();
        if (!ok) {
            std::fprintf(stderr, "bench_book: the book could not be written\n");
            return 1;
        }
        bytes = buffer.size();
    }
    const double seconds = times.median() / 1000.0;
    std::printf("%d-puzzle 15x15 book on 6x9 in, keys four to a page: %d pages, %.2f MB "
                "(%lld bytes a page, target < 3 MB); %d runs: %s; %.0f pages/s\n",
                int(puzzles.size()), report.pages, double(bytes) / 1e6,
                static_cast<long long>(bytes / std::max(1, report.pages)), repetitions,
                times.summary(2000.0).c_str(), report.pages / seconds);
    return times.median() < 2000.0 && bytes < 3'000'000 ? 0 : 2;
}
