// The web page as written: the puzzle taken from an editor's snapshot, the
// clues from the print page, the page's markup (what the browser test and
// other programs rely on), the answers left in or out, the index, and the
// writers. Playing the page is tests/web/browser_test.py's part.

#include "file_faults.h"
#include "key_fixture.h"
#include "web_fixture.h"

#include "web/web_folder.h"
#include "web/web_puzzle.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using quarrin::test::DiskFull;

namespace {

QString decoded(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// The cells of a page in the order they stand: x, y and the letter.
struct PageCell
{
    int x;
    int y;
    QString letter;
    bool operator==(const PageCell &o) const { return x == o.x && y == o.y && letter == o.letter; }
};

QList<PageCell> pageCells(const QString &page)
{
    QList<PageCell> cells;
    static const QRegularExpression cell(
        QStringLiteral("<td data-x=(\\d+) data-y=(\\d+)>([^<\\n]*)"));
    for (const QRegularExpressionMatch &m : cell.globalMatch(page))
        cells.append({m.captured(1).toInt(), m.captured(2).toInt(), decoded(m.captured(3))});
    return cells;
}

// data-word and data-answer of every list entry, in order.
QStringList pageEntries(const QString &page)
{
    QStringList entries;
    static const QRegularExpression entry(
        QStringLiteral("data-word=\"([^\"]*)\"(?: data-answer=\"([^\"]*)\")?>"));
    for (const QRegularExpressionMatch &m : entry.globalMatch(page))
        entries << decoded(m.captured(1)) + QLatin1Char('|') + m.captured(2);
    return entries;
}

QString page(const WebPuzzle &puzzle, bool answers = true)
{
    WebPageOptions options;
    options.showAnswers = answers;
    return QString::fromUtf8(webPageHtml(puzzle, options));
}

WebPuzzle::Entry drawnEntry(const QString &word, int x, int y, int dx, int dy)
{
    WebPuzzle::Entry e;
    e.word = word;
    e.x = x;
    e.y = y;
    e.dx = dx;
    e.dy = dy;
    e.length = int(word.size());
    e.drawn = true;
    return e;
}

// A 3 x 2 puzzle:  C A T
//                  O X .   (the last cell blank)
WebPuzzle tiny()
{
    WebPuzzle p;
    p.title = QStringLiteral("Tiny");
    p.columns = 3;
    p.rows = 2;
    p.cells = {QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("T"),
               QStringLiteral("O"), QStringLiteral("X"), QStringLiteral(" ")};
    p.words = {drawnEntry(QStringLiteral("CAT"), 1, 1, 1, 0),
               drawnEntry(QStringLiteral("CO"), 1, 1, 0, 1)};
    return p;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestWebPage : public QObject
{
    Q_OBJECT

private slots:
    void snapshotGivesTheVisibleGridAndEveryPlace_data();
    void snapshotGivesTheVisibleGridAndEveryPlace();
    void snapshotLeavesOutEmptySlotsAndUndrawnPlaces();
    void cluesComeFromReplacedLabelsOfTheSameWords_data();
    void cluesComeFromReplacedLabelsOfTheSameWords();
    void printedCluesComeBeforeTheWordsOwn();

    void pageHoldsEveryCellOfAnyGrid();
    void pageEscapesEveryTextItShows();
    void pageLoadsNothing();
    void answersAreInThePageOnlyWhenAsked_data();
    void answersAreInThePageOnlyWhenAsked();
    void cluesAreListedWithTheirWords();
    void pageIsTheSameForTheSamePuzzle();
    void progressIdFollowsLettersAndWords();
    void pageSaysThePuzzlesLanguage_data();
    void pageSaysThePuzzlesLanguage();

    void indexLinksEveryPage();
    void folderHoldsOnePagePerPuzzleAndTheIndex();
    void pageFileNames_data();
    void pageFileNames();
    void failedWritesKeepTheOldFile();
};

// One word in each of the eight directions on a grid of each kind: the two
// record sizes, and 12 columns by 7 rows.
PuzzleSnapshot eightWays(const QString &kind)
{
    if (kind == QLatin1String("15x15"))
        return testing::eightWaySnapshot(GridSize::Small);
    if (kind == QLatin1String("30x30"))
        return testing::eightWaySnapshot(GridSize::Large);
    return testing::keySnapshot(GridSize(12, 7), {{"CAMEL", 1, 1, "Right"},
                                                  {"OTTER", 12, 7, "Left"},
                                                  {"MOLE", 1, 7, "Up"},
                                                  {"LYNX", 3, 2, "Down"},
                                                  {"BEAR", 5, 6, "Up-Right"},
                                                  {"WOLF", 12, 2, "Down-Left"},
                                                  {"DEER", 8, 1, "Down-Right"},
                                                  {"HARE", 4, 7, "Up-Left"}});
}

void TestWebPage::snapshotGivesTheVisibleGridAndEveryPlace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("15x15") << "15x15" << 15 << 15;
    QTest::newRow("30x30") << "30x30" << 30 << 30;
    QTest::newRow("12x7") << "12x7" << 12 << 7;
}

void TestWebPage::snapshotGivesTheVisibleGridAndEveryPlace()
{
    QFETCH(QString, kind);
    QFETCH(int, columns);
    QFETCH(int, rows);
    const PuzzleSnapshot snapshot = eightWays(kind);
    const WebPuzzle p = webPuzzleFromSnapshot(snapshot, QStringLiteral("Farm"));
    QCOMPARE(p.title, QStringLiteral("Farm"));
    QCOMPARE(p.columns, columns);
    QCOMPARE(p.rows, rows);
    QCOMPARE(p.cells.size(), columns * rows); // the hidden margin left out
    for (int y = 1; y <= rows; ++y)
        for (int x = 1; x <= columns; ++x)
            QCOMPARE(p.cell(x, y), QString(snapshot.letterAt(x - 1, y - 1)));

    // Each word's place, read back letter by letter from the page's grid:
    // the eight directions give all eight steps.
    int listed = 0;
    for (const QString &w : snapshot.words)
        listed += w.isEmpty() ? 0 : 1;
    QCOMPARE(int(p.words.size()), listed);
    QSet<QPair<int, int>> steps;
    for (const WebPuzzle::Entry &e : p.words) {
        QVERIFY2(e.drawn && p.fits(e), qPrintable(e.word));
        QString read;
        for (int k = 0; k < e.length; ++k)
            read += p.cell(e.x + k * e.dx, e.y + k * e.dy);
        QCOMPARE(read, e.word);
        steps.insert({e.dx, e.dy});
    }
    QCOMPARE(steps.size(), 8);
    // The first word starts at the top left, going right.
    QCOMPARE(p.words.front().x, 1);
    QCOMPARE(p.words.front().y, 1);
    QCOMPARE(p.words.front().dx, 1);
    QCOMPARE(p.words.front().dy, 0);
}

void TestWebPage::snapshotLeavesOutEmptySlotsAndUndrawnPlaces()
{
    PuzzleSnapshot snapshot = testing::eightWaySnapshot(GridSize::Small);
    const QString third = snapshot.words.at(2);
    snapshot.words[2].clear();   // an empty slot between words
    snapshot.paths[3].reset();   // DUCK listed but not drawn
    snapshot.paths[4]->col = 15; // CALF into the hidden margin
    snapshot.paths[4]->direction = Direction::Up;
    const WebPuzzle p = webPuzzleFromSnapshot(snapshot, QString());
    QStringList words;
    for (const WebPuzzle::Entry &e : p.words)
        words << e.word + (e.drawn ? QString() : QStringLiteral(" (not drawn)"));
    QCOMPARE(words,
             (QStringList{QStringLiteral("HORSE"), QStringLiteral("SHEEP"),
                          QStringLiteral("DUCK (not drawn)"), QStringLiteral("CALF (not drawn)"),
                          QStringLiteral("LAMB"), QStringLiteral("MULE"), QStringLiteral("PONY"),
                          QStringLiteral("HEN")}));
    QVERIFY(!words.contains(third));
    // A word that is not drawn is listed without a place.
    QCOMPARE(pageEntries(page(p)).at(2), QStringLiteral("DUCK|"));
}

void TestWebPage::cluesComeFromReplacedLabelsOfTheSameWords_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("printedWords");
    QTest::addColumn<QStringList>("clues");
    const QStringList words{QStringLiteral("CAT"), QStringLiteral("DOG"), QStringLiteral("COW")};
    QTest::newRow("replaced and plain labels")
        << QStringList{QStringLiteral("1. Purrs"), QStringLiteral("2. DOG"),
                       QStringLiteral("3. Gives milk ")}
        << words << QStringList{QStringLiteral("Purrs"), QString(), QStringLiteral("Gives milk")};
    QTest::newRow("a label emptied to its number")
        << QStringList{QStringLiteral("1. "), QStringLiteral("2. Barks"), QString()} << words
        << QStringList{QString(), QStringLiteral("Barks"), QString()};
    QTest::newRow("the page shows other words now")
        << QStringList{QStringLiteral("1. Purrs"), QStringLiteral("2. Barks"),
                       QStringLiteral("3. Moos")}
        << QStringList{QStringLiteral("CAT"), QStringLiteral("HEN"), QStringLiteral("COW")}
        << QStringList{QStringLiteral("Purrs"), QString(), QStringLiteral("Moos")};
    QTest::newRow("a print page never opened")
        << QStringList{} << QStringList{} << QStringList{QString(), QString(), QString()};
    QTest::newRow("a label of another number")
        << QStringList{QStringLiteral("2. Purrs"), QStringLiteral("2. Barks"),
                       QStringLiteral("3. COW")}
        << words << QStringList{QString(), QStringLiteral("Barks"), QString()};
}

void TestWebPage::cluesComeFromReplacedLabelsOfTheSameWords()
{
    QFETCH(QStringList, labels);
    QFETCH(QStringList, printedWords);
    QFETCH(QStringList, clues);
    const QStringList words{QStringLiteral("CAT"), QStringLiteral("DOG"), QStringLiteral("COW")};
    QCOMPARE(cluesFromPrintPage(words, PrintedTexts{QString(), labels, printedWords}), clues);
}

void TestWebPage::printedCluesComeBeforeTheWordsOwn()
{
    PuzzleSnapshot snapshot = testing::eightWaySnapshot(GridSize::Small);
    snapshot.clues = QStringList(snapshot.words.size(), QString());
    snapshot.clues[1] = QStringLiteral("Woolly");
    snapshot.clues[2] = QStringLiteral("Bearded");
    const WebPuzzle p = webPuzzleFromSnapshot(
        snapshot, QString(), {QStringLiteral("Neighs"), QString(), QStringLiteral(" Climbs ")});
    QStringList clues;
    for (const WebPuzzle::Entry &e : p.words)
        clues << e.clue;
    QCOMPARE(clues.mid(0, 4), (QStringList{QStringLiteral("Neighs"), QStringLiteral("Woolly"),
                                           QStringLiteral("Climbs"), QString()}));
}

void TestWebPage::pageHoldsEveryCellOfAnyGrid()
{
    // 7 columns by 12 rows of Greek, Cyrillic and Turkish letters: every
    // cell once, row by row, at its own 1-based column and row.
    const WebPuzzle p = testing::rectangularPuzzle();
    const QString html = page(p);
    QList<PageCell> want;
    for (int y = 1; y <= 12; ++y)
        for (int x = 1; x <= 7; ++x)
            want.append({x, y, p.cell(x, y)});
    QCOMPARE(pageCells(html), want);
    QCOMPARE(html.count(QLatin1String("<tr>")), 12);
    QVERIFY(html.contains(QLatin1String("data-columns=\"7\" data-rows=\"12\"")));
    QVERIFY(html.contains(QLatin1String("--cols:7;--rows:12")));
    QVERIFY(html.contains(QLatin1String("aria-label=\"Letter grid, 7 columns, 12 rows\"")));
    QVERIFY(html.contains(QLatin1String("<span class=\"count\" id=\"wq-count\">0 of 5 found")));

    // Blank cells, and cells the puzzle is short of, are empty; no line
    // break joins a row's last letter.
    WebPuzzle gaps = tiny();
    gaps.cells.removeLast();
    gaps.cells[1] = QString();
    QCOMPARE(pageCells(page(gaps)), (QList<PageCell>{{1, 1, QStringLiteral("C")},
                                                     {2, 1, QString()},
                                                     {3, 1, QStringLiteral("T")},
                                                     {1, 2, QStringLiteral("O")},
                                                     {2, 2, QStringLiteral("X")},
                                                     {3, 2, QString()}}));
    QVERIFY(page(tiny()).contains(QLatin1String("data-y=1>T</tr>\n")));
}

void TestWebPage::pageEscapesEveryTextItShows()
{
    WebPuzzle p = tiny();
    p.title = QStringLiteral("Tom & Jerry's \"<b>best</b>\" %1 %2");
    p.cells[4] = QStringLiteral("<");
    p.words[0].clue = QStringLiteral("</script><script>alert(1)</script>");
    p.words[1].word = QStringLiteral("C\"O");
    const QString html = page(p);
    QVERIFY(html.contains(QLatin1String(
        "<title>Tom &amp; Jerry&#39;s &quot;&lt;b&gt;best&lt;/b&gt;&quot; %1 %2</title>")));
    QVERIFY(html.contains(
        QLatin1String("<h1>Tom &amp; Jerry&#39;s &quot;&lt;b&gt;best&lt;/b&gt;&quot; %1 %2</h1>")));
    QCOMPARE(html.count(QLatin1String("<script")), 1);
    QCOMPARE(html.count(QLatin1String("<b>")), 0);
    QVERIFY(html.contains(QLatin1String("&lt;/script&gt;&lt;script&gt;alert(1)")));
    QCOMPARE(pageCells(html).at(4).letter, QStringLiteral("<"));
    QCOMPARE(pageEntries(html).at(1), QStringLiteral("C\"O|"));
}

void TestWebPage::pageLoadsNothing()
{
    const QString html = page(testing::rectangularPuzzle());
    QVERIFY(html.contains(
        QLatin1String("<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                      "style-src 'unsafe-inline'; script-src 'unsafe-inline'\">")));
    for (const char *load :
         {"src=", "href=", "url(", "@import", "<link", "<iframe", "<img", "http://", "https://",
          "//cdn", "fetch(", "XMLHttpRequest", "WebSocket", "sendBeacon", "@font-face"})
        QVERIFY2(!html.contains(QLatin1String(load), Qt::CaseInsensitive), load);
    QCOMPARE(html.count(QLatin1String("<style>")), 1);
}

void TestWebPage::answersAreInThePageOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("misplaced"); // CO given the cells that spell CA
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("button");
    const QStringList none{QStringLiteral("CAT|"), QStringLiteral("CO|")};
    QTest::newRow("asked") << true << true << false
                           << QStringList{QStringLiteral("CAT|1 1 1 0 3"),
                                          QStringLiteral("CO|1 1 0 1 2")}
                           << true;
    QTest::newRow("left out") << false << true << false << none << false;
    QTest::newRow("asked, nothing drawn") << true << false << false << none << false;
    QTest::newRow("asked, a place that does not spell its word")
        << true << true << true
        << QStringList{QStringLiteral("CAT|1 1 1 0 3"), QStringLiteral("CO|")} << true;
}

