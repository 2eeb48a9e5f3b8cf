// Times the export of a full 30x30 grid up to the written .docx file (the
// document is not opened). Target: under 20 ms per export.
//
// Usage: bench_export [repetitions]

#include "export/docx_word_processor.h"
#include "export/word_export.h"

#include "run_times.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 50;

    RandomGenerator random;
    PuzzleModel model(GridSize::Large, &random);
    // Every cell a filled letter, the heaviest grid to export.
    for (int col = 0; col < model.columns(); ++col) {
        for (int row = 0; row < model.rows(); ++row)
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

    bench::RunTimes times;
    for (int i = 0; i < repetitions; ++i) {
        DocxWordProcessor processor(options);
        times.start();
        const QString message = exportGrid(model, processor);
        times.stop();
        if (!message.isEmpty()) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(message));
            return 1;
        }
    }
    std::printf("30x30 export to .docx, %d runs: %s\n", repetitions, times.summary(20.0).c_str());
    return times.median() < 20.0 ? 0 : 2;
}
