#include "language/letter_sampler.h"

#include <numeric>

namespace quarrin {

QString fillKindName(FillKind kind)
{
    return kind == FillKind::Natural ? QStringLiteral("natural") : QStringLiteral("uniform");
}

std::optional<FillKind> fillKindFromName(QStringView name)
{
    for (const FillKind kind : {FillKind::Natural, FillKind::Uniform}) {
        if (name.compare(fillKindName(kind), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

bool areRecordLetters(const Alphabet &alphabet, FillKind fill)
{
    return alphabet.language() == Language::english() && alphabet.rules().keepAccents &&
           fill == FillKind::Natural;
}

LetterSampler::LetterSampler(const Alphabet &alphabet, FillKind kind)
    : m_kind(kind), m_letters(alphabet.letters())
{
    Q_ASSERT(!m_letters.isEmpty() && m_letters.size() <= kMaxLetters);
    const int n = int(m_letters.size());
    m_weights.assign(std::size_t(n), kind == FillKind::Uniform ? 1 : 0);
    if (kind == FillKind::Natural) {
        // Each letter of the whole alphabet counts for the letters the rules
        // write it as.
        const Language &language = alphabet.language();
        const QString &all = language.alphabet();
        for (int i = 0; i < all.size(); ++i) {
            for (const QChar l : alphabet.upperCase(all.at(i))) {
                const int at = alphabet.indexOf(l);
                if (at >= 0)
                    m_weights[std::size_t(at)] += language.letterCounts()[std::size_t(i)];
            }
        }
        if (std::accumulate(m_weights.begin(), m_weights.end(), std::uint64_t(0)) == 0)
            m_weights.assign(std::size_t(n), 1); // no counts: every letter alike
    }

    // Letter i takes the seeds from ceil(2^32 * W(i) / W) up to the next
    // bound, W(i) being the weights before it: with equal weights these are
    // exactly the seeds for which LcgState::below(n) gives i.
    constexpr std::uint64_t kSeeds = std::uint64_t(1) << 32;
    const auto sum = [this] {
        return std::accumulate(m_weights.begin(), m_weights.end(), std::uint64_t(0));
    };
    // 2^32 times a part of the total must fit in 64 bits: halve weights too
    // large for that, keeping every letter that has a weight.
    while (sum() >= kSeeds) {
        for (std::uint64_t &w : m_weights)
            w = w > 1 ? w / 2 : w;
    }
    const std::uint64_t total = sum();
    m_bounds.fill(kSeeds);
    std::uint64_t before = 0;
    for (int i = 0; i + 1 < n; ++i) {
        before += m_weights[std::size_t(i)];
        m_bounds[std::size_t(i)] = (kSeeds * before + total - 1) / total;
    }
    int letter = 0;
    for (std::size_t k = 0; k < m_guide.size(); ++k) {
        const std::uint64_t first = std::uint64_t(k) << kGuideShift;
        while (m_bounds[std::size_t(letter)] <= first)
            ++letter;
        m_guide[k] = std::uint8_t(letter);
    }
}

double LetterSampler::share(int index) const
{
    constexpr double kSeeds = 4294967296.0;
    const std::uint64_t from = index == 0 ? 0 : m_bounds[std::size_t(index - 1)];
    const std::uint64_t to =
        index + 1 < size() ? m_bounds[std::size_t(index)] : std::uint64_t(1) << 32;
    return double(to - from) / kSeeds;
}

} // namespace quarrin
