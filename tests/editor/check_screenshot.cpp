// Renders the 15x15 editor with its "Check Puzzle" window open and a problem
// chosen (its cells marked in the grid) to a PNG file: the screen is grabbed,
// so both windows show as a user sees them.
//
//   check_screenshot <check.png>

#include "editor/check_window.h"
#include "editor/editor_window.h"
#include "editor_shot.h"

#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_screenshot <check.png>\n");
        return 2;
    }
    std::uint64_t ticks = 20261210;
    RandomGenerator random([&ticks] { return ticks += 104729; });
    PuzzleSnapshot snapshot;
    TMain main(&random, &snapshot);
    testing::addWordAt(main, QStringLiteral("CATALOG"), 2, 2, QStringLiteral("Right"));
    testing::addWordAt(main, QStringLiteral("CAT"), 4, 6, QStringLiteral("Down"));
    testing::addWordAt(main, QStringLiteral("SEARCH"), 13, 3, QStringLiteral("Down"));
    main.model().fillRandom();
    // A filled word that spells SEARCH again.
    const QString again = QStringLiteral("SEARCH");
    for (int i = 0; i < again.size(); ++i)
        main.model().setCell(8 + i, 12, again.at(i) + kFillerMark);
    main.showPuzzle();
    main.move(0, 0);
    main.show();
    QTest::qWait(200);

    main.findChild<QAction *>(QStringLiteral("CheckPuzzle1"))->trigger();
    auto *window = main.findChild<CheckWindow *>(QStringLiteral("checkWindow"));
    auto *problems = window->findChild<QListWidget *>(QStringLiteral("problems"));
    problems->setCurrentRow(problems->count() - 1);
    QTest::qWait(300);

    const QRect area = main.frameGeometry().united(window->frameGeometry());
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(),
                                                                      area.width(), area.height());
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
