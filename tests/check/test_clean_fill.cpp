// Clean fill: blocked words read in all eight directions, and filler letters
// drawn again until none reads through them; on plain grids and on the
// puzzle model's own random fill.

#include "board.h"
#include "check/clean_fill_model.h"
#include "check/puzzle_check.h"
#include "element_names.h"
#include "letter_grid_art.h"
#include "seeded.h"

#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

namespace {

QString occurrenceText(const BlockedWordMatcher &m, const BlockedOccurrence &o)
{
    return QStringLiteral("%1 %2,%3 %4")
        .arg(m.words().at(o.word))
        .arg(o.place.col)
        .arg(o.place.row)
        .arg(directionName(o.place.direction));
}

QStringList texts(const BlockedWordMatcher &m, const std::vector<BlockedOccurrence> &found)
{
    QStringList out;
    for (const BlockedOccurrence &o : found)
        out << occurrenceText(m, o);
    out.sort();
    return out;
}

// Letters drawn in turn from a text, round and round.
LetterSource cycling(const QString &letters)
{
    auto next = std::make_shared<int>(0);
    return [letters, next] { return letters.at((*next)++ % letters.size()).unicode(); };
}

// The cells of a place, as (column, row).
QList<QPair<int, int>> cellsOf(int col, int row, Direction d, int length)
{
    QList<QPair<int, int>> cells;
    const DirectionInfo &info = directionInfo(d);
    for (int p = 0; p < length; ++p)
        cells << qMakePair(col + p * info.columnStep, row + p * info.rowStep);
    std::sort(cells.begin(), cells.end());
    return cells;
}

} // namespace

