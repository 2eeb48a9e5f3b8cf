// The print windows: activation from the snapshot, the title tools, fonts and
// colours, the clue list, saving the page picture and printing failures.

#include "grid/pub_str_grid.h"
#include "print/page_elements.h"
#include "print/print_window.h"
#include "print_fixture.h"
#include "stub_print_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtEndian>

#include <unistd.h>

using namespace quarrin;
using namespace quarrin::testing;


namespace {

const QStringList kToolNames = {"BitBtn2", "Button5", "BitBtn3", "Button3", "Button4",
                                "pos",     "Button8", "Button1", "Button2", "Button6"};

QString positionLabelName(GridSize size)
{
    return size == GridSize::Small ? QStringLiteral("Label4") : QStringLiteral("Label5");
}

// One print window over a made-up puzzle, with dialogs that answer at once.
struct Harness
{
    PuzzleSnapshot snapshot;
    std::unique_ptr<PrintWindow> window;
    StubPrintDialogs *dialogs = nullptr;

    explicit Harness(GridSize size, int words = 4)
        : snapshot(makeSnapshot(size, sampleWords(size, words)))
    {
        window = std::make_unique<PrintWindow>(size, &snapshot);
        auto stub = std::make_unique<StubPrintDialogs>();
        dialogs = stub.get();
        window->setDialogs(std::move(stub));
        window->show();
    }
    template <typename T = QWidget> T *child(const QString &name) const
    {
        T *w = window->findChild<T *>(name);
        if (!w)
            qFatal("no child %s", qPrintable(name));
        return w;
    }
    // Presses a tool button as the user would.
    void press(const char *name) const
    {
        QTest::mouseClick(child<QPushButton>(QLatin1String(name)), Qt::LeftButton);
    }
    QString caption(int k) const { return child<QLabel>(QStringLiteral("l%1").arg(k))->text(); }
    QLabel *title() const { return child<QLabel>(QStringLiteral("Label7")); }
    TPubStrGrid *grid() const
    {
        return window->findChild<TPubStrGrid *>(window->gridSize() == GridSize::Small
                                                    ? QStringLiteral("quarrin")
                                                    : QStringLiteral("quarrin2"));
    }
    QComboBox *clueBox() const { return child<QComboBox>(QStringLiteral("clueBox")); }
    QLineEdit *wordTo() const { return child<QLineEdit>(QStringLiteral("wordTo")); }
    void replace(int item, const QString &clue)
    {
        clueBox()->showPopup();
        clueBox()->hidePopup();
        if (item >= 0)
            clueBox()->setCurrentIndex(item);
        wordTo()->setText(clue);
        QTest::mouseClick(child<QPushButton>(QStringLiteral("Button7")), Qt::LeftButton);
    }
    QStringList clueItems() const
    {
        QStringList items;
        for (int i = 0; i < clueBox()->count(); ++i)
            items << clueBox()->itemText(i);
        return items;
    }
    QList<QWidget *> tools() const
    {
        QList<QWidget *> list;
        for (const QString &name : kToolNames)
            list << child(name);
        list << child(positionLabelName(window->gridSize()));
        return list;
    }
    bool inNormalState() const
    {
        if (window->height() != kNormalHeight || window->inCaptureState())
            return false;
        for (QWidget *tool : tools()) {
            if (tool->isHidden())
                return false;
        }
        return !(window->windowFlags() & Qt::FramelessWindowHint);
    }
};

struct BmpHeader
{
    QByteArray magic;
    qint32 width = 0;
    qint32 height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = 0;
};

BmpHeader readBmpHeader(const QString &path)
{
    QFile f(path);
    BmpHeader h;
    if (!f.open(QIODevice::ReadOnly))
        return h;
    const QByteArray head = f.read(54);
    if (head.size() < 54)
        return h;
    h.magic = head.left(2);
    h.width = qFromLittleEndian<qint32>(head.constData() + 18);
    h.height = qFromLittleEndian<qint32>(head.constData() + 22);
    h.bitsPerPixel = qFromLittleEndian<quint16>(head.constData() + 28);
    h.compression = qFromLittleEndian<quint32>(head.constData() + 30);
    return h;
}

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            if (x.pixel(col, row) != y.pixel(col, row))
                ++count;
        }
    }
    return count;
}

