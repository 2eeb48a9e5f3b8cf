// "Print Worksheet..." in both print windows: where the button stands, the
// options dialog, the two pages it prints through the chosen printer (read
// back with the poppler tools), a cancelled dialog, no printer, and the
// worksheet PDF of "Save Image" taking the same options.

#include "key_fixture.h"
#include "print/print_window.h"
#include "print/worksheet_dialog.h"
#include "stub_print_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using quarrin::testing::StubPrintDialogs;


namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool haveTools()
{
    for (const char *name : {"pdfinfo", "pdftotext"}) {
        if (QStandardPaths::findExecutable(QLatin1String(name)).isEmpty())
            return false;
    }
    return true;
}

struct Window
{
    PuzzleSnapshot snapshot;
    std::unique_ptr<PrintWindow> window;
    StubPrintDialogs *dialogs = nullptr;

    explicit Window(GridSize size) : snapshot(testing::eightWaySnapshot(size))
    {
        window = std::make_unique<PrintWindow>(size, &snapshot);
        auto stub = std::make_unique<StubPrintDialogs>();
        dialogs = stub.get();
        window->setDialogs(std::move(stub));
        window->show();
        QApplication::processEvents();
    }
    QPushButton *button() const
    {
        return window->findChild<QPushButton *>(QStringLiteral("printWorksheet"));
    }
    void printTo(const QString &pdf)
    {
        window->printer().setOutputFormat(QPrinter::PdfFormat);
        window->printer().setOutputFileName(pdf);
        QTest::mouseClick(button(), Qt::LeftButton);
    }
};

} // namespace

class TestWorksheetPrint : public QObject
{
    Q_OBJECT

private slots:
    void buttonInTheFreeBand_data();
    void buttonInTheFreeBand();
    void printsTheWorksheet();
    void cancelAndNoPrinter();
    void saveImageTakesTheOptions();
    void dialogOptions();
};

void TestWorksheetPrint::buttonInTheFreeBand_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

void TestWorksheetPrint::buttonInTheFreeBand()
{
    QFETCH(GridSize, size);
    Window w(size);
    QPushButton *button = w.button();
    QVERIFY(button && button->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Print Worksheet..."));
    QCOMPARE(button->accessibleName(), QStringLiteral("Print Worksheet..."));
    // below the clue row, inside the window, over no other control
    const QRect place = button->geometry();
    QVERIFY(place.top() >= printLayout(size).replaceButton.top + kFieldHeight);
    QVERIFY(place.bottom() < kNormalHeight);
    for (QWidget *other : w.window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != button && other->isVisible())
            QVERIFY2(!other->geometry().intersects(place), qPrintable(other->objectName()));
    }
}

void TestWorksheetPrint::printsTheWorksheet()
{
    if (!haveTools())
        QSKIP("the poppler tools are not installed");
    QTemporaryDir dir;
    Window w(GridSize::Small);
    WorksheetOptions options;
    options.paper = QStringLiteral("a5");
    options.style.nameLine = true;
    options.style.letterCase = LetterCase::Lower;
    options.style.order = WordOrder::Alphabetical;
    w.dialogs->worksheetAnswer = options;
    const QPageLayout before = w.window->printer().pageLayout();
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    w.printTo(pdf);
    QCOMPARE(w.dialogs->messages, QStringList());
    QCOMPARE(w.dialogs->worksheetAsks.size(), 1);

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("420 x 595 pts (A5)")), qPrintable(info));
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, "-"});
    const QStringList pages = text.split(QLatin1Char('\f'));
    QVERIFY2(pages.at(0).startsWith(QStringLiteral("Word Quarrin\nName Date\nh o r s e")),
             qPrintable(pages.at(0)));
    QVERIFY2(pages.at(0).simplified().contains(
                 QStringLiteral("calf duck goat hen horse lamb mule pony sheep")),
             qPrintable(pages.at(0)));
    QVERIFY(pages.at(1).startsWith(QStringLiteral("Word Quarrin \u2013 Answer Key")));
    // the printer keeps the paper "Printer Setup" gave it, and the options are kept
    QCOMPARE(w.window->printer().pageLayout().pageSize().id(), before.pageSize().id());
    QCOMPARE(w.window->worksheetOptions().paper, QStringLiteral("a5"));
    QTest::mouseClick(w.button(), Qt::LeftButton);
    QCOMPARE(w.dialogs->worksheetAsks.size(), 2);
    QCOMPARE(w.dialogs->worksheetAsks.at(1).paper, QStringLiteral("a5"));
    QVERIFY(w.dialogs->worksheetAsks.at(1).style.nameLine);
}

