// The help window's page (every text at its place and in its style) and the
// splash window's frame, size and hiding.

#include "help/help_window.h"
#include "help/splash_screen.h"
#include "paint_counter.h"

#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <set>

using namespace quarrin;
using quarrin::test::PaintCounter;

namespace {

const QColor kNavy(0, 0, 128);

QList<QLabel *> labelsAt(QWidget *panel, int y)
{
    QList<QLabel *> found;
    for (QLabel *label : panel->findChildren<QLabel *>()) {
        if (label->y() == y)
            found << label;
    }
    return found;
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void helpFormFrame();
    void helpTitle();
    void helpLine_data();
    void helpLine();
    void everyLabelIsNamedAndFits();
    void escapeLeavesTheHelpOpen();
    void splashFrame();
    void splashPicture();
    void hideAfterWaitZeroHides();
};

void TestHelpWindow::helpFormFrame()
{
    ThelpForm form;
    QCOMPARE(form.objectName(), QStringLiteral("helpForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Help!"));
    // 993 x 744 with the frame; the client area holds the panel with an
    // 8-pixel margin all round.
    QCOMPARE(form.size(), QSize(985, 713));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(30, 105, 174));

    auto *panel = form.findChild<QWidget *>(QStringLiteral("Panel1"));
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(8, 8, 969, 697));
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(137, 188, 235));
    QCOMPARE(panel->findChildren<QLabel *>().size(), 35);

    // The panel is painted in its colour inside a dark border.
    const QImage image = panel->grab().toImage();
    QCOMPARE(QColor(image.pixel(400, 690)), QColor(137, 188, 235));
    QCOMPARE(QColor(image.pixel(0, 300)), QColor(0, 0, 0));
}

void TestHelpWindow::helpTitle()
{
    ThelpForm form;
    auto *panel = form.findChild<QWidget *>(QStringLiteral("Panel1"));
    const QList<QLabel *> title = labelsAt(panel, 8);
    QCOMPARE(title.size(), 1);
    QCOMPARE(title.front()->text(), QStringLiteral("HELP!"));
    QCOMPARE(title.front()->x(), 368);
    QCOMPARE(title.front()->font().pixelSize(), 27);
    QVERIFY(!title.front()->font().bold());
    QCOMPARE(title.front()->palette().color(QPalette::WindowText), kNavy);
}

