// Times the two-page worksheet PDF in the sheet layout (the puzzle, then its
// answer key, on A4) of a full 30x30 puzzle: every cell lettered, words in all
// eight directions. The PDF is written to memory, so the figure is the layout,
// the drawing and the PDF writing, not the disk. Target: under 50 ms CPU.
//
// Usage: bench_worksheet [repetitions]

#include "key_fixture.h"
#include "sheet/sheet_document.h"
#include "sheet/sheet_paper.h"

#include "run_times.h"

#include <QBuffer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    // drawing needs no screen
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    const SheetPuzzle puzzle = sheetPuzzleFromSnapshot(
        testing::eightWaySnapshot(GridSize::Large), QStringLiteral("Word Quarrin"));
    const QPageLayout paper(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                            QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const SheetStyle style;

    bench::RunTimes times;
    qint64 bytes = 0;
    for (int i = 0; i < repetitions; ++i) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        times.start();
        const bool ok = writeWorksheetPdf(buffer, puzzle, style, paper);
        times.stop();
        if (!ok) {
            std::fprintf(stderr, "the worksheet could not be written\n");
            return 1;
        }
        bytes = buffer.size();
    }
    std::printf("30x30 two-page worksheet PDF (%lld bytes, %lld bytes a page), %d runs: %s; "
                "%.0f pages/s of CPU time\n",
                static_cast<long long>(bytes), static_cast<long long>(bytes / 2), repetitions,
                times.summary(50.0).c_str(), 2000.0 / times.cpuMedian());
    return times.cpuMedian() < 50.0 ? 0 : 2;
}
