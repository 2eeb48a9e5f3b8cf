// "New Puzzle..." to an editor on screen: from the choice of a size in the
// 15x15 editor to the document editor of that size shown and painted, with
// its print and play windows made. Each size is a new editor. Target: under
// 200 ms.
//
// Usage: bench_new_puzzle [runs=7]   (runs with the offscreen platform)

#include "app/quarrin_app.h"
#include "run_times.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

using namespace quarrin;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QuarrinApp::Options options;
    options.showSplash = false;
    options.splashWaitMs = 0;
    QuarrinApp quarrin(options);
    quarrin.start();
    QApplication::processEvents();
    for (const GridSize size : {GridSize(10, 10), GridSize(20, 20), GridSize(50, 50)}) {
        bench::RunTimes times;
        for (int r = 0; r < runs; ++r) {
            // Another size in between, so each run makes its editor anew.
            quarrin.startNewPuzzle(quarrin.shownEditor(), NewPuzzleChoice{GridSize(7, 7), false});
            QApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            times.start();
            quarrin.startNewPuzzle(quarrin.shownEditor(), NewPuzzleChoice{size, false});
            EditorWindow *editor = quarrin.documentEditor();
            editor->repaint();
            QApplication::processEvents();
            times.stop();
        }
        std::printf("New Puzzle %s to its editor on screen, %d runs: %s\n",
                    qPrintable(size.text()), runs, times.summary(200.0).c_str());
    }
    return 0;
}
