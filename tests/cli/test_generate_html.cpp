// `word_quarrin generate --html` run as a real program with no display: one
// page per puzzle and the index, the same puzzles as the files of the same
// run, --no-answers and --title, and the refusals. The pages are played in a
// browser by tests/web/browser_test.py.

#include "files/puzzle_file.h"
#include "headless_run.h"
#include "web/web_folder.h"
#include "web/web_puzzle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;

class TestGenerateHtml : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    testing::HeadlessRun run(const QStringList &args) const
    {
        return testing::runHeadless(m_dir.path(), QStringList{"generate"} + args);
    }

    static QByteArray contents(const QString &file) { return testing::fileBytes(file); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile words(path("words.txt"));
        QVERIFY(words.open(QIODevice::WriteOnly));
        words.write("cat dog horse\nowl, emu, yak, gnu\n");
        words.close();
        QFile bad(path("bad.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("cat d0g\n");
    }

    void pagesShowThePuzzlesOfTheFiles()
    {
        const testing::HeadlessRun r = run({"--words", "words.txt", "--seed", "7", "--out", "files",
                                            "--html", "site", "--title", "Pets & co"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(QDir(path("site")).entryList(QDir::Files),
                 (QStringList{"index.html", "puzzle-001.html", "puzzle-002.html"}));
        // Each page is the page of the puzzle file written beside it.
        for (int k = 1; k <= 2; ++k) {
            RandomGenerator random;
            PuzzleModel model(GridSize::Small, &random);
            PuzzleFile file(GridSize::Small);
            QVERIFY(file.load(model, path(QStringLiteral("files/puzzle-00%1.qrn").arg(k))).ok);
            PuzzleSnapshot snapshot;
            takeSnapshot(model, snapshot);
            const WebPuzzle puzzle =
                webPuzzleFromSnapshot(snapshot, QStringLiteral("Pets & co %1").arg(k));
            QCOMPARE(contents(path(QStringLiteral("site/puzzle-00%1.html").arg(k))),
                     webPageHtml(puzzle));
        }
        const QString index = QString::fromUtf8(contents(path("site/index.html")));
        QVERIFY(index.contains(QStringLiteral("<h1>Pets &amp; co</h1>")));
        QVERIFY(index.contains(QStringLiteral(
            "<a href=\"puzzle-002.html\">Pets &amp; co 2 <span>4 words, 15 \u00d7 15</span>")));

        // The same seed gives the same pages.
        QCOMPARE(
            run({"--words", "words.txt", "--seed", "7", "--html", "again", "--title", "Pets & co"})
                .status,
            0);
        for (const char *name : {"puzzle-001.html", "puzzle-002.html", "index.html"})
            QCOMPARE(contents(path(QStringLiteral("again/") + name)),
                     contents(path(QStringLiteral("site/") + name)));
        QVERIFY(!QFile::exists(path("again/puzzle-001.qrn")));
    }

    void answersAndTitles_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("title");
        QTest::newRow("default") << QStringList{} << true << "Word Quarrin 1";
        QTest::newRow("no answers, 30x30")
            << QStringList{"--no-answers", "--size", "30"} << false << "Word Quarrin 1";
        QTest::newRow("own title") << QStringList{"--title", "Week 3"} << true << "Week 3 1";
    }

    void answersAndTitles()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, answers);
        QFETCH(QString, title);
        const QString folder = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
        QCOMPARE(run(QStringList{"--words", "words.txt", "--html", folder} + args).status, 0);
        const QString page = QString::fromUtf8(contents(path(folder + "/puzzle-001.html")));
        QVERIFY(page.contains("<title>" + title + "</title>"));
        QCOMPARE(page.contains("data-answer=\""), answers);
        QCOMPARE(page.contains("id=\"wq-answers\""), answers);
        QVERIFY(page.contains("data-word=\"HORSE\""));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("--no-answers alone")
            << QStringList{"--words", "words.txt", "--out", "x", "--no-answers"} << 2
            << "--no-answers goes with --html";
        QTest::newRow("no output at all")
            << QStringList{"--words", "words.txt"} << 2
            << "give --out DIR, --pdf FILE or --html DIR, or more than one";
        QTest::newRow("a file in the folder's way")
            << QStringList{"--words", "words.txt", "--html", "words.txt"} << 2
            << "cannot make the folder words.txt: a file of that name is in the way";
        QTest::newRow("strict with a bad word")
            << QStringList{"--words", "bad.txt", "--html", "strict", "--strict"} << 1
            << "nothing written (--strict)";
    }

    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const testing::HeadlessRun r = run(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(path("strict")));
        QVERIFY(!QFileInfo::exists(path("x")));
    }
};

QTEST_GUILESS_MAIN(TestGenerateHtml)
#include "test_generate_html.moc"
