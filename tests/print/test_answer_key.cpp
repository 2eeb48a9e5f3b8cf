// The answer key and the worksheet: which cells each ring covers, the key
// page against the normal page, the key in the print window, the printer
// options, and the two-page worksheet PDF read back with the poppler tools.

#include "file_faults.h"
#include "key_fixture.h"
#include "print/page_output.h"
#include "print/page_renderer.h"
#include "print/print_window.h"
#include "stub_print_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace quarrin;
using quarrin::test::DiskFull;
using quarrin::testing::StubPrintDialogs;


namespace {

// "c,r c,r ..." for the cells of a path.
QString cellList(const WordPath &path)
{
    QStringList cells;
    for (int p = 0; p < path.length; ++p) {
        const CellPos c = path.cell(p);
        cells << QStringLiteral("%1,%2").arg(c.col).arg(c.row);
    }
    return cells.join(QLatin1Char(' '));
}

QImage render(const PageDescription &page, bool key)
{
    PageRenderer renderer;
    PageOptions options;
    options.answerKey = key;
    return renderer.image(page, options);
}

// The darkest grey level among the pixels of `rect`.
int darkest(const QImage &image, const QRect &rect)
{
    int level = 255;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            level = std::min(level, qGray(image.pixel(x, y)));
    }
    return level;
}

// The bounding box of the pixels where the two pictures differ.
QRect differences(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The rectangle of cell (col, row) on the page.
QRect cellOnPage(GridSize size, int col, int row)
{
    const PrintLayout &layout = printLayout(size);
    const int pitch = layout.cellPixels + 1;
    return QRect(layout.gridRect.left() + 2 + col * pitch, layout.gridRect.top() + 2 + row * pitch,
                 layout.cellPixels, layout.cellPixels);
}

// What is wrong with the grid and its frame on a white page drawn into
// `image` through `toImage` (page pixels to image pixels), or an empty text.
// The grid needs a dark outline along the whole of all four sides; the frame
// around it has no bevel line left, so between its edge and the grid the
// paper is white.
QString gridOnWhiteFault(const QImage &image, const QTransform &toImage, GridSize size)
{
    const PrintLayout &layout = printLayout(size);
    // the middle of the grid's two-pixel outline; a dark pixel within one
    // image pixel of it, across the side, counts
    const QRect ring = toImage.mapRect(QRectF(layout.gridRect).adjusted(1, 1, -1, -1)).toRect();
    struct Side
    {
        const char *name;
        QPoint from;
        QPoint step;   // along the side
        QPoint across; // one pixel across it
    };
    const Side sides[] = {
        {"top", ring.topLeft(), QPoint(1, 0), QPoint(0, 1)},
        {"bottom", ring.bottomLeft(), QPoint(1, 0), QPoint(0, 1)},
        {"left", ring.topLeft(), QPoint(0, 1), QPoint(1, 0)},
        {"right", ring.topRight(), QPoint(0, 1), QPoint(1, 0)},
    };
    for (const Side &side : sides) {
        for (int k = 0; k < ring.width(); ++k) {
            const QPoint at = side.from + side.step * k;
            int level = 255;
            for (int d = -1; d <= 1; ++d)
                level = std::min(level, qGray(image.pixel(at + side.across * d)));
            if (level >= 100)
                return QStringLiteral("the grid's %1 edge is light (grey %2) at %3,%4")
                    .arg(QLatin1String(side.name))
                    .arg(level)
                    .arg(at.x())
                    .arg(at.y());
        }
    }
    const QRect frame = toImage.mapRect(QRectF(layout.frameRect)).toAlignedRect();
    const QRect grid =
        toImage.mapRect(QRectF(layout.gridRect)).toAlignedRect().adjusted(-1, -1, 1, 1);
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        for (int x = frame.left(); x <= frame.right(); ++x) {
            if (!grid.contains(x, y) && qGray(image.pixel(x, y)) < 250)
                return QStringLiteral("a mark on the frame at %1,%2 (grey %3)")
                    .arg(x)
                    .arg(y)
                    .arg(qGray(image.pixel(x, y)));
        }
    }
    return QString();
}