class TestCleanFill : public QObject
{
    Q_OBJECT
private slots:
    void matcherReadsEveryDirection_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("blocked");
        QTest::addColumn<QStringList>("found"); // "WORD col,row Direction", sorted
        const QStringList bad{"BAD"};
        QTest::newRow("right") << QStringList{"xbadx"} << bad << QStringList{"BAD 1,0 Right"};
        QTest::newRow("left") << QStringList{"dab.."} << bad << QStringList{"BAD 2,0 Left"};
        QTest::newRow("down") << QStringList{"b", "a", "d"} << bad << QStringList{"BAD 0,0 Down"};
        QTest::newRow("up") << QStringList{"d", "a", "b"} << bad << QStringList{"BAD 0,2 Up"};
        QTest::newRow("down-right")
            << QStringList{"b..", ".a.", "..d"} << bad << QStringList{"BAD 0,0 Down-Right"};
        QTest::newRow("up-left") << QStringList{"d..", ".a.", "..b"} << bad
                                 << QStringList{"BAD 2,2 Up-Left"};
        QTest::newRow("down-left")
            << QStringList{"..b", ".a.", "d.."} << bad << QStringList{"BAD 2,0 Down-Left"};
        QTest::newRow("up-right") << QStringList{"..d", ".a.", "b.."} << bad
                                  << QStringList{"BAD 0,2 Up-Right"};
        QTest::newRow("along the last row and column of a wide grid")
            << QStringList{"......b", "......a", "xx.badd"} << bad
            << QStringList{"BAD 3,2 Right", "BAD 6,0 Down"};
        QTest::newRow("a palindrome is one occurrence")
            << QStringList{"xtitx"} << QStringList{"TIT"} << QStringList{"TIT 1,0 Right"};
        QTest::newRow("two words each other's reverse: one occurrence")
            << QStringList{"dog.."} << QStringList{"DOG", "GOD"} << QStringList{"DOG 0,0 Right"};
        QTest::newRow("a word inside a longer one: both")
            << QStringList{"badge"} << QStringList{"BADGE", "BAD"}
            << QStringList{"BAD 0,0 Right", "BADGE 0,0 Right"};
        QTest::newRow("overlapping occurrences") << QStringList{"nanan"} << QStringList{"NAN"}
                                                 << QStringList{"NAN 0,0 Right", "NAN 2,0 Right"};
        QTest::newRow("blanks break a word") << QStringList{"ba.d", "...."} << bad << QStringList{};
        QTest::newRow("letters beyond A to Z")
            << QStringList{"xäöüx", "....ß"} << QStringList{"ÄÖÜ", "ÜSS", "Üß"}
            << QStringList{"ÄÖÜ 1,0 Right", "Üß 3,0 Down-Right"};
        QTest::newRow("no blocked words") << QStringList{"badx"} << QStringList{} << QStringList{};
    }
    void matcherReadsEveryDirection()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, blocked);
        QFETCH(QStringList, found);
        const BlockedWordMatcher matcher(blocked);
        QCOMPARE(texts(matcher, matcher.find(gridOf(rows))), found);
    }

    void cleanFill_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("blocked");
        QTest::addColumn<QString>("draws");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("incurable");
        const QStringList bad{"BAD"};
        QTest::newRow("forwards through filler")
            << QStringList{"xbadx"} << bad << "Q" << QStringList{"xqadx"} << QStringList{};
        QTest::newRow("backwards through filler")
            << QStringList{"dab.."} << bad << "Q" << QStringList{"qab.."} << QStringList{};
        QTest::newRow("on a diagonal") << QStringList{"..b", ".a.", "d.."} << bad << "Q"
                                       << QStringList{"..q", ".a.", "d.."} << QStringList{};
        QTest::newRow("across a word letter and filler: only filler changes")
            << QStringList{"BAd", "a.."} << bad << "Q" << QStringList{"BAq", "a.."}
            << QStringList{};
        QTest::newRow("word letters alone are reported, not changed")
            << QStringList{"BAD", "ddd"} << bad << "Q" << QStringList{"BAD", "ddd"}
            << QStringList{"BAD 0,0 Right"};
        QTest::newRow("message and word letters alone are reported")
            << QStringList{"B.", "A.", "D."} << bad << "Q" << QStringList{"B.", "A.", "D."}
            << QStringList{"BAD 0,0 Down"};
        QTest::newRow("two words through one cell: that cell alone is drawn")
            << QStringList{".b.", "bad", ".d."} << bad << "Q" << QStringList{".b.", "bqd", ".d."}
            << QStringList{};
        QTest::newRow("a new letter that spells another word is drawn again")
            << QStringList{"xbadx"} << QStringList{"BAD", "CAD"} << "CQ" << QStringList{"xqadx"}
            << QStringList{};
        QTest::newRow("the same letter drawn back is drawn again")
            << QStringList{"BAd", "..a", "..b"} << bad << "DQ" << QStringList{"BAq", "..a", "..b"}
            << QStringList{};
        QTest::newRow("letters beyond A to Z")
            << QStringList{"ÄÖü", "...", "..."} << QStringList{"ÄÖÜ"} << "X"
            << QStringList{"ÄÖx", "...", "..."} << QStringList{};
        QTest::newRow("a long word in a tall grid")
            << QStringList{"rq", "ow", "te", "tr", "et", "ny"} << QStringList{"ROTTEN"} << "Z"
            << QStringList{"zq", "ow", "te", "tr", "et", "ny"} << QStringList{};
    }
    void cleanFill()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, blocked);
        QFETCH(QString, draws);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, incurable);
        const BlockedWordMatcher matcher(blocked);
        LetterGrid grid = gridOf(rows);
        const std::vector<std::uint8_t> filler = fillerOf(rows);
        const CleanFillResult result = quarrin::cleanFill(grid, filler, matcher, cycling(draws));
        QCOMPARE(artOf(grid, filler), expected);
        QVERIFY(result.clean);
        QVERIFY(result.remaining.empty());
        QCOMPARE(texts(matcher, result.incurable), incurable);
        // No blocked word through a filler cell is left; fixed cells are as they were.
        const LetterGrid before = gridOf(rows);
        for (const BlockedOccurrence &o : matcher.find(grid)) {
            for (int p = 0; p < o.place.length; ++p) {
                const CellPos c = o.place.cell(p);
                QVERIFY(!filler[std::size_t(grid.index(c.col, c.row))]);
            }
        }
        for (std::size_t i = 0; i < filler.size(); ++i) {
            if (!filler[i])
                QCOMPARE(grid.letters[i], before.letters[i]);
        }
    }

    void redrawsTheCellMostOccurrencesShare()
    {
        // Three blocked words meet at the centre; one letter breaks all three.
        const QStringList rows{"b.b", ".a.", "b.."};
        LetterGrid grid = gridOf(rows);
        const BlockedWordMatcher matcher(QStringList{"BA"});
        QCOMPARE(int(matcher.find(grid).size()), 3);
        const CleanFillResult result =
            quarrin::cleanFill(grid, fillerOf(rows), matcher, cycling("Q"));
        QCOMPARE(result.redrawn, 1);
        QCOMPARE(artOf(grid, fillerOf(rows)), QStringList({"b.b", ".q.", "b.."}));
    }

    void aSourceThatNeverCuresStopsAtTheBound()
    {
        const QStringList rows{"eee", "eEe"};
        LetterGrid grid = gridOf(rows);
        // A one-letter word reads once per cell, not once per line through it.
        const BlockedWordMatcher matcher(QStringList{"E"});
        QCOMPARE(int(matcher.find(grid).size()), 6);
        const CleanFillResult result =
            quarrin::cleanFill(grid, fillerOf(rows), matcher, cycling("E"), 10);
        QVERIFY(!result.clean);
        QCOMPARE(result.redrawn, 10);
        QCOMPARE(int(result.remaining.size()), 5);
        QCOMPARE(texts(matcher, result.incurable), QStringList{"E 1,1 Right"});
    }

    void aMaskOfTheWrongSizeIsRefused()
    {
        LetterGrid grid = gridOf({"bad"});
        const LetterGrid before = grid;
        const CleanFillResult result =
            quarrin::cleanFill(grid, {1, 1}, BlockedWordMatcher(QStringList{"BAD"}), cycling("Q"));
        QVERIFY(grid == before);
        QVERIFY(!result.clean);
        QCOMPARE(result.redrawn, 0);
    }

    // --- On the puzzle model ---

    void withNothingBlockedTheFillIsTheModelsOwn_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::newRow("15x15") << GridSize::Small;
        QTest::newRow("30x30") << GridSize::Large;
        QTest::newRow("20x12") << GridSize(20, 12);
    }
    void withNothingBlockedTheFillIsTheModelsOwn()
    {
        QFETCH(GridSize, size);
        // A blocked word of a letter the fill never draws: the clean fill must
        // leave the model's fill exactly as it drew it.
        const QStringList words = elementNames().mid(10, 12);
        const auto addWords = [&words](PuzzleModel &model) {
            for (const QString &w : words)
                model.addWord(randomly(w, DirectionSet::all()));
        };
        RandomGenerator plainRandom(steppingClock(77, 7919));
        PuzzleModel plain(size, &plainRandom);
        addWords(plain);
        plain.fillRandom();

        RandomGenerator cleanRandom(steppingClock(77, 7919));
        PuzzleModel clean(size, &cleanRandom);
        addWords(clean);
        const ModelCleanFill result =
            fillRandomClean(clean, cleanRandom, BlockedWordMatcher(QStringList{"Ø"}));
        QVERIFY(result.fill.ok);
        QCOMPARE(result.clean.redrawn, 0);
        QVERIFY(stateOf(clean) == stateOf(plain));
        QCOMPARE(cleanRandom.seed(), plainRandom.seed());
    }

    void seededPuzzlesEndClean_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("puzzles");
        QTest::newRow("15x15") << GridSize::Small << 12 << 1000;
        QTest::newRow("30x30") << GridSize::Large << 24 << 1000;
        QTest::newRow("20x12") << GridSize(20, 12) << 20 << 300;
        QTest::newRow("7x23") << GridSize(7, 23) << 12 << 300;
    }
    void seededPuzzlesEndClean()
    {
        // 1,000 puzzles (300 of the other sizes) of element names at random places, a third with a
        // hidden message, filled at random and cleaned: the puzzle check
        // finds no blocked word but those on word and message letters alone,
        // which the clean fill names itself.
        QFETCH(GridSize, size);
        QFETCH(int, words);
        QFETCH(int, puzzles);
        const QStringList names = elementNames();
        QCOMPARE(int(names.size()), 118);
        const PuzzleCheck check(BlockedWords::builtIn());
        const BlockedWordMatcher matcher(BlockedWords::builtIn().words());
        LcgState pick{std::uint32_t(size.columns() * 100 + size.rows())};
        int redrawnPuzzles = 0, incurablePuzzles = 0;
        for (int puzzle = 0; puzzle < puzzles; ++puzzle) {
            RandomGenerator random(steppingClock(std::uint64_t(puzzle) * 104729u + 1, 7919));
            PuzzleModel model(size, &random);
            for (int k = 0; k < words; ++k) {
                const QString &name = names.at(pick.below(int(names.size())));
                if (name.size() <= model.spec().maxWordLength)
                    model.addWord(randomly(name, DirectionSet::all()));
            }
            if (puzzle % 3 == 0)
                model.fillMessage(QStringLiteral("HIDDEN WORDS"));
            const int columns = model.columns(), rows = model.rows();
            const auto at = [columns](int col, int row) {
                return std::size_t(row * columns + col);
            };
            std::vector<bool> filler(std::size_t(columns * rows));
            QStringList fixedCells;
            for (int row = 0; row < rows; ++row) {
                for (int col = 0; col < columns; ++col) {
                    filler[at(col, row)] = model.cellAt(col, row).takesRandomLetter();
                    fixedCells << (filler[at(col, row)] ? QString() : model.cell(col, row));
                }
            }

            const ModelCleanFill result = fillRandomClean(model, random, matcher);
            QVERIFY(result.fill.ok);
            QVERIFY(result.clean.clean);
            redrawnPuzzles += result.clean.redrawn > 0 ? 1 : 0;
            incurablePuzzles += result.clean.incurable.empty() ? 0 : 1;

            // Word and message letters are kept; every blank took a letter.
            for (int row = 0; row < rows; ++row) {
                for (int col = 0; col < columns; ++col) {
                    if (filler[at(col, row)])
                        QCOMPARE(model.cellAt(col, row).kind, Cell::Filled);
                    else
                        QCOMPARE(model.cell(col, row), fixedCells.at(int(at(col, row))));
                }
            }
            // Any blocked word the check still finds lies on fixed cells alone
            // and is one the clean fill reported.
            QList<QList<QPair<int, int>>> reported;
            for (const BlockedOccurrence &o : result.clean.incurable)
                reported << cellsOf(o.place.col, o.place.row, o.place.direction, o.place.length);
            for (const Problem &p : check.run(model).problems) {
                if (p.kind != ProblemKind::BlockedWord)
                    continue;
                const Place &place = p.places.front();
                for (int k = 0; k < place.length; ++k) {
                    const QPoint c = place.cell(k);
                    QVERIFY2(!filler[at(c.x(), c.y())], qPrintable(p.text));
                }
                QVERIFY2(
                    reported.contains(cellsOf(place.col, place.row, place.direction, place.length)),
                    qPrintable(p.text));
            }
        }
        // The cleaning was needed: many fills spelled a blocked word at first.
        // (Element names end in -UM and -IUM, so CUM, TIT and the like also
        // read across the letters of two words now and then: those are for
        // placing the words again, not for the fill.)
        QVERIFY(redrawnPuzzles > puzzles / 10);
        qInfo("%d of %d fills needed letters drawn again; %d held a blocked word on fixed "
              "letters alone",
              redrawnPuzzles, puzzles, incurablePuzzles);
    }
};

QTEST_APPLESS_MAIN(TestCleanFill)
#include "test_clean_fill.moc"
