// `word_quarrin check FILE...` run as a real program on puzzle files: its
// output, its exit status, and that it needs no display.

#include "check/puzzle_check.h"
#include "files/puzzle_file.h"
#include "headless_run.h"
#include "named_pipe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;

namespace {

struct Run
{
    int status = -1;
    QStringList out;
    QStringList err;
};

} // namespace

class TestCheckCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Runs the program in the fixture folder with no display to be had; its
    // output by lines.
    Run run(const QStringList &args) const
    {
        const testing::HeadlessRun ran = testing::runHeadless(m_dir.path(), args);
        Run r;
        r.status = ran.status;
        r.out = ran.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        r.err = ran.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return r;
    }

    void save(PuzzleModel &model, const QString &name)
    {
        PuzzleFile file(model.spec().size);
        const FileResult saved = file.save(model, path(name));
        QVERIFY2(saved.ok, qPrintable(saved.error));
    }

    static void place(PuzzleModel &model, const QString &word, int x, int y, const QString &dir)
    {
        AddWordRequest r;
        r.word = word;
        r.x = QString::number(x);
        r.y = QString::number(y);
        r.direction = dir;
        QVERIFY(model.addWord(r).placed);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The user's own blocked words.
        QVERIFY(QDir().mkpath(path(QStringLiteral("config/Word Quarrin Generator"))));
        QFile list(path(QStringLiteral("config/Word Quarrin Generator/blocked-words.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("# our class list\nzorp\n");
        list.close();

        // clean.qrn: words and a random fill drawn again until clean.
        RandomGenerator random;
        random.setSeed(2024);
        PuzzleModel clean(GridSize::Small, &random);
        place(clean, QStringLiteral("QUARTZ"), 2, 3, QStringLiteral("Right"));
        place(clean, QStringLiteral("JIGSAW"), 14, 1, QStringLiteral("Down"));
        place(clean, QStringLiteral("WOMBAT"), 9, 14, QStringLiteral("Up-Left"));
        clean.fillRandom();
        BlockedWords blocked = BlockedWords::builtIn();
        blocked.add(QStringLiteral("ZORP"));
        QVERIFY(refill(clean, PuzzleCheck(blocked)).report.clean());
        save(clean, QStringLiteral("clean.qrn"));

        // twice.qrn: CAT listed once and spelled again by filled letters.
        PuzzleModel twice(GridSize::Small, &random);
        place(twice, QStringLiteral("CAT"), 1, 1, QStringLiteral("Right"));
        for (int c = 0; c < 3; ++c)
            twice.setCell(c, 4, QString(QStringLiteral("CAT").at(c)) + kFillerMark);
        save(twice, QStringLiteral("twice.qrn"));

        // big.qrn2: a 30x30 puzzle where the user's own word reads.
        PuzzleModel big(GridSize::Large, &random);
        place(big, QStringLiteral("QUIZ"), 30, 30, QStringLiteral("Up"));
        for (int c = 0; c < 4; ++c)
            big.setCell(c, 9, QString(QStringLiteral("ZORP").at(c)) + kFillerMark);
        save(big, QStringLiteral("big.qrn2"));

        // bad.qrn: not a puzzle file.
        QFile bad(path(QStringLiteral("bad.qrn")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(QByteArray(100, 'x'));
    }

    void outputAndStatus_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<bool>("badFileNamed");

        QTest::newRow("clean") << QStringList{"clean.qrn"} << 0
                               << QStringList{"clean.qrn: no problems"} << false;
        QTest::newRow("word found twice")
            << QStringList{"twice.qrn"} << 1
            << QStringList{"twice.qrn: CAT is found 2 times: 1, 1 Right; 1, 5 Right"} << false;
        QTest::newRow("30x30 with a word of the user's list")
            << QStringList{"big.qrn2"} << 1
            << QStringList{"big.qrn2: Blocked word ZORP reads at 1, 10 Right"} << false;
        QTest::newRow("clean and not clean")
            << QStringList{"clean.qrn", "twice.qrn"} << 1
            << QStringList{"clean.qrn: no problems",
                           "twice.qrn: CAT is found 2 times: 1, 1 Right; 1, 5 Right"}
            << false;
        QTest::newRow("unreadable file") << QStringList{"bad.qrn"} << 2 << QStringList{} << true;
        QTest::newRow("unreadable among clean ones")
            << QStringList{"clean.qrn", "bad.qrn", "twice.qrn"} << 2
            << QStringList{"clean.qrn: no problems",
                           "twice.qrn: CAT is found 2 times: 1, 1 Right; 1, 5 Right"}
            << true;
    }
    void outputAndStatus()
    {
        QFETCH(QStringList, files);
        QFETCH(int, status);
        QFETCH(QStringList, out);
        QFETCH(bool, badFileNamed);

        const Run r = run(QStringList{QStringLiteral("check")} + files);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        if (badFileNamed) {
            // The load's own message, as the editor would show it.
            RandomGenerator random;
            PuzzleModel model(GridSize::Small, &random);
            PuzzleFile file(GridSize::Small);
            const FileResult loaded = file.load(model, path(QStringLiteral("bad.qrn")));
            QVERIFY(!loaded.ok);
            QCOMPARE(r.err, QStringList{QStringLiteral("bad.qrn: ") + loaded.error});
        } else {
            QCOMPARE(r.err, QStringList{});
        }
    }

    // The user's list of blocked words may be a named pipe (or a link to
    // one), which cannot seek; it is read as a file is.
    void blockedWordsFromANamedPipe()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, QStringLiteral("CAT"), 1, 1, QStringLiteral("Right"));
        model.fillMessage(QStringLiteral("zebra")); // the blanks of row 1 after CAT
        save(model, QStringLiteral("zebra.qrn"));
        const QString list = path(QStringLiteral("config/Word Quarrin Generator/blocked-words.txt"));
        QVERIFY(QFile::rename(list, list + QStringLiteral(".file")));
        Run r;
        {
            test::NamedPipe pipe(list, "# from a pipe\nzebra\n");
            QVERIFY(pipe.made());
            r = run({QStringLiteral("check"), QStringLiteral("zebra.qrn")});
        }
        QVERIFY(QFile::rename(list + QStringLiteral(".file"), list));
        QCOMPARE(r.err, QStringList{});
        QCOMPARE(r.out, QStringList{"zebra.qrn: Blocked word ZEBRA reads at 4, 1 Right"});
        QCOMPARE(r.status, 1);
    }

    // Puzzles through named pipes, as a shell's <(...) hands them over: the
    // byte count tells the grid, as a file's size does.
    void puzzlesFromNamedPipes()
    {
        QFile big(path(QStringLiteral("big.qrn2")));
        QVERIFY(big.open(QIODevice::ReadOnly));
        QFile twice(path(QStringLiteral("twice.qrn")));
        QVERIFY(twice.open(QIODevice::ReadOnly));
        Run r;
        {
            test::NamedPipe large(path(QStringLiteral("large-pipe")), big.readAll());
            test::NamedPipe small(path(QStringLiteral("small-pipe")), twice.readAll());
            QVERIFY(large.made() && small.made());
            r = run({QStringLiteral("check"), QStringLiteral("large-pipe"),
                     QStringLiteral("small-pipe")});
        }
        QCOMPARE(r.err, QStringList{});
        QCOMPARE(r.out, (QStringList{"large-pipe: Blocked word ZORP reads at 1, 10 Right",
                                     "small-pipe: CAT is found 2 times: 1, 1 Right; 1, 5 Right"}));
        QCOMPARE(r.status, 1);
    }

    void missingFileIsUnreadable()
    {
        const Run r = run({QStringLiteral("check"), QStringLiteral("nowhere.qrn")});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QStringList{});
        QCOMPARE(r.err.size(), 1);
        QVERIFY(r.err.first().startsWith(QStringLiteral("nowhere.qrn: ")));
    }

    void helpVersionAndMistakes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("outStart");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage:"
                                << "";
        QTest::newRow("check --help")
            << QStringList{"check", "--help"} << 0 << "Usage: word_quarrin check FILE..."
            << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "Word Quarrin Generator "
                                   << "";
        QTest::newRow("unknown option")
            << QStringList{"--colour", "red"} << 2 << ""
            << "word_quarrin: unknown option '--colour' (see word_quarrin --help)";
        QTest::newRow("check with no file")
            << QStringList{"check"} << 2 << ""
            << "word_quarrin: check needs FILE... (see word_quarrin --help)";
        QTest::newRow("two files for the editor")
            << QStringList{"a.qrn", "b.qrn"} << 2 << ""
            << "word_quarrin: unexpected argument 'b.qrn' (see word_quarrin --help)";
    }
    void helpVersionAndMistakes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, outStart);
        QFETCH(QString, err);
        const Run r = run(args);
        QCOMPARE(r.status, status);
        if (outStart.isEmpty())
            QCOMPARE(r.out, QStringList{});
        else
            QVERIFY2(r.out.value(0).startsWith(outStart), qPrintable(r.out.value(0)));
        QCOMPARE(r.err, err.isEmpty() ? QStringList{} : QStringList{err});
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "test_check_command.moc"
