// Times the export of a full 30x30 grid up to the written .docx file (the
// document is not opened). Target: under 20 ms per export.
//
// Usage: bench_export [repetitions]

#include "export/docx_word_processor.h"
#include "export/word_export.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace quarrin;

namespace {

// CPU time of this thread, in milliseconds: steadier than the wall clock on a
// busy machine (it leaves out waiting for the disk).
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    // Every cell a filled letter, the heaviest grid to export.
    for (int col = 0; col < model.n(); ++col) {
        for (int row = 0; row < model.n(); ++row)
            model.setCell(col, row, QString(QChar('A' + random.below(26))) + kFillerMark);
    }

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    DocxWordProcessorOptions options;
    options.folder = folder.path();
    options.handlerQuery.clear();
    options.opener.clear();

    std::vector<double> times;
    std::vector<double> cpuTimes;
    for (int i = 0; i < repetitions; ++i) {
        DocxWordProcessor processor(options);
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        const QString message = exportGrid(model, processor);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpuTimes.push_back(threadCpuMs() - cpuStart);
        if (!message.isEmpty()) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(message));
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    std::printf("30x30 export to .docx, %d runs: median %.2f ms, best %.2f ms, worst %.2f ms "
                "(target < 20 ms); CPU time median %.2f ms\n",
                repetitions, times[times.size() / 2], times.front(), times.back(),
                cpuTimes[cpuTimes.size() / 2]);
    return times[times.size() / 2] < 20.0 ? 0 : 2;
}
