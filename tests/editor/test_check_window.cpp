// "Check Puzzle" in the editors: the menu item, the problem list, marking a
// problem's cells in the grid while the window is open, and "Refill".

#include "../puzzle/board.h"
#include "editor/check_window.h"
#include "editor/editor_grid.h"
#include "editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quarrin;

namespace {

// Puts a word where the editor's boxes say, as a user would type it.
void placeWord(EditorWindow &window, const QString &word, int x, int y, const QString &direction)
{
    AddWordRequest r;
    r.word = word;
    r.x = QString::number(x);
    r.y = QString::number(y);
    r.direction = direction;
    QVERIFY(window.model().addWord(r).placed);
    window.showPuzzle();
}

QStringList listTexts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList wordLetters(const PuzzleModel &model)
{
    QStringList out;
    for (int c = 0; c < model.columns(); ++c)
        for (int r = 0; r < model.rows(); ++r)
            if (model.cellAt(c, r).isWordLetter())
                out << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(model.cell(c, r));
    return out;
}

// Fills the blanks with a message, answering the box as a user would.
void fillWithMessage(EditorWindow &editor, const QString &message)
{
    QTimer::singleShot(0, [message] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->findChild<QLineEdit *>()->setText(message);
        box->accept();
    });
    editor.findChild<QPushButton *>(QStringLiteral("Button8"))->click();
}

// Clicks Refill and answers its question, if it asks one, with `answer`.
// Says whether it asked.
bool clickRefill(CheckWindow *window, QMessageBox::StandardButton answer)
{
    bool asked = false;
    QTimer::singleShot(0, window, [&asked, answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String("refillQuestion"))
            return;
        asked = true;
        box->button(answer)->click();
    });
    window->findChild<QPushButton *>(QStringLiteral("refillButton"))->click();
    // No question: the answer above runs now and finds none.
    QCoreApplication::processEvents();
    return asked;
}

} // namespace

class TestCheckWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    // A clock that moves on at every reading, as the real one does (the
    // 30x30 fill reseeds from it at every column).
    RandomGenerator m_random{[] {
        static std::uint64_t ticks = 77;
        return ticks += 7919;
    }};
    PuzzleSnapshot m_snapshot;

    CheckWindow *openCheck(EditorWindow &editor)
    {
        QAction *item = editor.findChild<QAction *>(QStringLiteral("CheckPuzzle1"));
        if (!item)
            return nullptr;
        item->trigger();
        auto *window = editor.findChild<CheckWindow *>(QStringLiteral("checkWindow"));
        return window && window->isVisible() ? window : nullptr;
    }

