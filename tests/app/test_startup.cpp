// Start-up: the windows are created once in order and wired; closing either
// editor ends the program.

#include "app/quarrin_app.h"
#include "editor/editor_window.h"
#include "help/help_window.h"
#include "play/solve_window.h"
#include "print/print_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
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
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Word Quarrin Generator"));
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
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
