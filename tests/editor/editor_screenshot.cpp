// Renders both editor windows with a small sample puzzle (a few words, a
// random fill, word highlighting on) to PNG files.
//
//   editor_screenshot <editor15.png> <editor30.png>

#include "editor/editor_window.h"
#include "editor_shot.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace quarrin;

namespace {

bool render(EditorWindow &window, const QString &path)
{
    window.show();
    QTest::qWait(200);
    const QPixmap shot = window.grab();
    window.hide();
    return shot.save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor_screenshot <editor15.png> <editor30.png>\n");
        return 2;
    }
    // A clock that moves on between readings, as a real one does.
    std::uint64_t ticks = 20261209;
    RandomGenerator random([&ticks] { return ticks += 104729; });
    PuzzleSnapshot small, large;
    TMain main(&random, &small);
    TMainC mainC(&random, &large);

    testing::addWordAt(main, QStringLiteral("PUZZLE"), 2, 2, QStringLiteral("Right"));
    testing::addWordAt(main, QStringLiteral("SEARCH"), 3, 4, QStringLiteral("Down"));
    testing::addWordAt(main, QStringLiteral("LETTERS"), 14, 14, QStringLiteral("Up-Left"));
    testing::addWordAt(main, QStringLiteral("GRID"), 12, 3, QStringLiteral("Down-Left"));
    testing::addWordAt(main, QStringLiteral("HIDDEN"), 13, 6, QStringLiteral("Down"));
    main.model().fillRandom();
    main.setHighlighting(true);
    main.showPuzzle();

    testing::addWordAt(mainC, QStringLiteral("CROSSWORD"), 2, 3, QStringLiteral("Right"));
    testing::addWordAt(mainC, QStringLiteral("DICTIONARY"), 5, 8, QStringLiteral("Down-Right"));
    testing::addWordAt(mainC, QStringLiteral("ALPHABET"), 28, 2, QStringLiteral("Down"));
    testing::addWordAt(mainC, QStringLiteral("VOCABULARY"), 25, 28, QStringLiteral("Left"));
    testing::addWordAt(mainC, QStringLiteral("SPELLING"), 3, 27, QStringLiteral("Up-Right"));
    mainC.model().fillRandom();
    mainC.setHighlighting(true);
    mainC.showPuzzle();

    const bool ok = render(main, QString::fromLocal8Bit(argv[1])) &&
                    render(mainC, QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
