// Random fill, message fill and removing the fill.

#include "board.h"

#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

namespace {

const QString kPool = QStringLiteral("QETUOPIYRWADGJLKHFSZCBMNVXERTIOPLKHGFDSACBMN");

} // namespace

class TestFill : public QObject
{
    Q_OBJECT
private slots:
    void randomFillDrawsFromThePoolInColumnOrder()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        model.setCell(0, 1, QStringLiteral("W")); // a word letter is skipped, no draw
        model.fillRandom();
        // The small grid goes on from the generator's state (seed 0 here).
        RandomGenerator expected;
        QCOMPARE(model.cell(0, 0), kPool.at(expected.below(44)) + kFillerMark);
        QCOMPARE(model.cell(0, 1), QStringLiteral("W"));
        QCOMPARE(model.cell(0, 2), kPool.at(expected.below(44)) + kFillerMark);
        // The margin is filled too.
        QVERIFY(model.cell(15, 15).endsWith(kFillerMark));
    }

    void largeRandomFillReseedsEveryColumn()
    {
        RandomGenerator random([] { return std::uint64_t(5); });
        PuzzleModel model(GridSize::Large, &random);
        model.fillRandom();
        // Every column starts from the same seed, so every column is the same.
        for (int col = 1; col < 31; ++col)
            for (int row = 0; row < 31; ++row)
                QCOMPARE(model.cell(col, row), model.cell(0, row));
    }

    void randomFillKeepsWordsAndIsIdempotent()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        model.fillRandom();
        QCOMPARE(board(model, 3, 1), QStringList{"CAT"});
        for (int c = 0; c < 16; ++c)
            for (int r = 0; r < 16; ++r)
                QVERIFY(!model.cell(c, r).isEmpty());
        const QStringList before = board(model);
        model.fillRandom();
        QCOMPARE(board(model), before);
    }

    void removeFillGivesBackTheWords()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        place(model, "DOG", 5, 5, "Down-Left");
        const QStringList wordsOnly = board(model);
        model.fillRandom();
        model.removeFill();
        QCOMPARE(board(model), wordsOnly);
        // The margin is not touched.
        QVERIFY(model.cell(15, 15).endsWith(kFillerMark));
    }

    void messagePromptOffersTheFreeCells()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "APPLE", 1, 1, "Right");
        place(model, "BERRY", 1, 3, "Right");
        place(model, "LEMON", 1, 5, "Right");
        QCOMPARE(model.messageCapacity(), 210);
        QCOMPARE(model.messagePrompt(),
                 QStringLiteral("Enter a word up to 210 characters long(spaces will be removed)."));

        PuzzleModel large(GridSize::Large, &random);
        QCOMPARE(large.messagePrompt(),
                 QStringLiteral("Enter a word up to 255 characters long(spaces will be removed). "
                                "You may enter more messages after this by selecting this "
                                "function again. "));
    }

    void messageFillWritesInReadingOrder()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 2, 1, "Right");
        model.fillMessage(QStringLiteral("meet at noon "));
        QCOMPARE(board(model, 15, 2), (QStringList{"mCATeetatnoon..", "..............."}));
    }

    void messageCutToCapacityBeforeSpacesGo()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        // Leave exactly four cells free for a message.
        for (int c = 0; c < 15; ++c)
            for (int r = 0; r < 15; ++r)
                model.setCell(c, r, QStringLiteral("W"));
        for (int c = 0; c < 4; ++c)
            model.setCell(c, 14, QString());
        QCOMPARE(model.messageCapacity(), 4);
        model.fillMessage(QStringLiteral("ab cdef"));
        QCOMPARE(model.cell(0, 14), QStringLiteral("A") + kFillerMark);
        QCOMPARE(model.cell(1, 14), QStringLiteral("B") + kFillerMark);
        QCOMPARE(model.cell(2, 14), QStringLiteral("C") + kFillerMark);
        QCOMPARE(model.cell(3, 14), QString());
        // The words' cells are untouched.
        const QStringList rows = board(model);
        QCOMPARE(rows.mid(0, 14), QStringList(14, QStringLiteral("WWWWWWWWWWWWWWW")));
        QCOMPARE(rows.at(14), QStringLiteral("abc.WWWWWWWWWWW"));
    }

    void nothingToWriteChangesNothing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("only spaces") << QStringLiteral("    ");
    }
    void nothingToWriteChangesNothing()
    {
        QFETCH(QString, answer);
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        const PuzzleState before = stateOf(model);
        model.fillMessage(answer);
        QVERIFY(stateOf(model) == before);
        // The next message still starts in the first free cell.
        model.fillMessage(QStringLiteral("ok"));
        QCOMPARE(board(model, 5, 1), QStringList{"CATok"});
    }

    void largeMessageFillsRowsAndStartsOverOnTheNextRun()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Large, &random);
        model.fillMessage(QString(255, QLatin1Char('a')));
        QCOMPARE(model.cell(29, 7), QStringLiteral("A      .")); // eighth row full
        QCOMPARE(model.cell(14, 8), QStringLiteral("A      .")); // 255 = 8 * 30 + 15
        QCOMPARE(model.cell(15, 8), QString());
        model.fillMessage(QStringLiteral("bc"));
        QCOMPARE(model.cell(0, 0), QStringLiteral("B      ."));
        QCOMPARE(model.cell(1, 0), QStringLiteral("C      ."));
        QCOMPARE(model.cell(2, 0), QStringLiteral("A      ."));
        QVERIFY(takesMessageLetter(model.cell(0, 0)));
    }

    void messageOverRandomThenRandomOverMessage()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        place(model, "CAT", 1, 1, "Right");
        model.fillRandom();
        const QString randomAtRowTwo = model.cell(0, 1);
        model.fillMessage(QStringLiteral("hi"));
        QCOMPARE(board(model, 5, 1).at(0).left(5), QStringLiteral("CAThi"));
        QCOMPARE(model.cell(0, 1), randomAtRowTwo);

        PuzzleModel other(GridSize::Small, &random);
        other.fillMessage(QStringLiteral("hello"));
        other.fillRandom();
        QCOMPARE(board(other, 5, 1), QStringList{"hello"});
    }

    void loadedBlanksResistTheRandomFillOnly()
    {
        RandomGenerator random;
        PuzzleModel model(GridSize::Small, &random);
        setBoard(model, {"CAT_", "____"});
        model.setListTexts("CAT", "1, 1", "Right");
        model.restoreCellKinds();
        model.fillRandom();
        QCOMPARE(board(model, 4, 2), (QStringList{"CAT-", "----"}));
        QVERIFY(model.messageCapacity() > 200);
        model.fillMessage(QStringLiteral("x"));
        QCOMPARE(board(model, 4, 1), QStringList{"CATx"});
        model.removeFill();
        model.fillRandom();
        QVERIFY(model.cell(3, 0).endsWith(kFillerMark) && model.cell(3, 0).at(0) != ' ');
    }
};

QTEST_APPLESS_MAIN(TestFill)
#include "test_fill.moc"
