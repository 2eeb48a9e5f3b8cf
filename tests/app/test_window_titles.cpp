// Window titles as the window system shows them: every window and message box
// carries exactly its own caption, with nothing appended by the toolkit.
// Runs on a real X server (Xvfb) and reads _NET_WM_NAME with xprop.

#include "app/quarrin_app.h"
#include "editor/editor_window.h"
#include "help/help_window.h"
#include "play/solve_window.h"
#include "print/print_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace quarrin;

namespace {

// The _NET_WM_NAME of a shown window, as xprop reports it.
QString shownTitle(QWidget *window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000) || xprop.exitCode() != 0)
        return QStringLiteral("<xprop failed: %1>")
            .arg(QString::fromLocal8Bit(xprop.readAllStandardError()));
    // _NET_WM_NAME(UTF8_STRING) = "Print"
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const int first = int(out.indexOf(QLatin1Char('"')));
    const int last = int(out.lastIndexOf(QLatin1Char('"')));
    if (first < 0 || last <= first)
        return QStringLiteral("<no title: %1>").arg(out);
    return out.mid(first + 1, last - first - 1);
}

} // namespace

class TestWindowTitles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under Xvfb)");
        if (QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
            QSKIP("xprop is not installed");
        QApplication::setQuitOnLastWindowClosed(false);
        QuarrinApp::Options options;
        options.splashWaitMs = 0;
        options.showSplash = false;
        m_app = std::make_unique<QuarrinApp>(options);
        m_app->start();
    }
    void cleanupTestCase() { m_app.reset(); }

    void windowsShowTheirCaptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("15x15 editor") << "Main"
                                      << "Word Quarrin Generator 15x15 Grid";
        QTest::newRow("30x30 editor") << "MainC"
                                      << "Word Quarrin Generator 30x30 Grid";
        QTest::newRow("15x15 print") << "printPage"
                                     << "Print";
        QTest::newRow("30x30 print") << "printComplex"
                                     << "Print";
        QTest::newRow("help") << "helpForm"
                              << "Help!";
        QTest::newRow("15x15 play") << "SolveMode15"
                                    << "Word Quarrin Generator";
        QTest::newRow("30x30 play") << "solvemode30"
                                    << "Word Quarrin Generator";
    }
    void windowsShowTheirCaptions()
    {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QWidget *w = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == window)
                w = top;
        QVERIFY2(w, qPrintable(window));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(shownTitle(w), caption);
        if (w != m_app->main())
            w->hide();
    }

    // A message box of the editor: "Add Word" with nothing entered.
    void messageBoxShowsItsCaption()
    {
        QString shown;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || !QTest::qWaitForWindowExposed(box))
                return;
            poll.stop();
            shown = shownTitle(box);
            box->button(QMessageBox::Ok)->click();
        });
        poll.start();
        m_app->main()->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        QCOMPARE(shown, QStringLiteral("Word Quarrin Generator"));
    }

private:
    std::unique_ptr<QuarrinApp> m_app;
};

QTEST_MAIN(TestWindowTitles)
#include "test_window_titles.moc"