QString tool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The print window with answering dialogs, shown and activated.
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
    template <typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QCheckBox *box(const char *name) const { return child<QCheckBox>(name); }
    // Saves through "Save Image" with the given filter; returns the message shown.
    QString save(const QString &path, const char *filter)
    {
        dialogs->messages.clear();
        dialogs->onSave = [path, filter](QWidget *, const QString &) {
            return std::optional<SaveChoice>(SaveChoice{path, QLatin1String(filter)});
        };
        QTest::mouseClick(child<QPushButton>("Button8"), Qt::LeftButton);
        return dialogs->messages.value(0);
    }
};

} // namespace

class TestAnswerKey : public QObject
{
    Q_OBJECT

private slots:
    void ringCoversTheWordsCells_data();
    void ringCoversTheWordsCells();
    void ringsOnlyForDrawnListedWords();
    void keyCaptions_data();
    void keyCaptions();
    void keyPageAgainstNormalPage_data();
    void keyPageAgainstNormalPage();
    void emptyPuzzleKeyHasNoRings();
    void whiteBackgroundOutlinesTheGrid_data();
    void whiteBackgroundOutlinesTheGrid();
    void windowOptionsInFreeSpace_data();
    void windowOptionsInFreeSpace();
    void windowShowsSavesAndPrintsTheKey();
    void printOptions();
    void worksheetPdf_data();
    void worksheetPdf();
    void worksheetPaperFromPrinterSetup();
    void worksheetOutlinesTheGrid_data();
    void worksheetOutlinesTheGrid();
    void failedWorksheetSave();
};

void TestAnswerKey::ringCoversTheWordsCells_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("cells");
    // CAT placed so that it ends on the edge of the grid it runs towards
    const GridSize s = GridSize::Small;
    const GridSize l = GridSize::Large;
    QTest::newRow("15 Up") << s << "Up" << 5 << 3 << "4,2 4,1 4,0";
    QTest::newRow("15 Down") << s << "Down" << 5 << 13 << "4,12 4,13 4,14";
    QTest::newRow("15 Left") << s << "Left" << 3 << 7 << "2,6 1,6 0,6";
    QTest::newRow("15 Right") << s << "Right" << 13 << 7 << "12,6 13,6 14,6";
    QTest::newRow("15 Up-Right") << s << "Up-Right" << 13 << 3 << "12,2 13,1 14,0";
    QTest::newRow("15 Up-Left") << s << "Up-Left" << 3 << 3 << "2,2 1,1 0,0";
    QTest::newRow("15 Down-Right") << s << "Down-Right" << 13 << 13 << "12,12 13,13 14,14";
    QTest::newRow("15 Down-Left") << s << "Down-Left" << 3 << 13 << "2,12 1,13 0,14";
    QTest::newRow("30 Up") << l << "Up" << 30 << 3 << "29,2 29,1 29,0";
    QTest::newRow("30 Down") << l << "Down" << 1 << 28 << "0,27 0,28 0,29";
    QTest::newRow("30 Left") << l << "Left" << 3 << 30 << "2,29 1,29 0,29";
    QTest::newRow("30 Right") << l << "Right" << 28 << 1 << "27,0 28,0 29,0";
    QTest::newRow("30 Up-Right") << l << "Up-Right" << 28 << 3 << "27,2 28,1 29,0";
    QTest::newRow("30 Up-Left") << l << "Up-Left" << 3 << 3 << "2,2 1,1 0,0";
    QTest::newRow("30 Down-Right") << l << "Down-Right" << 28 << 28 << "27,27 28,28 29,29";
    QTest::newRow("30 Down-Left") << l << "Down-Left" << 3 << 28 << "2,27 1,28 0,29";
}

