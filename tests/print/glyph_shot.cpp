// Renders a Greek document editor and the warning the print window shows
// when its page font cannot draw the puzzle's letters. Run it on the
// offscreen platform (QT_QPA_PLATFORM=offscreen) or on a screen:
//
//   glyph_shot <folder>   writes greek_editor.png and unprintable_letters.png

#include "editor/editor_window.h"
#include "language/printable_check.h"
#include "print/print_window.h"
#include "stub_print_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace quarrin;

namespace {

void addWordAt(EditorWindow &editor, const QString &word, int x, int y, const char *direction)
{
    AddWordRequest request;
    request.word = word;
    request.x = QString::number(x);
    request.y = QString::number(y);
    request.direction = QString::fromLatin1(direction);
    request.randomPosition = false;
    editor.model().addWord(request);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyph_shot <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    std::uint64_t ticks = 20261211;
    RandomGenerator random([&ticks] { return ticks += 104729; });
    PuzzleSnapshot snapshot;
    EditorWindow editor(GridSize(14, 10), EditorKind::Document, &random, &snapshot);
    NewPuzzleChoice greek;
    greek.size = GridSize(14, 10);
    greek.language = QStringLiteral("el");
    editor.startEmptyPuzzle(greek);
    addWordAt(editor, QStringLiteral("ΑΛΦΑΒΗΤΟ"), 1, 1, "Right");
    addWordAt(editor, QStringLiteral("ΘΑΛΑΣΣΑ"), 14, 1, "Down");
    addWordAt(editor, QStringLiteral("ΨΥΧΗ"), 2, 3, "Down");
    addWordAt(editor, QStringLiteral("ΖΩΓΡΑΦΟΣ"), 3, 10, "Up-Right");
    addWordAt(editor, QStringLiteral("ΗΛΙΟΣ"), 10, 10, "Left");
    editor.model().fillRandom();
    editor.setHighlighting(true);
    editor.showPuzzle();
    editor.show();
    QTest::qWait(300);
    bool ok = editor.grab().save(out.filePath(QStringLiteral("greek_editor.png")));

    // The print window of the puzzle, its grid font the dingbat face.
    takeSnapshot(editor.model(), snapshot);
    PrintWindow window(GridSize(14, 10), &snapshot);
    auto dialogs = std::make_unique<testing::StubPrintDialogs>();
    dialogs->fontAnswer = QFont(QStringLiteral("D050000L"), 14);
    const QString picture = out.filePath(QStringLiteral("never_written.png"));
    dialogs->onSave = [picture](QWidget *, const QString &) {
        return std::optional<SaveChoice>(SaveChoice{picture, QLatin1String(kPngFilter)});
    };
    window.setDialogs(std::move(dialogs));
    window.show();
    window.changeGridFont();
    QTimer::singleShot(300, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ok = ok && box && box->objectName() == QLatin1String(kUnprintableLettersBox) &&
             box->grab().save(out.filePath(QStringLiteral("unprintable_letters.png")));
        if (box)
            box->accept();
    });
    window.savePageImage();
    return ok && !QFileInfo::exists(picture) ? 0 : 1;
}