void TestWorksheetPrint::cancelAndNoPrinter()
{
    QTemporaryDir dir;
    Window w(GridSize::Large);
    // cancelled: nothing printed, nothing said
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    w.printTo(pdf);
    QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(w.dialogs->messages, QStringList());
    // no printer: the message "Print" gives
    w.dialogs->worksheetAnswer = WorksheetOptions{};
    w.window->printer().setOutputFormat(QPrinter::PdfFormat);
    w.window->printer().setOutputFileName(QString());
    QTest::mouseClick(w.button(), Qt::LeftButton);
    QCOMPARE(w.dialogs->messages.size(), 1);
    QVERIFY(w.dialogs->messages.at(0).startsWith(QStringLiteral("There is no printer")));
}

void TestWorksheetPrint::saveImageTakesTheOptions()
{
    if (!haveTools())
        QSKIP("the poppler tools are not installed");
    QTemporaryDir dir;
    Window w(GridSize::Small);
    WorksheetOptions options;
    options.paper = QStringLiteral("6x9in");
    options.answerKey = false;
    options.style.nameLine = true;
    w.dialogs->worksheetAnswer = options;
    w.printTo(dir.filePath(QStringLiteral("printed.pdf")));
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    w.dialogs->onSave = [path](QWidget *, const QString &) {
        return std::optional<SaveChoice>(SaveChoice{path, QLatin1String(kWorksheetFilter)});
    };
    QTest::mouseClick(w.window->findChild<QPushButton *>(QStringLiteral("Button8")),
                      Qt::LeftButton);
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY(info.contains(QStringLiteral("432 x 648 pts")));
    QVERIFY(run(QStringLiteral("pdftotext"), {path, "-"}).contains(QStringLiteral("Name")));
}

void TestWorksheetPrint::dialogOptions()
{
    WorksheetOptions initial;
    initial.paper = QStringLiteral("7x10in");
    initial.style.listPoints = 10;
    WorksheetDialog dialog(initial);
    const auto child = [&](const char *name) {
        return dialog.findChild<QWidget *>(QLatin1String(name));
    };
    auto *paper = qobject_cast<QComboBox *>(child("paper"));
    QCOMPARE(paper->currentData().toString(), QStringLiteral("7x10in"));
    QCOMPARE(dialog.options().style.listPoints, 10.0);
    // the large-print preset raises the sizes to its minimums, and no further
    qobject_cast<QCheckBox *>(child("largePrint"))->setChecked(true);
    WorksheetOptions o = dialog.options();
    QVERIFY(o.style.largePrint);
    QCOMPARE(o.style.listPoints, kLargeListPoints);
    QCOMPARE(o.style.titlePoints, kLargeTitlePoints);
    qobject_cast<QDoubleSpinBox *>(child("listSize"))->setValue(18);
    qobject_cast<QComboBox *>(child("letterCase"))->setCurrentIndex(1);
    qobject_cast<QComboBox *>(child("wordOrder"))->setCurrentIndex(1);
    qobject_cast<QCheckBox *>(child("nameLine"))->setChecked(true);
    qobject_cast<QCheckBox *>(child("withKey"))->setChecked(false);
    paper->setCurrentIndex(0);
    o = dialog.options();
    QCOMPARE(o.style.listPoints, 18.0);
    QCOMPARE(o.style.letterCase, LetterCase::Lower);
    QCOMPARE(o.style.order, WordOrder::Alphabetical);
    QVERIFY(o.style.nameLine);
    QVERIFY(!o.answerKey);
    QCOMPARE(o.paper, QString()); // the printer's paper
    // every control can be found by a screen reader
    for (const char *name : {"paper", "letterCase", "wordOrder", "fontFamily", "titleSize",
                             "gridSize", "listSize", "largePrint", "nameLine", "withKey"})
        QVERIFY2(!child(name)->accessibleName().isEmpty(), name);
}

QTEST_MAIN(TestWorksheetPrint)
#include "test_worksheet_print.moc"