// Runs `probe` on the modal box the next command opens.
void onNextModal(std::function<void(QWidget *)> probe)
{
    QTimer::singleShot(0, [probe] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        probe(modal);
        // a failed check leaves the box open: close it so the test goes on
        if (modal && modal == QApplication::activeModalWidget()) {
            if (auto *dialog = qobject_cast<QDialog *>(modal.data()))
                dialog->reject();
        }
    });
}

} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void namesAndPlaces_data();
    void namesAndPlaces();
    void activationFillsGridAndWordLabels_data();
    void activationFillsGridAndWordLabels();
    void reopeningRenewsPuzzleButKeepsStyle();
    void titleArrows_data();
    void titleArrows();
    void titleArrowLimits();
    void changeTitle();
    void changeTitlePromptCancelled();
    void fontDialogsRememberLastChoice_data();
    void fontDialogsRememberLastChoice();
    void colourDialogs();
    void typingIntoGridChangesNothing();
    void escapeLeavesTheWindowOpen_data();
    void escapeLeavesTheWindowOpen();
    void clueReplacement_data();
    void clueReplacement();
    void clueListFollowsLabels();
    void reopeningBringsBackWords();
    void savedBitmapIsThePage_data();
    void savedBitmapIsThePage();
    void saveDialogOffersBitmapFirst();
    void cancellingSaveWritesNothing();
    void failedSaveKeepsOlderFile();
    void savedPdfAndPng();
    void printWithoutPrinter();
    void printToFileKeepsClues_data();
    void printToFileKeepsClues();
    void printerSetupKeepsPrinter();
    void modalRunSurvivesCaptureState();
    void saveDialogAddsExtensionOfChosenFilter();
    void realPrinterSetupDialog();
    void printJobThatCannotStart();
};

void TestPrintWindow::namesAndPlaces_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QRect>("printButton");
    QTest::addColumn<QRect>("replaceButton");
    QTest::addColumn<QRect>("grid");
    QTest::addColumn<QPoint>("lastLabel");
    QTest::newRow("15x15") << GridSize::Small << "printPage" << QRect(46, 544, 139, 25)
                           << QRect(632, 608, 145, 25) << QRect(56, 56, 465, 465)
                           << QPoint(552, 383);
    QTest::newRow("30x30") << GridSize::Large << "printComplex" << QRect(32, 544, 137, 25)
                           << QRect(624, 608, 153, 25) << QRect(41, 65, 455, 455)
                           << QPoint(528, 487);
}

void TestPrintWindow::namesAndPlaces()
{
    QFETCH(GridSize, size);
    QFETCH(QString, windowName);
    QFETCH(QRect, printButton);
    QFETCH(QRect, replaceButton);
    QFETCH(QRect, grid);
    QFETCH(QPoint, lastLabel);
    PuzzleSnapshot snapshot;
    std::unique_ptr<PrintWindow> w;
    if (size == GridSize::Small)
        w = std::make_unique<TprintPage>(&snapshot);
    else
        w = std::make_unique<TprintComplex>(&snapshot);
    QCOMPARE(w->objectName(), windowName);
    QCOMPARE(w->windowTitle(), QStringLiteral("Print"));
    auto *print = w->findChild<QPushButton *>("BitBtn2");
    QVERIFY(print);
    QCOMPARE(print->text(), QStringLiteral("Print"));
    QCOMPARE(print->geometry(), printButton);
    QCOMPARE(w->findChild<QPushButton *>("Button7")->geometry(), replaceButton);
    QCOMPARE(w->findChild<QPushButton *>("Button7")->text(), QStringLiteral("Replace!"));
    QCOMPARE(w->findChild<QPushButton *>("Button8")->text(), QStringLiteral("Save Image"));
    QCOMPARE(w->findChild<QLabel *>(positionLabelName(size))->text(),
             QStringLiteral("Move Title Up/Down:"));
    QCOMPARE(w->findChild<TPubStrGrid *>()->geometry(), grid);
    const int words = sizeSpec(size).snapshotWords;
    QVERIFY(w->findChild<QLabel *>(QStringLiteral("l%1").arg(words)));
    QVERIFY(!w->findChild<QLabel *>(QStringLiteral("l%1").arg(words + 1)));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("l%1").arg(words))->pos(), lastLabel);
    QCOMPARE(w->findChild<QLabel *>("Label7")->text(), QStringLiteral("Word Quarrin"));
    QCOMPARE(w->findChild<QLabel *>("Label7")->font().pixelSize(), 32);
}

