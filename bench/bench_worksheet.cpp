// Times the two-page worksheet PDF (the puzzle, then its answer key, each
// fitted to A4 on white) of a full 30x30 puzzle: every cell lettered, words
// in all eight directions. The PDF is written to memory, so the figure is the
// drawing and the PDF writing, not the disk. Target: under 50 ms.
//
// Usage: bench_worksheet [repetitions]

#include "key_fixture.h"
#include "print/page_output.h"
#include "print/page_renderer.h"

#include "run_times.h"

#include <QApplication>
#include <QBuffer>
#include <QPageSize>

#include <algorithm>
#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    // drawing needs no screen
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    const PageDescription page =
        PageDescription::standard(GridSize::Large, testing::eightWaySnapshot(GridSize::Large));
    const QPageLayout paper(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                            QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    PageRenderer renderer;
    PageOptions puzzle;
    puzzle.whiteBackground = true;
    PageOptions key = puzzle;
    key.answerKey = true;

    bench::RunTimes times;
    qint64 bytes = 0;
    for (int i = 0; i < repetitions; ++i) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        times.start();
        const bool ok = writeWorksheetPdf(
            buffer, [&](QPainter &p) { renderer.paint(p, page, puzzle); },
            [&](QPainter &p) { renderer.paint(p, page, key); }, page.pageSize(), paper);
        times.stop();
        if (!ok) {
            std::fprintf(stderr, "the worksheet could not be written\n");
            return 1;
        }
        bytes = buffer.size();
    }
    std::printf("30x30 two-page worksheet PDF (%lld bytes), %d runs: %s\n",
                static_cast<long long>(bytes), repetitions, times.summary(50.0).c_str());
    return times.median() < 50.0 ? 0 : 2;
}