void TestHelpWindow::helpLine_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::newRow("y 48") << 16 << 48 << true << QStringLiteral("TO ENTER A WORD INTO THE GRID:");
    QTest::newRow("y 64")
        << 16 << 64 << false
        << QStringLiteral("1. Select the textbox at the top of the screen and enter your word");
    QTest::newRow("y 80") << 64 << 80 << false
                          << QStringLiteral("2A. If random position is ticked the word will be "
                                            "entered into a random position in a random direction");
    QTest::newRow("y 96") << 64 << 96 << false
                          << QStringLiteral(
                                 "2B. If random position is not ticked you will need to specify "
                                 "coordinates and a direction for the word to be entered in");
    QTest::newRow("y 112")
        << 16 << 112 << false
        << QStringLiteral(
               "The 'Highlight Words' button here is used to highlight the words you have already "
               "entered, this helps you see them when there are also random characters");
    QTest::newRow("y 136") << 16 << 136 << true
                           << QStringLiteral("WHAT DO I DO WITH THE LEFT OVER SPACES?");
    QTest::newRow("y 152") << 17 << 152 << false
                           << QStringLiteral("Press the 'Fill blank with random' button and the "
                                             "blank squares should be filled with random letters");
    QTest::newRow("y 176")
        << 16 << 176 << true
        << QStringLiteral(
               "I WANT TO SEE MY WORDS BUT I ALREADY PRESSED THE 'FILL REST WITH RANDOM' BUTTON");
    QTest::newRow("y 192") << 17 << 192 << false
                           << QStringLiteral(
                                  "Press the 'Remove random characters and message' button.");
    QTest::newRow("y 216") << 16 << 216 << true << QStringLiteral("HOW DO I SAVE?");
    QTest::newRow("y 232") << 16 << 232 << false
                           << QStringLiteral("Press the 'Save' button. Choose a location and enter "
                                             "a filename without entering an extension.");
    QTest::newRow("y 248")
        << 16 << 248 << false
        << QStringLiteral(
               "15x15 Grids are saved as '.qrn' files and 30x30 Grids are saved as '.qrn2'");
    QTest::newRow("y 272")
        << 16 << 272 << true
        << QStringLiteral(
               "ARE THERE ANY RESTRICTIONS WITH NUMBER OF WORDS ENTERED OR WORD LENGTHS?");
    QTest::newRow("y 288") << 16 << 288 << false
                           << QStringLiteral(
                                  "In 30x30 Grids the maximum word length is 22 characters and a "
                                  "maximum of 28 words can be entered.");
    QTest::newRow("y 304") << 16 << 304 << false
                           << QStringLiteral(
                                  "In 15x15 Grids the maximum word length is 14 characters and a "
                                  "maximum of 18 words can be entered.");
    QTest::newRow("y 328") << 16 << 328 << true << QStringLiteral("HOW DO I PRINT?");
    QTest::newRow("y 344") << 16 << 344 << false << QStringLiteral("Click the 'Print' button.");
    QTest::newRow("y 360")
        << 16 << 360 << false
        << QStringLiteral(
               "You can customize some of the layout here. For additional customization save the "
               "image using the 'Save Image' button and then edit it with your favourite graphics");
    QTest::newRow("y 376") << 16 << 376 << false << QStringLiteral("program.");
    QTest::newRow("y 400") << 16 << 400 << true
                           << QStringLiteral(
                                  "WHEN I PRINT, CAN I REPLACE THE WORD LIST WITH CLUES?");
    QTest::newRow("y 416") << 16 << 416 << false
                           << QStringLiteral(
                                  "Yes, select the word you wish to change into a clue, enter the "
                                  "desired clue and press the 'Replace' button.");
    QTest::newRow("y 440") << 16 << 440 << true
                           << QStringLiteral("CAN I EXPORT TO MICROSOFT WORD?");
    QTest::newRow("y 456") << 16 << 456 << false
                           << QStringLiteral("To export to Microsoft Word, click the 'Export to "
                                             "Word' button and it should open up a word document.");
    QTest::newRow("y 472")
        << 16 << 472 << false
        << QStringLiteral(
               "The document should automatically create a table with the contents of the grid.");
    QTest::newRow("y 496") << 16 << 496 << true
                           << QStringLiteral("WHAT ARE THE EASY, MEDIUM, AND HARD BUTTONS FOR? "
                                             "(FUNCTION ONLY USED WHEN RANDOM POSITION IS TICKED)");
    QTest::newRow("y 512")
        << 16 << 512 << false
        << QStringLiteral("When set to easy, words will only be entered down, and right. On medium "
                          "they will also go diagonally up and down to the right.");
    QTest::newRow("y 528")
        << 16 << 528 << false
        << QStringLiteral("On hard the words will be entered up, down, left, right, and in all "
                          "diagonal directions. The allowed directions can also be altered");
    QTest::newRow("y 544") << 16 << 544 << false
                           << QStringLiteral("by using the check boxes to select the directions "
                                             "you want the words to be entered in.");
    QTest::newRow("y 568") << 16 << 568 << true
                           << QStringLiteral("WHAT IS THE 'FILL BLANK WITH MESSAGE' BUTTON FOR?");
    QTest::newRow("y 584") << 16 << 584 << false
                           << QStringLiteral(
                                  "This button is used to fill the left over spaces with a secret "
                                  "message that can be read when the puzzle is completed.");
    QTest::newRow("y 600")
        << 16 << 600 << false
        << QStringLiteral(
               "Please ensure that you have finished adding words before using this function. Your "
               "secret message will be entered into the blank spaces starting");
    QTest::newRow("y 616")
        << 16 << 616 << false
        << QStringLiteral(
               "from the top left square and moving right. Spaces will automatically be removed "
               "and the left over blank spaces can be filled with random char using");
    QTest::newRow("y 632")
        << 16 << 632 << false
        << QStringLiteral("the 'Fill blank with random'. Note: Maximum length for each message is "
                          "255 characters (may be less depending on number of blank spaces).");
    QTest::newRow("y 648") << 16 << 648 << false
                           << QStringLiteral("You may add multiple messages; these will be entered "
                                             "after the previous message(s).");
}