void TestPrintWindow::activationFillsGridAndWordLabels_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("shown");
    QTest::newRow("15x15, 18 words") << GridSize::Small << 18 << 15;
    QTest::newRow("15x15, 4 words") << GridSize::Small << 4 << 4;
    QTest::newRow("30x30, 28 words") << GridSize::Large << 28 << 28;
    QTest::newRow("30x30, 3 words") << GridSize::Large << 3 << 3;
}

void TestPrintWindow::activationFillsGridAndWordLabels()
{
    QFETCH(GridSize, size);
    QFETCH(int, words);
    QFETCH(int, shown);
    const SizeSpec &spec = sizeSpec(size);
    PuzzleSnapshot snapshot = makeSnapshot(size, sampleWords(size, std::min(words, spec.columns)),
                                           /*fillBlanks=*/false);
    // the editor hands over W words; a longer list must not reach the page either
    for (int k = snapshot.words.size(); k < words; ++k)
        snapshot.words.append(QStringLiteral("EXTRA%1").arg(k));
    if (words > spec.snapshotWords) {
        snapshot.words = snapshot.words.mid(0, spec.columns);
        while (snapshot.words.size() < words)
            snapshot.words.append(QStringLiteral("EXTRA"));
    }
    PrintWindow w(size, &snapshot);
    w.setDialogs(std::make_unique<StubPrintDialogs>());
    w.show();

    for (int k = 1; k <= spec.snapshotWords; ++k) {
        const QString caption = w.findChild<QLabel *>(QStringLiteral("l%1").arg(k))->text();
        if (k <= shown)
            QCOMPARE(caption, QStringLiteral("%1. %2").arg(k).arg(snapshot.words.at(k - 1)));
        else
            QCOMPARE(caption, QString());
    }
    auto *grid = w.findChild<TPubStrGrid *>();
    for (int col = 0; col <= spec.columns; ++col) {
        for (int row = 0; row <= spec.rows; ++row)
            QCOMPARE(grid->cell(col, row), QString(snapshot.letters.at(col * spec.storeColumns + row)));
    }
    QCOMPARE(grid->cell(0, 0), QStringLiteral("C"));          // CAT starts the first row
    QCOMPARE(grid->cell(spec.columns - 1, 0), QStringLiteral(" ")); // a blank cell stays blank
    QCOMPARE(w.height(), kNormalHeight);
}

void TestPrintWindow::reopeningRenewsPuzzleButKeepsStyle()
{
    Harness h(GridSize::Small, 4);
    h.dialogs->titleAnswer = QStringLiteral("Farm");
    h.press("Button1");
    h.window->findChild<UpDownArrows *>("pos")->clickDown();
    h.dialogs->colourAnswer = QColor(Qt::white);
    h.press("Button4");
    h.window->hide();

    h.snapshot = makeSnapshot(GridSize::Small, {{QStringLiteral("ZEBRA"), 0, 0, false}});
    h.window->show();
    QCOMPARE(h.caption(1), QStringLiteral("1. ZEBRA"));
    QCOMPARE(h.caption(2), QString());
    QCOMPARE(h.grid()->cell(0, 0), QStringLiteral("Z"));
    QCOMPARE(h.title()->text(), QStringLiteral("Farm"));
    QCOMPARE(h.title()->y(), 9);
    QCOMPARE(h.window->pageColour(), QColor(Qt::white));
}

void TestPrintWindow::titleArrows_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<int>("top");
    QTest::newRow("15x15 upper arrow") << GridSize::Small << true << 7;
    QTest::newRow("15x15 lower arrow") << GridSize::Small << false << 9;
    QTest::newRow("30x30 upper arrow") << GridSize::Large << true << 7;
    QTest::newRow("30x30 lower arrow") << GridSize::Large << false << 9;
}

void TestPrintWindow::titleArrows()
{
    QFETCH(GridSize, size);
    QFETCH(bool, upper);
    QFETCH(int, top);
    Harness h(size);
    auto *pos = h.child<UpDownArrows>(QStringLiteral("pos"));
    QCOMPARE(pos->position(), 8);
    QCOMPARE(h.title()->y(), 8);
    QTest::mouseClick(upper ? pos->upArrow() : pos->downArrow(), Qt::LeftButton);
    QCOMPARE(pos->position(), top);
    QCOMPARE(h.title()->y(), top);
    QCOMPARE(h.title()->x(), h.window->layout().titlePos.x());
}

void TestPrintWindow::titleArrowLimits()
{
    Harness h(GridSize::Small);
    auto *pos = h.child<UpDownArrows>(QStringLiteral("pos"));
    for (int i = 0; i < 30; ++i)
        pos->clickUp();
    QCOMPARE(h.title()->y(), 0);
    for (int i = 0; i < 30; ++i)
        pos->clickDown();
    QCOMPARE(h.title()->y(), 24);
}

