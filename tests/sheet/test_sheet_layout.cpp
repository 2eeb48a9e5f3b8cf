// The sheet layout: the hand-over from the editor's snapshot, where the
// title, grid and word list go on pages of several sizes and grids of any
// shape, clues wrapped and never cut, the style's case and order, trim
// sizes and gutters, the subset font names, and how a book is made up.

#include "key_fixture.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_layout.h"
#include "sheet/sheet_paper.h"
#include "sheet_fixture.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace quarrin;
using namespace quarrin::testing;

Q_DECLARE_METATYPE(quarrin::SheetPuzzle)
Q_DECLARE_METATYPE(quarrin::SheetStyle)

namespace {

// A device that measures as a PDF does: 1200 dots per inch.
class PrintDevice
{
public:
    PrintDevice() : m_writer(&m_buffer)
    {
        m_buffer.open(QIODevice::WriteOnly);
        m_writer.setResolution(1200);
    }
    const QPaintDevice &device() const { return m_writer; }
    double unit() const { return 1200.0 / 72.0; }
    // The live area of `paper` inside 10 mm margins, less the page number's foot.
    QRectF area(const QString &paper, const SheetStyle &style) const
    {
        const QSizeF points = parseTrimSize(paper)->sizePoints();
        const double margin = 10.0 / 25.4 * 72.0;
        return QRectF(margin * unit(), margin * unit(), (points.width() - 2 * margin) * unit(),
                      (points.height() - 2 * margin) * unit() - footerHeight(style, m_writer));
    }

private:
    QBuffer m_buffer;
    QPdfWriter m_writer;
};

QStringList listLines(const SheetLayout &layout)
{
    QStringList lines;
    for (std::size_t k = layout.headLines; k < layout.lines.size(); ++k)
        lines << layout.lines[k].text;
    return lines;
}

SheetPuzzle wordsOnly(SheetPuzzle p)
{
    for (QString &clue : p.clues)
        clue.clear();
    return p;
}

} // namespace

class TestSheetLayout : public QObject
{
    Q_OBJECT

private slots:
    void fromSnapshot();
    void layoutOnPaper_data();
    void layoutOnPaper();
    void cluesWrapNeverCut();
    void caseAndOrder();
    void trimSizes_data();
    void trimSizes();
    void gutterGrowsWithPageCount();
    void subsetFontsAreNamed();
    void bookMakeUp_data();
    void bookMakeUp();

private:
    PrintDevice m_device;
};

void TestSheetLayout::fromSnapshot()
{
    // A 15x15 store of 16 x 16: the margin column and row are not shown.
    PuzzleSnapshot snap = keySnapshot(GridSize::Small,
                                      {{"HORSE", 1, 1, "Right"}, {"GOAT", 15, 4, "Left"},
                                       {"PONY", 14, 6, "Down-Left"}});
    QStringList labels;
    for (int k = 1; k <= snap.words.size(); ++k)
        labels << (snap.words.at(k - 1).isEmpty() ? QString()
                                                 : QStringLiteral("%1. %2").arg(k).arg(
                                                       snap.words.at(k - 1)));
    labels[1] = QStringLiteral("2. Bearded, eats anything");
    const SheetPuzzle p = sheetPuzzleFromSnapshot(snap, QStringLiteral("Farm"), labels);
    QCOMPARE(p.title, QStringLiteral("Farm"));
    QCOMPARE(p.columns, 15);
    QCOMPARE(p.rows, 15);
    QCOMPARE(p.letters.size(), 225);
    QCOMPARE(p.words, (QStringList{"HORSE", "GOAT", "PONY"}));
    QCOMPARE(p.clues, (QStringList{QString(), "Bearded, eats anything", QString()}));
    QVERIFY(p.hasClues());
    // HORSE along the top row from the corner; GOAT leftwards from (14, 3)
    QString top;
    for (int c = 0; c < 5; ++c)
        top += p.letterAt(c, 0);
    QCOMPARE(top, QStringLiteral("HORSE"));
    QCOMPARE(p.letterAt(14, 3) + p.letterAt(11, 3), QStringLiteral("GT"));
    QVERIFY(!p.isFiller(0, 0));
    int filler = 0;
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 15; ++c)
            filler += p.isFiller(c, r) ? 1 : 0;
    QCOMPARE(filler, 225 - 5 - 4 - 4);
    QCOMPARE(int(p.paths.size()), 3);
    QVERIFY(p.paths[2] && p.paths[2]->direction == Direction::DownLeft);
    // outside the grid: nothing
    QCOMPARE(p.letterAt(15, 0), QString());
    QVERIFY(!p.isFiller(-1, 3));
    // an empty snapshot gives an empty puzzle, not a crash
    const SheetPuzzle none = sheetPuzzleFromSnapshot(PuzzleSnapshot{}, QString());
    QCOMPARE(none.columns, 0);
    QVERIFY(none.words.isEmpty());
}