void TestHelpWindow::helpLine()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, bold);
    QFETCH(QString, text);

    ThelpForm form;
    auto *panel = form.findChild<QWidget *>(QStringLiteral("Panel1"));
    QVERIFY(panel);
    const QList<QLabel *> labels = labelsAt(panel, y);
    QCOMPARE(labels.size(), 1); // one line each
    QLabel *label = labels.front();
    QCOMPARE(label->text(), text);
    QCOMPARE(label->x(), x);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(label->font().pixelSize(), 12);
    QCOMPARE(label->palette().color(QPalette::WindowText), kNavy);
    QVERIFY(!label->wordWrap());
    QVERIFY(label->height() <= 16); // does not run into the next line
}

void TestHelpWindow::everyLabelIsNamedAndFits()
{
    ThelpForm form;
    auto *panel = form.findChild<QWidget *>(QStringLiteral("Panel1"));
    std::set<QString> names;
    for (QLabel *label : panel->findChildren<QLabel *>()) {
        QVERIFY(!label->objectName().isEmpty());
        names.insert(label->objectName());
        QCOMPARE(label->accessibleName(), label->text());
        // The whole text is shown: the label is as wide as its text and
        // ends inside the panel.
        QVERIFY2(label->geometry().right() < panel->width() - 2, qPrintable(label->text()));
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    }
    QCOMPARE(int(names.size()), 35);
}

// The help window reacts to nothing but its close box: Esc leaves it open.
void TestHelpWindow::escapeLeavesTheHelpOpen()
{
    ThelpForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    QCOMPARE(form.result(), 0);
    form.close();
    QVERIFY(!form.isVisible());
}

void TestHelpWindow::splashFrame()
{
    TSplashScreen splash;
    QCOMPARE(splash.objectName(), QStringLiteral("SplashScreen"));
    QCOMPARE(splash.size(), QSize(692, 262));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.windowType(), Qt::SplashScreen);
    QCOMPARE(splash.cursor().shape(), Qt::CrossCursor);
    QCOMPARE(splash.palette().color(QPalette::Window),
             QApplication::palette("QMenu").color(QPalette::Window));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(splash.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(splash.geometry().center().y() - screen.center().y()) <= 1);

    auto *image = splash.findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(0, 0, 697, 265));
    QCOMPARE(image->pixmap().size(), QSize(692, 262));
}

// The picture is drawn, not blank: the emblem's white card on the left, the
// white title on the right, and several colours of marked squares.
void TestHelpWindow::splashPicture()
{
    const QImage picture = TSplashScreen::drawPicture();
    QCOMPARE(picture.size(), QSize(692, 262));
    QCOMPARE(picture.depth(), 24);
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3) {
        for (int x = 0; x < picture.width(); x += 3)
            colours.insert(picture.pixel(x, y));
    }
    QVERIFY(colours.size() > 50);
    int whiteLeft = 0;
    int whiteRight = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == qRgb(255, 255, 255))
                ++(x < 250 ? whiteLeft : whiteRight);
        }
    }
    QVERIFY(whiteLeft > 1000);
    QVERIFY(whiteRight > 1000);
}

// A wait of 0 hides at once, without the waiting loop's repaints; a real
// wait paints the picture before it hides. (How long the waits take is
// measured by bench_splash, not here.)
void TestHelpWindow::hideAfterWaitZeroHides()
{
    TSplashScreen splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCoreApplication::processEvents();
    PaintCounter zero(&splash);
    splash.hideAfterWait(0);
    QVERIFY(!splash.isVisible());
    QCOMPARE(zero.count, 0);

    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCoreApplication::processEvents();
    PaintCounter shortWait(&splash);
    splash.hideAfterWait(20);
    QVERIFY(!splash.isVisible());
    QVERIFY(shortWait.count > 0);
}

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
