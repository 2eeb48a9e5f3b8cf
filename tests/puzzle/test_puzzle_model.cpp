// The cell store, the word lists and their projection onto the grid:
// refreshGrid, blankWords, clear, delete, kind restore and the snapshot sweep.

#include "board.h"
#include "puzzle/puzzle_snapshot.h"

#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

class TestPuzzleModel : public QObject
{
    Q_OBJECT
private slots:
    void storeHasMarginAndRefusesOutsideWrites_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("side");
        QTest::newRow("15x15") << GridSize::Small << 16;
        QTest::newRow("30x30") << GridSize::Large << 31;
    }
    void storeHasMarginAndRefusesOutsideWrites()
    {
        QFETCH(GridSize, size);
        QFETCH(int, side);
        RandomGenerator random;
        PuzzleModel model(size, &random);
        QCOMPARE(model.storeColumns(), side);
        model.setCell(side - 1, side - 1, QStringLiteral("Q"));
        QCOMPARE(model.cell(side - 1, side - 1), QStringLiteral("Q"));
        model.setCell(side, 0, QStringLiteral("X"));
        model.setCell(-1, 0, QStringLiteral("X"));
        QCOMPARE(model.cell(side, 0), QString());
        QCOMPARE(model.cell(-1, 0), QString());
    }

    void cellTests_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("freeForQ");
        QTest::addColumn<bool>("takesRandom");
        QTest::addColumn<bool>("takesMessage");
        QTest::addColumn<bool>("wordLetter");
        QTest::newRow("empty") << QString() << true << true << true << false;
        QTest::newRow("space") << QStringLiteral(" ") << true << true << true << true;
        QTest::newRow("word Q") << QStringLiteral("Q") << true << false << false << true;
        QTest::newRow("word R") << QStringLiteral("R") << false << false << false << true;
        QTest::newRow("filled Q") << (QStringLiteral("Q") + kFillerMark) << true << false << true
                                  << false;
        QTest::newRow("filled R") << (QStringLiteral("R") + kFillerMark) << false << false << true
                                  << false;
        QTest::newRow("loaded blank")
            << (QStringLiteral(" ") + kFillerMark) << true << false << true << false;
        QTest::newRow("six-space mark")
            << QStringLiteral("M      .") << false << false << true << false;
    }
    void cellTests()
    {
        QFETCH(QString, cell);
        QFETCH(bool, freeForQ);
        QFETCH(bool, takesRandom);
        QFETCH(bool, takesMessage);
        QFETCH(bool, wordLetter);
        QCOMPARE(isFreeFor(cell, QLatin1Char('Q')), freeForQ);
        QCOMPARE(takesRandomLetter(cell), takesRandom);
        QCOMPARE(takesMessageLetter(cell), takesMessage);
        QCOMPARE(isWordLetter(cell), wordLetter);
    }

    void listTextsSplitLikeAMultiLineField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("crlf ended")
            << QStringLiteral("CAT\r\nDOG\r\n") << QStringList{"CAT", "DOG"};
        QTest::newRow("cut last line") << QStringLiteral("CAT\r\nDO") << QStringList{"CAT", "DO"};
        QTest::newRow("blank lines kept")
            << QStringLiteral("\r\n\r\nCAT") << QStringList{"", "", "CAT"};
        QTest::newRow("bare lf and cr") << QStringLiteral("A\nB\rC") << QStringList{"A", "B", "C"};
    }
    void listTextsSplitLikeAMultiLineField()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(PuzzleModel::textToLines(text), lines);
    }

    void refreshWritesWordsFromTheLists()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts(QStringLiteral("CAT\r\nTOP\r\nAB\r\n"),
                           QStringLiteral("1, 1\r\n3, 1\r\n3, 12\r\n"),
                           QStringLiteral("Right\r\nDown\r\nUp-Left\r\n"));
        model.refreshGrid();
        QCOMPARE(board(model, 4, 4), (QStringList{"CAT.", "..O.", "..P.", "...."}));
        // "3, 12" is column 2, row 11, going up-left.
        QCOMPARE(model.cell(2, 11), QStringLiteral("A"));
        QCOMPARE(model.cell(1, 10), QStringLiteral("B"));
        QCOMPARE(model.deleteList(), (QStringList{"CAT", "TOP", "AB"}));
    }

    void refreshReplacesFilledCellsAndLeavesTheRest()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"xyzw", "qqqq"});
        model.setListTexts("CAT", "2, 1", "Right");
        model.refreshGrid();
        QCOMPARE(board(model, 4, 2), (QStringList{"xCAT", "qqqq"}));
    }

    void unknownDirectionDrawsNothing_data()
    {
        QTest::addColumn<QString>("direction");
        QTest::newRow("lower case") << QStringLiteral("up");
        QTest::newRow("cut") << QStringLiteral("Down-Ri");
        QTest::newRow("missing line") << QString();
    }
    void unknownDirectionDrawsNothing()
    {
        QFETCH(QString, direction);
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT\r\nDOG", "1, 5\r\n1, 1", direction.isEmpty() ? "Right" : direction);
        model.refreshGrid();
        if (direction.isEmpty()) {
            // Second word has no direction line at all.
            QCOMPARE(model.cell(0, 0), QString());
            QCOMPARE(model.cell(0, 4), QStringLiteral("C"));
        } else {
            QCOMPARE(board(model, 3, 5), (QStringList{"...", "...", "...", "...", "..."}));
        }
        QCOMPARE(model.wordCount(), 2);
    }

    void lineWithoutCommaKeepsThePreviousPosition()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT\r\nCOW\r\nDOG", "\r\n2, 3\r\n", "Right\r\nDown\r\nRight");
        model.refreshGrid();
        // CAT has no comma: column 0, row 0. DOG has no line: it keeps COW's start.
        QCOMPARE(board(model, 4, 5), (QStringList{"CAT.", "....", ".DOG", ".O..", ".W.."}));
    }

    void badPositionLineStopsAndChangesNothing_data()
    {
        QTest::addColumn<QString>("positions");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << QStringLiteral("1, 1\r\nA, 2")
                                 << QStringLiteral("'A' is not a valid integer value");
        QTest::newRow("trailing blank") << QStringLiteral("1, 1\r\n2 , 2")
                                        << QStringLiteral("'2 ' is not a valid integer value");
        QTest::newRow("huge") << QStringLiteral("1, 1\r\n99999999999, 2")
                              << QStringLiteral("'99999999999' is not a valid integer value");
        QTest::newRow("empty y") << QStringLiteral("1, 1\r\n2,")
                                 << QStringLiteral("'' is not a valid integer value");
    }
    void badPositionLineStopsAndChangesNothing()
    {
        QFETCH(QString, positions);
        QFETCH(QString, message);
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"q...", "...."});
        model.setListTexts("CAT\r\nDOG", positions, "Right\r\nDown");
        const CommandOutcome out = model.removeFill();
        QVERIFY(!out.ok);
        QCOMPARE(out.messages, QStringList{message});
        QCOMPARE(board(model, 4, 2), (QStringList{"q...", "...."}));
        QCOMPARE(model.positions(), PuzzleModel::textToLines(positions));
    }

    void wordsLeavingTheStoreStayListedButUndrawn_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("direction");
        QTest::newRow("negative") << QStringLiteral("-3, 1") << QStringLiteral("Right");
        QTest::newRow("zero") << QStringLiteral("0, 0") << QStringLiteral("Right");
        QTest::newRow("past the margin") << QStringLiteral("15, 1") << QStringLiteral("Right");
        QTest::newRow("up off the top") << QStringLiteral("1, 2") << QStringLiteral("Up");
        QTest::newRow("far away") << QStringLiteral("2000000000, 1") << QStringLiteral("Down");
    }
    void wordsLeavingTheStoreStayListedButUndrawn()
    {
        QFETCH(QString, position);
        QFETCH(QString, direction);
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT\r\nOX", position + "\r\n5, 5", direction + "\r\nRight");
        model.refreshGrid();
        model.blankWords();
        model.refreshGrid();
        QCOMPARE(model.wordCount(), 2);
        QCOMPARE(model.cell(4, 4), QStringLiteral("O"));
        int letters = 0;
        for (int c = 0; c < 16; ++c)
            for (int r = 0; r < 16; ++r)
                letters += model.cell(c, r).isEmpty() ? 0 : 1;
        QCOMPARE(letters, 2);
    }

    void wordsToBlankEmptiesOnlyWordCells()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"....q"});
        model.setListTexts("CAT", "1, 1", "Right");
        model.refreshGrid();
        model.blankWords();
        QCOMPARE(board(model, 5, 1), QStringList{"....q"});
    }

    void emptyListLeavesGridAndDeleteListAlone()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT", "1, 1", "Right");
        model.refreshGrid();
        model.setListTexts(QString(), QString(), QString());
        model.refreshGrid();
        model.blankWords();
        QCOMPARE(board(model, 3, 1), QStringList{"CAT"});
        QCOMPARE(model.deleteList(), QStringList{"CAT"});
    }

    void clearEmptiesWholeStore()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT", "1, 1", "Right");
        model.refreshGrid();
        model.setCell(15, 15, QStringLiteral("Z     ."));
        const CommandOutcome out = model.clear();
        QVERIFY(out.ok);
        QVERIFY(out.clearDeleteText);
        QCOMPARE(model.wordCount(), 0);
        QVERIFY(model.positions().isEmpty());
        QVERIFY(model.directionMemo().isEmpty());
        QVERIFY(model.deleteList().isEmpty());
        for (int c = 0; c < 16; ++c)
            for (int r = 0; r < 16; ++r)
                QVERIFY(model.cell(c, r).isEmpty());
    }

    void deleteKeepsSharedLetters()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT\r\nTOP", "1, 1\r\n3, 1", "Right\r\nDown");
        model.refreshGrid();
        setBoard(model, {"CATq", "qqOq", "..P."});
        model.deleteWord(0);
        QCOMPARE(board(model, 4, 3), (QStringList{"..T.", "..O.", "..P."}));
        QCOMPARE(model.log(), QStringList{"TOP"});
        // One word left: the delete list is emptied until it next opens.
        QVERIFY(model.deleteList().isEmpty());
        model.refreshDeleteList();
        QCOMPARE(model.deleteList(), QStringList{"TOP"});
    }

    void deleteSecondOfThreeMovesTheThirdUp()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT\r\nDOG\r\nEMU", "1, 1\r\n1, 2\r\n1, 3",
                           "Right\r\nRight\r\nDown-Right");
        model.refreshGrid();
        const CommandOutcome out = model.deleteWord(1);
        QVERIFY(out.clearDeleteText);
        QCOMPARE(model.log(), (QStringList{"CAT", "EMU"}));
        QCOMPARE(model.positions(), (QStringList{"1, 1", "1, 3"}));
        QCOMPARE(model.directionMemo(), (QStringList{"Right", "Down-Right"}));
        QCOMPARE(model.deleteList(), (QStringList{"CAT", "EMU"}));
        QCOMPARE(board(model, 3, 5), (QStringList{"CAT", "...", "E..", ".M.", "..U"}));
    }

    void deleteOnlyWordEmptiesEverything()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT", "1, 1", "Right");
        model.refreshGrid();
        model.deleteWord(0);
        QCOMPARE(model.wordCount(), 0);
        QVERIFY(model.deleteList().isEmpty());
        QCOMPARE(board(model, 3, 1), QStringList{"..."});
    }

    void deleteWithNothingChosenChangesNothing()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT", "1, 1", "Right");
        model.refreshGrid();
        const auto before = model.revision();
        const CommandOutcome out = model.deleteWord(-1);
        QVERIFY(out.messages.isEmpty());
        QCOMPARE(model.revision(), before);
        QCOMPARE(model.wordCount(), 1);
    }

    void kindRestoreRebuildsCellKinds()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        // As a loader leaves it: one character per cell, blanks as spaces.
        setBoard(model, {"CATX", "____"});
        model.setListTexts("CAT", "1, 1", "Right");
        model.restoreCellKinds();
        QCOMPARE(board(model, 4, 2), (QStringList{"CATx", "----"}));
    }

    void sweepGivesEmptyCellsASpace()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("CAT", "1, 1", "Right");
        model.refreshGrid();
        model.setCell(0, 1, QStringLiteral("Q     ."));
        const QString letters = model.sweepLetters();
        QCOMPARE(letters.size(), 256);
        QCOMPARE(letters.at(0), QLatin1Char('C'));  // column 0, row 0
        QCOMPARE(letters.at(1), QLatin1Char('Q'));  // column 0, row 1
        QCOMPARE(letters.at(16), QLatin1Char('A')); // column 1, row 0
        QCOMPARE(letters.at(15), QLatin1Char(' ')); // margin row
        QCOMPARE(model.cell(5, 5), QStringLiteral(" "));
        QCOMPARE(model.cell(15, 15), QStringLiteral(" "));
    }

    void snapshotHandsOverTheFirstWords_data()
    {
        QTest::addColumn<GridSize>("size");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("handed");
        QTest::newRow("15x15 empty") << GridSize::Small << 0 << 256 << 15;
        QTest::newRow("15x15 18 words") << GridSize::Small << 18 << 256 << 15;
        QTest::newRow("30x30 28 words") << GridSize::Large << 28 << 961 << 28;
    }
    void snapshotHandsOverTheFirstWords()
    {
        QFETCH(GridSize, size);
        QFETCH(int, words);
        QFETCH(int, letters);
        QFETCH(int, handed);
        RandomGenerator random;
        PuzzleModel model(size, &random);
        QStringList log, pos, dir;
        for (int k = 0; k < words; ++k) {
            log << QStringLiteral("W%1").arg(QChar('A' + k));
            pos << QStringLiteral("1, %1").arg(k + 1);
            dir << QStringLiteral("Right");
        }
        model.setListTexts(log.join("\r\n"), pos.join("\r\n"), dir.join("\r\n"));
        model.refreshGrid();
        PuzzleSnapshot snapshot;
        takeSnapshot(model, snapshot);
        QCOMPARE(snapshot.letters.size(), letters);
        QCOMPARE(snapshot.words.size(), handed);
        for (int k = 0; k < handed; ++k)
            QCOMPARE(snapshot.words.at(k), k < words ? log.at(k) : QString());
        if (words == 0)
            QCOMPARE(snapshot.letters, QString(letters, QLatin1Char(' ')));
        else
            QCOMPARE(snapshot.letterAt(1, 0), QLatin1Char('A'));
    }

    void trimPositionLines()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setListTexts("A\r\nB", QStringLiteral(" 1, 2 \r\n\t3, 4\x01"), "Up\r\nUp");
        model.trimPositionLines();
        QCOMPARE(model.positions(), (QStringList{"1, 2", "3, 4"}));
    }
};

QTEST_APPLESS_MAIN(TestPuzzleModel)
#include "test_puzzle_model.moc"
