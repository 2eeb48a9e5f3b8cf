// The puzzle check (every listed word once, no blocked word by chance) and
// Refill (new fills until the check is clean, word letters untouched).

#include "board.h"
#include "check/puzzle_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

namespace {

// Sets the three word lists from entries "WORD|X, Y|Direction".
void setWords(PuzzleModel &model, const QStringList &entries)
{
    QStringList log, positions, directions;
    for (const QString &e : entries) {
        const QStringList parts = e.split(QLatin1Char('|'));
        log << parts.value(0);
        positions << parts.value(1);
        directions << parts.value(2);
    }
    model.setListTexts(PuzzleModel::linesToText(log), PuzzleModel::linesToText(positions),
                       PuzzleModel::linesToText(directions));
}

BlockedWords blockedOf(const QStringList &words)
{
    BlockedWords b;
    for (const QString &w : words)
        b.add(w);
    return b;
}

// A clock that moves on at every reading, as the real one does.
RandomGenerator tickingRandom(std::uint32_t seed)
{
    auto ticks = std::make_shared<std::uint64_t>(seed);
    RandomGenerator random([ticks] { return *ticks += 7919; });
    random.setSeed(seed);
    return random;
}

// Every cell of every listed word, with its text.
QMap<QPair<int, int>, QString> wordCells(const PuzzleModel &model, const QStringList &entries)
{
    QMap<QPair<int, int>, QString> cells;
    for (const QString &e : entries) {
        const QStringList parts = e.split(QLatin1Char('|'));
        const QStringList xy = parts[1].split(QLatin1Char(','));
        const DirectionInfo &info = directionInfo(*directionFromName(parts[2]));
        const int col = xy[0].trimmed().toInt() - 1, row = xy[1].trimmed().toInt() - 1;
        for (int p = 0; p < parts[0].size(); ++p) {
            const int c = col + p * info.columnStep, r = row + p * info.rowStep;
            cells[{c, r}] = model.cell(c, r);
        }
    }
    return cells;
}

} // namespace

