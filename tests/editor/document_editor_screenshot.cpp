// Renders the document editor for a grid of any size with a sample puzzle
// (words along its edges and diagonal, a random fill, highlighting on), in
// English or, given a language code, in that language's words; and, given a
// second picture, the "New Puzzle..." dialog set to the same language.
//
//   document_editor_screenshot <out.png> <WxH> [el|ru] [new-puzzle.png]

#include "editor/editor_window.h"
#include "editor/new_puzzle_dialog.h"
#include "editor_shot.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace quarrin;

namespace {

// Classroom words, as a teacher types them.
QStringList sampleWords(const QString &code)
{
    if (code == QLatin1String("el"))
        return {"λεξιλόγιο", "δάσκαλος", "γράμματα", "γρίφος", "μολύβι",
                "αναζήτηση", "πλέγμα",   "λέξεις",   "τάξη",   "διαβάζω"};
    if (code == QLatin1String("ru"))
        return {"словарь", "учитель", "карандаш", "головоломка", "буквы",
                "поиск",   "сетка",   "слова",    "класс",       "читать"};
    return {"VOCABULARY", "CLASSROOM", "TEACHER", "PUZZLE", "PENCIL",
            "LETTERS",    "SEARCH",    "GRID",    "WORDS",  "READ"};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const std::optional<GridSize> size = argc >= 3 ? GridSize::parse(argv[2]) : std::nullopt;
    const QString code = argc >= 4 ? QString::fromLatin1(argv[3]) : QStringLiteral("en");
    if (!size || argc > 5 || !Language::find(code)) {
        std::fprintf(
            stderr, "usage: document_editor_screenshot <out.png> <WxH> [el|ru] [new-puzzle.png]\n");
        return 2;
    }
    std::uint64_t ticks = 20261210;
    RandomGenerator random([&ticks] { return ticks += 104729; });
    PuzzleSnapshot snapshot;
    EditorWindow editor(*size, EditorKind::Document, &random, &snapshot);
    NewPuzzleChoice choice{*size, false};
    choice.language = code;
    editor.startEmptyPuzzle(choice);
    const int w = size->columns(), h = size->rows();
    const QStringList words = sampleWords(code);
    testing::addWordAt(editor, words[0].left(std::min(w, 10)), 1, 1, QStringLiteral("Right"));
    testing::addWordAt(editor, words[1].left(std::min(h, 9)), w, 1, QStringLiteral("Down"));
    testing::addWordAt(editor, words[2].left(std::min({w, h, 8})), 1, h,
                       QStringLiteral("Up-Right"));
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
    if (!editor.grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;
    if (argc == 5) {
        NewPuzzleDialog dialog(&editor);
        dialog.setChoice(choice);
        dialog.show();
        QTest::qWait(200);
        if (!dialog.grab().save(QString::fromLocal8Bit(argv[4])))
            return 1;
    }
    return 0;
}
