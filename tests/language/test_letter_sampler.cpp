// The fill's letter sampler: the natural one draws each letter as often as
// the language's counts say, the uniform one every letter alike, both from
// the program's own generator with fixed seeds.

#include "chi_square.h"
#include "language/letter_sampler.h"
#include "puzzle/random_generator.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace quarrin;
using namespace quarrin::test;

namespace {

constexpr int kDraws = 100000;

std::vector<int> drawCounts(const LetterSampler &sampler, std::uint32_t seed, int draws)
{
    LcgState random{seed};
    std::vector<int> counts(std::size_t(sampler.size()), 0);
    for (int i = 0; i < draws; ++i) {
        const QChar letter = sampler.draw([&random] {
            random.below(1);
            return random.seed;
        });
        ++counts[std::size_t(sampler.letters().indexOf(letter))];
    }
    return counts;
}

LetterRules plain()
{
    LetterRules rules;
    rules.keepAccents = false;
    return rules;
}

} // namespace

class TestLetterSampler : public QObject
{
    Q_OBJECT
private slots:
    void fillKindNames()
    {
        QCOMPARE(fillKindName(FillKind::Natural), QStringLiteral("natural"));
        QCOMPARE(fillKindName(FillKind::Uniform), QStringLiteral("uniform"));
        QCOMPARE(fillKindFromName(u"natural"), std::optional<FillKind>(FillKind::Natural));
        QCOMPARE(fillKindFromName(u"Uniform"), std::optional<FillKind>(FillKind::Uniform));
        QVERIFY(!fillKindFromName(u"random"));
    }

    // The uniform sampler picks what letters()[below(size())] picks, seed by seed.
    void uniformIsTheGeneratorsOwnDraw()
    {
        for (const Language &l : Language::all()) {
            const LetterSampler sampler(Alphabet(l), FillKind::Uniform);
            LcgState a{12345u}, b{12345u};
            for (int i = 0; i < 20000; ++i) {
                const int expected = a.below(sampler.size());
                QCOMPARE(sampler.indexFor((b.below(1), b.seed)), expected);
            }
        }
        // The edges of the seed range.
        const LetterSampler sampler(Alphabet(), FillKind::Uniform);
        for (const std::uint32_t seed : {0u, 1u, 165191049u, 165191050u, 0xFFFFFFFFu})
            QCOMPARE(sampler.indexFor(seed), LcgState::scaled(seed, 26));
    }

    // Each letter takes one run of seeds, as long as its share says: checked
    // at both sides of every run's start, at every slice of the guide and at
    // seeds spread over the range.
    void everySeedFallsInItsLettersRun()
    {
        for (const Language &l : Language::all()) {
            for (const bool keep : {true, false}) {
                LetterRules rules;
                rules.keepAccents = keep;
                const LetterSampler sampler(Alphabet(l, rules), FillKind::Natural);
                std::vector<std::uint64_t> starts; // first seed of each letter
                std::uint64_t at = 0;
                for (int i = 0; i < sampler.size(); ++i) {
                    starts.push_back(at);
                    at += std::uint64_t(sampler.share(i) * 4294967296.0);
                }
                QCOMPARE(at, std::uint64_t(1) << 32);
                const auto expected = [&starts](std::uint64_t seed) {
                    return int(std::upper_bound(starts.begin(), starts.end(), seed) -
                               starts.begin()) -
                           1;
                };
                std::vector<std::uint64_t> seeds;
                for (const std::uint64_t s : starts)
                    seeds.insert(seeds.end(), {s, s == 0 ? 0 : s - 1, s + 1});
                for (std::uint64_t k = 0; k < 4096; ++k)
                    seeds.insert(seeds.end(), {k << 20, (k << 20) + (1u << 20) - 1});
                for (std::uint64_t s = 12345; s < (std::uint64_t(1) << 32); s += 104729 * 7)
                    seeds.push_back(s);
                for (const std::uint64_t seed : seeds) {
                    if (seed >= (std::uint64_t(1) << 32))
                        continue;
                    QCOMPARE(sampler.indexFor(std::uint32_t(seed)), expected(seed));
                }
            }
        }
    }

