// Generation fingerprints: many seeded puzzles of both sizes, made through the
// model's commands, must keep giving exactly the same cells, word lists,
// delete list, command outcomes and generator state. The digests below were
// recorded from the model before its placement and fill were made faster; any
// change in what a user can see, or in the numbers drawn, changes a digest.
//
// The words come from a fixed Mersenne Twister (its output is the same on every
// standard library) and the generator's clock is a fixed sequence of ticks, so
// nothing here hangs on the time of day.

#include "seeded.h"

#include <QCryptographicHash>
#include <QTest>

#include <random>

using namespace quarrin;
using namespace quarrin::test;

namespace {

// The clock's step: odd, so the ticks run through every value.
constexpr std::uint64_t kTickStep = 0x9E3779B97F4A7C15ull;

class Digest
{
public:
    void add(const QString &text)
    {
        const qint32 size = qint32(text.size());
        m_hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
        m_hash.addData(QByteArrayView(reinterpret_cast<const char *>(text.constData()),
                                      text.size() * qsizetype(sizeof(QChar))));
    }
    void add(const QStringList &lines)
    {
        add(QString::number(lines.size()));
        for (const QString &line : lines)
            add(line);
    }
    void add(quint64 value) { add(QString::number(value)); }

    void addOutcome(const CommandOutcome &out)
    {
        add(out.messages);
        add(quint64(out.ok) | quint64(out.placed) << 1 | quint64(out.clearWord) << 2 |
            quint64(out.clearCoordinates) << 3 | quint64(out.clearDeleteText) << 4);
    }

    // Everything a user or a file can see, read through the public texts, and
    // the generator's state.
    void addState(const PuzzleModel &model, const RandomGenerator &random)
    {
        QString cells;
        for (int col = 0; col < model.storeColumns(); ++col)
            for (int row = 0; row < model.storeRows(); ++row) {
                cells += model.cell(col, row);
                cells += QLatin1Char('|');
            }
        add(cells);
        add(model.log());
        add(model.positions());
        add(model.directionMemo());
        add(model.deleteList());
        add(quint64(random.seed()));
    }

    QByteArray hex() const { return m_hash.result().toHex(); }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha1};
};

// Words of random length from a small alphabet, so that words often cross on
// a shared letter; lower case, as typed.
QString randomWord(std::mt19937 &twister, int shortest, int longest)
{
    static const char letters[] = "aeiorstnlcdmpbgh";
    const int length = shortest + int(twister() % unsigned(longest - shortest + 1));
    QString word;
    for (int k = 0; k < length; ++k)
        word += QLatin1Char(letters[twister() % 16u]);
    return word;
}

DirectionSet directionsFromBits(unsigned bits)
{
    DirectionSet set;
    for (int d = 0; d < 8; ++d)
        set.set(Direction(d), (bits >> d) & 1u);
    return set;
}

struct Tally
{
    QByteArray digest;
    int placed = 0;
};

// Lists shaped like the benchmark's: a full set of words, every direction,
// then the random fill, each puzzle on a fresh model.
Tally benchmarkShaped(GridSize size, int puzzles)
{
    const SizeSpec &spec = sizeSpec(size);
    const bool small = size == GridSize::Small;
    Digest digest;
    int placed = 0;
    for (int p = 0; p < puzzles; ++p) {
        std::mt19937 twister(std::uint32_t(1000 + p));
        RandomGenerator random(steppingClock(std::uint64_t(p) * 7919u, kTickStep));
        random.setSeed(std::uint32_t(p) * 2654435761u);
        PuzzleModel model(size, &random);
        const int words = small ? 15 : spec.maxWords;
        for (int w = 0; w < words; ++w) {
            const QString word = small ? randomWord(twister, 5, 10) : randomWord(twister, 8, 22);
            const CommandOutcome out = model.addWord(randomly(word, DirectionSet::all()));
            placed += out.placed ? 1 : 0;
            digest.addOutcome(out);
        }
        digest.addState(model, random);
        digest.addOutcome(model.fillRandom());
        digest.addState(model, random);
    }
    return {digest.hex(), placed};
}

