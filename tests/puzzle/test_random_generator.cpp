#include "puzzle/random_generator.h"

#include <QTest>
#include <QThread>

using namespace quarrin;

class TestRandomGenerator : public QObject
{
    Q_OBJECT
private slots:
    void drawsFromSeedZero()
    {
        RandomGenerator random;
        QCOMPARE(random.seed(), 0u);
        const QList<int> expected{0, 1, 37, 8, 12, 29, 14, 7, 16, 18, 3, 20};
        QList<int> drawn;
        for (int i = 0; i < expected.size(); ++i)
            drawn << random.below(44);
        QCOMPARE(drawn, expected);
        QCOMPARE(random.seed(), 2039224980u);
    }

    void drawsFromGivenSeedWithMixedRanges()
    {
        RandomGenerator random;
        random.setSeed(123456789u);
        const QList<int> ranges{30, 30, 10, 30, 30, 10, 30, 30, 10};
        const QList<int> expected{16, 11, 3, 1, 24, 8, 27, 1, 3};
        QList<int> drawn;
        for (int n : ranges)
            drawn << random.below(n);
        QCOMPARE(drawn, expected);
    }

    void drawsStayBelowTheBound()
    {
        RandomGenerator random;
        random.setSeed(0xdeadbeef);
        for (int i = 0; i < 10000; ++i) {
            const int v = random.below(7);
            QVERIFY(v >= 0 && v < 7);
        }
    }

    void threeDrawsAtOnceMatchThreeSingleDraws()
    {
        LcgState one{123456789u};
        LcgState three{123456789u};
        for (int round = 0; round < 1000; ++round) {
            int x, y, z;
            three.belowThree(30, 30, 10, x, y, z);
            QCOMPARE(x, one.below(30));
            QCOMPARE(y, one.below(30));
            QCOMPARE(z, one.below(10));
            QCOMPARE(three.seed, one.seed);
        }
    }

    void drawWhenStepsOnlyWhenAsked()
    {
        LcgState plain{42u};
        LcgState when{42u};
        for (int round = 0; round < 1000; ++round) {
            const bool draw = (round * 7) % 3 != 0;
            const int v = when.belowWhen(draw, 44);
            if (draw)
                QCOMPARE(v, plain.below(44));
            QCOMPARE(when.seed, plain.seed);
        }
    }

    void reseedTakesLow32BitsOfTheClock()
    {
        RandomGenerator random([] { return std::uint64_t(0x123456789abcdef0ULL); });
        random.reseedFromClock();
        QCOMPARE(random.seed(), 0x9abcdef0u);
    }

    // The clock outside tests moves forward, and reseeding from it gives a
    // new seed once time has passed.
    void defaultClockMoves()
    {
        RandomGenerator random;
        const auto a = RandomGenerator::highResolutionTicks();
        random.reseedFromClock();
        const std::uint32_t first = random.seed();
        QThread::msleep(5);
        const auto b = RandomGenerator::highResolutionTicks();
        random.reseedFromClock();
        QVERIFY2(b > a, qPrintable(QStringLiteral("%1 then %2").arg(a).arg(b)));
        QVERIFY(random.seed() != first);
    }
};

QTEST_APPLESS_MAIN(TestRandomGenerator)
#include "test_random_generator.moc"