    // With accents off the folded letters' counts go to their plain letters;
    // with SS, ẞ counts twice for S.
    void naturalWeightsFollowTheRules()
    {
        const Language &de = *Language::find(u"de");
        const auto count = [&de](char16_t letter) {
            return std::uint64_t(
                de.letterCounts()[std::size_t(de.alphabet().indexOf(QChar(letter)))]);
        };
        const LetterSampler folded(Alphabet(de, plain()), FillKind::Natural);
        const auto weight = [](const LetterSampler &s, char16_t letter) {
            return s.weights()[std::size_t(s.letters().indexOf(QChar(letter)))];
        };
        QCOMPARE(weight(folded, u'A'), count(u'A') + count(u'Ä'));
        QCOMPARE(weight(folded, u'S'), count(u'S') + 2 * count(u'ẞ'));
        QCOMPARE(weight(folded, u'Q'), count(u'Q'));
        LetterRules capital;
        capital.sharpS = SharpS::Capital;
        const LetterSampler kept(Alphabet(de, capital), FillKind::Natural);
        QCOMPARE(weight(kept, u'ẞ'), count(u'ẞ'));
        QCOMPARE(weight(kept, u'S'), count(u'S'));
        // Every count lands somewhere: the weights add up to the counts, a
        // two-letter form counting twice.
        const std::uint64_t counts =
            std::accumulate(de.letterCounts().begin(), de.letterCounts().end(), std::uint64_t(0));
        QCOMPARE(
            std::accumulate(folded.weights().begin(), folded.weights().end(), std::uint64_t(0)),
            counts + count(u'ẞ'));
    }

    void sharesAreTheWeights()
    {
        for (const Language &l : Language::all()) {
            const LetterSampler sampler(Alphabet(l), FillKind::Natural);
            const double total = double(std::accumulate(sampler.weights().begin(),
                                                        sampler.weights().end(), std::uint64_t(0)));
            double sum = 0;
            for (int i = 0; i < sampler.size(); ++i) {
                sum += sampler.share(i);
                QVERIFY(std::abs(sampler.share(i) -
                                 double(sampler.weights()[std::size_t(i)]) / total) < 1e-9);
            }
            QVERIFY(std::abs(sum - 1) < 1e-12);
        }
    }

    // 100,000 draws of every language, accents kept and folded, against the
    // shares of its table and against uniform.
    void drawsMatchTheirShares_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("keepAccents");
        QTest::addColumn<int>("kind");
        for (const Language &l : Language::all()) {
            for (const bool keep : {true, false}) {
                for (const FillKind kind : {FillKind::Natural, FillKind::Uniform}) {
                    const QString tag =
                        QStringLiteral("%1 %2 %3")
                            .arg(l.code(), keep ? "kept" : "plain", fillKindName(kind));
                    QTest::newRow(qPrintable(tag)) << l.code() << keep << int(kind);
                }
            }
        }
    }

    void drawsMatchTheirShares()
    {
        QFETCH(QString, code);
        QFETCH(bool, keepAccents);
        QFETCH(int, kind);
        LetterRules rules;
        rules.keepAccents = keepAccents;
        const LetterSampler sampler(Alphabet(*Language::find(code), rules), FillKind(kind));
        const std::vector<int> counts = drawCounts(sampler, 20240607u, kDraws);
        std::vector<double> shares;
        for (int i = 0; i < sampler.size(); ++i)
            shares.push_back(FillKind(kind) == FillKind::Uniform ? 1.0 / sampler.size()
                                                                 : sampler.share(i));
        const ChiSquare chi = chiSquare(counts, shares, kDraws);
        QVERIFY2(chi.value < chiSquareBound(chi.degrees),
                 qPrintable(QStringLiteral("chi-square %1 with %2 degrees of freedom")
                                .arg(chi.value)
                                .arg(chi.degrees)));
        // A letter the words never use is never drawn.
        for (int i = 0; i < sampler.size(); ++i) {
            if (sampler.share(i) == 0)
                QCOMPARE(counts[std::size_t(i)], 0);
        }
    }

    // The natural fill is far from uniform: the bound that uniform draws pass
    // is broken by natural ones, and the other way round.
    void naturalAndUniformDiffer()
    {
        const Alphabet english;
        const LetterSampler natural(english, FillKind::Natural);
        const std::vector<int> counts = drawCounts(natural, 7u, kDraws);
        const ChiSquare chi =
            chiSquare(counts, std::vector<double>(std::size_t(natural.size()), 1.0 / 26), kDraws);
        QVERIFY(chi.value > 100 * chiSquareBound(chi.degrees));
        // E leads and Q trails, as in English words.
        const auto e = counts[std::size_t(natural.letters().indexOf(u'E'))];
        const auto q = counts[std::size_t(natural.letters().indexOf(u'Q'))];
        QVERIFY(e > 8000 && q < 500);
    }
};

QTEST_APPLESS_MAIN(TestLetterSampler)
#include "test_letter_sampler.moc"