void TestWebPage::answersAreInThePageOnlyWhenAsked()
{
    QFETCH(bool, answers);
    QFETCH(bool, drawn);
    QFETCH(bool, misplaced);
    QFETCH(QStringList, entries);
    QFETCH(bool, button);
    WebPuzzle p = tiny();
    for (WebPuzzle::Entry &e : p.words)
        e.drawn = drawn;
    if (misplaced) {
        p.words[1].dx = 1;
        p.words[1].dy = 0;
    }
    const QString html = page(p, answers);
    QCOMPARE(pageEntries(html), entries);
    QCOMPARE(html.contains(QLatin1String("id=\"wq-answers\"")), button);
    QCOMPARE(html.contains(QLatin1String(">Show answers</button>")), button);
    QVERIFY(html.contains(QLatin1String(">Start again</button>")));
}

void TestWebPage::cluesAreListedWithTheirWords()
{
    const QString html = page(testing::rectangularPuzzle());
    QVERIFY(html.contains(QLatin1String("<h2 id=\"wq-list\">Clues</h2>\n<ol class=\"clues\">")));
    // A clue shows instead of its word, which follows once found; a word
    // without a clue stands as itself.
    QVERIFY(html.contains(QString::fromUtf8(
        "data-word=\"ДОМ\" data-answer=\"1 2 0 1 3\"><span class=\"text\">Дом &lt;house&gt; "
        "&amp; home</span> <span class=\"answer\">ДОМ</span></span>")));
    QVERIFY(html.contains(
        QString::fromUtf8("data-answer=\"1 1 1 0 4\"><span class=\"text\">ΑΛΦΑ</span></span>")));
    QVERIFY(html.contains(QLatin1String("role=\"checkbox\" aria-checked=\"false\" "
                                        "aria-readonly=\"true\" data-word=")));
    // Without any clue the list is of words.
    QVERIFY(page(tiny()).contains(
        QLatin1String("<h2 id=\"wq-list\">Words</h2>\n<ul class=\"words\">")));
}