void TestSheetLayout::layoutOnPaper_data()
{
    QTest::addColumn<SheetPuzzle>("puzzle");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<SheetStyle>("style");
    QTest::addColumn<double>("leastLetter"); // points
    SheetStyle plain;
    SheetStyle large;
    large.largePrint = true;
    large.nameLine = true;
    const SheetPuzzle tall = sheetPuzzle(QStringLiteral("Tall"), 12, 20,
                                         {{"GIRAFFE", 2, 1, Direction::Down},
                                          {"ЖИРАФ", 5, 18, Direction::UpRight},
                                          {"ΑΣΤΡΟ", 11, 0, Direction::DownLeft}},
                                         QStringLiteral("ABCΣЖИÉ"));
    const SheetPuzzle wide = sheetPuzzle(QStringLiteral("Wide"), 25, 8,
                                         {{"CROCODILE", 0, 0, Direction::Right},
                                          {"HIPPOPOTAMUS", 24, 7, Direction::Left}});
    QTest::newRow("15x15 A4") << farmPuzzle() << "a4" << plain << 18.0;
    QTest::newRow("15x15 6x9in") << farmPuzzle() << "6x9in" << plain << 12.0;
    QTest::newRow("15x15 clues 6x9in") << farmPuzzleWithClues() << "6x9in" << plain << 6.0;
    QTest::newRow("15x15 large print 6x9in") << farmPuzzle() << "6x9in" << large << 16.0;
    QTest::newRow("12x20 A4") << tall << "a4" << plain << 14.0;
    QTest::newRow("25x8 letter") << wide << "letter" << plain << 10.0;
    QTest::newRow("25x8 6x9in") << wide << "6x9in" << plain << 6.0;
}

void TestSheetLayout::layoutOnPaper()
{
    QFETCH(SheetPuzzle, puzzle);
    QFETCH(QString, paper);
    QFETCH(SheetStyle, style);
    QFETCH(double, leastLetter);
    const QRectF area = m_device.area(paper, style);
    const double slack = 0.01 * m_device.unit();
    for (const bool key : {false, true}) {
        const SheetLayout l = layoutSheet(puzzle, style, area, m_device.device(), key);
        // square cells: the same spacing across and down
        QVERIFY(l.cell > 0);
        QVERIFY(std::abs(l.grid.width() - puzzle.columns * l.cell) < slack);
        QVERIFY(std::abs(l.grid.height() - puzzle.rows * l.cell) < slack);
        QVERIFY2(area.adjusted(-slack, -slack, slack, slack).contains(l.grid),
                 qPrintable(QStringLiteral("grid outside the area")));
        QVERIFY2(l.gridPoints() >= leastLetter,
                 qPrintable(QStringLiteral("grid letters %1 pt").arg(l.gridPoints())));
        QVERIFY(l.gridPoints() <= l.cellPoints() * 0.81);
        // every line of text inside the area, none over the grid
        QVERIFY(!l.list.isEmpty());
        QVERIFY(!l.list.intersects(l.grid));
        for (const SheetLine &line : l.lines) {
            QVERIFY2(line.baseline.x() >= area.left() - slack &&
                         line.baseline.x() + line.width <= area.right() + slack,
                     qPrintable(line.text));
            QVERIFY2(line.baseline.y() <= area.bottom() + slack, qPrintable(line.text));
        }
        QVERIFY(l.bottom <= area.bottom() + slack);
        if (style.largePrint)
            QVERIFY(l.listFont.pointSizeF() >= kLargeListPoints);
        // the title first, the key's with its suffix
        const QString title = l.lines.front().text;
        QVERIFY2(key ? sheetKeyTitle(puzzle.title).startsWith(title) : title == puzzle.title,
                 qPrintable(title));
    }
}

void TestSheetLayout::cluesWrapNeverCut()
{
    // A clue far longer than a column: its lines, joined, are the clue.
    const SheetPuzzle puzzle = farmPuzzleWithClues();
    for (const QString &paper : {QStringLiteral("6x9in"), QStringLiteral("a5")}) {
        SheetStyle style;
        style.largePrint = true;
        const SheetLayout l =
            layoutSheet(puzzle, style, m_device.area(paper, style), m_device.device(), true);
        const QString list = listLines(l).join(QLatin1Char(' '));
        for (int k = 0; k < puzzle.words.size(); ++k) {
            const QString entry = puzzle.clues.at(k) + QStringLiteral(": ") + puzzle.words.at(k);
            QVERIFY2(list.contains(QStringLiteral("%1. ").arg(k + 1) + entry), qPrintable(entry));
        }
        QVERIFY2(list.contains(QLatin1String("towards the centre of the Earth's dinner table")),
                 qPrintable(list));
        QVERIFY(l.lines.size() - l.headLines > std::size_t(2 * puzzle.words.size()));
    }
}