private slots:
    void initTestCase()
    {
        // Only the built-in blocked words: no user list in this folder.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Word Quarrin Generator"));
    }

    void menuItemComesAfterEveryExistingItem_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::newRow("15x15") << GridSize::Small;
        QTest::newRow("30x30") << GridSize::Large;
    }
    void menuItemComesAfterEveryExistingItem()
    {
        QFETCH(GridSize, size);
        EditorWindow editor(size, &m_random, &m_snapshot);
        auto *file = editor.findChild<QMenu *>(QStringLiteral("File1"));
        QVERIFY(file);
        QStringList texts;
        for (QAction *a : file->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        // The editor's own items first, as they always were; every later
        // command after them.
        QCOMPARE(texts.mid(0, 12),
                 (QStringList{"Add Word", "Clear Grid", "Fill blank with random",
                              "Fill blank spaces with message", "Remove Random + Msg", "Print",
                              "Load", "Save", "Export to Word", "Exit", "-", "Check Puzzle"}));
        QCOMPARE(texts.mid(12),
                 (QStringList{"New Puzzle...", "Export Web Page...", "Add Words...", "Save As...",
                              "Recent Puzzles", "-", "Keep Fill Clean"}));
        // "File" and "About" as before, then "Edit" at the end.
        QStringList menus;
        for (QAction *a : editor.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"File", "About", "Edit"}));
    }

    void cleanPuzzleSaysSo()
    {
        EditorWindow editor(GridSize::Small, &m_random, &m_snapshot);
        editor.show();
        placeWord(editor, QStringLiteral("QUARTZ"), 2, 2, QStringLiteral("Right"));
        CheckWindow *window = openCheck(editor);
        QVERIFY(window);
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("summary"))->text(),
                 QStringLiteral("No problems found: every word appears exactly once."));
        QVERIFY(!window->findChild<QListWidget *>(QStringLiteral("problems"))->isVisible());
        for (const char *name : {"summary", "problems", "refillButton", "closeButton"}) {
            auto *w = window->findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(w && !w->accessibleName().isEmpty(), name);
        }
        window->findChild<QPushButton *>(QStringLiteral("closeButton"))->click();
        QVERIFY(!window->isVisible());
    }

    void choosingAProblemMarksItsCellsUntilTheWindowCloses()
    {
        EditorWindow editor(GridSize::Small, &m_random, &m_snapshot);
        editor.show();
        placeWord(editor, QStringLiteral("CATALOG"), 1, 1, QStringLiteral("Right"));
        placeWord(editor, QStringLiteral("CAT"), 3, 5, QStringLiteral("Down"));
        CheckWindow *window = openCheck(editor);
        QVERIFY(window);
        auto *problems = window->findChild<QListWidget *>(QStringLiteral("problems"));
        QCOMPARE(listTexts(problems), (QStringList{"CAT is found 2 times: 3, 5 Down; 1, 1 Right",
                                                   "CAT lies inside CATALOG at 1, 1 Right"}));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("summary"))->text(),
                 QStringLiteral("2 problems found:"));

        auto *delegate = editor.findChild<EditorCellDelegate *>();
        QVERIFY(delegate);
        QCOMPARE(delegate->markedCount(), 0);
        problems->setCurrentRow(1);
        QCOMPARE(delegate->markedCount(), 3);
        for (int c = 0; c < 3; ++c)
            QVERIFY(delegate->isMarked(c, 0));
        problems->setCurrentRow(0);
        QCOMPARE(delegate->markedCount(), 6);
        QVERIFY(delegate->isMarked(2, 4) && delegate->isMarked(2, 6));

        window->reject(); // Esc or the close box
        QCOMPARE(delegate->markedCount(), 0);
    }

    void refillCuresTheFillAndKeepsWordsAndMessage()
    {
        EditorWindow editor(GridSize::Small, &m_random, &m_snapshot);
        editor.show();
        placeWord(editor, QStringLiteral("JIGSAW"), 1, 1, QStringLiteral("Down"));
        placeWord(editor, QStringLiteral("WOMBAT"), 10, 4, QStringLiteral("Left"));
        fillWithMessage(editor, QStringLiteral("go team"));
        editor.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        // A filled letter that spells a blocked word across a word letter.
        editor.model().setCell(1, 1, QStringLiteral("A     ."));
        editor.model().setCell(2, 1, QStringLiteral("S     ."));
        editor.model().setCell(3, 1, QStringLiteral("S     ."));
        editor.model().setCell(1, 2, QStringLiteral("X     ."));
        editor.showPuzzle();
        const QStringList words = wordLetters(editor.model());

        CheckWindow *window = openCheck(editor);
        QVERIFY(window);
        QVERIFY(window->report().problems.size() >= 1);
        window->findChild<QPushButton *>(QStringLiteral("refillButton"))->click();

        const QString result = window->findChild<QLabel *>(QStringLiteral("refillResult"))->text();
        QVERIFY2(result.startsWith(QStringLiteral("Refilled in ")), qPrintable(result));
        QVERIFY(result.endsWith(QStringLiteral(": no problems found.")));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("summary"))->text(),
                 QStringLiteral("No problems found: every word appears exactly once."));
        QCOMPARE(wordLetters(editor.model()), words);
        QCOMPARE(readMessage(editor.model(), 6), QStringLiteral("GOTEAM"));
        // The grid on screen shows the new fill.
        const QAbstractItemModel *grid =
            editor.findChild<QTableView *>(QStringLiteral("quarrin"))->model();
        QCOMPARE(grid->index(1, 1).data().toString(), editor.model().cell(1, 1));
        window->reject();
    }

    // A loaded puzzle's letters outside its words may hold a hidden message
    // that nothing can tell from random letters: Refill asks before it draws
    // over them, and "No" leaves the puzzle as it was.
    void refillAsksBeforeDrawingOverALoadedFill()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("message.qrn"));
        {
            EditorWindow maker(GridSize::Small, &m_random, &m_snapshot);
            placeWord(maker, QStringLiteral("JIGSAW"), 1, 1, QStringLiteral("Down"));
            fillWithMessage(maker, QStringLiteral("go team"));
            maker.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            PuzzleFile file(GridSize::Small);
            QVERIFY(file.save(maker.model(), path).ok);
        }
        EditorWindow editor(GridSize::Small, &m_random, &m_snapshot);
        editor.show();
        QVERIFY(editor.loadFile(path).ok);
        QCOMPARE(readMessage(editor.model(), 6), QStringLiteral("GOTEAM"));
        const QStringList loaded = test::visibleCells(editor.model());
        CheckWindow *window = openCheck(editor);
        QVERIFY(window);
        auto *result = window->findChild<QLabel *>(QStringLiteral("refillResult"));

        QVERIFY(clickRefill(window, QMessageBox::No));
        QCOMPARE(test::visibleCells(editor.model()), loaded);
        QCOMPARE(result->text(), QString());

        QVERIFY(clickRefill(window, QMessageBox::Yes));
        QVERIFY2(result->text().startsWith(QStringLiteral("Refilled in ")),
                 qPrintable(result->text()));
        // Once drawn anew the fill is the editor's own: no more questions.
        QVERIFY(!clickRefill(window, QMessageBox::No));
        window->reject();
    }

    // A load that is cancelled or refused leaves the puzzle as it was, and
    // with it what Refill knows of the message filled in this session.
    void refusedLoadKeepsTheMessageForRefill()
    {
        QTemporaryDir dir;
        const QString damaged = dir.filePath(QStringLiteral("short.qrn"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, 'x'));
        file.close();

        EditorWindow editor(GridSize::Small, &m_random, &m_snapshot);
        editor.show();
        placeWord(editor, QStringLiteral("JIGSAW"), 1, 1, QStringLiteral("Down"));
        fillWithMessage(editor, QStringLiteral("go team"));
        editor.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QVERIFY(!editor.loadFile(damaged).ok);

        CheckWindow *window = openCheck(editor);
        QVERIFY(window);
        QVERIFY(!clickRefill(window, QMessageBox::No));
        QCOMPARE(readMessage(editor.model(), 6), QStringLiteral("GOTEAM"));
        window->reject();
    }

    void refillNamesWhatItCannotCure()
    {
        EditorWindow editor(GridSize::Large, &m_random, &m_snapshot);
        editor.show();
        placeWord(editor, QStringLiteral("DOG"), 1, 1, QStringLiteral("Right"));
        placeWord(editor, QStringLiteral("DOG"), 1, 1, QStringLiteral("Right"));
        CheckWindow *window = openCheck(editor);
        QVERIFY(window);
        QCOMPARE(listTexts(window->findChild<QListWidget *>(QStringLiteral("problems"))),
                 QStringList{"DOG is listed twice, both at 1, 1 Right"});
        window->findChild<QPushButton *>(QStringLiteral("refillButton"))->click();
        const QString result = window->findChild<QLabel *>(QStringLiteral("refillResult"))->text();
        QVERIFY2(result.contains(QStringLiteral("no fill can cure")), qPrintable(result));
        QVERIFY(result.contains(QStringLiteral("DOG is listed twice, both at 1, 1 Right")));
        window->reject();
    }
};

QTEST_MAIN(TestCheckWindow)
#include "test_check_window.moc"
