// Grids of any size: the size table's rows, reading a size, and the model's
// commands on square and rectangular grids other than the two record sizes.

#include "board.h"
#include "puzzle/puzzle_snapshot.h"
#include "seeded.h"

#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

class TestGridSizes : public QObject
{
    Q_OBJECT
private slots:
    void sizeTableRows_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("longest");
        QTest::addColumn<int>("most");
        QTest::addColumn<int>("handedOver");
        QTest::addColumn<bool>("recordFile");
        // The two record sizes keep their own limits.
        QTest::newRow("15x15") << GridSize::Small << 14 << 18 << 15 << true;
        QTest::newRow("30x30") << GridSize::Large << 22 << 28 << 28 << true;
        // Every other size: the longer side, W x H / 8 within 6..200.
        QTest::newRow("5x5") << GridSize(5, 5) << 5 << 6 << 6 << false;
        QTest::newRow("10x10") << GridSize(10, 10) << 10 << 12 << 12 << false;
        QTest::newRow("7x23") << GridSize(7, 23) << 23 << 20 << 20 << false;
        QTest::newRow("32x32") << GridSize(32, 32) << 32 << 128 << 128 << false;
        QTest::newRow("40x40") << GridSize(40, 40) << 40 << 200 << 200 << false;
        QTest::newRow("50x50") << GridSize(50, 50) << 50 << 200 << 200 << false;
        QTest::newRow("15x16") << GridSize(15, 16) << 16 << 30 << 30 << false;
    }
    void sizeTableRows()
    {
        QFETCH(GridSize, size);
        QFETCH(int, longest);
        QFETCH(int, most);
        QFETCH(int, handedOver);
        QFETCH(bool, recordFile);
        const SizeSpec &spec = sizeSpec(size);
        QCOMPARE(spec.size, size);
        QCOMPARE(spec.columns, size.columns());
        QCOMPARE(spec.rows, size.rows());
        QCOMPARE(spec.storeColumns, size.columns() + 1);
        QCOMPARE(spec.storeRows, size.rows() + 1);
        QCOMPARE(spec.maxWordLength, longest);
        QCOMPARE(spec.maxWords, most);
        QCOMPARE(spec.snapshotWords, handedOver);
        QCOMPARE(spec.hasRecordFile(), recordFile);
        QCOMPARE(size.isFixed(), recordFile);
        // Asking again gives the same row.
        QCOMPARE(&sizeSpec(size), &spec);
    }

    void generalRowTexts()
    {
        const SizeSpec &square = sizeSpec(GridSize(20, 20));
        QCOMPARE(square.editorCaption, QStringLiteral("Word Quarrin Generator 20x20 Grid"));
        QCOMPARE(square.tooLargeMessage, QStringLiteral("Word is too large. 20 Characters maximum"));
        QCOMPARE(square.coordinateMessage,
                 QStringLiteral("Invalid X, Y Values. Coordinates must be between 1 and 20 only"));
        const SizeSpec &wide = sizeSpec(GridSize(12, 8));
        QCOMPARE(wide.editorCaption, QStringLiteral("Word Quarrin Generator 12x8 Grid"));
        QCOMPARE(wide.coordinateMessage, QStringLiteral("Invalid X, Y Values. X must be between 1 "
                                                        "and 12 and Y between 1 and 8"));
    }

    void parseSize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns"); // 0: refused
        QTest::addColumn<int>("rows");
        QTest::newRow("one side") << "20" << 20 << 20;
        QTest::newRow("both sides") << "12x20" << 12 << 20;
        QTest::newRow("capital X") << "25X8" << 25 << 8;
        QTest::newRow("times sign") << QStringLiteral("10\u00d710") << 10 << 10;
        QTest::newRow("blanks") << " 7 x 23 " << 7 << 23;
        QTest::newRow("smallest") << "5x5" << 5 << 5;
        QTest::newRow("largest") << "50x50" << 50 << 50;
        QTest::newRow("too small") << "4x10" << 0 << 0;
        QTest::newRow("too large") << "10x51" << 0 << 0;
        QTest::newRow("zero") << "0" << 0 << 0;
        QTest::newRow("negative") << "-10x10" << 0 << 0;
        QTest::newRow("three sides") << "10x10x10" << 0 << 0;
        QTest::newRow("words") << "big" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("huge number") << "99999999999x5" << 0 << 0;
    }
    void parseSize()
    {
        QFETCH(QString, text);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const std::optional<GridSize> size = GridSize::parse(text);
        if (columns == 0) {
            QVERIFY(!size);
            return;
        }
        QVERIFY(size);
        QCOMPARE(size->columns(), columns);
        QCOMPARE(size->rows(), rows);
        QCOMPARE(GridSize::parse(size->text()), size);
    }

    // A word at a given cell obeys the grid's own bounds on each axis: in a
    // grid 12 wide and 7 high, a long word fits across but not down.
    void givenPositionOnARectangularGrid()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(12, 7), &random);
        place(model, QStringLiteral("HORIZONTALLY"), 1, 1, QStringLiteral("Right"));
        place(model, QStringLiteral("DOWNTO"), 12, 2, QStringLiteral("Down"));
        place(model, QStringLiteral("UPWARD"), 1, 7, QStringLiteral("Up-Right"));
        QCOMPARE(board(model), (QStringList{
                                   "HORIZONTALLY",
                                   ".....D.....D",
                                   "....R......O",
                                   "...A.......W",
                                   "..W........N",
                                   ".P.........T",
                                   "U..........O",
                               }));
        AddWordRequest tooLow;
        tooLow.word = QStringLiteral("SEVENTHS");
        tooLow.x = QStringLiteral("3");
        tooLow.y = QStringLiteral("1");
        tooLow.direction = QStringLiteral("Down");
        QCOMPARE(model.addWord(tooLow).messages,
                 QStringList{QStringLiteral("Invalid position to enter word")});
        tooLow.y = QStringLiteral("8");
        QCOMPARE(model.addWord(tooLow).messages,
                 QStringList{QStringLiteral("Invalid X, Y Values. X must be between 1 and 12 and Y "
                                            "between 1 and 7")});
    }

    // Random placement draws columns below W and rows below H: over many
    // words, every place used lies inside the grid and both edges are reached.
    void randomPlacementStaysInsideARectangularGrid()
    {
        RandomGenerator random(steppingClock(1234, 977));
        PuzzleModel model(GridSize(23, 7), &random);
        int rightmost = 0, lowest = 0;
        for (int i = 0; i < 200; ++i) {
            model.clear();
            const CommandOutcome out =
                model.addWord(randomly(QStringLiteral("ABCDEFG"), DirectionSet::all()));
            QVERIFY(out.placed);
            const std::optional<WordPath> path = model.wordPaths().front();
            QVERIFY(path);
            for (int p = 0; p < path->length; ++p) {
                const CellPos c = path->cell(p);
                QVERIFY(model.inGrid(c.col, c.row));
                rightmost = std::max(rightmost, c.col);
                lowest = std::max(lowest, c.row);
            }
        }
        QCOMPARE(rightmost, 22);
        QCOMPARE(lowest, 6);
        // A word as long as the longer side fits only along it.
        model.clear();
        const CommandOutcome longest = model.addWord(
            randomly(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW"), DirectionSet::all()));
        QVERIFY(longest.placed);
        const QString direction = model.directionMemo().value(0);
        QVERIFY2(direction == QLatin1String("Right") || direction == QLatin1String("Left"),
                 qPrintable(direction));
    }

    // The fill covers the whole store of a rectangular grid, the message
    // fill reads row by row across its width, and removing the fill gives
    // back the words alone.
    void fillsOnARectangularGrid()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(6, 5), &random);
        place(model, QStringLiteral("CAT"), 2, 2, QStringLiteral("Right"));
        QCOMPARE(model.messageCapacity(), 27);
        QCOMPARE(model.messagePrompt(),
                 QStringLiteral("Enter a word up to 27 characters long(spaces will be removed)."));
        model.fillMessage(QStringLiteral("hidden note"));
        QCOMPARE(board(model), (QStringList{
                                   "hidden",
                                   "nCATot",
                                   "e.....",
                                   "......",
                                   "......",
                               }));
        model.fillRandom();
        for (int c = 0; c < model.storeColumns(); ++c)
            for (int r = 0; r < model.storeRows(); ++r)
                QVERIFY2(!model.cell(c, r).isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(c).arg(r)));
        model.removeFill();
        QCOMPARE(board(model), (QStringList{
                                   "......",
                                   ".CAT..",
                                   "......",
                                   "......",
                                   "......",
                               }));
    }

    // The prompt of a big grid offers what the message box can take.
    void messagePromptOfABigGridOffersTheBoxLimit()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(40, 40), &random);
        QCOMPARE(model.messageCapacity(), 1600);
        QCOMPARE(model.messagePrompt(),
                 QStringLiteral("Enter a word up to 255 characters long(spaces will be removed)."));
    }

    // The snapshot of a rectangular grid keeps its shape.
    void snapshotOfARectangularGrid()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize(9, 5), &random);
        place(model, QStringLiteral("OWL"), 9, 1, QStringLiteral("Down"));
        PuzzleSnapshot snapshot;
        takeSnapshot(model, snapshot);
        QCOMPARE(snapshot.letters.size(), 10 * 6);
        QCOMPARE(snapshot.gridColumns(), 9);
        QCOMPARE(snapshot.gridRows(), 5);
        QCOMPARE(snapshot.letterAt(8, 0), QLatin1Char('O'));
        QCOMPARE(snapshot.letterAt(8, 2), QLatin1Char('L'));
        QCOMPARE(snapshot.letterAt(0, 0), QLatin1Char(' '));
        QCOMPARE(snapshot.words.size(), sizeSpec(GridSize(9, 5)).snapshotWords);
        QCOMPARE(snapshot.words.first(), QStringLiteral("OWL"));
    }
};

QTEST_GUILESS_MAIN(TestGridSizes)
#include "test_grid_sizes.moc"