void TestWebPage::pageIsTheSameForTheSamePuzzle()
{
    QCOMPARE(webPageHtml(testing::rectangularPuzzle()), webPageHtml(testing::rectangularPuzzle()));
    QVERIFY(webPageHtml(tiny()) != webPageHtml(tiny(), WebPageOptions{false}));
}

void TestWebPage::progressIdFollowsLettersAndWords()
{
    const QString id = webPuzzleId(tiny());
    QCOMPARE(id.size(), 16);
    QVERIFY(page(tiny()).contains(QStringLiteral("data-puzzle=\"%1\"").arg(id)));
    WebPuzzle retitled = tiny();
    retitled.title = QStringLiteral("Other");
    retitled.words[0].clue = QStringLiteral("Purrs");
    QCOMPARE(webPuzzleId(retitled), id);
    WebPuzzle letter = tiny();
    letter.cells[5] = QStringLiteral("Z");
    WebPuzzle word = tiny();
    word.words[1].word = QStringLiteral("OX");
    WebPuzzle shape = tiny();
    shape.columns = 2;
    shape.rows = 3;
    const QSet<QString> ids{id, webPuzzleId(letter), webPuzzleId(word), webPuzzleId(shape)};
    QCOMPARE(ids.size(), 4);
}

void TestWebPage::pageSaysThePuzzlesLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("lang"); // as the page writes it
    QTest::newRow("English") << "en"
                             << "en";
    QTest::newRow("Turkish") << "tr"
                             << "tr";
    QTest::newRow("Russian") << "ru"
                             << "ru";
    QTest::newRow("none given") << ""
                                << "en";
    QTest::newRow("markup") << "x\"><b"
                            << "x&quot;&gt;&lt;b";
}

void TestWebPage::pageSaysThePuzzlesLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, lang);
    WebPuzzle p = testing::rectangularPuzzle();
    p.language = language;
    const QString html = page(p);
    QVERIFY2(html.startsWith(QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n").arg(lang)),
             qPrintable(html.left(60)));
    // The page's own texts are English: marked so on a page in another
    // language, each where it stands, and only there.
    const QString body = html.mid(html.indexOf(QLatin1String("<body>")));
    const QStringList english{
        QStringLiteral("<div class=\"bar\" id=\"wq-bar\" lang=\"en\" hidden>"),
        QStringLiteral("<h2 id=\"wq-list\" lang=\"en\">"),
        QStringLiteral("<p class=\"help\" id=\"wq-help\" lang=\"en\">"),
        QStringLiteral("<p class=\"finish\" id=\"wq-finish\" role=\"status\" lang=\"en\">"),
        QStringLiteral("aria-labelledby=\"wq-confirm-text\" lang=\"en\" hidden>"),
        QStringLiteral("aria-atomic=\"true\" lang=\"en\">"),
    };
    for (const QString &marked : english)
        QCOMPARE(body.contains(marked), lang != QLatin1String("en"));
    QCOMPARE(body.count(QLatin1String(" lang=\"en\"")), lang == QLatin1String("en") ? 0 : 7);

    // The index of a run says its puzzles' language too.
    const QString index = QString::fromUtf8(
        webIndexHtml(p.title, {{p.title, QStringLiteral("puzzle-001.html"), 5, 7, 12}}, language));
    QVERIFY(index.contains(QStringLiteral("<html lang=\"%1\">").arg(lang)));
    QCOMPARE(index.contains(QLatin1String("<p lang=\"en\">1 puzzle</p>")),
             lang != QLatin1String("en"));

    // A snapshot of a puzzle in the language hands it on to the page.
    if (const Language *found = Language::find(language)) {
        RandomGenerator random([] { return std::uint64_t(7); });
        PuzzleModel model(GridSize(6, 6), &random);
        model.setLetters(Alphabet(*found), FillKind::Natural);
        PuzzleSnapshot snapshot;
        takeSnapshot(model, snapshot);
        QCOMPARE(webPuzzleFromSnapshot(snapshot, QString()).language, found->code());
    }
}

