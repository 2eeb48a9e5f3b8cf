// Placement on plain letter grids of any size: the full search that refuses a
// word only when no place exists, random placement as the model draws it, and
// dense packing with taking back.

#include "element_names.h"
#include "letter_grid_art.h"
#include "puzzle/dense_placement.h"
#include "seeded.h"

#include <QTest>

#include <map>
#include <set>

using namespace quarrin;
using namespace quarrin::test;

Q_DECLARE_METATYPE(quarrin::DirectionSet)

namespace {

DirectionSet only(std::initializer_list<Direction> directions)
{
    DirectionSet s;
    for (Direction d : directions)
        s.set(d);
    return s;
}

bool samePlace(const WordPath &a, const WordPath &b)
{
    return a.col == b.col && a.row == b.row && a.direction == b.direction && a.length == b.length;
}

// Every place where the word fits, worked out cell by cell on its own.
std::vector<WordPath> everyPlace(const LetterGrid &grid, const QString &word, DirectionSet allowed)
{
    std::vector<WordPath> places;
    for (const DirectionInfo &info : directionTable()) {
        if (!allowed.contains(info.direction) || word.isEmpty())
            continue;
        for (int row = 0; row < grid.rows; ++row) {
            for (int col = 0; col < grid.columns; ++col) {
                bool fits = true;
                for (int p = 0; p < word.size() && fits; ++p) {
                    const int c = col + p * info.columnStep, r = row + p * info.rowStep;
                    fits = grid.contains(c, r) &&
                           (grid.at(c, r) == 0 || grid.at(c, r) == word[p].unicode());
                }
                if (fits)
                    places.push_back({col, row, info.direction, int(word.size())});
            }
        }
    }
    return places;
}

bool isAmong(const WordPath &place, const std::vector<WordPath> &places)
{
    return std::any_of(places.begin(), places.end(),
                       [&](const WordPath &p) { return samePlace(p, place); });
}

// The line a place runs along: its kind (row, column, either diagonal) and
// which line of that kind.
std::pair<int, int> lineOf(const WordPath &p)
{
    const DirectionInfo &info = directionInfo(p.direction);
    if (info.rowStep == 0)
        return {0, p.row};
    if (info.columnStep == 0)
        return {1, p.col};
    return info.columnStep == info.rowStep ? std::pair{2, p.col - p.row}
                                           : std::pair{3, p.col + p.row};
}

// What a packing promises: each placed word reads at its place; every other
// cell is as it came; the letters the grid came with stay; no word lies wholly
// on them; no two words share a cell along the same line (one would read
// inside the other).
void verifyPacking(const LetterGrid &before, const LetterGrid &after, const QStringList &words,
                   const DenseResult &result)
{
    QCOMPARE(int(result.places.size()), int(words.size()));
    QCOMPARE(after.columns, before.columns);
    QCOMPARE(after.rows, before.rows);
    std::vector<int> cover(after.letters.size(), 0);
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> linesUsed; // line -> cells
    int placed = 0;
    for (int w = 0; w < words.size(); ++w) {
        const std::optional<WordPath> &place = result.places[std::size_t(w)];
        if (!place)
            continue;
        ++placed;
        QCOMPARE(place->length, int(words.at(w).size()));
        const CellPos first = place->cell(0), last = place->cell(place->length - 1);
        QVERIFY(after.contains(first.col, first.row) && after.contains(last.col, last.row));
        QCOMPARE(readWord(after, *place), words.at(w));
        bool ownLetter = false;
        auto &line = linesUsed[lineOf(*place)];
        for (int p = 0; p < place->length; ++p) {
            const CellPos c = place->cell(p);
            ++cover[std::size_t(after.index(c.col, c.row))];
            ownLetter = ownLetter || before.at(c.col, c.row) == 0;
            const bool sharedAlongLine =
                std::find(line.begin(), line.end(), std::pair{c.col, c.row}) != line.end();
            QVERIFY2(!sharedAlongLine,
                     qPrintable(words.at(w) + QStringLiteral(" runs over another word")));
            line.push_back({c.col, c.row});
        }
        QVERIFY2(ownLetter, qPrintable(words.at(w) + QStringLiteral(" lies on old letters")));
    }
    QCOMPARE(result.placed, placed);
    for (std::size_t i = 0; i < after.letters.size(); ++i) {
        if (before.letters[i] != 0 || cover[i] == 0)
            QCOMPARE(after.letters[i], before.letters[i]);
    }
}

} // namespace

