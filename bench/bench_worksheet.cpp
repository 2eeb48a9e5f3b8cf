// Times the two-page worksheet PDF (the puzzle, then its answer key, each
// fitted to A4 on white) of a full 30x30 puzzle: every cell lettered, words
// in all eight directions. The PDF is written to memory, so the figure is the
// drawing and the PDF writing, not the disk. Target: under 50 ms.
//
// Usage: bench_worksheet [repetitions]

#include "key_fixture.h"
#include "print/page_output.h"
#include "print/page_renderer.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPageSize>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace quarrin;

namespace {

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

} // namespace

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

    std::vector<double> times;
    std::vector<double> cpuTimes;
    qint64 bytes = 0;
    for (int i = 0; i < repetitions; ++i) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        const bool ok = writeWorksheetPdf(
            buffer, [&](QPainter &p) { renderer.paint(p, page, puzzle); },
            [&](QPainter &p) { renderer.paint(p, page, key); }, page.pageSize(), paper);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpuTimes.push_back(threadCpuMs() - cpuStart);
        if (!ok) {
            std::fprintf(stderr, "the worksheet could not be written\n");
            return 1;
        }
        bytes = buffer.size();
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("30x30 two-page worksheet PDF (%lld bytes), %d runs: median %.2f ms, best %.2f ms, "
                "worst %.2f ms (target < 50 ms); CPU time median %.2f ms\n",
                static_cast<long long>(bytes), repetitions, times[times.size() / 2], times.front(),
                times.back(), cpuTimes[cpuTimes.size() / 2]);
    return times[times.size() / 2] < 50.0 ? 0 : 2;
}