void TestPrintWindow::changeTitle()
{
    Harness h(GridSize::Large);
    h.dialogs->titleAnswer = QStringLiteral("Down on the Farm");
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button1")), Qt::LeftButton);
    QCOMPARE(h.title()->text(), QStringLiteral("Down on the Farm"));
    QCOMPARE(h.title()->width(),
             QFontMetrics(h.title()->font()).horizontalAdvance(h.title()->text()));
}

void TestPrintWindow::changeTitlePromptCancelled()
{
    // the real prompt: its caption, text and empty default; cancel empties the title
    Harness h(GridSize::Small);
    h.window->setDialogs(std::make_unique<PrintDialogs>());
    bool seen = false;
    onNextModal([&seen](QWidget *modal) {
        auto *prompt = qobject_cast<QInputDialog *>(modal);
        QVERIFY(prompt);
        QCOMPARE(prompt->windowTitle(), QStringLiteral("Change Title"));
        QCOMPARE(prompt->labelText(), QStringLiteral("Enter a new title"));
        QCOMPARE(prompt->textValue(), QString());
        seen = true;
        prompt->reject();
    });
    h.press("Button1");
    QVERIFY(seen);
    QCOMPARE(h.title()->text(), QString());
}

void TestPrintWindow::fontDialogsRememberLastChoice_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("grid font") << "BitBtn3"
                               << "font";
    QTest::newRow("title font") << "Button2"
                                << "font2";
    QTest::newRow("word list font") << "Button6"
                                    << "FontDialog1";
}

void TestPrintWindow::fontDialogsRememberLastChoice()
{
    QFETCH(QString, button);
    QFETCH(QString, dialog);
    Harness h(GridSize::Small, 3);
    auto *pressed = h.child<QPushButton>(button);
    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPixelSize(17);
    chosen.setItalic(true);

    QTest::mouseClick(pressed, Qt::LeftButton); // cancelled: nothing changes
    QCOMPARE(h.dialogs->fontAsks.size(), 1);
    QCOMPARE(h.dialogs->fontAsks.at(0).dialog, dialog);
    QCOMPARE(h.dialogs->fontAsks.at(0).initial.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(h.dialogs->fontAsks.at(0).initial.pixelSize(), 11);
    QCOMPARE(h.grid()->font().pixelSize(), 11);
    QCOMPARE(h.title()->font().pixelSize(), 32);

    h.dialogs->fontAnswer = chosen;
    QTest::mouseClick(pressed, Qt::LeftButton);
    if (dialog == QLatin1String("font"))
        QCOMPARE(h.grid()->font(), chosen);
    else if (dialog == QLatin1String("font2"))
        QCOMPARE(h.title()->font(), chosen);
    else
        for (int k : {1, 3, 15}) // empty labels take the font too
            QCOMPARE(h.child<QLabel>(QStringLiteral("l%1").arg(k))->font(), chosen);

    // the element's font changes elsewhere; the dialog still opens with its own last choice
    h.dialogs->fontAnswer.reset();
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(h.dialogs->fontAsks.at(2).initial, chosen);
    QCOMPARE(h.window->lastFontChoice(dialog), chosen);
}

void TestPrintWindow::colourDialogs()
{
    Harness h(GridSize::Small);
    h.dialogs->colourAnswer = QColor(255, 0, 0);
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
    QCOMPARE(h.grid()->cellColor(), QColor(255, 0, 0));
    QCOMPARE(h.dialogs->colourAsks.at(0).dialog, QStringLiteral("ColorDialog1"));
    QCOMPARE(h.dialogs->colourAsks.at(0).initial, QColor(0, 0, 0));

    h.dialogs->colourAnswer = QColor(Qt::white);
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button4")), Qt::LeftButton);
    QCOMPARE(h.dialogs->colourAsks.at(1).dialog, QStringLiteral("ColorDialog2"));
    QCOMPARE(h.dialogs->colourAsks.at(1).initial, QColor(0, 0, 0));
    QCOMPARE(h.window->pageColour(), QColor(Qt::white));
    QCOMPARE(h.child<PageFrame>(QStringLiteral("Panel1"))->faceColour(), QColor(Qt::white));
    QCOMPARE(h.window->pageImage().pixelColor(3, 3), QColor(Qt::white));

    h.dialogs->colourAnswer.reset(); // cancel keeps the colours; the memory stays
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
    QCOMPARE(h.dialogs->colourAsks.at(2).initial, QColor(255, 0, 0));
    QCOMPARE(h.grid()->cellColor(), QColor(255, 0, 0));
}

void TestPrintWindow::escapeLeavesTheWindowOpen_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

// The window closes only by its close box; Esc, wherever the focus is, does nothing.
void TestPrintWindow::escapeLeavesTheWindowOpen()
{
    QFETCH(GridSize, size);
    Harness h(size);
    const QString title = h.title()->text();
    for (QWidget *target : {static_cast<QWidget *>(h.window.get()),
                            static_cast<QWidget *>(h.grid()), static_cast<QWidget *>(h.wordTo())})
        QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(h.window->isVisible());
    QCOMPARE(h.window->result(), 0);
    QCOMPARE(h.title()->text(), title);
    h.window->close();
    QVERIFY(!h.window->isVisible());
}

void TestPrintWindow::typingIntoGridChangesNothing()
{
    Harness h(GridSize::Small, 4);
    TPubStrGrid *grid = h.grid();
    const QRect cell = grid->cellRect(1, 1);
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell.center());
    const QString before = grid->cell(1, 1);
    grid->setFocus();
    QTest::keyClicks(grid, QStringLiteral("xyz"));
    QTest::keyClick(grid, Qt::Key_Backspace);
    QCOMPARE(grid->cell(1, 1), before);
    QCOMPARE(grid->cell(0, 0), QStringLiteral("C"));
}

