// `word_quarrin generate` run as a real program with no display: each bad
// option value, --strict, determinism with --seed, and the written files.

#include "check/blocked_words.h"
#include "check/puzzle_check.h"
#include "files/puzzle_file.h"
#include "headless_run.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;

using Run = testing::HeadlessRun;

class TestGenerateCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // `generate` with `args`, in the fixture folder with no display to be had;
    // only the built-in blocked words apply.
    Run run(const QStringList &args, const QByteArray &input = QByteArray()) const
    {
        return testing::runHeadless(m_dir.path(), QStringList{"generate"} + args, input);
    }

    static QByteArray contents(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile words(path("words.txt"));
        QVERIFY(words.open(QIODevice::WriteOnly));
        words.write("# two puzzles\ncat dog horse\n\nowl, emu, yak, gnu\n");
        words.close();
        QFile bad(path("bad.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("cat d0g\nabcdefghijklmnopqrstuvwxyz owl\n");
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named"); // what the one-line message names
        QTest::newRow("size") << QStringList{"--words", "words.txt", "--out", "o", "--size", "20"}
                              << "--size";
        QTest::newRow("directions")
            << QStringList{"--words", "words.txt", "--out", "o", "--directions", "Sideways"}
            << "--directions";
        QTest::newRow("fill") << QStringList{"--words", "words.txt", "--out",
                                             "o",       "--fill",    "paint"}
                              << "--fill";
        QTest::newRow("empty message")
            << QStringList{"--words", "words.txt", "--out", "o", "--fill", "message:"} << "--fill";
        QTest::newRow("message a puzzle file cannot hold")
            << QStringList{"--words", "words.txt", "--out",
                           "o",       "--fill",    QStringLiteral("message:hi \u03a9")}
            << "--fill";
        QTest::newRow("seed") << QStringList{"--words", "words.txt", "--out", "o", "--seed", "x1"}
                              << "--seed";
        QTest::newRow("count") << QStringList{"--pool",       "words.txt", "--count", "0",
                                              "--per-puzzle", "2",         "--out",   "o"}
                               << "--count";
        QTest::newRow("unknown option")
            << QStringList{"--words", "words.txt", "--out", "o", "--colour", "red"} << "--colour";
        QTest::newRow("no input") << QStringList{"--out", "o"} << "--words";
        QTest::newRow("both inputs")
            << QStringList{"--words", "words.txt", "--pool", "words.txt", "--out", "o"}
            << "--words";
        QTest::newRow("pool without count")
            << QStringList{"--pool", "words.txt", "--out", "o"} << "--count";
        QTest::newRow("no output") << QStringList{"--words", "words.txt"} << "--out";
        QTest::newRow("unreadable input")
            << QStringList{"--words", "missing.txt", "--out", "o"} << "missing.txt";
    }
    void badCommandLines()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const Run r = run(args);
        QCOMPARE(r.status, 2);
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].contains(named), qPrintable(lines[0]));
        QVERIFY(!QDir(path("o")).exists());
    }

    void strictWritesNothing()
    {
        const Run loose = run({"--words", "bad.txt", "--out", "loose", "--seed", "1", "--quiet"});
        QCOMPARE(loose.status, 0);
        QVERIFY2(loose.err.contains("line 1: 'd0g': not letters only"), qPrintable(loose.err));
        QVERIFY(loose.err.contains("line 2: 'abcdefghijklmnopqrstuvwxyz': longer than 14"));
        QCOMPARE(QDir(path("loose")).entryList(QDir::Files),
                 (QStringList{"puzzle-001.qrn", "puzzle-002.qrn"}));

        const Run strict = run({"--words", "bad.txt", "--out", "strict", "--strict"});
        QCOMPARE(strict.status, 1);
        QVERIFY(strict.err.contains("'d0g'"));
        QVERIFY(!QDir(path("strict")).exists());
    }

    void outFolderInTheWayOfAFile()
    {
        QFile taken(path("taken"));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.write("keep");
        taken.close();
        const Run r = run({"--words", "words.txt", "--out", "taken", "--seed", "1", "--quiet"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QLatin1String("cannot make the folder taken: a file of that name "
                                              "is in the way")),
                 qPrintable(r.err));
        QCOMPARE(contents(path("taken")), QByteArray("keep"));
    }

    void seedGivesTheSameFiles()
    {
        for (const QString size : {"15", "30"}) {
            const QString ext = size == "15" ? ".qrn" : ".qrn2";
            const QStringList common{"--size", size, "--seed", "9", "--quiet"};
            QCOMPARE(run(QStringList{"--words", "words.txt", "--out", "a" + size} + common).status,
                     0);
            // The same lists from standard input, and another seed.
            QFile words(path("words.txt"));
            QVERIFY(words.open(QIODevice::ReadOnly));
            QCOMPARE(run(QStringList{"--words", "-", "--out", "b" + size} + common, words.readAll())
                         .status,
                     0);
            QCOMPARE(
                run({"--words", "words.txt", "--out", "c" + size, "--size", size, "--seed", "10"})
                    .status,
                0);
            for (const QString name : {"puzzle-001", "puzzle-002"}) {
                const QByteArray a = contents(path("a" + size + "/" + name + ext));
                QCOMPARE(a.size(),
                         sizeSpec(size == "15" ? GridSize::Small : GridSize::Large).recordBytes);
                QCOMPARE(contents(path("b" + size + "/" + name + ext)), a);
                QVERIFY(contents(path("c" + size + "/" + name + ext)) != a);
            }
        }
    }

    void cleanRefillsUntilTheCheckPasses()
    {
        // Short words in a 30x30 grid: random letters often spell one again.
        QFile words(path("short.txt"));
        QVERIFY(words.open(QIODevice::WriteOnly));
        for (int k = 0; k < 6; ++k)
            words.write("cat dog owl\n");
        words.close();
        const QStringList common{"--words", "short.txt", "--size", "30", "--seed", "3", "--quiet"};
        QCOMPARE(run(QStringList{"--out", "plain"} + common).status, 0);
        const Run cleaned = run(QStringList{"--out", "clean", "--clean"} + common);
        QCOMPARE(cleaned.status, 0);
        QCOMPARE(cleaned.err, QString());

        const PuzzleCheck check(BlockedWords::builtIn());
        int plainProblems = 0;
        for (int k = 1; k <= 6; ++k) {
            const QString name = QStringLiteral("/puzzle-00%1.qrn2").arg(k);
            RandomGenerator random;
            PuzzleModel plain(GridSize::Large, &random);
            PuzzleModel clean(GridSize::Large, &random);
            PuzzleFile file(GridSize::Large);
            QVERIFY(file.load(plain, path("plain" + name)).ok);
            QVERIFY(file.load(clean, path("clean" + name)).ok);
            plainProblems += plain.wordCount() > 0 && !check.run(plain).clean() ? 1 : 0;
            QVERIFY2(check.run(clean).clean(), qPrintable(check.run(clean).lines().join('\n')));
            QCOMPARE(clean.log(), plain.log());
            if (k == 1) {
                // Placed before any refill drew from the generator: the words
                // stay where the plain run put them, only the fill changed.
                QCOMPARE(clean.positions(), plain.positions());
                QCOMPARE(clean.directionMemo(), plain.directionMemo());
            }
        }
        QVERIFY(plainProblems > 0); // the refill had something to cure

        // A word inside another cannot be cured: a warning, and under --strict an error.
        QFile inside(path("inside.txt"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("cat catalog\n");
        inside.close();
        const Run warned =
            run({"--words", "inside.txt", "--out", "inside", "--clean", "--seed", "1", "--quiet"});
        QCOMPARE(warned.status, 0);
        QVERIFY2(warned.err.contains("no fill can cure"), qPrintable(warned.err));
        const Run strict = run({"--words", "inside.txt", "--out", "inside-strict", "--clean",
                                "--strict", "--seed", "1", "--quiet"});
        QCOMPARE(strict.status, 1);
        QVERIFY(!QDir(path("inside-strict")).exists());
    }

    void cleanSaysWhenTheUsersBlockedWordsCannotBeRead()
    {
        // A folder where the list should be: it cannot be read, as the check
        // command also says, and the puzzles are cleaned of the built-in words.
        const QString list = path("config/Word Quarrin Generator/blocked-words.txt");
        QVERIFY(QDir().mkpath(list));
        const Run r =
            run({"--words", "words.txt", "--out", "unread", "--clean", "--seed", "1", "--quiet"});
        QVERIFY(QDir(list).removeRecursively());
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains(QLatin1String("blocked-words.txt")) &&
                     r.err.contains(QLatin1String("could not be read")),
                 qPrintable(r.err));
        QCOMPARE(QDir(path("unread")).entryList(QDir::Files).size(), 2);
    }

    void writtenPuzzlesLoad()
    {
        QCOMPARE(
            run({"--words", "words.txt", "--out", "load", "--seed", "4", "--fill", "none"}).status,
            0);
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        PuzzleFile file(GridSize::Small);
        QVERIFY(file.load(model, path("load/puzzle-002.qrn")).ok);
        QCOMPARE(model.log(), (QStringList{"OWL", "EMU", "YAK", "GNU"}));
        // No fill: only the words' letters are in the grid (blanks are spaces).
        int letters = 0;
        for (int c = 0; c < 15; ++c)
            for (int r = 0; r < 15; ++r)
                letters += model.cell(c, r).startsWith(QLatin1Char(' ')) ? 0 : 1;
        QVERIFY(letters > 0 && letters <= 12);
    }

    void bookHasEveryPuzzleThenTheKeys()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
        QFile lists(path("five.txt"));
        QVERIFY(lists.open(QIODevice::WriteOnly));
        lists.write("cat dog\nowl emu\nant bee\nyak gnu\nelk ram\n");
        lists.close();
        const Run r = run({"--words", "five.txt", "--pdf", "book.pdf", "--title", "Farm", "--paper",
                           "letter", "--seed", "2"});
        QCOMPARE(r.status, 0);
        QVERIFY(!QDir(path("o")).exists());
        // five puzzle pages and two of keys, made up to the least page count
        QVERIFY2(r.err.contains(QLatin1String("book.pdf: 17 blank pages added at the end to make "
                                              "24 pages")),
                 qPrintable(r.err));

        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path("book.pdf")});
        QVERIFY(info.waitForFinished(30000));
        const QString meta = QString::fromLocal8Bit(info.readAllStandardOutput());
        QVERIFY2(meta.contains(QRegularExpression(QStringLiteral("Pages:\\s+24\\n"))),
                 qPrintable(meta));
        QVERIFY(meta.contains(QLatin1String("612 x 792 pts (letter)")));

        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path("book.pdf"), "-"});
        QVERIFY(text.waitForFinished(30000));
        const QStringList pages =
            QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
        for (int k = 1; k <= 5; ++k) {
            QVERIFY2(pages.at(k - 1).contains(QStringLiteral("Farm %1").arg(k)),
                     qPrintable(pages.at(k - 1)));
            // each key labelled with its puzzle's title and page
            QVERIFY(pages.at(5 + (k - 1) / 4).contains(QStringLiteral("Farm %1 (page %1)").arg(k)));
        }
        QVERIFY(pages.at(0).contains(QLatin1String("CAT")));
        QVERIFY(pages.at(7).trimmed().isEmpty());
    }

    void bookGoesIntoTheOutFolder()
    {
        // The --out folder is made before anything is written into it.
        const Run r = run({"--words", "words.txt", "--out", "set", "--pdf", "set/book.pdf",
                           "--seed", "3", "--quiet"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(QDir(path("set")).entryList(QDir::Files),
                 (QStringList{"book.pdf", "puzzle-001.qrn", "puzzle-002.qrn"}));
        QVERIFY(contents(path("set/book.pdf")).startsWith("%PDF"));
    }
};

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "test_generate_command.moc"