void TestAnswerKey::ringCoversTheWordsCells()
{
    QFETCH(GridSize, size);
    QFETCH(QString, direction);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QString, cells);
    const QByteArray dir = direction.toLatin1();
    const PuzzleSnapshot snapshot =
        testing::keySnapshot(size, {{"CAT", x, y, dir.constData()}, {"DOG", 8, 8, "Right"}});
    const std::vector<AnswerRing> rings = answerRings(snapshot);
    QCOMPARE(int(rings.size()), 2);
    QCOMPARE(rings[0].word, 0);
    QCOMPARE(cellList(rings[0].path), cells);
    // the ring runs over the letters the grid shows for the word, none of them dimmed
    for (int p = 0; p < 3; ++p) {
        const CellPos c = rings[0].path.cell(p);
        QCOMPARE(snapshot.letterAt(c.col, c.row), QStringLiteral("CAT").at(p));
        QVERIFY(!snapshot.isFilled(c.col, c.row));
    }
    QCOMPARE(cellList(rings[1].path), QStringLiteral("7,7 8,7 9,7"));
}

void TestAnswerKey::ringsOnlyForDrawnListedWords()
{
    // A direction line naming no direction: the word is listed but not drawn.
    RandomGenerator random;
    PuzzleModel model(GridSize::Small, &random);
    model.setListTexts(QStringLiteral("CAT\r\nDOG\r\nEWE\r\n"),
                       QStringLiteral("1, 1\r\n1, 2\r\n1, 3\r\n"),
                       QStringLiteral("Right\r\nup\r\nDown\r\n"));
    model.refreshGrid();
    PuzzleSnapshot snapshot;
    takeSnapshot(model, snapshot);
    const std::vector<AnswerRing> rings = answerRings(snapshot);
    QCOMPARE(int(rings.size()), 2);
    QCOMPARE(rings[0].word, 0);
    QCOMPARE(rings[1].word, 2);
    QCOMPARE(cellList(rings[1].path), QStringLiteral("0,2 0,3 0,4"));
    // and it keeps its label on the key
    const PageDescription page = PageDescription::standard(GridSize::Small, snapshot);
    QCOMPARE(page.labels.mid(0, 3), (QStringList{QStringLiteral("1. CAT"), QStringLiteral("2. DOG"),
                                                 QStringLiteral("3. EWE")}));

    // Words past the W handed to the print window are not listed, so not ringed.
    const PuzzleSnapshot full = testing::keySnapshot(GridSize::Small, {{"AA", 1, 1, "Right"},
                                                                       {"BB", 1, 2, "Right"},
                                                                       {"CC", 1, 3, "Right"},
                                                                       {"DD", 1, 4, "Right"},
                                                                       {"EE", 1, 5, "Right"},
                                                                       {"FF", 1, 6, "Right"},
                                                                       {"GG", 1, 7, "Right"},
                                                                       {"HH", 1, 8, "Right"},
                                                                       {"II", 1, 9, "Right"},
                                                                       {"JJ", 1, 10, "Right"},
                                                                       {"KK", 1, 11, "Right"},
                                                                       {"LL", 1, 12, "Right"},
                                                                       {"MM", 1, 13, "Right"},
                                                                       {"NN", 1, 14, "Right"},
                                                                       {"OO", 1, 15, "Right"},
                                                                       {"PP", 5, 1, "Right"},
                                                                       {"QQ", 5, 2, "Right"}});
    QCOMPARE(int(answerRings(full).size()), 15);
}

void TestAnswerKey::keyCaptions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("shown");
    QTest::newRow("clue") << "4. It neighs"
                          << "HORSE"
                          << "4. It neighs: HORSE";
    QTest::newRow("word itself") << "4. HORSE"
                                 << "HORSE"
                                 << "4. HORSE";
    QTest::newRow("blank clue") << "3. "
                                << "SHEEP"
                                << "3. SHEEP";
    QTest::newRow("empty label") << ""
                                 << ""
                                 << "";
    QTest::newRow("two digits") << "12. Says moo"
                                << "COW"
                                << "12. Says moo: COW";
}

void TestAnswerKey::keyCaptions()
{
    QFETCH(QString, caption);
    QFETCH(QString, word);
    QFETCH(QString, shown);
    QCOMPARE(answerKeyCaption(caption, word), shown);
    QCOMPARE(answerKeyTitle(QStringLiteral("Farm")), QStringLiteral("Farm \u2013 Answer Key"));
}

void TestAnswerKey::keyPageAgainstNormalPage_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::newRow("15x15") << GridSize::Small;
    QTest::newRow("30x30") << GridSize::Large;
}