void TestPrintWindow::clueReplacement_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("clue");
    QTest::addColumn<QStringList>("captions");
    const QStringList plain = {"1. CAT", "2. DOG", "3. HORSE", "4. SHEEP"};
    QTest::newRow("no item chosen") << -1 << "Farm animal" << plain;
    QTest::newRow("third item") << 2 << "Farm animal"
                                << QStringList{"1. CAT", "2. DOG", "3. Farm animal", "4. SHEEP"};
    QTest::newRow("empty clue") << 2 << "" << QStringList{"1. CAT", "2. DOG", "3. ", "4. SHEEP"};
    QTest::newRow("kept as typed")
        << 0 << "  purrs, lowercase "
        << QStringList{"1.   purrs, lowercase ", "2. DOG", "3. HORSE", "4. SHEEP"};
}

void TestPrintWindow::clueReplacement()
{
    QFETCH(int, item);
    QFETCH(QString, clue);
    QFETCH(QStringList, captions);
    Harness h(GridSize::Small, 4);
    h.replace(item, clue);
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(h.caption(k), captions.at(k - 1));
    QCOMPARE(h.caption(5), QString());
    // in every case the clue field and the box are emptied
    QCOMPARE(h.wordTo()->text(), QString());
    QCOMPARE(h.clueBox()->currentText(), QString());
    // a second press without a new choice changes nothing
    h.wordTo()->setText(QStringLiteral("again"));
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button7")), Qt::LeftButton);
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(h.caption(k), captions.at(k - 1));
}

void TestPrintWindow::clueListFollowsLabels()
{
    Harness h(GridSize::Large, 4);
    h.clueBox()->showPopup();
    h.clueBox()->hidePopup();
    QCOMPARE(h.clueItems(), (QStringList{"CAT", "DOG", "HORSE", "SHEEP"}));
    h.replace(2, QStringLiteral("Farm animal"));
    h.clueBox()->showPopup();
    h.clueBox()->hidePopup();
    QCOMPARE(h.clueItems(), (QStringList{"CAT", "DOG", "Farm animal", "SHEEP"}));

    // text typed into the box without choosing an item replaces nothing
    h.clueBox()->setCurrentIndex(1);
    h.clueBox()->lineEdit()->clear();
    QTest::keyClicks(h.clueBox()->lineEdit(), QStringLiteral("CAT"));
    h.wordTo()->setText(QStringLiteral("Pet"));
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button7")), Qt::LeftButton);
    QCOMPARE(h.caption(1), QStringLiteral("1. CAT"));
    QCOMPARE(h.caption(2), QStringLiteral("2. DOG"));
}

void TestPrintWindow::reopeningBringsBackWords()
{
    Harness h(GridSize::Small, 4);
    h.replace(0, QStringLiteral("Says miaow"));
    QCOMPARE(h.caption(1), QStringLiteral("1. Says miaow"));
    h.window->hide();
    h.window->show();
    QCOMPARE(h.caption(1), QStringLiteral("1. CAT"));
    QCOMPARE(h.clueBox()->count(), 0);
}