// The editor's rules and the other commands in between: mixed case, letters
// outside ASCII (each with a one-letter upper case), over-long and empty words, more words than the
// limit, any set of directions (none included), words at a position, deleting, removing the fill,
// the message fill and Clear, on one model reused for every puzzle.
Tally mixedCommands(GridSize size, int puzzles)
{
    const SizeSpec &spec = sizeSpec(size);
    static const QStringList odd = {
        QStringLiteral("\u00c5ngstr\u00f6m"),
        QStringLiteral("\u00e9lan"),
        QStringLiteral("MiXeD"),
        QString(),
        QStringLiteral("ab1"),
        QStringLiteral("a b"),
        QStringLiteral("\u00e6sir"),
        QStringLiteral("Q"),
    };
    static const char *const directionNames[] = {"Up",        "Down",     "Left",
                                                 "Right",     "Up-Right", "Down-Right",
                                                 "Down-Left", "Up-Left",  "Sideways"};
    Digest digest;
    int placed = 0;
    RandomGenerator random(steppingClock(42, kTickStep));
    PuzzleModel model(size, &random);
    std::mt19937 twister(77u);
    for (int p = 0; p < puzzles; ++p) {
        const DirectionSet allowed = directionsFromBits(p % 13 == 0 ? 0u : twister() & 0xffu);
        const int words = spec.maxWords + 2;
        for (int w = 0; w < words; ++w) {
            const unsigned pick = twister() % 20u;
            CommandOutcome out;
            if (pick < 2) {
                out =
                    model.addWord(randomly(odd.at(int(twister() % unsigned(odd.size()))), allowed));
            } else if (pick < 3) {
                out = model.addWord(randomly(
                    randomWord(twister, spec.maxWordLength + 1, spec.maxWordLength + 3), allowed));
            } else if (pick < 5) {
                AddWordRequest at;
                at.word = randomWord(twister, 2, 6);
                at.x = QString::number(int(twister() % unsigned(spec.columns + 2)));
                at.y = QString::number(1 + int(twister() % unsigned(spec.columns)));
                at.direction = QLatin1String(directionNames[twister() % 9u]);
                out = model.addWord(at);
            } else if (pick < 6 && model.wordCount() > 0) {
                out = model.deleteWord(int(twister() % unsigned(model.wordCount())));
            } else {
                out = model.addWord(randomly(randomWord(twister, 3, spec.maxWordLength), allowed));
            }
            placed += out.placed ? 1 : 0;
            digest.addOutcome(out);
            digest.addState(model, random);
        }
        switch (p % 4) {
        case 0:
            digest.addOutcome(model.fillRandom());
            break;
        case 1:
            digest.addOutcome(model.fillMessage(QStringLiteral("hidden words here")));
            digest.addOutcome(model.fillRandom());
            break;
        case 2:
            digest.addOutcome(model.fillRandom());
            digest.addOutcome(model.removeFill());
            digest.addState(model, random);
            digest.addOutcome(model.addWord(randomly(QStringLiteral("again"), allowed)));
            digest.addOutcome(model.fillRandom());
            break;
        default:
            break; // left unfilled into the next puzzle's Clear
        }
        digest.addState(model, random);
        digest.addOutcome(model.refreshDeleteList());
        digest.addOutcome(model.clear());
        digest.addState(model, random);
    }
    return {digest.hex(), placed};
}

} // namespace

class TestGenerationDigest : public QObject
{
    Q_OBJECT
private slots:
    void seededPuzzlesAreUnchanged_data()
    {
        QTest::addColumn<bool>("mixed");
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("puzzles");
        QTest::addColumn<int>("placed");
        QTest::addColumn<QByteArray>("digest");

        QTest::newRow("15x15 lists") << false << false << 400 << 5988
                                     << QByteArray("6cd30106cc4a0fd78f9bebb64a76df708e3858d2");
        QTest::newRow("30x30 lists") << false << true << 400 << 11106
                                     << QByteArray("0ebfb81fe86381ce99e883e9eac0a4d3d62df9de");
        QTest::newRow("15x15 mixed") << true << false << 150 << 2174
                                     << QByteArray("ed9cfbfeb0b48c405879394f52afc90d68c2e345");
        QTest::newRow("30x30 mixed") << true << true << 150 << 3462
                                     << QByteArray("e09b1d1d410f087df4ae2e13f51622960fff448e");
    }

    void seededPuzzlesAreUnchanged()
    {
        QFETCH(bool, mixed);
        QFETCH(bool, large);
        const GridSize size = large ? GridSize::Large : GridSize::Small;
        QFETCH(int, puzzles);
        QFETCH(int, placed);
        QFETCH(QByteArray, digest);
        const Tally tally = mixed ? mixedCommands(size, puzzles) : benchmarkShaped(size, puzzles);
        QCOMPARE(tally.placed, placed);
        QCOMPARE(tally.digest, digest);
    }
};

QTEST_GUILESS_MAIN(TestGenerationDigest)
#include "test_generation_digest.moc"
