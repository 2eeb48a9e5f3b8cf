// A document puzzle's fill: over 100,000 filled cells, the natural fill's
// letters come as often as the language's letter table says, the uniform
// fill's alike, both within a chi-square bound; and each draws only letters
// of the puzzle's alphabet. The generator's seed is fixed, so every count is
// the same on every run.

#include "chi_square.h"
#include "puzzle/puzzle_model.h"

#include <QTest>

#include <numeric>

using namespace quarrin;
using namespace quarrin::test;

namespace {

constexpr int kSide = 50;
constexpr int kFills = 40; // 40 fills of 2,500 cells
constexpr int kCells = kSide * kSide * kFills;

// How often each letter of the alphabet's letters in effect filled a cell, over
// kFills fills of an empty 50x50 puzzle. A letter outside them fails the test.
std::vector<int> fillCounts(const Alphabet &alphabet, FillKind kind, std::uint32_t seed)
{
    RandomGenerator random([] { return std::uint64_t(0); });
    random.setSeed(seed);
    PuzzleModel model(GridSize(kSide, kSide), &random);
    model.setLetters(alphabet, kind);
    std::vector<int> counts(std::size_t(alphabet.size()), 0);
    for (int fill = 0; fill < kFills; ++fill) {
        model.fillRandom();
        const LetterGrid grid = model.letterGrid();
        for (int row = 0; row < kSide; ++row) {
            for (int col = 0; col < kSide; ++col) {
                const int i = alphabet.indexOf(QChar(grid.at(col, row)));
                if (i < 0) {
                    QTest::qFail(qPrintable(QStringLiteral("a cell holds \"%1\", not a letter of "
                                                           "the alphabet")
                                                .arg(QChar(grid.at(col, row)))),
                                 __FILE__, __LINE__);
                    return {};
                }
                ++counts[std::size_t(i)];
            }
        }
        model.removeFill();
    }
    return counts;
}

// Each letter's share in the language's letter table.
std::vector<double> tableShares(const Language &language)
{
    const std::vector<std::uint32_t> &counts = language.letterCounts();
    const double total = std::accumulate(counts.begin(), counts.end(), 0.0);
    std::vector<double> shares;
    for (const std::uint32_t c : counts)
        shares.push_back(c / total);
    return shares;
}

QString describe(const ChiSquare &chi)
{
    return QStringLiteral("chi-square %1 with %2 degrees of freedom, bound %3")
        .arg(chi.value)
        .arg(chi.degrees)
        .arg(chiSquareBound(chi.degrees));
}

// Accents kept and ẞ kept as a letter, so the letters in effect are the
// language's whole alphabet in its table's order.
Alphabet wholeAlphabet(const QString &code)
{
    LetterRules rules;
    rules.sharpS = SharpS::Capital;
    return Alphabet(*Language::find(code), rules);
}

} // namespace

class TestFillLanguages : public QObject
{
    Q_OBJECT
private slots:
    void fillsFollowTheirShares_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<quint32>("seed");
        for (const char *code : {"en", "de", "pl", "tr", "el", "ru", "uk"})
            QTest::newRow(code) << QString::fromLatin1(code) << quint32(20261211);
    }

    void fillsFollowTheirShares()
    {
        QFETCH(QString, code);
        QFETCH(quint32, seed);
        const Alphabet alphabet = wholeAlphabet(code);
        QCOMPARE(alphabet.letters(), alphabet.language().alphabet());

        const std::vector<double> table = tableShares(alphabet.language());
        const std::vector<double> uniform(std::size_t(alphabet.size()), 1.0 / alphabet.size());

        const std::vector<int> natural = fillCounts(alphabet, FillKind::Natural, seed);
        QCOMPARE(std::accumulate(natural.begin(), natural.end(), 0), kCells);
        const ChiSquare naturalChi = chiSquare(natural, table, kCells);
        QVERIFY2(naturalChi.value < chiSquareBound(naturalChi.degrees),
                 qPrintable(QStringLiteral("natural: ") + describe(naturalChi)));

        const std::vector<int> even = fillCounts(alphabet, FillKind::Uniform, seed);
        QCOMPARE(std::accumulate(even.begin(), even.end(), 0), kCells);
        const ChiSquare evenChi = chiSquare(even, uniform, kCells);
        QVERIFY2(evenChi.value < chiSquareBound(evenChi.degrees),
                 qPrintable(QStringLiteral("uniform: ") + describe(evenChi)));

        // The bound tells the two apart: each fill is far outside the other's.
        const ChiSquare crossed = chiSquare(natural, uniform, kCells);
        QVERIFY2(crossed.value > 10 * chiSquareBound(crossed.degrees),
                 qPrintable(QStringLiteral("natural against uniform: ") + describe(crossed)));
    }

    // With accents off the fill draws only the plain letters, a folded
    // letter's share going to its plain form.
    void foldedAlphabetsFillWithPlainLetters()
    {
        LetterRules rules;
        rules.keepAccents = false;
        const Alphabet french(*Language::find(u"fr"), rules);
        QCOMPARE(french.letters(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        const std::vector<int> counts = fillCounts(french, FillKind::Natural, 7);
        QCOMPARE(std::accumulate(counts.begin(), counts.end(), 0), kCells);
        // E, the most frequent French letter, leads by far once É, È, Ê, Ë fold into it.
        const auto most = std::max_element(counts.begin(), counts.end()) - counts.begin();
        QCOMPARE(french.letters().at(int(most)), QLatin1Char('E'));
    }

    // The fill draws the same letters from the same seed: documents saved
    // after a fill read back with exactly the cells they had.
    void fillIsRepeatableFromItsSeed()
    {
        const Alphabet greek = wholeAlphabet(QStringLiteral("el"));
        QCOMPARE(fillCounts(greek, FillKind::Natural, 99),
                 fillCounts(greek, FillKind::Natural, 99));
        QVERIFY(fillCounts(greek, FillKind::Natural, 99) !=
                fillCounts(greek, FillKind::Natural, 100));
    }
};

QTEST_APPLESS_MAIN(TestFillLanguages)
#include "test_fill_languages.moc"