void TestAnswerKey::keyPageAgainstNormalPage()
{
    QFETCH(GridSize, size);
    const PrintLayout &layout = printLayout(size);
    PageDescription page = PageDescription::standard(size, testing::eightWaySnapshot(size));
    page.labels[1] = QStringLiteral("2. Woolly");
    const QString keyClue = QStringLiteral("2. Woolly: ") + page.puzzle.words.at(1);
    const QImage normal = render(page, false);
    const QImage key = render(page, true);
    QCOMPARE(key.size(), normal.size());

    // Everything else equal: the differences lie in the title, the clue's
    // label and the grid, nowhere else.
    const QRect titleBox(page.titlePos, labelSizeFor(page.titleFont, answerKeyTitle(page.title)));
    const QRect clueBox(QPoint(layout.labelLeft, layout.labelTop + layout.labelStep),
                        labelSizeFor(page.wordFont, keyClue));
    QImage a = normal;
    QImage b = key;
    for (const QRect &r : {titleBox, clueBox, layout.gridRect}) {
        QPainter pa(&a);
        pa.fillRect(r, Qt::red);
        QPainter pb(&b);
        pb.fillRect(r, Qt::red);
    }
    QCOMPARE(differences(a, b), QRect());
    QVERIFY(!differences(normal, key).isEmpty());
    QVERIFY(differences(normal, key).intersects(titleBox));
    QVERIFY(differences(normal, key).intersects(clueBox));

    // The rings: a dark outline beside the middle letter of every word, on
    // either side across its direction, where the normal page has none (seen
    // on the grid without its letters, which would stand in the way).
    PageDescription bare = page;
    bare.puzzle.letters.fill(QLatin1Char(' '));
    const QImage bareNormal = render(bare, false);
    const QImage bareKey = render(bare, true);
    const double half = layout.cellPixels * 0.42;
    const std::vector<AnswerRing> rings = answerRings(page.puzzle);
    QCOMPARE(int(rings.size()), 9);
    QSet<int> directionsSeen;
    for (const AnswerRing &ring : rings) {
        directionsSeen << int(ring.path.direction);
        const DirectionInfo &info = directionInfo(ring.path.direction);
        const CellPos mid = ring.path.cell(ring.path.length / 2);
        const QPointF centre = QRectF(cellOnPage(size, mid.col, mid.row)).center();
        const double norm = std::hypot(info.columnStep, info.rowStep);
        const QPointF across(-info.rowStep / norm * half, info.columnStep / norm * half);
        for (const QPointF &side : {centre + across, centre - across}) {
            const QRect spot(side.toPoint() - QPoint(1, 1), QSize(3, 3));
            QVERIFY2(darkest(bareKey, spot) < 110,
                     qPrintable(QStringLiteral("no ring beside %1").arg(ring.word + 1)));
            QVERIFY(darkest(bareNormal, spot) > 150);
        }
    }
    QCOMPARE(directionsSeen.size(), 8);

    // Filled letters turn light grey; word letters stay black.
    const PuzzleSnapshot &puzzle = page.puzzle;
    int filledChecked = 0;
    for (int col = 0; col < sizeSpec(size).columns && filledChecked < 3; ++col) {
        const int row = sizeSpec(size).rows - 1 - col / 2;
        if (!puzzle.isFilled(col, row))
            continue;
        // away from every ring
        bool nearRing = false;
        for (const AnswerRing &ring : rings) {
            for (int p = 0; p < ring.path.length; ++p) {
                const CellPos c = ring.path.cell(p);
                nearRing = nearRing || (std::abs(c.col - col) <= 1 && std::abs(c.row - row) <= 1);
            }
        }
        if (nearRing)
            continue;
        const QRect cell = cellOnPage(size, col, row).adjusted(1, 1, -1, -1);
        QVERIFY(darkest(normal, cell) < 90);
        QVERIFY(darkest(key, cell) >= qGray(kKeyFilledLetterColour.rgb()) - 10);
        ++filledChecked;
    }
    QCOMPARE(filledChecked, 3);
    const CellPos h = rings[0].path.cell(0); // the H of the first word
    QVERIFY(darkest(key, cellOnPage(size, h.col, h.row).adjusted(3, 3, -3, -3)) < 90);
}

