// Renders the document editor for a grid of any size with a sample puzzle
// (words along its edges and diagonal, a random fill, highlighting on).
//
//   document_editor_screenshot <out.png> <WxH>

#include "editor/editor_window.h"
#include "editor_shot.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const std::optional<GridSize> size = argc == 3 ? GridSize::parse(argv[2]) : std::nullopt;
    if (!size) {
        std::fprintf(stderr, "usage: document_editor_screenshot <out.png> <WxH>\n");
        return 2;
    }
    std::uint64_t ticks = 20261210;
    RandomGenerator random([&ticks] { return ticks += 104729; });
    PuzzleSnapshot snapshot;
    EditorWindow editor(*size, EditorKind::Document, &random, &snapshot);
    const int w = size->columns(), h = size->rows();
    const QStringList words{"VOCABULARY", "CLASSROOM", "TEACHER", "PUZZLE", "PENCIL",
                            "LETTERS",    "SEARCH",    "GRID",    "WORDS",  "READ"};
    testing::addWordAt(editor, words[0].left(std::min(w, 10)), 1, 1, QStringLiteral("Right"));
    testing::addWordAt(editor, words[1].left(std::min(h, 9)), w, 1, QStringLiteral("Down"));
    testing::addWordAt(editor, words[2].left(std::min({w, h, 7})), 1, h, QStringLiteral("Up-Right"));
    for (int k = 3; k < words.size(); ++k) {
        AddWordRequest request;
        request.word = words[k];
        request.randomPosition = true;
        request.allowed = DirectionSet::all();
        editor.model().addWord(request);
    }
    editor.model().fillRandom();
    editor.setHighlighting(true);
    editor.showPuzzle();
    editor.show();
    QTest::qWait(300);
    const QPixmap shot = editor.grab();
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