class TestPuzzleCheck : public QObject
{
    Q_OBJECT
private slots:
    // Upper case: word letters; lower case: filled letters; '.': blank.
    void boards_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("blocked");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("clean") << QStringList{"CATqz", "xxxxx"} << QStringList{"CAT|1, 1|Right"}
                               << QStringList{"BAD"} << QStringList{};
        QTest::newRow("found twice")
            << QStringList{"CATqz", "catxx"} << QStringList{"CAT|1, 1|Right"} << QStringList{}
            << QStringList{"CAT is found 2 times: 1, 1 Right; 1, 2 Right"};
        QTest::newRow("found in reverse")
            << QStringList{"CATqz", "xxtac"} << QStringList{"CAT|1, 1|Right"} << QStringList{}
            << QStringList{"CAT is found 2 times: 1, 1 Right; 5, 2 Left"};
        QTest::newRow("found on a diagonal, listed place named first")
            << QStringList{"c....", ".a...", "..t..", "...CAT"} << QStringList{"CAT|4, 4|Right"}
            << QStringList{} << QStringList{"CAT is found 2 times: 4, 4 Right; 1, 1 Down-Right"};
        QTest::newRow("palindrome read both ways is one place")
            << QStringList{"TOTx", "xxxx"} << QStringList{"TOT|1, 1|Right"} << QStringList{}
            << QStringList{};
        QTest::newRow("palindrome found again")
            << QStringList{"TOTx", "xxxx", "xtot"} << QStringList{"TOT|1, 1|Right"} << QStringList{}
            << QStringList{"TOT is found 2 times: 1, 1 Right; 2, 3 Right"};
        QTest::newRow("one-letter word is one place")
            << QStringList{"Ax", "xx"} << QStringList{"A|1, 1|Up"} << QStringList{}
            << QStringList{};
        QTest::newRow("inside another word")
            << QStringList{"CATALOG"} << QStringList{"CATALOG|1, 1|Right", "CAT|1, 1|Right"}
            << QStringList{} << QStringList{"CAT lies inside CATALOG at 1, 1 Right"};
        QTest::newRow("inside another word and listed elsewhere")
            << QStringList{"CATALOG", "CAT...."}
            << QStringList{"CATALOG|1, 1|Right", "CAT|1, 2|Right"} << QStringList{}
            << QStringList{"CAT is found 2 times: 1, 2 Right; 1, 1 Right",
                           "CAT lies inside CATALOG at 1, 1 Right"};
        QTest::newRow("the same word listed twice on the same cells")
            << QStringList{"DOG"} << QStringList{"DOG|1, 1|Right", "DOG|1, 1|Right"}
            << QStringList{} << QStringList{"DOG is listed twice, both at 1, 1 Right"};
        QTest::newRow("the same word listed twice at different places")
            << QStringList{"CATxx", "CATxx"} << QStringList{"CAT|1, 1|Right", "CAT|1, 2|Right"}
            << QStringList{}
            << QStringList{"CAT is found 2 times: 1, 1 Right; 1, 2 Right",
                           "CAT is found 2 times: 1, 2 Right; 1, 1 Right"};
        QTest::newRow("not at its listed place")
            << QStringList{"catx"} << QStringList{"CAT|3, 3|Down"} << QStringList{}
            << QStringList{"CAT is not at its listed place 3, 3 Down; it reads at 1, 1 Right"};
        QTest::newRow("direction line that names no direction")
            << QStringList{"CATx"} << QStringList{"CAT|1, 1|right"} << QStringList{}
            << QStringList{"CAT is not at its listed place \"1, 1 right\"; it reads at 1, 1 Right"};
        QTest::newRow("nowhere in the grid")
            << QStringList{"DOx"} << QStringList{"DOG|1, 1|Right"} << QStringList{}
            << QStringList{
                   "DOG is not at its listed place 1, 1 Right; it reads nowhere in the grid"};
        QTest::newRow("blocked word across a word letter and filled letters")
            << QStringList{"Dab", "O..", "G.."} << QStringList{"DOG|1, 1|Down"}
            << QStringList{"BAD"} << QStringList{"Blocked word BAD reads at 3, 1 Left"};
        QTest::newRow("blocked word inside a listed word's own letters")
            << QStringList{"ABADE"} << QStringList{"ABADE|1, 1|Right"} << QStringList{"BAD"}
            << QStringList{};
        QTest::newRow("blocked word across the letters of three words")
            << QStringList{"CAT", "OAK", "WEB"}
            << QStringList{"CAT|1, 1|Right", "OAK|1, 2|Right", "WEB|1, 3|Right"}
            << QStringList{"COW"} << QStringList{"Blocked word COW reads at 1, 1 Down"};
        QTest::newRow("shorter blocked word inside a longer one is named once")
            << QStringList{"badge"} << QStringList{} << QStringList{"BAD", "BADGE"}
            << QStringList{"Blocked word BADGE reads at 1, 1 Right"};
        QTest::newRow("two blocked words on the same cells are named once")
            << QStringList{"xdogx"} << QStringList{} << QStringList{"DOG", "GOD"}
            << QStringList{"Blocked word DOG reads at 2, 1 Right"};
        QTest::newRow("blanks break a word")
            << QStringList{"ca.t", "CAT."} << QStringList{"CAT|1, 2|Right"} << QStringList{}
            << QStringList{};
    }
    void boards()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, words);
        QFETCH(QStringList, blocked);
        QFETCH(QStringList, expected);
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, rows);
        setWords(model, words);
        const PuzzleState before = stateOf(model);
        PuzzleCheck check(blockedOf(blocked));
        const CheckReport report = check.run(model);
        QCOMPARE(report.lines(), expected);
        QCOMPARE(report.clean(), expected.isEmpty());
        QVERIFY(stateOf(model) == before); // the check changes nothing
        // A second run on the same check object gives the same answer.
        QCOMPARE(check.run(model).lines(), expected);
    }

    void problemsCarryTheirCells()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"Dab", "O..", "G.."});
        setWords(model, {"DOG|1, 1|Down"});
        const CheckReport report = PuzzleCheck(blockedOf({"BAD"})).run(model);
        QCOMPARE(int(report.problems.size()), 1);
        const Problem &p = report.problems.front();
        QCOMPARE(p.kind, ProblemKind::BlockedWord);
        QCOMPARE(int(p.places.size()), 1);
        QCOMPARE(p.places[0].cell(0), QPoint(2, 0));
        QCOMPARE(p.places[0].last(), QPoint(0, 0));
    }

    void largeGridEdges()
    {
        // Words along the last row and column of the 30x30 grid are found;
        // the margin is never read.
        RandomGenerator random;
        PuzzleModel model(GridSize::Large, &random);
        model.setCell(29, 27, QStringLiteral("C"));
        model.setCell(29, 28, QStringLiteral("A"));
        model.setCell(29, 29, QStringLiteral("T"));
        model.setCell(29, 30, QStringLiteral("S     ."));
        setWords(model, {"CAT|30, 28|Down", "CATS|30, 28|Down"});
        QCOMPARE(PuzzleCheck().run(model).lines(),
                 QStringList{
                     "CATS is not at its listed place 30, 28 Down; it reads nowhere in the grid"});
    }

    void blockedListText()
    {
        BlockedWords words;
        words.addText(
            QStringLiteral("# my words\nzap\n  Bonk  # too rude\n\nzap\nno-go\n\r\nfoo\r\n"));
        QCOMPARE(words.words(), (QStringList{"ZAP", "BONK", "FOO"}));
    }

    void builtInListIsCompiledIn()
    {
        const BlockedWords words = BlockedWords::builtIn();
        QVERIFY(words.size() >= 100);
        for (const QString &w : words.words())
            QVERIFY2(w.size() >= 3, qPrintable(w));
    }

    void userListFromTheConfigFolder()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Word Quarrin Generator"));
        const QString path = BlockedWords::userListPath();
        QCOMPARE(path, home.path() + QStringLiteral("/Word Quarrin Generator/blocked-words.txt"));

        // No user list: the built-in one alone.
        QString warning;
        QCOMPARE(BlockedWords::standard(&warning).size(), BlockedWords::builtIn().size());
        QVERIFY(warning.isEmpty());

        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# classroom\nzorp\n");
        file.close();
        const BlockedWords words = BlockedWords::standard(&warning);
        QVERIFY(warning.isEmpty());
        QVERIFY(words.words().contains(QStringLiteral("ZORP")));

        // The user's word is found in a puzzle.
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"zorp"});
        QCOMPARE(PuzzleCheck(words).run(model).lines(),
                 QStringList{"Blocked word ZORP reads at 1, 1 Right"});

        // A list that cannot be read is named, and the built-in list still holds.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        const BlockedWords fallback = BlockedWords::standard(&warning);
        QVERIFY(warning.contains(QStringLiteral("blocked-words.txt")));
        QCOMPARE(fallback.size(), BlockedWords::builtIn().size());
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }

    // --- Refill ---

    void refillNeverTouchesWordLetters_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<QString>("message");
        QTest::newRow("15x15") << GridSize::Small << QString();
        QTest::newRow("15x15 with a message")
            << GridSize::Small << QStringLiteral("HIDDENWORDS");
        QTest::newRow("30x30 with a message") << GridSize::Large << QStringLiteral("SECRET");
    }
    void refillNeverTouchesWordLetters()
    {
        QFETCH(GridSize, size);
        QFETCH(QString, message);
        const QStringList entries{"QUIZ|2, 2|Right", "ZEBRA|5, 2|Down", "JUMP|9, 9|Up-Left",
                                  "ORYX|12, 1|Down-Left"};
        // A two-letter blocked word of rare letters turns up in about half of
        // all 15x15 fills and most 30x30 ones, so several tries are needed.
        const PuzzleCheck check(blockedOf({"QJ"}));
        int moreThanOneTry = 0;
        for (std::uint32_t seed = 1; seed <= 12; ++seed) {
            RandomGenerator random = tickingRandom(seed);
            PuzzleModel model(size, &random);
            for (const QString &e : entries) {
                const QStringList parts = e.split(QLatin1Char('|'));
                const QStringList xy = parts[1].split(QLatin1Char(','));
                place(model, parts[0], xy[0].toInt(), xy[1].trimmed().toInt(), parts[2]);
            }
            if (!message.isEmpty())
                model.fillMessage(message);
            model.fillRandom();
            const auto words = wordCells(model, entries);
            const PuzzleState before = stateOf(model);

            const RefillResult result = refill(model, check, message);
            QVERIFY2(result.refilled && result.clean, qPrintable(result.summary));
            QVERIFY(result.tries >= 1 && result.tries <= kRefillTries);
            QVERIFY(result.report.clean());
            QVERIFY(check.run(model).clean());
            QCOMPARE(wordCells(model, entries), words);
            QCOMPARE(model.log(), before.log);
            QCOMPARE(model.positions(), before.positions);
            QCOMPARE(model.directionMemo(), before.directions);
            QCOMPARE(readMessage(model, int(message.size())), message);
            for (int c = 0; c < model.columns(); ++c)
                for (int r = 0; r < model.rows(); ++r)
                    QVERIFY(!model.cellAt(c, r).takesRandomLetter());
            if (result.tries > 1)
                ++moreThanOneTry;
            QVERIFY(result.summary.startsWith(QStringLiteral("Refilled in ")));
        }
        if (size == GridSize::Small)
            QVERIFY(moreThanOneTry > 0); // the loop was exercised
    }

    void refillNamesWhatNoFillCanCure()
    {
        // Seeded: a fill drawn from the real clock could spell CAT again or a
        // blocked word now and then, and take more than one try.
        RandomGenerator random = tickingRandom(5);
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CATALOG", 1, 1, "Right");
        place(model, "CAT", 1, 1, "Right");
        model.fillRandom();
        const RefillResult result = refill(model, PuzzleCheck());
        QVERIFY(result.refilled);
        // It stops as soon as only the incurable problem is left.
        QVERIFY(result.tries >= 1 && result.tries < kRefillTries);
        const CheckReport after = PuzzleCheck().run(model);
        QCOMPARE(int(after.problems.size()), 1);
        QCOMPARE(after.problems.front().kind, ProblemKind::InsideAnotherWord);
        QCOMPARE(int(result.incurable.size()), 1);
        QCOMPARE(result.incurable.front().kind, ProblemKind::InsideAnotherWord);
        QVERIFY(result.summary.contains(QStringLiteral("no fill can cure")));
        QVERIFY(result.summary.contains(QStringLiteral("CAT lies inside CATALOG at 1, 1 Right")));
    }

    void refillThatNeverSucceedsLeavesThePuzzleAsItWas()
    {
        RandomGenerator random;
        random.setSeed(99);
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        model.fillRandom();
        const PuzzleState before = stateOf(model);
        // Every fill of 222 letters holds an E somewhere.
        const RefillResult result = refill(model, PuzzleCheck(blockedOf({"E"})), QString(), 20);
        QVERIFY(!result.refilled);
        QVERIFY(!result.clean);
        QCOMPARE(result.tries, 20);
        QVERIFY(stateOf(model) == before);
        QVERIFY(result.summary.startsWith(QStringLiteral(
            "No fill without problems was found in 20 tries; the puzzle is unchanged.")));
        QVERIFY(result.summary.contains(QStringLiteral("Blocked word E reads at")));
    }

    void refillOfDamagedListsChangesNothing()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"CATx"});
        setWords(model, {"CAT|one, 1|Right"});
        const PuzzleState before = stateOf(model);
        const RefillResult result = refill(model, PuzzleCheck());
        QVERIFY(!result.refilled);
        QVERIFY(stateOf(model) == before);
        QCOMPARE(result.summary, invalidIntegerMessage(QStringLiteral("one")));
    }

    void readMessageStopsAtTheFirstBlank()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 2, 1, "Right");
        model.fillMessage(QStringLiteral("hi there"));
        QCOMPARE(board(model, 6, 1), QStringList{"hCATit"});
        QCOMPARE(readMessage(model, 7), QStringLiteral("HITHERE"));
        QCOMPARE(readMessage(model, 3), QStringLiteral("HIT"));
        model.removeFill();
        QCOMPARE(readMessage(model, 7), QString());
    }
};

QTEST_GUILESS_MAIN(TestPuzzleCheck)
#include "test_puzzle_check.moc"
