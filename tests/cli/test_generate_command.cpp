// `word_quarrin generate` run as a real program with no display: each bad
// option value, --strict, determinism with --seed, the inputs it reads (files,
// pipes, pools), the fills, and the written files.

#include "check/blocked_words.h"
#include "check/puzzle_check.h"
#include "file_faults.h"
#include "files/puzzle_file.h"
#include "headless_run.h"
#include "named_pipe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

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

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    // The puzzles of a run's --out folder, loaded as the editor loads them.
    QList<QStringList> wordsOfPuzzles(const QString &folder) const
    {
        QList<QStringList> lists;
        for (const QString &name : QDir(path(folder)).entryList({"puzzle-*.qrn"}, QDir::Files)) {
            RandomGenerator random;
            PuzzleModel model(GridSize::Small, &random);
            if (!PuzzleFile(GridSize::Small).load(model, path(folder + "/" + name)).ok)
                return {};
            lists << model.log();
        }
        return lists;
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
        QTest::newRow("size") << QStringList{"--words", "words.txt", "--out", "o", "--size", "51"}
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
        QTest::newRow("clean and not")
            << QStringList{"--words", "words.txt", "--out", "o", "--clean", "--no-clean"}
            << "--no-clean";
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

    // Run from cron, ssh or a container: no XDG_RUNTIME_DIR, and a quiet run
    // that succeeds still prints nothing at all.
    void quietRunPrintsNothingWithoutARuntimeFolder_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("files") << QStringList{"generate", "--words", "words.txt", "--out",
                                              "quiet-files", "--seed", "1", "--quiet"};
        QTest::newRow("book") << QStringList{"generate", "--words", "words.txt", "--pdf",
                                             "quiet.pdf", "--seed", "1", "--quiet"};
        QTest::newRow("check") << QStringList{"check", "unfilled/puzzle-001.qrn"};
    }
    void quietRunPrintsNothingWithoutARuntimeFolder()
    {
        QFETCH(QStringList, args);
        // A puzzle with no fill, clean for the check.
        QCOMPARE(run({"--words", "words.txt", "--out", "unfilled", "--fill", "none", "--seed", "1",
                      "--quiet"})
                     .status,
                 0);
        const Run r = testing::runHeadless(m_dir.path(), args, QByteArray(),
                                           {QStringLiteral("XDG_RUNTIME_DIR")});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, args.first() == "check" ? QStringLiteral("unfilled/puzzle-001.qrn: no "
                                                                 "problems\n")
                                                : QString());
    }

    // Every input option reads a path that cannot seek: a named pipe, and the
    // /dev/fd/N of a shell's process substitution.
    void inputsFromPipes_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QStringList>>("puzzles");
        QTest::newRow("--words") << "--words" << QByteArray("cat dog owl\nemu, yak\n")
                                 << QList<QStringList>{{"CAT", "DOG", "OWL"}, {"EMU", "YAK"}};
        QTest::newRow("--pool") << "--pool" << QByteArray("cat\ndog\n")
                                << QList<QStringList>{{"CAT", "DOG"}, {"CAT", "DOG"}};
    }
    void inputsFromPipes()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, text);
        QFETCH(QList<QStringList>, puzzles);
        const QStringList pool{"--count", "2", "--per-puzzle", "2"};
        const QStringList extra = option == "--pool" ? pool : QStringList();
        const QString tag = option.mid(2);
        {
            test::NamedPipe pipe(path("fifo-" + tag), text);
            QVERIFY(pipe.made());
            const Run r = run(QStringList{option, "fifo-" + tag, "--out", "fifo-" + tag + "-out",
                                          "--seed", "1", "--quiet"} +
                              extra);
            QVERIFY2(r.status == 0, qPrintable(r.err));
        }
        QList<QStringList> fromFifo = wordsOfPuzzles("fifo-" + tag + "-out");
        for (QStringList &words : fromFifo)
            words.sort();
        QCOMPARE(fromFifo, puzzles);

        // bash hands `<(...)` over as /dev/fd/63.
        QProcess shell;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        shell.setProcessEnvironment(env);
        shell.setWorkingDirectory(m_dir.path());
        shell.start(QStringLiteral("bash"),
                    QStringList{"-c", "exec \"$0\" generate \"$1\" <(printf %s \"$2\") \"${@:3}\"",
                                QStringLiteral(WORD_QUARRIN_PROGRAM), option,
                                QString::fromLatin1(text), "--out", "fd-" + tag, "--seed", "1",
                                "--quiet"} +
                        extra);
        QVERIFY(shell.waitForFinished(30000));
        QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
        // The same input gives the same puzzles, whichever way it came.
        QCOMPARE(contents(path("fd-" + tag + "/puzzle-001.qrn")),
                 contents(path("fifo-" + tag + "-out/puzzle-001.qrn")));
    }

    // The pool's own options: --count puzzles of --per-puzzle words each.
    void poolGivesCountPuzzlesOfPerPuzzleWords()
    {
        write("pool.txt", "cat\ndog\nowl\nemu\nyak\n");
        const Run r = run({"--pool", "pool.txt", "--count", "3", "--per-puzzle", "2", "--out",
                           "pooled", "--seed", "6", "--quiet"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QList<QStringList> puzzles = wordsOfPuzzles("pooled");
        QCOMPARE(puzzles.size(), 3);
        const QStringList pool{"CAT", "DOG", "OWL", "EMU", "YAK"};
        for (const QStringList &words : puzzles) {
            QCOMPARE(words.size(), 2);
            QVERIFY(words[0] != words[1]);
            QVERIFY(pool.contains(words[0]) && pool.contains(words[1]));
        }
    }

    // A --words file given as --pool: one line that says so, and nothing made.
    void wordsFileAsPoolIsRefusedOnce()
    {
        const Run r = run({"--pool", "words.txt", "--count", "500", "--per-puzzle", "3", "--out",
                           "not-a-pool", "--quiet"});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err, QStringLiteral("word_quarrin generate: words.txt: looks like a --words "
                                       "file (lines of several words); a pool holds one word a "
                                       "line\n"));
        QVERIFY(!QDir(path("not-a-pool")).exists());
    }

    // A puzzle that no word went into is no page: an error, and nothing is
    // written, neither files nor a book.
    void puzzleWithoutAWordIsAnError()
    {
        write("unusable.txt", "cat dog\nd0g c4t\nowl\n");
        const Run r = run({"--words", "unusable.txt", "--out", "wordless", "--pdf",
                           "wordless.pdf", "--seed", "1", "--quiet"});
        QCOMPARE(r.status, 1);
        const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{
                            "word_quarrin generate: warning: puzzle 2, line 2: 'd0g': not "
                            "letters only",
                            "word_quarrin generate: warning: puzzle 2, line 2: 'c4t': not "
                            "letters only",
                            "word_quarrin generate: error: puzzle 2, no word could be placed",
                            "word_quarrin generate: nothing written",
                        }));
        QVERIFY(!QDir(path("wordless")).exists());
        QVERIFY(!QFile::exists(path("wordless.pdf")));
    }

    // --fill message:TEXT writes the message first, row by row into the
    // blank cells, then random letters.
    void messageFillReadsRowByRow()
    {
        write("one.txt", "owl\n");
        const Run r = run({"--words", "one.txt", "--out", "message", "--fill", "message:Hi there",
                           "--seed", "2", "--quiet"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        QVERIFY(PuzzleFile(GridSize::Small).load(model, path("message/puzzle-001.qrn")).ok);
        QCOMPARE(model.log(), QStringList{"OWL"});
        QString outsideTheWord;
        int wordLetters = 0;
        for (int row = 0; row < 15; ++row) {
            for (int col = 0; col < 15; ++col) {
                const QString cell = model.cell(col, row);
                QVERIFY2(!cell.isEmpty() && cell != " ", "every cell is filled");
                if (cell.size() == 1)
                    ++wordLetters; // a word letter has no filler mark
                else
                    outsideTheWord += cell.at(0);
            }
        }
        QCOMPARE(wordLetters, 3);
        QVERIFY2(outsideTheWord.startsWith(QLatin1String("HITHERE")), qPrintable(outsideTheWord));
    }

    // A puzzle file that cannot be written leaves the one of an earlier run
    // under that name as it was, byte for byte, and no half-written file.
    void failedWriteKeepsTheEarlierFile()
    {
        QCOMPARE(run({"--words", "words.txt", "--out", "again", "--seed", "1", "--quiet"}).status,
                 0);
        const QByteArray earlier = contents(path("again/puzzle-001.qrn"));
        QCOMPARE(earlier.size(), sizeSpec(GridSize::Small).recordBytes);
        Run r;
        {
            // Files of at most 1000 bytes for the program, as on a full disk.
            test::DiskFull full(1000);
            QVERIFY(full.active());
            r = run({"--words", "words.txt", "--out", "again", "--seed", "2", "--quiet"});
        }
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QLatin1String("cannot write again/puzzle-001.qrn: ") +
                                qt_error_string(EFBIG)),
                 qPrintable(r.err));
        QCOMPARE(contents(path("again/puzzle-001.qrn")), earlier);
        QCOMPARE(QDir(path("again")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"puzzle-001.qrn", "puzzle-002.qrn"}));
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
        QCOMPARE(run(QStringList{"--out", "plain", "--no-clean"} + common).status, 0);
        const Run cleaned = run(QStringList{"--out", "clean", "--clean"} + common);
        QCOMPARE(cleaned.status, 0);
        QCOMPARE(cleaned.err, QString());
        // Cleaning is the default: the same puzzles without the option.
        const Run byDefault = run(QStringList{"--out", "default"} + common);
        QCOMPARE(byDefault.status, 0);
        QCOMPARE(byDefault.err, QString());
        for (int k = 1; k <= 6; ++k) {
            const QString name = QStringLiteral("/puzzle-00%1.qrn2").arg(k);
            QCOMPARE(contents(path("default" + name)), contents(path("clean" + name)));
        }

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
        // Without --clean only a blocked word is reported: the puzzle is made.
        const Run quiet = run({"--words", "inside.txt", "--out", "inside-default", "--strict",
                               "--seed", "1", "--quiet"});
        QCOMPARE(quiet.err, QString());
        QCOMPARE(quiet.status, 0);
    }

    // Words that spell a blocked word of the user's list with their own
    // letters wherever they go: the puzzle is placed again with new draws,
    // then reported, and under --strict nothing is written.
    void wordsThatAlwaysSpellABlockedWordAreReported()
    {
        const QString list = path("config/Word Quarrin Generator/blocked-words.txt");
        QVERIFY(QDir().mkpath(QFileInfo(list).absolutePath()));
        write("config/Word Quarrin Generator/blocked-words.txt", "qq\n");
        // Five words of five letters fill a 5x5 grid row by row; each starts with Q.
        write("q.txt", "qabcd qefgh qijkl qmnop qrstu\n");
        const QStringList common{"--words", "q.txt",  "--size", "5",      "--directions",
                                 "Right",   "--seed", "4",      "--quiet"};
        const Run loose = run(QStringList{"--out", "q"} + common);
        QCOMPARE(loose.status, 0);
        QVERIFY2(loose.err.startsWith("word_quarrin generate: warning: puzzle 1, the words spell "
                                      "a blocked word in each of 20 placements; "),
                 qPrintable(loose.err));
        QVERIFY(loose.err.contains("Blocked word QQ reads at 1, 1 Down"));
        QCOMPARE(QDir(path("q")).entryList(QDir::Files), QStringList{"puzzle-001.ipuz"});

        const Run strict = run(QStringList{"--out", "q-strict", "--strict"} + common);
        QVERIFY(QFile::remove(list));
        QCOMPARE(strict.status, 1);
        QVERIFY2(strict.err.contains("error: puzzle 1, the words spell a blocked word"),
                 qPrintable(strict.err));
        QVERIFY(!QDir(path("q-strict")).exists());
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
