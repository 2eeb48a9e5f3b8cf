// Renders both editor windows with a small sample puzzle (a few words, a
// random fill, word highlighting on) to PNG files.
//
//   editor_screenshot <editor15.png> <editor30.png>

#include "editor/editor_window.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace quarrin;

namespace {

void addWord(EditorWindow &window, const QString &word, int x, int y, const QString &direction)
{
    AddWordRequest request;
    request.word = word;
    request.x = QString::number(x);
    request.y = QString::number(y);
    request.direction = direction;
    window.model().addWord(request);
}

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

    addWord(main, QStringLiteral("PUZZLE"), 2, 2, QStringLiteral("Right"));
    addWord(main, QStringLiteral("SEARCH"), 3, 4, QStringLiteral("Down"));
    addWord(main, QStringLiteral("LETTERS"), 14, 14, QStringLiteral("Up-Left"));
    addWord(main, QStringLiteral("GRID"), 12, 3, QStringLiteral("Down-Left"));
    addWord(main, QStringLiteral("HIDDEN"), 13, 6, QStringLiteral("Down"));
    main.model().fillRandom();
    main.setHighlighting(true);
    main.showPuzzle();

    addWord(mainC, QStringLiteral("CROSSWORD"), 2, 3, QStringLiteral("Right"));
    addWord(mainC, QStringLiteral("DICTIONARY"), 5, 8, QStringLiteral("Down-Right"));
    addWord(mainC, QStringLiteral("ALPHABET"), 28, 2, QStringLiteral("Down"));
    addWord(mainC, QStringLiteral("VOCABULARY"), 25, 28, QStringLiteral("Left"));
    addWord(mainC, QStringLiteral("SPELLING"), 3, 27, QStringLiteral("Up-Right"));
    mainC.model().fillRandom();
    mainC.setHighlighting(true);
    mainC.showPuzzle();

    const bool ok = render(main, QString::fromLocal8Bit(argv[1])) &&
                    render(mainC, QString::fromLocal8Bit(argv[2]));
    return ok ? 0 : 1;
}
