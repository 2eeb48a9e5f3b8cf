// Puzzles of any size in the program: "New Puzzle..." opens the editor of the
// chosen size, documents are saved and loaded in every editor and open in the
// editor of their size, with the print page's settings, and the document
// editor's grid scales with its window.

#include "app/quarrin_app.h"
#include "app_options.h"
#include "editor/editor_grid.h"
#include "editor/editor_window.h"
#include "files/puzzle_document.h"
#include "modal_answerer.h"
#include "play/solve_window.h"
#include "print/print_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using quarrin::test::ModalAnswerer;
using quarrin::test::noSplash;

namespace {

// Answers "New Puzzle..." with the given sides.
std::function<void(QDialog *)> answerNewPuzzle(int columns, int rows, bool dense = false)
{
    return [=](QDialog *dialog) {
        if (dialog->objectName() != QLatin1String("newPuzzle"))
            return;
        dialog->findChild<QSpinBox *>("columns")->setValue(columns);
        dialog->findChild<QSpinBox *>("rows")->setValue(rows);
        dialog->findChild<QCheckBox *>("densePlacement")->setChecked(dense);
        dialog->findChild<QPushButton *>("ok")->click();
    };
}

void addWordAt(EditorWindow *editor, const QString &word, int x, int y, const QString &direction)
{
    AddWordRequest request;
    request.word = word;
    request.x = QString::number(x);
    request.y = QString::number(y);
    request.direction = direction;
    QVERIFY(editor->model().addWord(request).placed);
    editor->showPuzzle();
}

QString writeDocumentFile(const QString &path, GridSize size, const QString &word)
{
    RandomGenerator random([] { return std::uint64_t(5); });
    PuzzleModel model(size, &random);
    AddWordRequest request;
    request.word = word;
    request.x = QStringLiteral("1");
    request.y = QStringLiteral("1");
    request.direction = QStringLiteral("Right");
    model.addWord(request);
    model.fillRandom();
    PageSettings page;
    page.title = QStringLiteral("From a file");
    saveDocument(documentFromModel(model, 0, &page), path);
    return path;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT
private slots:
    void newPuzzleOpensTheEditorOfItsSize()
    {
        QuarrinApp app(noSplash());
        app.start();
        {
            ModalAnswerer answerer;
            answerer.onDialog = answerNewPuzzle(20, 12);
            app.main()->findChild<QAction *>("NewPuzzle1")->trigger();
            QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
        }
        EditorWindow *document = app.documentEditor();
        QVERIFY(document);
        QCOMPARE(document->gridSize(), GridSize(20, 12));
        QCOMPARE(document->objectName(), QStringLiteral("MainDocument"));
        QVERIFY(document->isVisible());
        QVERIFY(!app.main()->isVisible());
        QCOMPARE(document->windowTitle(), QStringLiteral("Word Quarrin Generator 20x12 Grid"));
        auto *grid = document->findChild<EditorGridView *>("quarrinDocument");
        QVERIFY(grid);
        QCOMPARE(grid->model()->columnCount(), 20);
        QCOMPARE(grid->model()->rowCount(), 12);
        // The same commands as the record editors, "New Puzzle..." on the
        // size switch's button.
        for (const char *name : {"wordEB", "BitBtn1", "Button1", "Button8", "Button2", "ExportWord",
                                 "removeRandom", "Button9", "BitBtn2", "BitBtn4", "saveBTN"})
            QVERIFY2(document->findChild<QWidget *>(name), name);
        QCOMPARE(document->findChild<QPushButton *>("Button5")->text(),
                 QStringLiteral("New Puzzle..."));

        // A record size from the document editor goes back to its record editor.
        {
            ModalAnswerer answerer;
            answerer.onDialog = answerNewPuzzle(15, 15);
            document->findChild<QPushButton *>("Button5")->click();
        }
        QVERIFY(app.main()->isVisible());
        QVERIFY(!document->isVisible());
        {
            ModalAnswerer answerer;
            answerer.onDialog = answerNewPuzzle(30, 30);
            app.main()->findChild<QAction *>("NewPuzzle1")->trigger();
        }
        QVERIFY(app.mainC()->isVisible());
        QVERIFY(!app.main()->isVisible());
    }

    void anotherSizeMakesANewDocumentEditor()
    {
        QuarrinApp app(noSplash());
        app.start();
        {
            ModalAnswerer answerer;
            answerer.onDialog = answerNewPuzzle(20, 12);
            app.main()->findChild<QAction *>("NewPuzzle1")->trigger();
        }
        QPointer<EditorWindow> first = app.documentEditor();
        addWordAt(first, QStringLiteral("OTTER"), 1, 1, QStringLiteral("Right"));
        // The same size keeps the editor and empties its puzzle, once the
        // unsaved OTTER is let go.
        {
            ModalAnswerer answerer;
            answerer.onDialog = answerNewPuzzle(20, 12, true);
            answerer.questionAnswer = QStringLiteral("discardAnswer");
            first->findChild<QAction *>("NewPuzzle1")->trigger();
            QCOMPARE(answerer.questions,
                     QStringList{QStringLiteral("Save changes to this puzzle?")});
        }
        QCOMPARE(app.documentEditor(), first.data());
        QVERIFY(first->model().log().isEmpty());
        QVERIFY(first->densePlacement());
        {
            ModalAnswerer answerer;
            answerer.onDialog = answerNewPuzzle(8, 25);
            first->findChild<QAction *>("NewPuzzle1")->trigger();
        }
        flushDeletes();
        QVERIFY(!first);
        QCOMPARE(app.documentEditor()->gridSize(), GridSize(8, 25));
        QVERIFY(app.documentEditor()->isVisible());
        QCOMPARE(app.documentPrintWindow()->gridSize(), GridSize(8, 25));
        QCOMPARE(app.documentPlayWindow()->gridSize(), GridSize(8, 25));
    }

    // A 15x15 puzzle saved as a document keeps its title, clues and page
    // settings; loaded again they all come back.
    void recordSizeDocumentKeepsTitleAndClues()
    {
        QTemporaryDir dir;
        QuarrinApp app(noSplash());
        app.start();
        EditorWindow *main = app.main();
        addWordAt(main, QStringLiteral("SHEEP"), 2, 3, QStringLiteral("Down"));
        addWordAt(main, QStringLiteral("GOAT"), 5, 5, QStringLiteral("Right"));
        main->model().setClue(0, QStringLiteral("Woolly"));
        PageSettings page;
        page.title = QStringLiteral("On the farm");
        page.titleTop = 12;
        page.gridColour = QStringLiteral("#ffffcc");
        page.answerKey = true;
        app.printPage()->applyPageSettings(page);

        ModalAnswerer answerer;
        answerer.fileToChoose = dir.filePath(QStringLiteral("farm.ipuz"));
        main->findChild<QPushButton *>("saveBTN")->click();
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
        QVERIFY(QFile::exists(answerer.fileToChoose));

        // Another puzzle and another page in between.
        main->findChild<QPushButton *>("Button2")->click();
        app.printPage()->applyPageSettings(PageSettings());
        QVERIFY(main->model().log().isEmpty());

        main->findChild<QAction *>("Load1")->trigger();
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
        QVERIFY(main->isVisible());
        QCOMPARE(main->model().log(), (QStringList{"SHEEP", "GOAT"}));
        QCOMPARE(main->model().clue(0), QStringLiteral("Woolly"));
        QCOMPARE(app.printPage()->pageSettings(), page);
        // The print page shows the clue.
        PuzzleSnapshot snapshot;
        takeSnapshot(main->model(), snapshot);
        QCOMPARE(PageDescription::standard(GridSize::Small, snapshot).labels.mid(0, 2),
                 (QStringList{"1. Woolly", "2. GOAT"}));
    }

    void aDocumentOpensInTheEditorOfItsSize_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<QString>("editorName");
        QTest::newRow("20x20 from the 15x15 editor") << GridSize(20, 20) << "MainDocument";
        QTest::newRow("30x30 from the 15x15 editor") << GridSize::Large << "MainC";
        QTest::newRow("15x15 into the 15x15 editor") << GridSize::Small << "Main";
    }
    void aDocumentOpensInTheEditorOfItsSize()
    {
        QFETCH(GridSize, size);
        QFETCH(QString, editorName);
        QTemporaryDir dir;
        const QString path = writeDocumentFile(dir.filePath(QStringLiteral("p.ipuz")), size,
                                               QStringLiteral("BADGER"));
        QuarrinApp app(noSplash());
        app.start();
        ModalAnswerer answerer;
        answerer.fileToChoose = path;
        app.main()->findChild<QPushButton *>("BitBtn4")->click();
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));
        EditorWindow *shown = app.shownEditor();
        QCOMPARE(shown->objectName(), editorName);
        QCOMPARE(shown->gridSize(), size);
        QCOMPARE(shown->model().log(), QStringList{"BADGER"});
        QCOMPARE(shown->model().cell(0, 0), QStringLiteral("B"));
        QCOMPARE(shown->documentPath(), path);
    }

    void aDamagedDocumentChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.ipuz"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "{\"version\": \"http://ipuz.org/v2\", \"kind\": [\"http://ipuz.org/wordsearch#1\"], "
            "\"dimensions\": {\"width\": 99, \"height\": 9}}");
        f.close();
        QuarrinApp app(noSplash());
        app.start();
        addWordAt(app.main(), QStringLiteral("MOLE"), 1, 1, QStringLiteral("Down"));
        ModalAnswerer answerer;
        answerer.fileToChoose = path;
        app.main()->findChild<QPushButton *>("BitBtn4")->click();
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY2(
            answerer.messages.first().contains(QStringLiteral("its grid is 99 columns by 9 rows")),
            qPrintable(answerer.messages.first()));
        QVERIFY(app.main()->isVisible());
        QCOMPARE(app.main()->model().log(), QStringList{"MOLE"});
        QVERIFY(!app.documentEditor());
    }

    // Double-clicking a document starts the program with its name.
    void aDocumentNamedOnTheCommandLineOpens()
    {
        QTemporaryDir dir;
        const QString path = writeDocumentFile(dir.filePath(QStringLiteral("cli.ipuz")),
                                               GridSize(7, 23), QStringLiteral("NEWT"));
        QuarrinApp::Options options = noSplash();
        options.openFile = path;
        QuarrinApp app(options);
        app.start();
        QVERIFY(app.documentEditor());
        QVERIFY(app.documentEditor()->isVisible());
        QVERIFY(!app.main()->isVisible());
        QCOMPARE(app.documentEditor()->gridSize(), GridSize(7, 23));
        QCOMPARE(app.documentEditor()->model().log(), QStringList{"NEWT"});
        QCOMPARE(app.documentPrintWindow()->pageSettings().title, QStringLiteral("From a file"));
    }

    // The document editor's cells follow its window: a 50x50 grid stays
    // legible in a window that fits a 1366 x 768 screen.
    void documentEditorGridScalesWithItsWindow()
    {
        RandomGenerator random;
        PuzzleSnapshot snapshot;
        EditorWindow editor(GridSize(50, 50), EditorKind::Document, &random, &snapshot);
        editor.show();
        editor.resize(1366, 700);
        QApplication::processEvents();
        auto *grid = editor.findChild<EditorGridView *>("quarrinDocument");
        const int small = grid->cellPixels();
        QVERIFY2(small >= 11, qPrintable(QString::number(small)));
        QVERIFY(grid->font().pixelSize() >= 8);
        // The whole grid lies inside its panel, inside the window.
        const QRect panel = editor.findChild<QWidget *>("Panel1")->geometry();
        QVERIFY(QRect(QPoint(0, 0), panel.size()).contains(grid->geometry()));
        QVERIFY(editor.centralWidget()->rect().contains(panel));
        editor.resize(1900, 1150);
        QApplication::processEvents();
        QVERIFY(grid->cellPixels() > small);
        // Every control stays inside the window.
        for (QWidget *w :
             editor.centralWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(editor.centralWidget()->rect().contains(w->geometry()),
                     qPrintable(w->objectName()));
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