void TestPrintWindow::savedBitmapIsThePage_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

void TestPrintWindow::savedBitmapIsThePage()
{
    QFETCH(GridSize, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Harness h(size, 15);
    h.replace(1, QStringLiteral("Barks"));
    QTest::mouseClick(h.grid(), Qt::LeftButton, {}, h.grid()->cellRect(3, 2).center());
    QCOMPARE(h.grid()->selection(), (GridRect{3, 2, 3, 2}));
    const QString path = dir.filePath(QStringLiteral("page.bmp"));
    QImage screen;
    bool captureSeen = false;
    h.dialogs->onSave = [&](QWidget *, const QString &) -> std::optional<SaveChoice> {
        // the dialog is up while the window is stripped to its page
        captureSeen = h.window->inCaptureState() && h.window->height() == kPageHeight;
        for (QWidget *tool : h.tools())
            captureSeen = captureSeen && tool->isHidden();
        screen = h.window->grab().toImage();
        return SaveChoice{path, QLatin1String(kBmpFilter)};
    };
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button8")), Qt::LeftButton);
    QVERIFY(captureSeen);

    const BmpHeader header = readBmpHeader(path);
    QCOMPARE(header.magic, QByteArray("BM"));
    QCOMPARE(header.bitsPerPixel, quint16(24));
    QCOMPARE(header.compression, quint32(0));
    QCOMPARE(header.width, h.window->width());
    QCOMPARE(std::abs(header.height), kPageHeight);

    const QImage saved(path);
    QCOMPARE(saved.size(), QSize(h.window->width(), kPageHeight));
    // pixel for pixel what the window showed
    QCOMPARE(screen.size(), saved.size());
    QCOMPARE(differingPixels(saved, screen), 0);
    // the margins and the bottom band (where the tools were) are page colour
    const QColor page(166, 202, 240);
    for (const QPoint p : {QPoint(0, 0), QPoint(saved.width() - 1, 0), QPoint(0, 603),
                           QPoint(saved.width() - 1, 603), QPoint(20, 300)})
        QCOMPARE(saved.pixelColor(p), page);
    // the frame keeps its own colour around the grid until the page colour is changed
    const QRect frame = printLayout(size).frameRect;
    QCOMPARE(saved.pixelColor(frame.left() + 5, frame.center().y()), QColor(87, 160, 227));
    for (int y = 540; y < kPageHeight; ++y) {
        for (int x = 0; x < saved.width(); ++x) {
            if (saved.pixelColor(x, y) != page)
                QFAIL(qPrintable(QStringLiteral("tool pixel at %1,%2").arg(x).arg(y)));
        }
    }
    // the clue survives saving, the message names the full path, the window is restored
    QCOMPARE(h.caption(2), QStringLiteral("2. Barks"));
    QCOMPARE(h.grid()->selection(), (GridRect{3, 2, 3, 2})); // saving keeps the selection
    QCOMPARE(h.dialogs->messages,
             QStringList{QStringLiteral("File successfully saved to: ") +
                         QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())});
    QVERIFY(h.inNormalState());
    QCOMPARE(h.window->lastSavePath(), path);

    // the next save opens on the last name chosen
    QString offered;
    h.dialogs->onSave = [&offered](QWidget *, const QString &last) {
        offered = last;
        return std::optional<SaveChoice>();
    };
    h.press("Button8");
    QCOMPARE(offered, path);
}

void TestPrintWindow::saveDialogOffersBitmapFirst()
{
    Harness h(GridSize::Small);
    h.window->setDialogs(std::make_unique<PrintDialogs>());
    bool seen = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Save Image"));
        QCOMPARE(dialog->objectName(), QStringLiteral("SaveDialog1"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(),
                 (QStringList{QLatin1String(kBmpFilter), QLatin1String(kPngFilter),
                              QLatin1String(kPdfFilter), QLatin1String(kWorksheetFilter)}));
        // What the file type box shows: the names alone, the bitmap first and chosen.
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QCOMPARE(shown, (QStringList{"Image Files (BMP)", "Image Files (PNG)", "PDF Document",
                                     "Worksheet PDF (puzzle and answer key)"}));
        QCOMPARE(types->currentIndex(), 0);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("bmp"));
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(h.window->inCaptureState());
        seen = true;
        dialog->reject();
    });
    h.press("Button8");
    QVERIFY(seen);
    QVERIFY(h.inNormalState());
}