void TestWebPage::indexLinksEveryPage()
{
    const QString html = QString::fromUtf8(webIndexHtml(
        QStringLiteral("Class <4B>"),
        {{QStringLiteral("Class <4B> 1"), QStringLiteral("puzzle-001.html"), 1, 15, 15},
         {QStringLiteral("%1 & %2"), QStringLiteral("my page #2.html"), 28, 30, 30}}));
    QVERIFY(html.contains(QLatin1String("<h1>Class &lt;4B&gt;</h1>\n<p>2 puzzles</p>")));
    QVERIFY(html.contains(QString::fromUtf8("<li><a href=\"puzzle-001.html\">Class &lt;4B&gt; 1 "
                                            "<span>1 word, 15 × 15</span></a></li>")));
    QVERIFY(html.contains(QString::fromUtf8("<li><a href=\"my%20page%20%232.html\">%1 &amp; %2 "
                                            "<span>28 words, 30 × 30</span></a></li>")));
    QVERIFY(!html.contains(QLatin1String("<script")));
    QVERIFY(html.contains(QLatin1String("default-src 'none'")));
}

void TestWebPage::folderHoldsOnePagePerPuzzleAndTheIndex()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("site/pages"));
    const std::vector<PuzzleSnapshot> puzzles{testing::eightWaySnapshot(GridSize::Small),
                                              testing::eightWaySnapshot(GridSize::Large)};
    WebPageOptions options;
    options.showAnswers = false;
    QCOMPARE(writeWebFolder(folder, puzzles, QStringLiteral("Animals"), options), QString());
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             (QStringList{QStringLiteral("index.html"), QStringLiteral("puzzle-001.html"),
                          QStringLiteral("puzzle-002.html")}));
    for (int k = 0; k < 2; ++k) {
        const WebPuzzle p =
            webPuzzleFromSnapshot(puzzles[std::size_t(k)], QStringLiteral("Animals %1").arg(k + 1));
        QCOMPARE(readAll(QDir(folder).filePath(webPageFileName(k + 1, 2))),
                 webPageHtml(p, options));
    }
    const QString index =
        QString::fromUtf8(readAll(QDir(folder).filePath(QStringLiteral("index.html"))));
    QVERIFY(index.contains(QStringLiteral("href=\"puzzle-002.html\">Animals 2 <span>%1 words, 30 "
                                          "\u00d7 30")
                               .arg(webPuzzleFromSnapshot(puzzles[1], QString()).words.size())));

    // A file where the folder should be: said, nothing written.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    QFile(blocked).open(QIODevice::WriteOnly);
    QCOMPARE(writeWebFolder(blocked, puzzles, QStringLiteral("Animals"), options),
             QStringLiteral("cannot make the folder %1: a file of that name is in the way")
                 .arg(blocked));
}