class TestDensePlacement : public QObject
{
    Q_OBJECT
private slots:
    void fitRule_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("fits");
        const QStringList board{"C.T..", ".....", "....."};
        QTest::newRow("empty cells") << board << "DOG" << 1 << 1 << int(Direction::Right) << true;
        QTest::newRow("shares two letters")
            << board << "CAT" << 0 << 0 << int(Direction::Right) << true;
        QTest::newRow("a letter in the way")
            << board << "COT" << 2 << 0 << int(Direction::Right) << false;
        QTest::newRow("off the right edge")
            << board << "DOG" << 3 << 1 << int(Direction::Right) << false;
        QTest::newRow("off the bottom of a wide grid")
            << board << "DOG" << 4 << 1 << int(Direction::Down) << false;
        QTest::newRow("down the full height")
            << board << "DOG" << 4 << 0 << int(Direction::Down) << true;
        QTest::newRow("off the top") << board << "DOG" << 1 << 1 << int(Direction::UpLeft) << false;
        QTest::newRow("backwards onto a letter")
            << board << "TAC" << 2 << 0 << int(Direction::Left) << true;
    }
    void fitRule()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, word);
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(int, direction);
        QFETCH(bool, fits);
        const LetterGrid grid = gridOf(rows);
        QCOMPARE(wordFits(grid, word, WordPath{col, row, Direction(direction), int(word.size())}),
                 fits);
    }

    void theOnlyPlaceIsFound()
    {
        // PLANET fits on the diagonal slot alone, and only read down from the P;
        // a random draw hits that place about once in 600 attempts.
        const LetterGrid grid = gridOf({
            "XXPXXXXXXX",
            "XXX.XXXXXX",
            "XXXX.XXXXX",
            "XXXXX.XXXX",
            "XXXXXX.XXX",
            "XXXXXXX.XX",
        });
        const QString word = QStringLiteral("PLANET");
        const std::vector<WordPath> all = everyPlace(grid, word, DirectionSet::all());
        QCOMPARE(int(all.size()), 1);
        const WordPath expected{2, 0, Direction::DownRight, 6};
        QVERIFY(samePlace(all.front(), expected));

        int randomMisses = 0;
        for (std::uint32_t seed = 1; seed <= 64; ++seed) {
            LcgState random{seed};
            const std::optional<WordPath> found =
                findAnyPlace(grid, word, DirectionSet::all(), random);
            QVERIFY2(found && samePlace(*found, expected), qPrintable(QString::number(seed)));
            LcgState draws{seed};
            randomMisses += findRandomPlace(grid, word, DirectionSet::all(), draws) ? 0 : 1;
            LcgState both{seed};
            const std::optional<WordPath> placed = findPlace(grid, word, DirectionSet::all(), both);
            QVERIFY(placed && samePlace(*placed, expected));
        }
        QVERIFY(randomMisses > 0); // the draws alone would have refused it

        LetterGrid written = grid;
        writeWord(written, word, expected);
        QCOMPARE(artOf(written), QStringList({
                                     "XXPXXXXXXX",
                                     "XXXLXXXXXX",
                                     "XXXXAXXXXX",
                                     "XXXXXNXXXX",
                                     "XXXXXXEXXX",
                                     "XXXXXXXTXX",
                                 }));
    }

    void refusedOnlyWhenNoPlaceExists_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("word");
        QTest::addColumn<DirectionSet>("allowed");
        const QStringList slot{"XXPXX", "XXX.X", "XXXX."};
        QTest::newRow("every cell taken")
            << QStringList{"XXXXX", "XXXXX", "XXXXX"} << "CAT" << DirectionSet::all();
        QTest::newRow("the one slot's direction not allowed")
            << slot << "PIE"
            << only({Direction::Right, Direction::Left, Direction::Up, Direction::Down});
        QTest::newRow("the slot read the wrong way")
            << slot << "EIP" << only({Direction::DownRight});
        QTest::newRow("longer than both sides")
            << QStringList{"....", "....", "...."} << "LONGER" << DirectionSet::all();
        QTest::newRow("too long for the rows of a tall grid")
            << QStringList{"...", "...", "...", "...", "..."} << "WORDS"
            << only({Direction::Right, Direction::DownLeft});
        QTest::newRow("no direction allowed")
            << QStringList{"...", "..."} << "AB" << DirectionSet();
        QTest::newRow("empty word") << QStringList{"...", "..."} << "" << DirectionSet::all();
    }
    void refusedOnlyWhenNoPlaceExists()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, word);
        QFETCH(DirectionSet, allowed);
        const LetterGrid grid = gridOf(rows);
        QVERIFY(everyPlace(grid, word, allowed).empty());
        for (std::uint32_t seed = 1; seed <= 8; ++seed) {
            LcgState random{seed};
            QVERIFY(!findAnyPlace(grid, word, allowed, random));
            QVERIFY(!findPlace(grid, word, allowed, random));
        }
        QCOMPARE(artOf(grid), rows);
        // The same word is found once the way is open.
        if (rows.first() == QLatin1String("XXPXX")) {
            LcgState random{1};
            QVERIFY(findAnyPlace(grid, word, DirectionSet::all(), random));
        }
    }

    void searchAgreesWithEveryPlace()
    {
        // Random boards of random sizes, square or not, crowded with three
        // letters: the search finds a place exactly when one exists, and
        // different seeds visit the places in different orders.
        LcgState maker{2024};
        int found = 0, refused = 0, boardsWithChoice = 0, choicesSeen = 0;
        for (int board = 0; board < 300; ++board) {
            LetterGrid grid(5 + maker.below(8), 5 + maker.below(8));
            const int density = 50 + maker.below(45);
            for (char16_t &cell : grid.letters)
                cell = maker.below(100) < density ? char16_t(u'A' + maker.below(3)) : 0;
            QString word;
            for (int len = 3 + maker.below(4); word.size() < len;)
                word += QChar(u'A' + maker.below(3));
            DirectionSet allowed;
            for (const DirectionInfo &info : directionTable())
                allowed.set(info.direction, maker.below(3) > 0);

            const std::vector<WordPath> all = everyPlace(grid, word, allowed);
            std::vector<WordPath> seen;
            for (std::uint32_t seed = 1; seed <= 6; ++seed) {
                LcgState random{seed * 977u + std::uint32_t(board)};
                const std::optional<WordPath> place = findAnyPlace(grid, word, allowed, random);
                QCOMPARE(place.has_value(), !all.empty());
                if (!place)
                    continue;
                QVERIFY(isAmong(*place, all));
                if (!isAmong(*place, seen))
                    seen.push_back(*place);
                LcgState again{seed * 977u + std::uint32_t(board)};
                QVERIFY(samePlace(*findAnyPlace(grid, word, allowed, again), *place));
            }
            (all.empty() ? refused : found) += 1;
            if (all.size() >= 4) {
                ++boardsWithChoice;
                choicesSeen += seen.size() > 1 ? 1 : 0;
            }
        }
        // Both outcomes were exercised, and the order is not fixed.
        QVERIFY(found > 30 && refused > 30);
        QVERIFY(choicesSeen > boardsWithChoice / 2);
    }

    void randomPlacementDrawsAsTheModelDoes_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<DirectionSet>("allowed");
        QTest::newRow("15x15, all directions") << GridSize::Small << DirectionSet::all();
        QTest::newRow("30x30, all directions") << GridSize::Large << DirectionSet::all();
        QTest::newRow("15x15, two directions")
            << GridSize::Small << only({Direction::Down, Direction::UpLeft});
        QTest::newRow("20x12, all directions") << GridSize(20, 12) << DirectionSet::all();
        QTest::newRow("7x23, all directions") << GridSize(7, 23) << DirectionSet::all();
    }
    void randomPlacementDrawsAsTheModelDoes()
    {
        // The plain search draws the same numbers and finds the same places as
        // the model's random "Add Word", placed or not, so the model can hand
        // its draws to it.
        QFETCH(GridSize, size);
        QFETCH(DirectionSet, allowed);
        std::uint64_t ticks = 0;
        LcgState words{99};
        int placed = 0, refused = 0;
        for (int puzzle = 0; puzzle < 6; ++puzzle) {
            RandomGenerator random([&ticks] { return ticks; });
            PuzzleModel model(size, &random);
            const int columns = model.columns(), rows = model.rows();
            // Letters strewn about, so that words are often refused.
            for (int col = 0; col < columns; ++col)
                for (int row = 0; row < rows; ++row)
                    if (words.below(100) < 35)
                        model.setCell(col, row, QString(QChar(u'A' + words.below(5))));
            for (int k = 0; k < model.spec().maxWords; ++k) {
                QString word;
                for (int len = 4 + words.below(model.spec().maxWordLength - 3); word.size() < len;)
                    word += QChar(u'A' + words.below(5));
                LetterGrid grid(columns, rows);
                for (int row = 0; row < rows; ++row) {
                    for (int col = 0; col < columns; ++col) {
                        // The model's fit rule: empty cells and spaces take any letter.
                        const Cell &c = model.cellAt(col, row);
                        const bool open = c.kind == Cell::Empty || c.letter == u' ';
                        grid.set(col, row, open ? char16_t(0) : c.letter);
                    }
                }
                ticks = 0x9E3779B97F4A7C15ull * std::uint64_t(puzzle * 100 + k + 1);
                LcgState mine{std::uint32_t(ticks)};
                const std::optional<WordPath> expected = findRandomPlace(grid, word, allowed, mine);
                const CommandOutcome out = model.addWord(randomly(word, allowed));
                QCOMPARE(out.placed, expected.has_value());
                QCOMPARE(random.seed(), mine.seed);
                if (expected) {
                    QVERIFY(samePlace(*model.wordPaths().back(), *expected));
                    ++placed;
                } else {
                    ++refused;
                }
            }
        }
        QVERIFY(placed > 5 && refused > 5);
    }

    // --- Dense packing ---

    void packsACrossingSet()
    {
        // Five words of 15 letters in nine cells: only crossings fit them.
        const QStringList words{"BAT", "ORE", "WED", "BOW", "ARE"};
        for (std::uint32_t seed = 1; seed <= 10; ++seed) {
            const LetterGrid empty(3, 3);
            LetterGrid grid = empty;
            LcgState random{seed};
            const DenseResult result = placeDense(grid, words, DirectionSet::all(), random);
            QCOMPARE(result.placed, 5);
            verifyPacking(empty, grid, words, result);
            QVERIFY(std::none_of(grid.letters.begin(), grid.letters.end(),
                                 [](char16_t c) { return c == 0; }));
        }
    }

    void sharesLettersWhereItCan()
    {
        // The second word could go anywhere in the empty rows, but a place
        // crossing the first word's letters is preferred.
        const QStringList words{"PLANETS", "STAR"};
        for (std::uint32_t seed = 1; seed <= 10; ++seed) {
            LetterGrid grid(9, 9);
            LcgState random{seed};
            const DenseResult result = placeDense(grid, words, DirectionSet::all(), random);
            QCOMPARE(result.placed, 2);
            int used = 0;
            for (char16_t c : grid.letters)
                used += c != 0;
            QCOMPARE(used, 7 + 4 - 1);
        }
    }

    void takesBackWhatGreedyCannotMend()
    {
        // Alone, ABCDE takes the lower row, where it shares two letters; that
        // is also the only row for AXCYZ (its X clashes with the B above). The
        // packing takes ABCDE back, gives the row to AXCYZ and puts ABCDE in
        // the upper row, sharing the B.
        const QStringList board{".B...", "A.C.."};
        for (std::uint32_t seed = 1; seed <= 10; ++seed) {
            LetterGrid alone = gridOf(board);
            LcgState first{seed};
            const DenseResult greedy =
                placeDense(alone, {QStringLiteral("ABCDE")}, DirectionSet::all(), first);
            QCOMPARE(greedy.places[0]->row, 1);

            LetterGrid grid = gridOf(board);
            LcgState random{seed};
            const QStringList words{"ABCDE", "AXCYZ"};
            const DenseResult result = placeDense(grid, words, DirectionSet::all(), random);
            QCOMPARE(result.placed, 2);
            QVERIFY(result.takenBack >= 1);
            verifyPacking(gridOf(board), grid, words, result);
            QCOMPARE(result.places[0]->row, 0);
            QCOMPARE(result.places[1]->row, 1);
            QCOMPARE(artOf(grid), QStringList({"ABCDE", "AXCYZ"}));
        }
    }

    void sameSeedSameLayout()
    {
        const QStringList words{"COMET", "ORBIT", "GRAVITY", "MOON", "STAR", "NOVA", "PLANET"};
        std::set<QStringList> layouts;
        for (std::uint32_t seed = 1; seed <= 8; ++seed) {
            LetterGrid a(8, 11), b(8, 11);
            LcgState ra{seed}, rb{seed};
            const DenseResult first = placeDense(a, words, DirectionSet::all(), ra);
            const DenseResult second = placeDense(b, words, DirectionSet::all(), rb);
            QVERIFY(a == b);
            QCOMPARE(ra.seed, rb.seed);
            QCOMPARE(first.looked, second.looked);
            for (std::size_t w = 0; w < first.places.size(); ++w)
                QVERIFY(samePlace(*first.places[w], *second.places[w]));
            layouts.insert(artOf(a));
        }
        QVERIFY(layouts.size() > 4); // the seed matters
    }

    void everyPlacedWordReadsWhereItSays_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("board"); // letters already there; empty: none
        QTest::addColumn<qlonglong>("budget");
        // All where all fit; elsewhere a floor well under what the packing
        // reaches, so that a search that stops short shows.
        QTest::addColumn<int>("leastPlaced");
        const QStringList names = elementNames();
        QCOMPARE(int(names.size()), 118);
        QTest::newRow("elements in 40x40")
            << 40 << 40 << names << QStringList() << 10'000'000ll << 118;
        QTest::newRow("elements in 32x32")
            << 32 << 32 << names << QStringList() << 10'000'000ll << 118;
        QTest::newRow("elements in 26x26, some left out")
            << 26 << 26 << names << QStringList() << 300'000ll << 60;
        QTest::newRow("a tall grid")
            << 7 << 23 << names.mid(0, 30) << QStringList() << 300'000ll << 15;
        QTest::newRow("around letters already there")
            << 8 << 6
            << QStringList{"HELIUM", "NEON", "IRON", "ZINC", "GOLD", "TIN", "LEAD", "ARGON"}
            << QStringList{"H.......", ".E......", "..L.....", "...XXXX.", "........", "N..Q...."}
            << 10'000'000ll << 8;
    }
    void everyPlacedWordReadsWhereItSays()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QStringList, words);
        QFETCH(QStringList, board);
        QFETCH(qlonglong, budget);
        QFETCH(int, leastPlaced);
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            const LetterGrid before = board.isEmpty() ? LetterGrid(columns, rows) : gridOf(board);
            LetterGrid grid = before;
            LcgState random{seed};
            DenseOptions options;
            options.budget = budget;
            const DenseResult result =
                placeDense(grid, words, DirectionSet::all(), random, options);
            verifyPacking(before, grid, words, result);
            QVERIFY2(result.placed >= leastPlaced, qPrintable(QString::number(result.placed)));
            // The budget bounds the work: one search past it at most.
            QVERIFY(result.looked <= budget + 8ll * columns * rows);
        }
    }

    void leftOutWordsAreNamed()
    {
        LetterGrid grid(6, 6);
        LcgState random{3};
        const QStringList words{"", "ELEVEN", "TOOLONGWORD", "SIX",
                                QStringLiteral("A%1B").arg(QChar(0))};
        const DenseResult result = placeDense(grid, words, DirectionSet::all(), random);
        QVERIFY(!result.places[0]);
        QVERIFY(result.places[1]);
        QVERIFY(!result.places[2]);
        QVERIFY(result.places[3]);
        QVERIFY(!result.places[4]);
        QCOMPARE(result.placed, 2);
    }

    void aSmallBudgetStillGivesASoundPacking()
    {
        const QStringList names = elementNames();
        for (long long budget : {0ll, 1ll, 5'000ll, 60'000ll}) {
            const LetterGrid before(32, 32);
            LetterGrid grid = before;
            LcgState random{7};
            DenseOptions options;
            options.budget = budget;
            const DenseResult result =
                placeDense(grid, names, DirectionSet::all(), random, options);
            verifyPacking(before, grid, names, result);
            QVERIFY(result.placed < 118);
            QVERIFY(result.looked <= budget + 8 * 32 * 32);
        }
    }
};

QTEST_APPLESS_MAIN(TestDensePlacement)
#include "test_dense_placement.moc"