void TestPrintWindow::cancellingSaveWritesNothing()
{
    QTemporaryDir dir;
    Harness h(GridSize::Large);
    h.dialogs->onSave = [](QWidget *, const QString &) { return std::optional<SaveChoice>(); };
    h.press("Button8");
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QCOMPARE(h.dialogs->messages, QStringList());
    QVERIFY(h.inNormalState());
}

void TestPrintWindow::failedSaveKeepsOlderFile()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/page.bmp");
    {
        QFile older(path);
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("older picture");
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther);
    // root writes into read-only folders; save as an ordinary user then
    const bool asRoot = geteuid() == 0;
    if (asRoot && seteuid(65534) != 0)
        QSKIP("cannot act as an ordinary user to make the folder unwritable");

    Harness h(GridSize::Small);
    h.dialogs->onSave = [&](QWidget *, const QString &) {
        return std::optional<SaveChoice>(SaveChoice{path, QLatin1String(kBmpFilter)});
    };
    h.press("Button8");
    if (asRoot)
        QVERIFY(seteuid(0) == 0);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QFile older(path);
    QVERIFY(older.open(QIODevice::ReadOnly));
    QCOMPARE(older.readAll(), QByteArray("older picture"));
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("page.bmp")});
    QCOMPARE(h.dialogs->messages.size(), 1);
    QVERIFY(h.dialogs->messages.at(0).startsWith(QStringLiteral("The page could not be saved")));
    QVERIFY(h.dialogs->messages.at(0).contains(QDir::toNativeSeparators(path)));
    QVERIFY(h.inNormalState());
}

void TestPrintWindow::savedPdfAndPng()
{
    QTemporaryDir dir;
    Harness h(GridSize::Small, 4);
    QString path;
    QString filter;
    h.dialogs->onSave = [&](QWidget *, const QString &) {
        return std::optional<SaveChoice>(SaveChoice{path, filter});
    };
    path = dir.filePath(QStringLiteral("page.png"));
    filter = QLatin1String(kPngFilter);
    h.press("Button8");
    const QImage png(path);
    QCOMPARE(png.size(), QSize(790, kPageHeight));
    QCOMPARE(differingPixels(png, h.window->pageImage()), 0);

    path = dir.filePath(QStringLiteral("page.pdf"));
    filter = QLatin1String(kPdfFilter);
    h.press("Button8");
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray data = pdf.readAll();
    QVERIFY(data.startsWith("%PDF"));
    QCOMPARE(data.count("/Type /Page\n") + data.count("/Type /Page\r") + data.count("/Type /Page "),
             qsizetype(1));
    QVERIFY(!data.contains("/Subtype /Image")); // a vector page, no picture of it
    QCOMPARE(h.dialogs->messages.size(), 2);
}

void TestPrintWindow::printWithoutPrinter()
{
    // main() points the print system at a server that does not exist
    Harness h(GridSize::Large, 4);
    QVERIFY(h.window->printer().printerName().isEmpty());
    h.window->setDialogs(std::make_unique<PrintDialogs>()); // the real message box
    QString shown;
    onNextModal([&shown](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        shown = box->text();
        box->accept();
    });
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    QVERIFY2(shown.contains(QStringLiteral("no printer")), qPrintable(shown));
    QVERIFY(h.inNormalState());
}

void TestPrintWindow::printToFileKeepsClues_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

void TestPrintWindow::printToFileKeepsClues()
{
    QFETCH(GridSize, size);
    QTemporaryDir dir;
    Harness h(size, 4);
    h.replace(3, QStringLiteral("Woolly"));
    QPrinter &printer = h.window->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    h.grid()->setSelection(GridRect{2, 2, 2, 2});
    h.press("BitBtn2");
    QCOMPARE(h.dialogs->messages, QStringList());
    QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);
    QCOMPARE(h.caption(4), QStringLiteral("4. Woolly"));
    QCOMPARE(h.grid()->selection(), (GridRect{-1, -1, -1, -1}));
    QVERIFY(h.inNormalState());
}

void TestPrintWindow::printerSetupKeepsPrinter()
{
    Harness h(GridSize::Small);
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button5")), Qt::LeftButton);
    QCOMPARE(h.dialogs->setupAsks, 1);
    QPrinter *first = &h.window->printer();
    first->setPageOrientation(QPageLayout::Landscape);
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button5")), Qt::LeftButton);
    QCOMPARE(&h.window->printer(), first);
    QCOMPARE(h.window->printer().pageLayout().orientation(), QPageLayout::Landscape);
}