void TestAnswerKey::emptyPuzzleKeyHasNoRings()
{
    for (GridSize size : {GridSize::Small, GridSize::Large}) {
        const PuzzleSnapshot empty = testing::keySnapshot(size, {}, false);
        QVERIFY(answerRings(empty).empty());
        const PageDescription page = PageDescription::standard(size, empty);
        const QImage normal = render(page, false);
        const QImage key = render(page, true);
        // only the title tells them apart
        const QRect titleBox(page.titlePos,
                             labelSizeFor(page.titleFont, answerKeyTitle(page.title)));
        const QRect diff = differences(normal, key);
        QVERIFY(!diff.isEmpty());
        QVERIFY(titleBox.contains(diff));
    }
}

void TestAnswerKey::whiteBackgroundOutlinesTheGrid_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<bool>("key");
    QTest::newRow("15x15 puzzle") << GridSize::Small << false;
    QTest::newRow("15x15 key") << GridSize::Small << true;
    QTest::newRow("30x30 puzzle") << GridSize::Large << false;
    QTest::newRow("30x30 key") << GridSize::Large << true;
}

void TestAnswerKey::whiteBackgroundOutlinesTheGrid()
{
    QFETCH(GridSize, size);
    QFETCH(bool, key);
    PageRenderer renderer;
    const PageDescription page = PageDescription::standard(size, testing::eightWaySnapshot(size));
    PageOptions options;
    options.answerKey = key;
    options.whiteBackground = true;
    const QImage image = renderer.image(page, options);
    const QString fault = gridOnWhiteFault(image, QTransform(), size);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    // the grid's cells and lines are drawn as on the coloured page
    options.whiteBackground = false;
    const QImage coloured = renderer.image(page, options);
    const QRect inside = printLayout(size).gridRect.adjusted(2, 2, -2, -2);
    QCOMPARE(image.copy(inside), coloured.copy(inside));
}

void TestAnswerKey::windowOptionsInFreeSpace_data()
{
    keyPageAgainstNormalPage_data();
}

void TestAnswerKey::windowOptionsInFreeSpace()
{
    QFETCH(GridSize, size);
    Window w(size);
    const QList<QPair<const char *, const char *>> boxes = {
        {"answerKey", "Answer Key"},
        {"fitToPage", "Fit to page"},
        {"whiteBackground", "White background"}};
    for (const auto &[name, caption] : boxes) {
        QCheckBox *box = w.box(name);
        QVERIFY2(box, name);
        QCOMPARE(box->text(), QLatin1String(caption));
        QCOMPARE(box->accessibleName(), QLatin1String(caption));
        QVERIFY(!box->isChecked());
        QVERIFY(box->isVisible());
        QVERIFY(QRect(QPoint(0, 0), w.window->size()).contains(box->geometry()));
        // below the page and clear of every other control
        QVERIFY(box->y() >= kPageHeight);
        for (QWidget *other : w.window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (other == box || other->isHidden())
                continue;
            QVERIFY2(!other->geometry().intersects(box->geometry()),
                     qPrintable(other->objectName()));
        }
    }
    // remembered for the run: closing and reopening keeps the choices
    w.box("fitToPage")->setChecked(true);
    w.box("answerKey")->setChecked(true);
    w.window->hide();
    w.window->show();
    QApplication::processEvents();
    QVERIFY(w.box("fitToPage")->isChecked());
    QVERIFY(w.window->showsAnswerKey());
}

