// Renders each play window during a game to a PNG file:
//   play_screenshot <small.png> <large.png> [<WxH> <other.png>]...
// A puzzle is made with the puzzle model (fixed random seed), handed over as
// the editor would, START is pressed, the clock is ticked by hand and a few
// words are marked as a player would.

#include "grid/pub_str_grid.h"
#include "manual_clock.h"
#include "play/solve_window.h"
#include "puzzle/puzzle_model.h"
#include "puzzle/random_generator.h"

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace quarrin;
using quarrin::test::ManualClock;

namespace {

const char *const kWords[] = {
    "QUARTZ", "GRANITE",  "BASALT",  "MARBLE",   "SHALE",    "SLATE",    "GNEISS",
    "PUMICE", "OBSIDIAN", "FLINT",   "CHALK",    "JASPER",   "ONYX",     "AGATE",
    "GYPSUM", "TALC",     "MICA",    "OPAL",     "BERYL",    "GARNET",   "TOPAZ",
    "PYRITE", "GALENA",   "CALCITE", "DOLOMITE", "FELDSPAR", "HEMATITE", "MAGNETITE",
};

bool render(GridSize size, const QString &path)
{
    std::uint64_t counter = 20261209;
    RandomGenerator random([&counter] { return counter += 7919; });
    random.setSeed(7);
    PuzzleModel model(size, &random);
    const int wanted = std::min(model.spec().snapshotWords, 28);
    for (const char *word : kWords) {
        if (model.wordCount() >= wanted)
            break;
        AddWordRequest request;
        request.word = QString::fromLatin1(word);
        if (request.word.size() > model.spec().maxWordLength)
            continue;
        request.randomPosition = true;
        request.allowed = DirectionSet::all();
        model.addWord(request);
    }
    model.fillRandom();
    PuzzleSnapshot snapshot;
    takeSnapshot(model, snapshot);

    std::unique_ptr<SolveWindow> window;
    if (size == GridSize::Small)
        window = std::make_unique<TSolveMode15>(&snapshot);
    else if (size == GridSize::Large)
        window = std::make_unique<Tsolvemode30>(&snapshot);
    else
        window = std::make_unique<SolveWindow>(size, &snapshot);
    auto clock = std::make_unique<ManualClock>();
    ManualClock *ticks = clock.get();
    window->setClockTimer(std::move(clock));
    window->show();
    QApplication::processEvents();
    window->findChild<QPushButton *>(QStringLiteral("timeBox"))->click();
    for (int i = 0; i < 83; ++i)
        ticks->tick();

    // Mark the first three words from first to last letter, then one more
    // word backwards, which finds nothing but fills the displays.
    auto mark = [&](int index, bool backwards) {
        const QStringList pos = model.positions().at(index).split(QLatin1Char(','));
        const int col = pos.value(0).trimmed().toInt() - 1;
        const int row = pos.value(1).trimmed().toInt() - 1;
        const auto direction = directionFromName(model.directionMemo().at(index));
        if (!direction)
            return;
        const DirectionInfo &info = directionInfo(*direction);
        const int len = int(model.log().at(index).size()) - 1;
        const int endCol = col + len * info.columnStep;
        const int endRow = row + len * info.rowStep;
        TPubStrGrid *grid = window->grid();
        const QRect first = grid->cellRect(backwards ? endCol : col, backwards ? endRow : row);
        const QRect second = grid->cellRect(backwards ? col : endCol, backwards ? row : endRow);
        QTest::mouseClick(grid, Qt::LeftButton, {}, first.center());
        QTest::mouseClick(grid, Qt::LeftButton, {}, second.center());
    };
    for (int i = 0; i < 3 && i < model.wordCount(); ++i)
        mark(i, false);
    if (model.wordCount() > 4)
        mark(4, true);
    QApplication::processEvents();

    const bool ok = window->grab().save(path);
    std::fprintf(stderr, "%s %s (%d words, %d found)\n", ok ? "wrote" : "could not write",
                 qPrintable(path), window->wordsToFind(), window->wordsFound());
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: play_screenshot <small.png> <large.png> [<WxH> <other.png>]...\n");
        return 2;
    }
    bool ok = render(GridSize::Small, QString::fromLocal8Bit(argv[1])) &&
              render(GridSize::Large, QString::fromLocal8Bit(argv[2]));
    for (int i = 3; ok && i + 1 < argc; i += 2) {
        const std::optional<GridSize> size = GridSize::parse(QString::fromLocal8Bit(argv[i]));
        ok = size && render(*size, QString::fromLocal8Bit(argv[i + 1]));
    }
    return ok ? 0 : 1;
}