void TestPrintWindow::modalRunSurvivesCaptureState()
{
    // the editor shows the window with exec(); stripping the frame for a save
    // or print must not end that run
    PuzzleSnapshot snapshot = makeSnapshot(GridSize::Large, sampleWords(GridSize::Large, 4));
    TprintComplex w(&snapshot);
    auto stub = std::make_unique<StubPrintDialogs>();
    StubPrintDialogs *dialogs = stub.get();
    w.setDialogs(std::move(stub));
    bool frameless = false;
    dialogs->onSave = [&](QWidget *, const QString &) {
        frameless = bool(w.windowFlags() & Qt::FramelessWindowHint);
        return std::optional<SaveChoice>();
    };
    bool visibleAfterSave = false;
    QTimer::singleShot(0, &w, [&] {
        w.findChild<QPushButton *>(QStringLiteral("Button8"))->click();
        w.findChild<QPushButton *>(QStringLiteral("BitBtn2"))
            ->click(); // no printer: a message, then the normal state
        visibleAfterSave = w.isVisible();
        w.done(42);
    });
    QVERIFY(w.minimumSize() != w.maximumSize()); // the large window starts sizeable
    QCOMPARE(w.exec(), 42);
    QVERIFY(frameless);
    QCOMPARE(w.minimumSize(), w.maximumSize()); // and keeps a fixed frame afterwards
    QVERIFY(visibleAfterSave);
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(!(w.windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(w.height(), kNormalHeight);
}

void TestPrintWindow::saveDialogAddsExtensionOfChosenFilter()
{
    QTemporaryDir dir;
    Harness h(GridSize::Small);
    auto real = std::make_unique<StubPrintDialogs>();
    StubPrintDialogs *stub = real.get();
    // the real file dialog, with the message box answered by the stub
    stub->onSave = [](QWidget *parent, const QString &last) {
        return PrintDialogs().askImageFile(parent, last);
    };
    h.window->setDialogs(std::move(real));
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        dialog->setDirectory(dir.path());
        auto *filters = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(filters);
        QTest::keyClick(filters, Qt::Key_Down); // the user picks "Image Files (PNG)"
        QCOMPARE(filters->currentIndex(), 1);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("png"));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(QStringLiteral("puzzle"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    h.press("Button8");
    const QString expected = QDir(dir.path()).filePath(QStringLiteral("puzzle.png"));
    QCOMPARE(stub->messages, QStringList{QStringLiteral("File successfully saved to: ") +
                                         QDir::toNativeSeparators(expected)});
    QCOMPARE(QImage(expected).size(), QSize(790, kPageHeight));
}

void TestPrintWindow::realPrinterSetupDialog()
{
    Harness h(GridSize::Small);
    h.window->setDialogs(std::make_unique<PrintDialogs>());
    h.window->printer().setPageOrientation(QPageLayout::Landscape);
    QString title;
    onNextModal([&title](QWidget *modal) {
        title = modal->windowTitle();
        QCOMPARE(modal->objectName(), QStringLiteral("PrinterSetupDialog1"));
        auto *buttons = modal->findChild<QDialogButtonBox *>();
        QVERIFY(buttons && buttons->button(QDialogButtonBox::Ok));
        QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
        qobject_cast<QDialog *>(modal)->reject();
    });
    QTest::mouseClick(h.child<QPushButton>(QStringLiteral("Button5")), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Printer Setup"));
    QCOMPARE(h.window->printer().pageLayout().orientation(), QPageLayout::Landscape);
}

void TestPrintWindow::printJobThatCannotStart()
{
    Harness h(GridSize::Small, 4);
    h.window->printer().setOutputFormat(QPrinter::PdfFormat);
    h.window->printer().setOutputFileName(QStringLiteral("/nonexistent-folder/page.pdf"));
    h.press("BitBtn2");
    QCOMPARE(h.dialogs->messages.size(), 1);
    QVERIFY2(h.dialogs->messages.at(0).contains(QStringLiteral("could not be started")),
             qPrintable(h.dialogs->messages.at(0)));
    QVERIFY(h.inNormalState());
}

int main(int argc, char **argv)
{
    // no print server: the window must say that there is no printer
    qputenv("CUPS_SERVER", "/nonexistent/quarrin-test-cups.sock");
    QApplication app(argc, argv);
    TestPrintWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print_window.moc"