void TestAnswerKey::windowShowsSavesAndPrintsTheKey()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w(GridSize::Small);
    const QImage normal = w.window->pageImage();
    QTest::mouseClick(w.box("answerKey"), Qt::LeftButton);
    QVERIFY(w.window->showsAnswerKey());

    // a clue set while the key is shown shows its answer
    auto *clueBox = w.child<QComboBox>("clueBox");
    clueBox->showPopup();
    clueBox->hidePopup();
    clueBox->setCurrentIndex(0);
    w.child<QLineEdit>("wordTo")->setText(QStringLiteral("It neighs"));
    QTest::mouseClick(w.child<QPushButton>("Button7"), Qt::LeftButton);
    QCOMPARE(w.child<QLabel>("l1")->text(), QStringLiteral("1. It neighs"));
    QApplication::processEvents();

    // the window shows the key above its tools, and the saved picture is what it shows
    const QRect aboveTools(0, 0, w.window->width(), 540);
    const QImage shown = w.window->grab(aboveTools).toImage();
    const QImage key = w.window->pageImage();
    QCOMPARE(differences(shown.convertToFormat(QImage::Format_RGB32), key.copy(aboveTools)),
             QRect());
    PageDescription page = w.window->pageDescription();
    QCOMPARE(page.labels.at(0), QStringLiteral("1. It neighs"));
    PageOptions keyOptions;
    keyOptions.answerKey = true;
    PageRenderer renderer;
    QCOMPARE(differences(renderer.image(page, keyOptions), key), QRect());
    // the title control keeps the user's title; only the page adds the suffix
    QCOMPARE(w.child<QLabel>("Label7")->text(), QStringLiteral("Word Quarrin"));

    const QString bmp = dir.filePath(QStringLiteral("key.bmp"));
    QVERIFY(w.save(bmp, kBmpFilter).startsWith(QStringLiteral("File successfully saved to: ")));
    QCOMPARE(differences(QImage(bmp).convertToFormat(QImage::Format_RGB32), key), QRect());
    QVERIFY(!differences(key, normal).isEmpty());

    // unticked, the page is the page again
    QTest::mouseClick(w.box("answerKey"), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(!w.child<QWidget>("answerKeyView")->isVisible());
    QCOMPARE(differences(w.window->pageImage(), renderer.image(page, PageOptions())), QRect());

    // printed: the key's title and the clue with its answer, as text
    if (tool(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTest::mouseClick(w.box("answerKey"), Qt::LeftButton);
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    w.window->printer().setOutputFormat(QPrinter::PdfFormat);
    w.window->printer().setOutputFileName(pdf);
    w.dialogs->messages.clear();
    QTest::mouseClick(w.child<QPushButton>("BitBtn2"), Qt::LeftButton);
    QCOMPARE(w.dialogs->messages, QStringList());
    const QString text = run(tool(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("Word Quarrin \u2013 Answer Key")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("1. It neighs: HORSE")));
}

void TestAnswerKey::printOptions()
{
    if (tool(QStringLiteral("pdftotext")).isEmpty() || tool(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftotext or pdftoppm is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w(GridSize::Small);
    QPrinter &printer = w.window->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);

    // Where the title and the first word label land, and the colour at the
    // page's top-left corner, for a print with the given options.
    struct Printed
    {
        double titleX = 0;
        double listX = 0;
        QColor corner;
    };
    int run_ = 0;
    auto print = [&](bool fit, bool white) {
        w.box("fitToPage")->setChecked(fit);
        w.box("whiteBackground")->setChecked(white);
        const QString pdf = dir.filePath(QStringLiteral("p%1.pdf").arg(++run_));
        printer.setOutputFileName(pdf);
        w.window->printPage();
        Printed out;
        const QString boxes = run(tool(QStringLiteral("pdftotext")),
                                  {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        for (const QString &line : boxes.split(QLatin1Char('\n'))) {
            const auto x = [&line] {
                const int at = int(line.indexOf(QLatin1String("xMin=\""))) + 6;
                return line.mid(at, line.indexOf(QLatin1Char('"'), at) - at).toDouble();
            };
            if (line.contains(QLatin1String(">Word<")) && out.titleX == 0)
                out.titleX = x();
            if (line.contains(QLatin1String(">1.<")) && out.listX == 0)
                out.listX = x();
        }
        const QString png = dir.filePath(QStringLiteral("p%1").arg(run_));
        run(tool(QStringLiteral("pdftoppm")),
            {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, png});
        const QImage page(png + QStringLiteral(".png"));
        // the page's top left, a little left of the title
        const QPointF corner(out.titleX - 12,
                             printer.pageLayout().paintRect(QPageLayout::Point).top() + 6);
        out.corner = page.pixelColor(int(corner.x() * 20 / 72), int(corner.y() * 20 / 72));
        return out;
    };

    const Printed plain = print(false, false);
    const Printed fitted = print(true, false);
    const Printed white = print(true, true);
    QCOMPARE(w.dialogs->messages, QStringList());
    // plain: on-screen size, 96 page pixels to the inch; fitted to the landscape
    // page it is larger (limited by the printable height), centred across
    const double onScreen = (552 - 48) * 72.0 / 96.0;
    QVERIFY(std::abs((plain.listX - plain.titleX) - onScreen) < 0.03 * onScreen);
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
    const double scale = area.height() / kPageHeight;
    QVERIFY2(std::abs((fitted.listX - fitted.titleX) - (552 - 48) * scale) < 0.03 * onScreen,
             qPrintable(QString::number(fitted.listX - fitted.titleX)));
    const double left = area.left() + (area.width() - w.window->width() * scale) / 2.0;
    QVERIFY(std::abs(fitted.titleX - (left + 48 * scale)) < 3.0);
    // the page colour, and white with "White background"
    QVERIFY(std::abs(plain.corner.blue() - 240) < 12 && plain.corner.red() < 180);
    QVERIFY(std::abs(fitted.corner.blue() - 240) < 12 && fitted.corner.red() < 180);
    QVERIFY(white.corner.red() > 245 && white.corner.green() > 245);
}

void TestAnswerKey::worksheetPdf_data()
{
    QTest::addColumn<GridSize>("size");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("paper"); // pdfinfo's page size, in points
    QTest::newRow("15x15 A4") << GridSize::Small << "en_GB"
                              << "595 x 842 pts (A4)";
    QTest::newRow("30x30 A4") << GridSize::Large << "de_DE"
                              << "595 x 842 pts (A4)";
    QTest::newRow("30x30 Letter") << GridSize::Large << "en_US"
                                  << "612 x 792 pts (letter)";
}

void TestAnswerKey::worksheetPdf()
{
    QFETCH(GridSize, size);
    QFETCH(QString, locale);
    QFETCH(QString, paper);
    for (const char *name : {"pdfinfo", "pdftotext", "pdfimages", "pdffonts"}) {
        if (tool(QLatin1String(name)).isEmpty())
            QSKIP("the poppler tools are not installed");
    }
    QLocale::setDefault(QLocale(locale));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w(size);
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QCOMPARE(w.save(path, kWorksheetFilter),
             QStringLiteral("File successfully saved to: ") + QDir::toNativeSeparators(path));
    QLocale::setDefault(QLocale::c());
    QVERIFY(!w.window->inCaptureState());

    const QString info = run(tool(QStringLiteral("pdfinfo")), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("Page size:       ") + paper), qPrintable(info));
    const auto page = [&](int n) {
        return run(tool(QStringLiteral("pdftotext")),
                   {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                    QString::number(n), QStringLiteral("-layout"), path, QStringLiteral("-")});
    };
    const QString first = page(1);
    const QString second = page(2);
    QVERIFY(first.contains(QStringLiteral("Word Quarrin")));
    QVERIFY(!first.contains(QStringLiteral("Answer Key")));
    QVERIFY(second.contains(QStringLiteral("Word Quarrin \u2013 Answer Key")));
    for (const QString &word : w.snapshot.words) {
        if (word.isEmpty())
            continue;
        QVERIFY2(first.contains(word), qPrintable(word));
        QVERIFY2(second.contains(word), qPrintable(word));
    }
    // vector only: no pictures; every font embedded
    const QStringList images =
        run(tool(QStringLiteral("pdfimages")), {QStringLiteral("-list"), path})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the two header lines
    const QStringList fonts = run(tool(QStringLiteral("pdffonts")), {path})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QLatin1String(" yes ")), qPrintable(font));
    QVERIFY2(QFileInfo(path).size() < 150 * 1024,
             qPrintable(QString::number(QFileInfo(path).size())));
}

void TestAnswerKey::worksheetPaperFromPrinterSetup()
{
    if (tool(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo is not installed");
    QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w(GridSize::Small);
    w.window->printer().setPageSize(QPageSize(QPageSize::Letter));
    w.window->printer().setPageOrientation(QPageLayout::Landscape);
    const auto paperOfWorksheet = [&](const QString &name) {
        const QString path = dir.filePath(name);
        w.save(path, kWorksheetFilter);
        const QString info = run(tool(QStringLiteral("pdfinfo")), {path});
        const int at = int(info.indexOf(QLatin1String("Page size:")));
        return info.mid(at, info.indexOf(QLatin1Char('\n'), at) - at).simplified();
    };
    // a cancelled set-up leaves the locale's paper
    w.dialogs->setupAnswer = false;
    QTest::mouseClick(w.child<QPushButton>("Button5"), Qt::LeftButton);
    QCOMPARE(paperOfWorksheet(QStringLiteral("a.pdf")),
             QStringLiteral("Page size: 595 x 842 pts (A4)"));
    // a confirmed one gives its paper and orientation
    w.dialogs->setupAnswer = true;
    QTest::mouseClick(w.child<QPushButton>("Button5"), Qt::LeftButton);
    QCOMPARE(paperOfWorksheet(QStringLiteral("b.pdf")),
             QStringLiteral("Page size: 792 x 612 pts (letter)"));
    QLocale::setDefault(QLocale::c());
}

void TestAnswerKey::worksheetOutlinesTheGrid_data()
{
    keyPageAgainstNormalPage_data();
}

void TestAnswerKey::worksheetOutlinesTheGrid()
{
    QFETCH(GridSize, size);
    if (tool(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm is not installed");
    QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w(size);
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QVERIFY(w.save(path, kWorksheetFilter).startsWith(QStringLiteral("File successfully")));
    QLocale::setDefault(QLocale::c());

    // Page pixels to the pixels of the sheet read back at 144 dpi: fitted to
    // the printable width of A4, centred across, at the top.
    const int dpi = 144;
    const QRectF area = worksheetPaper().paintRect(QPageLayout::Point);
    const QSize pageSize = w.window->pageSize();
    const double scale =
        std::min(area.width() / pageSize.width(), area.height() / pageSize.height());
    QTransform toImage;
    toImage.scale(dpi / 72.0, dpi / 72.0);
    toImage.translate(area.left() + (area.width() - pageSize.width() * scale) / 2.0, area.top());
    toImage.scale(scale, scale);
    for (int n : {1, 2}) {
        const QString png = dir.filePath(QStringLiteral("page%1").arg(n));
        run(tool(QStringLiteral("pdftoppm")),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(n),
             QStringLiteral("-l"), QString::number(n), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), path, png});
        const QImage image(png + QStringLiteral(".png"));
        QVERIFY(!image.isNull());
        const QString fault = gridOnWhiteFault(image, toImage, size);
        QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("page %1: %2").arg(n).arg(fault)));
    }
}

void TestAnswerKey::failedWorksheetSave()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w(GridSize::Large);
    // a folder that does not exist
    const QString missing = dir.filePath(QStringLiteral("gone/sheet.pdf"));
    const QString message = w.save(missing, kWorksheetFilter);
    QVERIFY2(message.startsWith(QStringLiteral("The page could not be saved to")),
             qPrintable(message));
    QVERIFY(!QFileInfo::exists(missing));
    // a name that is a folder: the folder is left as it was
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
    QVERIFY(!w.save(dir.filePath(QStringLiteral("folder.pdf")), kWorksheetFilter)
                 .startsWith(QStringLiteral("File successfully")));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder.pdf"))).isDir());
    // The disk fills up part-way: an error, and the older file of that name
    // stays (every kind of page file goes the same way).
    for (const char *filter : {kWorksheetFilter, kPdfFilter, kBmpFilter, kPngFilter}) {
        const QString path = dir.filePath(QStringLiteral("older"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older page");
        old.close();
        {
            DiskFull full(4096);
            QVERIFY(full.active());
            const QString note = w.save(path, filter);
            QVERIFY2(note.startsWith(QStringLiteral("The page could not be saved to")),
                     qPrintable(QLatin1String(filter) + QLatin1String(": ") + note));
        }
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("older page"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("older")});
    }
    QVERIFY(!w.window->inCaptureState());
    QCOMPARE(w.window->height(), kNormalHeight);
}

QTEST_MAIN(TestAnswerKey)
#include "test_answer_key.moc"
