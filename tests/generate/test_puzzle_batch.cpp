// Making puzzles in bulk: reading word lists and pools, the editor's word
// rules as warnings, determinism with a seed, and files that load back in
// the editor model with every word where its lists say; the clean fill of a
// batch, with words placed again where their own letters spell a blocked word.

#include "element_names.h"
#include "files/puzzle_file.h"
#include "generate/puzzle_batch.h"
#include "named_pipe.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using namespace quarrin::generate;

namespace {

InputResult wordLists(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return readWordLists(buffer);
}

QStringList texts(const PuzzleWords &words)
{
    QStringList out;
    for (const InputWord &w : words)
        out << w.text;
    return out;
}

// Makes every puzzle of `text` with a seed and returns the saved bytes.
QList<QByteArray> makeAll(const QByteArray &text, GridSize size, std::uint32_t seed,
                          std::vector<Warning> *warnings = nullptr)
{
    BatchOptions options;
    options.size = size;
    options.seed = seed;
    PuzzleBatch batch(options);
    std::vector<Warning> ignored;
    QList<QByteArray> out;
    int number = 0;
    for (const PuzzleWords &words : wordLists(text).puzzles) {
        PuzzleModel model(size, &batch.random());
        batch.make(words, model, ++number, warnings ? *warnings : ignored);
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        PuzzleFile writer(size);
        if (!writer.save(model, file).ok)
            return {};
        out << file.data();
    }
    return out;
}

// Blocked words the check finds in a puzzle, and how many of them lie on
// word and message letters alone (which no fill can cure).
struct BlockedFound
{
    int all = 0;
    int onFixedLetters = 0;
};

BlockedFound blockedIn(const PuzzleCheck &check, const PuzzleModel &model)
{
    BlockedFound found;
    for (const Problem &p : check.run(model).problems) {
        if (p.kind != ProblemKind::BlockedWord)
            continue;
        ++found.all;
        bool filler = false;
        const Place &place = p.places.front();
        for (int k = 0; k < place.length; ++k) {
            const QPoint c = place.cell(k);
            filler = filler || model.cellAt(c.x(), c.y()).kind == Cell::Filled;
        }
        found.onFixedLetters += filler ? 0 : 1;
    }
    return found;
}

} // namespace

class TestPuzzleBatch : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    // The user's own blocked words, for the clean batches made after it.
    void writeUserList(const QByteArray &text)
    {
        const QString path = BlockedWords::userListPath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile list(path);
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(text);
    }

