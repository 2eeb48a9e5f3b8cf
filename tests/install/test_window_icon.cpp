// The program's windows carry its icon in every size the theme icon ships,
// and name the desktop entry so the desktop can match windows to it.

#include "app/quarrin_app.h"
#include "editor/editor_window.h"

#include <QApplication>
#include <QTest>

using namespace quarrin;

class TestWindowIcon : public QObject
{
    Q_OBJECT
private slots:
    void everySizeIsBuiltIn()
    {
        const QList<QSize> sizes = QuarrinApp::programIcon().availableSizes();
        for (int s : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
        QCOMPARE(sizes.size(), 8);
    }

    void startSetsTheIconOnEveryWindow()
    {
        QuarrinApp::Options options;
        options.splashWaitMs = 0;
        QuarrinApp app(options);
        app.start();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.wordquarrin.WordQuarrin"));
        QVERIFY(!QApplication::windowIcon().isNull());
        for (QWidget *w :
             {static_cast<QWidget *>(app.main()), static_cast<QWidget *>(app.mainC())}) {
            const QList<QSize> sizes = w->windowIcon().availableSizes();
            QVERIFY2(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)),
                     qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(TestWindowIcon)
#include "test_window_icon.moc"
