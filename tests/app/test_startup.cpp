// Start-up: the windows are created once in order and wired; closing either
// editor ends the program.

#include "app/quarrin_app.h"
#include "editor/editor_window.h"
#include "help/help_window.h"
#include "play/solve_window.h"
#include "print/print_window.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quarrin;

namespace {

QuarrinApp::Options noSplashWait()
{
    QuarrinApp::Options o;
    o.splashWaitMs = 0;
    return o;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void createsEveryWindowOnceInOrder()
    {
        QuarrinApp app(noSplashWait());
        app.start();
        QCOMPARE(app.creationOrder(), (QStringList{"Main", "printPage", "MainC", "printComplex",
                                                   "helpForm", "SolveMode15", "solvemode30"}));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Word Quarrin Generator"));
        QVERIFY(app.main()->isVisible());
        QVERIFY(!app.mainC()->isVisible());
        QVERIFY(!app.printPage()->isVisible());
        QVERIFY(!app.solveMode15()->isVisible());
        QVERIFY(!app.helpForm()->isVisible());
        // The splash is gone.
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QLatin1String("SplashScreen") || !w->isVisible());
    }

    void sizeSwitchShowsTheOtherEditor()
    {
        QuarrinApp app(noSplashWait());
        app.start();
        auto *toLarge = app.main()->findChild<QPushButton *>("Button5");
        QVERIFY(toLarge);
        toLarge->click();
        QVERIFY(app.mainC()->isVisible());
        QVERIFY(!app.main()->isVisible());
        auto *toSmall = app.mainC()->findChild<QPushButton *>("Button5");
        toSmall->click();
        QVERIFY(app.main()->isVisible());
        QVERIFY(!app.mainC()->isVisible());
    }

    void closingEitherEditorEndsTheProgram_data()
    {
        QTest::addColumn<bool>("fromLarge");
        QTest::newRow("15x15 close box") << false;
        QTest::newRow("30x30 close box") << true;
    }
    void closingEitherEditorEndsTheProgram()
    {
        QFETCH(bool, fromLarge);
        QuarrinApp app(noSplashWait());
        app.start();
        if (fromLarge)
            app.main()->findChild<QPushButton *>("Button5")->click();
        bool quitRequested = false;
        QObject guard;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &guard,
                         [&] { quitRequested = true; });
        // Run a nested loop that the close must end.
        QTimer::singleShot(0, [&] {
            if (fromLarge)
                app.mainC()->close();
            else
                app.main()->close();
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        const int rc = QCoreApplication::exec();
        QCOMPARE(rc, 0);
        QVERIFY(quitRequested);
        QVERIFY(!app.main()->isVisible());
        QVERIFY(!app.mainC()->isVisible());
    }

    void playWindowClosingResetsTheEditorsHighlighting()
    {
        QuarrinApp app(noSplashWait());
        app.start();
        app.main()->setHighlighting(true);
        QTimer::singleShot(0, [&] { app.solveMode15()->close(); });
        app.main()->findChild<QPushButton *>("Button9")->click(); // Play it!
        QVERIFY(!app.main()->highlighting());
    }

    // `word_quarrin FILE`: the file goes to the editor of its size, shown
    // after the splash; a file that cannot be loaded gives the load's message
    // over an empty 15x15 editor.
    void opensTheFileGivenOnTheCommandLine_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("15x15 file") << GridSize::Small << false;
        QTest::newRow("30x30 file") << GridSize::Large << false;
        QTest::newRow("damaged 30x30 file") << GridSize::Large << true;
        QTest::newRow("not a puzzle") << GridSize() << true;
    }
    void opensTheFileGivenOnTheCommandLine()
    {
        QFETCH(GridSize, size);
        QFETCH(bool, damaged);
        const bool notAPuzzle = QByteArray(QTest::currentDataTag()) == "not a puzzle";
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("puzzle"));
        if (notAPuzzle) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a puzzle");
        } else {
            RandomGenerator random;
            PuzzleModel model(size, &random);
            AddWordRequest add;
            add.word = QStringLiteral("OTTER");
            add.x = QStringLiteral("2");
            add.y = QStringLiteral("3");
            add.direction = QStringLiteral("Down");
            QVERIFY(model.addWord(add).placed);
            PuzzleFile file{size};
            QVERIFY(file.save(model, path).ok);
            if (damaged) {
                // A grid field whose length byte runs past its field.
                QFile f(path);
                QVERIFY(f.open(QIODevice::ReadWrite));
                f.seek(0);
                f.write("\xff");
            }
        }
        QString expectedError;
        if (damaged) {
            RandomGenerator random;
            const GridSize tried = notAPuzzle ? GridSize::Small : size;
            PuzzleModel model(tried, &random);
            PuzzleFile file(tried);
            const FileResult loaded = file.load(model, path);
            QVERIFY(!loaded.ok);
            expectedError = loaded.error;
        }

        QuarrinApp::Options options = noSplashWait();
        options.openFile = path;
        QuarrinApp app(options);
        QStringList messages;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (box && box->isVisible()) {
                    messages << box->text();
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        answerer.start(0);
        app.start();
        if (damaged)
            QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 30000);
        QTest::qWait(50);
        QCOMPARE(messages.size(), damaged ? 1 : 0);

        if (damaged) {
            QCOMPARE(messages, QStringList{expectedError});
            QVERIFY(app.main()->isVisible());
            QVERIFY(!app.mainC()->isVisible());
            QVERIFY(app.main()->model().log().isEmpty());
            return;
        }
        EditorWindow *shown =
            size == GridSize::Large ? static_cast<EditorWindow *>(app.mainC()) : app.main();
        EditorWindow *other =
            shown == app.main() ? static_cast<EditorWindow *>(app.mainC()) : app.main();
        QVERIFY(shown->isVisible());
        QVERIFY(!other->isVisible());
        QCOMPARE(shown->model().log(), QStringList{"OTTER"});
        QCOMPARE(shown->model().positions(), QStringList{"2, 3"});
        QCOMPARE(shown->model().cell(1, 2), QStringLiteral("O"));
        QVERIFY(other->model().log().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