private slots:
    void initTestCase()
    {
        // The built-in blocked words, and a user list only where a test writes one.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Word Quarrin Generator"));
    }
    void cleanup() { QFile::remove(BlockedWords::userListPath()); }

    void wordListsSkipBlankAndCommentLines()
    {
        const InputResult read = wordLists("# animals\n"
                                           "cat dog,horse\n"
                                           "\n"
                                           "   \n"
                                           "  # not a puzzle\n"
                                           "owl ,  ,emu\t yak\n");
        QVERIFY(read.ok);
        QCOMPARE(int(read.puzzles.size()), 2);
        QCOMPARE(texts(read.puzzles[0]), (QStringList{"cat", "dog", "horse"}));
        QCOMPARE(texts(read.puzzles[1]), (QStringList{"owl", "emu", "yak"}));
        QCOMPARE(read.puzzles[0][2].line, 2);
        QCOMPARE(read.puzzles[1][0].line, 6);
    }

    void wordListLinesMayBeginWithATitle()
    {
        const InputResult r = wordLists("Farm animals: cow, pig, horse\nowl emu\n"
                                        "  Zoo :lion\n: yak\nSeaside:\n");
        // A title with no words is as blank as an empty line.
        QCOMPARE(int(r.puzzles.size()), 4);
        QCOMPARE(r.titles, (QStringList{"Farm animals", QString(), "Zoo", QString()}));
        QCOMPARE(texts(r.puzzles[0]), (QStringList{"cow", "pig", "horse"}));
        QCOMPARE(texts(r.puzzles[1]), (QStringList{"owl", "emu"}));
        QCOMPARE(texts(r.puzzles[2]), (QStringList{"lion"}));
        QCOMPARE(texts(r.puzzles[3]), (QStringList{"yak"}));
        QCOMPARE(r.puzzles[2].front().line, 3);
    }

    // A line of separators alone holds no word: no puzzle, as for a blank line.
    void linesOfSeparatorsAloneAreBlank()
    {
        const InputResult read = wordLists(",\ncat\n , ,\t,\ndog owl\n");
        QVERIFY(read.ok);
        QCOMPARE(int(read.puzzles.size()), 2);
        QCOMPARE(texts(read.puzzles[0]), QStringList{"cat"});
        QCOMPARE(read.puzzles[1][0].line, 4);
    }

    void poolDrawsDifferentWordsForEachPuzzle()
    {
        QBuffer buffer;
        buffer.setData("apple\npear\n# fruit\nplum\n\nfig\nkiwi\npear\n");
        buffer.open(QIODevice::ReadOnly);
        LcgState random{99};
        const InputResult read = readPool(buffer, 20, 4, random);
        QVERIFY(read.ok);
        QCOMPARE(int(read.puzzles.size()), 20);
        QSet<QString> used;
        for (const PuzzleWords &words : read.puzzles) {
            const QStringList list = texts(words);
            QCOMPARE(list.size(), 4);
            QCOMPARE(QSet<QString>(list.begin(), list.end()).size(), 4); // all different
            used.unite(QSet<QString>(list.begin(), list.end()));
        }
        QCOMPARE(used.size(), 5); // the pool's five different words all come up

        // Words that differ only in case are one word: a puzzle never gets it twice.
        QBuffer cased;
        cased.setData("cat\nCat\nCAT\ndog\n");
        cased.open(QIODevice::ReadOnly);
        const InputResult oneCat = readPool(cased, 1, 3, random);
        QVERIFY(!oneCat.ok);
        QVERIFY2(oneCat.error.contains(QLatin1String("2 different words")),
                 qPrintable(oneCat.error));

        buffer.seek(0);
        const InputResult tooFew = readPool(buffer, 1, 6, random);
        QVERIFY(!tooFew.ok);
        QVERIFY(tooFew.error.contains(QLatin1String("5 different words")));
    }

    // With a puzzle's alphabet, two lines are one word when the alphabet
    // writes them alike: in German with SS, Straße is STRASSE.
    void poolTellsWordsApartByTheirLetters()
    {
        QBuffer buffer;
        buffer.setData("Stra\xc3\x9f"
                       "e\nSTRASSE\nFu\xc3\x9f\n");
        buffer.open(QIODevice::ReadOnly);
        LcgState random{5};
        QVERIFY(readPool(buffer, 1, 3, random).ok); // three spellings without an alphabet
        buffer.seek(0);
        const Alphabet german(*Language::find(u"de"));
        const InputResult read = readPool(buffer, 1, 3, random, &german);
        QVERIFY(!read.ok);
        QVERIFY2(read.error.contains(QLatin1String("2 different words")), qPrintable(read.error));
        // Capital ẞ keeps them apart.
        buffer.seek(0);
        const Alphabet capital(*Language::find(u"de"), {true, SharpS::Capital});
        QVERIFY(readPool(buffer, 1, 3, random, &capital).ok);
    }

    // A --words file given as a pool is refused once, not read as words
    // that each break the rules; a pool with the odd line of several words
    // is still a pool.
    void aWordsFileIsNoPool_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("lines of several words")
            << QByteArray("# two puzzles\ncat dog horse\n\nowl emu yak\n") << true;
        QTest::newRow("commas") << QByteArray("cat,dog\nowl,emu\nyak\n") << true;
        QTest::newRow("one line of several among words")
            << QByteArray("cat\ndog\nice cream\nowl\nemu\n") << false;
        QTest::newRow("one word a line") << QByteArray("cat\n dog \nowl\n") << false;
    }
    void aWordsFileIsNoPool()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, refused);
        QBuffer buffer;
        buffer.setData(text);
        buffer.open(QIODevice::ReadOnly);
        LcgState random{5};
        const InputResult read = readPool(buffer, 4, 2, random);
        QCOMPARE(!read.ok, refused);
        if (refused) {
            QCOMPARE(read.error, QStringLiteral("looks like a --words file (lines of several "
                                                "words); a pool holds one word a line"));
            QVERIFY(read.puzzles.empty());
        } else {
            QCOMPARE(int(read.puzzles.size()), 4);
        }
    }

    // Both readers take a named pipe, which has no size and cannot seek, as
    // they take a file (process substitution hands one over as /dev/fd/N).
    void readersTakeANamedPipe()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        {
            test::NamedPipe pipe(dir.filePath(QStringLiteral("lists")), "cat dog\nowl, emu\n");
            QVERIFY(pipe.made());
            QFile in(pipe.path());
            QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Text));
            QVERIFY(in.isSequential());
            const InputResult read = readWordLists(in);
            QVERIFY(read.ok);
            QCOMPARE(int(read.puzzles.size()), 2);
            QCOMPARE(texts(read.puzzles[1]), (QStringList{"owl", "emu"}));
        }
        {
            test::NamedPipe pipe(dir.filePath(QStringLiteral("pool")), "cat\ndog\nowl\n");
            QVERIFY(pipe.made());
            QFile in(pipe.path());
            QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Text));
            LcgState random{1};
            const InputResult read = readPool(in, 2, 3, random);
            QVERIFY2(read.ok, qPrintable(read.error));
            QCOMPARE(int(read.puzzles.size()), 2);
            QStringList drawn = texts(read.puzzles[0]);
            drawn.sort();
            QCOMPARE(drawn, (QStringList{"cat", "dog", "owl"}));
        }
    }

    void wordRulesBecomeWarnings_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("placed");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("a digit") << false << QByteArray("cat ca7 dog") << 2
                                 << QStringList{"line 1: 'ca7': not letters only"};
        // The editor's word box takes A to Z only: other letters would be
        // saved as "?" or read nowhere for the puzzle check.
        QTest::newRow("letters beyond A to Z")
            << false << QByteArray("cat caf\xc3\xa9 \xce\xa9mega \xe7\x8c\xab dog") << 2
            << QStringList{"line 1: 'caf\u00e9': a letter other than A to Z",
                           "line 1: '\u03a9mega': a letter other than A to Z",
                           "line 1: '\u732b': a letter other than A to Z"};
        QTest::newRow("15 letters on 15x15")
            << false << QByteArray("abcdefghijklmn abcdefghijklmno") << 1
            << QStringList{"line 1: 'abcdefghijklmno': longer than 14 letters"};
        QTest::newRow("23 letters on 30x30")
            << true << QByteArray("abcdefghijklmnopqrstuv abcdefghijklmnopqrstuvw") << 1
            << QStringList{"line 1: 'abcdefghijklmnopqrstuvw': longer than 22 letters"};
        QByteArray nineteen;
        for (int k = 0; k < 19; ++k)
            nineteen += QByteArray(1, char('a' + k)) + "x ";
        QTest::newRow("19 words on 15x15")
            << false << nineteen << 18
            << QStringList{"line 1: 'sx': more than 18 words in the puzzle"};
    }
    void wordRulesBecomeWarnings()
    {
        QFETCH(bool, large);
        QFETCH(QByteArray, line);
        QFETCH(int, placed);
        QFETCH(QStringList, warnings);
        const GridSize size = large ? GridSize::Large : GridSize::Small;
        BatchOptions options;
        options.size = size;
        options.seed = 5;
        PuzzleBatch batch(options);
        PuzzleModel model(size, &batch.random());
        std::vector<Warning> got;
        batch.make(wordLists("\n" + line).puzzles.at(0), model, 1, got);
        QStringList gotTexts;
        for (const Warning &w : got)
            gotTexts << w.text();
        QCOMPARE(gotTexts.replaceInStrings("line 2", "line 1"), warnings);
        QCOMPARE(model.wordCount(), placed);
    }

    void aWordWithNoPlaceIsAWarning()
    {
        BatchOptions options;
        options.seed = 1;
        options.directions = *parseDirections(QStringLiteral("Right"));
        PuzzleBatch batch(options);
        PuzzleModel model(GridSize::Small, &batch.random());
        std::vector<Warning> warnings;
        // Fifteen rows of fourteen letters going right leave no room for a sixteenth.
        PuzzleWords words;
        for (int k = 0; k < 16; ++k)
            words.push_back({QString(14, QLatin1Char('A' + k)), k + 1});
        batch.make(words, model, 1, warnings);
        QCOMPARE(model.wordCount(), 15);
        QCOMPARE(int(warnings.size()), 1);
        QCOMPARE(warnings[0].text(), QStringLiteral("line 16: 'PPPPPPPPPPPPPP': found no place"));
    }

    void sameSeedSameBytes()
    {
        const QByteArray lists = "cat dog horse\nowl emu yak gnu\nant bee\n";
        for (const GridSize size : {GridSize::Small, GridSize::Large}) {
            const QList<QByteArray> a = makeAll(lists, size, 42);
            QCOMPARE(a.size(), 3);
            QCOMPARE(a[0].size(), sizeSpec(size).recordBytes);
            QCOMPARE(makeAll(lists, size, 42), a);
            QVERIFY(makeAll(lists, size, 43) != a);
        }
    }

    void writtenPuzzlesLoadBackWithTheirWords()
    {
        QTemporaryDir dir;
        const QByteArray lists = "Cat Dog Horse Zebra\nparrot,swallow,heron,owl\n";
        for (const GridSize size : {GridSize::Small, GridSize::Large}) {
            BatchOptions options;
            options.size = size;
            options.seed = 3;
            PuzzleBatch batch(options);
            const InputResult read = wordLists(lists);
            for (int k = 0; k < int(read.puzzles.size()); ++k) {
                PuzzleModel model(size, &batch.random());
                std::vector<Warning> warnings;
                batch.make(read.puzzles[std::size_t(k)], model, k + 1, warnings);
                QVERIFY(warnings.empty());
                const QString path =
                    dir.filePath(puzzleFileName(size, k + 1, int(read.puzzles.size())));
                QVERIFY(!writePuzzleFile(puzzleFileBytes(model), path));
                // The bytes are the editor's save of the same puzzle.
                QFile written(path);
                QVERIFY(written.open(QIODevice::ReadOnly));
                const QString editorPath = path + QStringLiteral(".editor");
                QVERIFY(PuzzleFile(size).save(model, editorPath).ok);
                QFile editorSaved(editorPath);
                QVERIFY(editorSaved.open(QIODevice::ReadOnly));
                QCOMPARE(written.readAll(), editorSaved.readAll());
                QVERIFY(!QFile::exists(dir.filePath(QLatin1Char('.') + QFileInfo(path).fileName() +
                                                    QStringLiteral(".part"))));

                RandomGenerator random;
                PuzzleModel loaded(size, &random);
                PuzzleFile file(size);
                QVERIFY(file.load(loaded, path).ok);
                QStringList expected;
                for (const InputWord &w : read.puzzles[std::size_t(k)])
                    expected << w.text.toUpper();
                QCOMPARE(loaded.log(), expected);
                for (int w = 0; w < loaded.wordCount(); ++w) {
                    const QStringList xy = loaded.positions().at(w).split(QStringLiteral(", "));
                    const auto dir = directionFromName(loaded.directionMemo().at(w));
                    QVERIFY(dir);
                    const DirectionInfo &info = directionInfo(*dir);
                    const QString &word = loaded.log().at(w);
                    for (int p = 0; p < word.size(); ++p)
                        QCOMPARE(loaded
                                     .cell(xy[0].toInt() - 1 + p * info.columnStep,
                                           xy[1].toInt() - 1 + p * info.rowStep)
                                     .at(0),
                                 word.at(p));
                }
            }
        }
        QVERIFY(QFile::exists(dir.filePath("puzzle-001.qrn")));
        QVERIFY(QFile::exists(dir.filePath("puzzle-002.qrn2")));
        QCOMPARE(puzzleFileName(GridSize::Small, 7, 1500), QStringLiteral("puzzle-0007.qrn"));
    }

    // 1,000 seeded puzzles of each record size from a pool of element names
    // (whose -IUM and -UM endings spell CUM and the like): without cleaning
    // many hold blocked words, some of them on word letters alone; cleaned,
    // none holds any, and no puzzle is reported.
    void cleanBatchesHoldNoBlockedWord_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("perPuzzle");
        QTest::newRow("15x15") << GridSize::Small << 15;
        QTest::newRow("30x30") << GridSize::Large << 28;
    }
    void cleanBatchesHoldNoBlockedWord()
    {
        QFETCH(GridSize, size);
        QFETCH(int, perPuzzle);
        const QByteArray pool = test::elementNames().join(QLatin1Char('\n')).toUtf8();
        QVERIFY(pool.size() > 500);
        const PuzzleCheck check(BlockedWords::builtIn());
        int plainPuzzles = 0, plainOnWords = 0;
        for (const bool clean : {false, true}) {
            BatchOptions options;
            options.size = size;
            options.seed = 2024;
            options.clean = clean;
            PuzzleBatch batch(options);
            QBuffer in;
            in.setData(pool);
            in.open(QIODevice::ReadOnly);
            LcgState draw = batch.random().state();
            const InputResult read = readPool(in, 1000, perPuzzle, draw);
            QVERIFY(read.ok);
            std::vector<Warning> warnings;
            for (int k = 0; k < 1000; ++k) {
                PuzzleModel model(size, &batch.random());
                batch.make(read.puzzles[std::size_t(k)], model, k + 1, warnings);
                const BlockedFound found = blockedIn(check, model);
                if (clean) {
                    QVERIFY2(found.all == 0, qPrintable(check.run(model).lines().join('\n')));
                } else {
                    plainPuzzles += found.all > 0 ? 1 : 0;
                    plainOnWords += found.onFixedLetters > 0 ? 1 : 0;
                }
            }
            if (clean) {
                // No puzzle reported (a word that found no place is another matter).
                QStringList reported;
                for (const Warning &w : warnings)
                    if (w.line == 0)
                        reported << w.text();
                QCOMPARE(reported, QStringList());
            }
        }
        // What the cleaning had to do: the fill and the placement both.
        QVERIFY2(plainPuzzles > 100, qPrintable(QString::number(plainPuzzles)));
        QVERIFY2(plainOnWords > 0, qPrintable(QString::number(plainOnWords)));
    }

    // Words whose own letters spell a blocked word wherever they go (five
    // words of five letters fill a 5x5 grid row by row, and every one starts
    // with Q, so the first column reads QQQQQ): placed again and again, then
    // reported with the problem, the puzzle kept; the same seed gives the
    // same bytes.
    void wordsThatAlwaysSpellABlockedWordAreReported()
    {
        writeUserList("# no fill can mend this one\nqq\n");
        const QByteArray lists = "qabcd qefgh qijkl qmnop qrstu\n";
        BatchOptions options;
        options.size = GridSize(5, 5);
        options.seed = 8;
        options.clean = true;
        options.directions = *parseDirections(QStringLiteral("Right"));
        const auto makeOnce = [&](std::vector<Warning> &warnings) {
            PuzzleBatch batch(options);
            PuzzleModel model(options.size, &batch.random());
            batch.make(wordLists(lists).puzzles.at(0), model, 1, warnings);
            return model.cells();
        };
        std::vector<Warning> warnings;
        const std::vector<Cell> cells = makeOnce(warnings);
        QCOMPARE(int(warnings.size()), 1);
        QCOMPARE(warnings[0].line, 0);
        QVERIFY2(warnings[0].text().startsWith(QStringLiteral(
                     "the words spell a blocked word in each of 20 placements; Refilled in 1 try, "
                     "but no fill can cure these problems")),
                 qPrintable(warnings[0].text()));
        QVERIFY(warnings[0].text().contains(QStringLiteral("Blocked word QQ reads at 1, 1 Down")));
        std::vector<Warning> again;
        QVERIFY(makeOnce(again) == cells);
    }

    // A blocked word of the user's list that the words spell only in some
    // places: the puzzle is placed again until it does not, and nothing is
    // reported.
    void wordsThatSpellABlockedWordSomewhereArePlacedAgain()
    {
        writeUserList("zz\n");
        // Two words of Z alone in a 6x6 grid, going right: stacked in
        // neighbouring rows at the same column, ZZ reads down through them.
        const QByteArray lists = "zzzzz yzzzz\n";
        BatchOptions options;
        options.size = GridSize(6, 6);
        options.clean = true;
        options.directions = *parseDirections(QStringLiteral("Right"));
        const PuzzleCheck check(BlockedWords::standard());
        int placedAgain = 0;
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            options.seed = seed;
            options.clean = false;
            PuzzleBatch plainBatch(options);
            PuzzleModel plain(options.size, &plainBatch.random());
            std::vector<Warning> warnings;
            plainBatch.make(wordLists(lists).puzzles.at(0), plain, 1, warnings);
            placedAgain += blockedIn(check, plain).onFixedLetters > 0 ? 1 : 0;

            options.clean = true;
            PuzzleBatch batch(options);
            PuzzleModel model(options.size, &batch.random());
            batch.make(wordLists(lists).puzzles.at(0), model, 1, warnings);
            QCOMPARE(int(warnings.size()), 0);
            QCOMPARE(model.wordCount(), 2);
            QCOMPARE(blockedIn(check, model).all, 0);
        }
        QVERIFY2(placedAgain > 0, "no seed placed the words onto a blocked word at first");
    }

    void directionsOption_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names"); // empty: refused
        QTest::newRow("easy") << "easy" << QStringList{"Down", "Right"};
        QTest::newRow("medium") << "medium"
                                << QStringList{"Down", "Right", "Up-Right", "Down-Right"};
        QTest::newRow("list") << "Up,Down-Left" << QStringList{"Up", "Down-Left"};
        QTest::newRow("unknown name") << "Up,Sideways" << QStringList();
        QTest::newRow("wrong case") << "right" << QStringList();
        QTest::newRow("nothing") << "," << QStringList();
    }
    void directionsOption()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        const auto set = parseDirections(text);
        QCOMPARE(set.has_value(), !names.isEmpty());
        if (!set)
            return;
        for (const auto &info : directionTable())
            QCOMPARE(set->contains(info.direction), names.contains(QLatin1String(info.name)));
        QVERIFY(*parseDirections(QStringLiteral("hard")) == DirectionSet::all());
    }
};

QTEST_GUILESS_MAIN(TestPuzzleBatch)
#include "test_puzzle_batch.moc"