void TestSheetLayout::caseAndOrder()
{
    SheetStyle style;
    style.letterCase = LetterCase::Lower;
    style.order = WordOrder::Alphabetical;
    const SheetPuzzle words = wordsOnly(farmPuzzle());
    const SheetLayout l =
        layoutSheet(words, style, m_device.area(QStringLiteral("a4"), style), m_device.device(), false);
    QStringList expected;
    for (const QString &w : words.words)
        expected << w.toLower();
    expected.sort();
    QCOMPARE(listLines(l), expected);
    // clues keep their numbers' order whatever the order asked
    const SheetLayout clues = layoutSheet(farmPuzzleWithClues(), style,
                                          m_device.area(QStringLiteral("a4"), style),
                                          m_device.device(), false);
    const QStringList lines = listLines(clues);
    QCOMPARE(lines.at(0), QStringLiteral("1."));
    QCOMPARE(lines.at(1), QStringLiteral("It neighs and pulls the cart"));
    // a letter whose upper case is two letters stays one letter
    QCOMPARE(inCase(QStringLiteral("\u00DF"), LetterCase::Upper), QStringLiteral("\u00DF"));
    QCOMPARE(inCase(QStringLiteral("\u0416"), LetterCase::Lower), QStringLiteral("\u0436"));
}

void TestSheetLayout::trimSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSizeF>("points"); // empty: refused
    QTest::newRow("a4") << "a4" << QSizeF(595, 842);
    QTest::newRow("letter") << "Letter" << QSizeF(612, 792);
    QTest::newRow("a5") << "a5" << QSizeF(420, 595);
    QTest::newRow("6x9in") << "6x9in" << QSizeF(432, 648);
    QTest::newRow("7x10in") << "7x10in" << QSizeF(504, 720);
    QTest::newRow("8x10in") << "8x10in" << QSizeF(576, 720);
    QTest::newRow("8.25x11in") << "8.25x11in" << QSizeF(594, 792);
    QTest::newRow("8.5x11in") << "8.5x11in" << QSizeF(612, 792);
    QTest::newRow("5.5x8.5in") << "5.5x8.5in" << QSizeF(396, 612);
    QTest::newRow("210x297mm") << "210x297mm" << QSizeF(595, 842);
    QTest::newRow("no unit") << "6x9" << QSizeF();
    QTest::newRow("centimetres") << "6x9cm" << QSizeF();
    QTest::newRow("too small") << "1x9in" << QSizeF();
    QTest::newRow("too large") << "6x90in" << QSizeF();
    QTest::newRow("not a size") << "huge" << QSizeF();
    QTest::newRow("empty") << "" << QSizeF();
}

void TestSheetLayout::trimSizes()
{
    QFETCH(QString, name);
    QFETCH(QSizeF, points);
    const std::optional<QPageSize> size = parseTrimSize(name);
    QCOMPARE(bool(size), !points.isEmpty());
    if (size)
        QCOMPARE(QSizeF(size->sizePoints()), points);
}

void TestSheetLayout::gutterGrowsWithPageCount()
{
    const struct
    {
        int pages;
        double inches;
    } table[] = {{24, 0.375}, {150, 0.375}, {151, 0.5},  {300, 0.5},  {301, 0.625},
                 {500, 0.625}, {501, 0.75}, {700, 0.75}, {701, 0.875}, {900, 0.875}};
    for (const auto &row : table)
        QCOMPARE(gutterInches(row.pages), row.inches);
    QVERIFY(kOutsideMarginInches >= kLeastOutsideMarginInches);
}

void TestSheetLayout::subsetFontsAreNamed()
{
    // A hand-made PDF whose font is named without its subset tag.
    QByteArray pdf = "%PDF-1.4\n1 0 obj\n<< /Type /FontDescriptor\n/FontName /ABCDEF+Sans\n>>\n"
                     "endobj\n2 0 obj\n<< /Type /Font\n/BaseFont /Sans\n/FontDescriptor 1 0 R >>\n"
                     "endobj\n3 0 obj\n<< /Type /Font\n/BaseFont /Sans\n>>\nendobj\n";
    const int objects[] = {int(pdf.indexOf("1 0 obj")), int(pdf.indexOf("2 0 obj")),
                           int(pdf.indexOf("3 0 obj"))};
    const int xref = int(pdf.size());
    pdf += "xref\n0 4\n0000000000 65535 f \n";
    for (const int at : objects)
        pdf += QByteArray::number(at).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size 4 >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";

    const QByteArray tagged = tagSubsetFonts(pdf);
    QCOMPARE(tagged.count("/BaseFont /ABCDEF+Sans\n"), 2);
    QCOMPARE(tagged.size(), pdf.size() + 14);
    // every offset of the table lands on its object, and startxref on the table
    const QRegularExpression entry(QStringLiteral("(\\d{10}) 00000 n"));
    int object = 1;
    for (auto it = entry.globalMatch(QString::fromLatin1(tagged)); it.hasNext(); ++object) {
        const int at = it.next().captured(1).toInt();
        QVERIFY(tagged.mid(at).startsWith(QByteArray::number(object) + " 0 obj"));
    }
    QCOMPARE(object, 4);
    const int start = int(tagged.indexOf("startxref\n")) + 10;
    const int table = tagged.mid(start, tagged.indexOf('\n', start) - start).toInt();
    QCOMPARE(table, xref + 14);
    QVERIFY(tagged.mid(table).startsWith("xref\n"));
    // nothing to name: the bytes as they were
    const QByteArray plain = QByteArray(pdf).replace("/FontName /ABCDEF+Sans", "/FontName /Sans");
    QCOMPARE(tagSubsetFonts(plain), plain);
}