void TestWebPage::pageFileNames_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");
    QTest::newRow("one of one") << 1 << 1 << QStringLiteral("puzzle-001.html");
    QTest::newRow("last of 999") << 999 << 999 << QStringLiteral("puzzle-999.html");
    QTest::newRow("first of 1000") << 1 << 1000 << QStringLiteral("puzzle-0001.html");
}

void TestWebPage::pageFileNames()
{
    QFETCH(int, number);
    QFETCH(int, count);
    QFETCH(QString, name);
    QCOMPARE(webPageFileName(number, count), name);
}

void TestWebPage::failedWritesKeepTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("puzzle.html"));
    QCOMPARE(writeWebFile(path, "old page"), QString());
    QCOMPARE(readAll(path), QByteArray("old page"));

    // A full disk: the page is refused with the reason, the old one stays.
    {
        DiskFull full(4096);
        QVERIFY(full.active());
        const QString error = writeWebFile(path, webPageHtml(testing::rectangularPuzzle()));
        QVERIFY2(error.startsWith(
                     QStringLiteral("The web page could not be saved to \"%1\": ").arg(path)),
                 qPrintable(error));
        QVERIFY2(error.contains(QLatin1String("too large"), Qt::CaseInsensitive),
                 qPrintable(error));
    }
    QCOMPARE(readAll(path), QByteArray("old page"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("puzzle.html")});

    // A folder that does not exist.
    const QString missing = dir.filePath(QStringLiteral("gone/puzzle.html"));
    const QString error = writeWebFile(missing, "page");
    QVERIFY2(error.startsWith(
                 QStringLiteral("The web page could not be saved to \"%1\": ").arg(missing)) &&
                 error.size() > missing.size() + 40,
             qPrintable(error));
}

QTEST_GUILESS_MAIN(TestWebPage)
#include "test_web_page.moc"