void TestSheetLayout::bookMakeUp_data()
{
    QTest::addColumn<int>("side"); // of the grids
    QTest::addColumn<int>("puzzles");
    QTest::addColumn<QString>("trim");
    QTest::addColumn<bool>("front"); // title page and contents
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("keysPerPage");
    QTest::addColumn<bool>("pad");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("blank");
    QTest::addColumn<int>("writtenPerPage");
    QTest::addColumn<int>("firstPuzzlePage");
    // 5 puzzles and 2 key pages, padded to the least count
    QTest::newRow("short book") << 15 << 5 << "6x9in" << false << 1 << 4 << true << 24 << 17 << 1 << 1;
    QTest::newRow("no padding") << 15 << 5 << "6x9in" << false << 1 << 4 << false << 7 << 0 << 1 << 1;
    // 27 puzzles + 3 key pages + title + contents = 32: even already
    QTest::newRow("front matter") << 15 << 27 << "6x9in" << true << 1 << 9 << true << 32 << 0 << 1 << 3;
    // 24 puzzles + 3 key pages = 27, made even
    QTest::newRow("odd count") << 15 << 24 << "a4" << false << 1 << 9 << true << 28 << 1 << 1 << 1;
    // two 15x15 grids on a 6x9 page keep letters of 9 pt; two 25x25 would not
    QTest::newRow("two up") << 15 << 4 << "6x9in" << false << 2 << 4 << false << 3 << 0 << 2 << 1;
    QTest::newRow("two up too small") << 25 << 4 << "6x9in" << false << 2 << 4 << false << 5 << 0 << 1 << 1;
    QTest::newRow("two up on letter") << 10 << 5 << "letter" << false << 2 << 6 << false << 4 << 0 << 2 << 1;
}

void TestSheetLayout::bookMakeUp()
{
    QFETCH(int, side);
    QFETCH(int, puzzles);
    QFETCH(QString, trim);
    QFETCH(bool, front);
    QFETCH(int, perPage);
    QFETCH(int, keysPerPage);
    QFETCH(bool, pad);
    QFETCH(int, pages);
    QFETCH(int, blank);
    QFETCH(int, writtenPerPage);
    QFETCH(int, firstPuzzlePage);
    std::vector<SheetPuzzle> list;
    for (int k = 1; k <= puzzles; ++k) {
        list.push_back(side == 15 ? farmPuzzle(QStringLiteral("Farm %1").arg(k))
                                  : sheetPuzzle(QStringLiteral("Grid %1").arg(k), side, side,
                                                {{"CAT", 0, 0, Direction::Right},
                                                 {"DOG", side - 1, side - 1, Direction::Up}}));
    }
    BookOptions options;
    options.trim = *parseTrimSize(trim);
    options.titlePage = front;
    options.contents = front;
    options.perPage = perPage;
    options.keysPerPage = keysPerPage;
    options.pad = pad;
    options.title = QStringLiteral("Farm book");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    BookReport report;
    QVERIFY(writeSheetBookPdf(out, list, options, &report));
    QVERIFY(out.data().startsWith("%PDF"));
    QCOMPARE(report.pages, pages);
    QCOMPARE(report.blankPages, blank);
    QCOMPARE(report.perPage, writtenPerPage);
    QCOMPARE(report.puzzlePages.front(), firstPuzzlePage);
    QCOMPARE(report.puzzlePages.back(), firstPuzzlePage + (puzzles - 1) / writtenPerPage);
    QCOMPARE(report.gutterInches, gutterInches(pages));
    // no puzzles, no book
    QBuffer none;
    none.open(QIODevice::WriteOnly);
    QVERIFY(!writeSheetBookPdf(none, {}, options));
}

QTEST_MAIN(TestSheetLayout)
#include "test_sheet_layout.moc"
