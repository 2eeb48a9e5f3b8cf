#pragma once

// Filler letters drawn from a puzzle's alphabet: "natural" draws each letter
// as often as the language's dictionary words use it, so the fill looks like
// the language and rare letters do not stand out; "uniform" draws every
// letter alike.
//
// A draw is one step of the program's 32-bit generator: the sampler takes the
// seed the step produced (LcgState::below(n) steps the seed, then keeps the
// high bits of n * seed) and picks the letter whose slice of the 2^32 seeds
// holds it. The slices are cut once, when the sampler is made, in proportion
// to the letters' weights; a guide of 4096 slices of the seeds names the
// letter at each slice's start, so a draw is a look-up and, in the few slices
// that hold a boundary, a step or two. The uniform sampler's slices are exactly
// those of LcgState::below(size()), so it picks the same letter as
// letters()[below(size())].
//
// Over the generator's whole period every seed comes once, so share(i) is the
// exact chance of letter i.

#include "language/language.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quarrin {

enum class FillKind
{
    Natural, // by the letters' frequency in the language
    Uniform, // every letter alike
};

// "natural" and "uniform", as a document or the command line spells them.
QString fillKindName(FillKind kind);
std::optional<FillKind> fillKindFromName(QStringView name);

// English with accents kept and the natural fill: the letters of the record
// editors and files, which hold A to Z and fill from their own pool.
bool areRecordLetters(const Alphabet &alphabet, FillKind fill);

class LetterSampler
{
public:
    static constexpr int kMaxLetters = 64;
    static constexpr int kGuideBits = 12;

    // Draws from the alphabet's letters in effect (Alphabet::letters()). The
    // natural weights are the language's letter counts, each letter's count
    // going to the letters the rules write it as (with accents off, É's
    // count goes to E; with SS, ẞ's goes twice to S).
    LetterSampler(const Alphabet &alphabet, FillKind kind);

    FillKind kind() const { return m_kind; }
    const QString &letters() const { return m_letters; }
    int size() const { return int(m_letters.size()); }
    // The chance of letter i in one draw.
    double share(int index) const;
    // The weight each letter was given (the letter counts, or 1 for uniform).
    const std::vector<std::uint64_t> &weights() const { return m_weights; }

    // The letter a step of the generator picks, given the seed it stepped to.
    int indexFor(std::uint32_t draw) const
    {
        // The guide gives the letter of the slice's first seed; a letter
        // boundary inside the slice is met in a few of them only.
        int i = m_guide[draw >> kGuideShift];
        while (m_bounds[std::size_t(i)] <= draw)
            ++i;
        return i;
    }
    QChar letterFor(std::uint32_t draw) const { return m_letters.at(indexFor(draw)); }
    // Steps a generator and draws: `next` returns the new 32-bit seed.
    template <typename Next> QChar draw(Next &&next) const { return letterFor(next()); }

private:
    FillKind m_kind = FillKind::Natural;
    QString m_letters;
    std::vector<std::uint64_t> m_weights;
    static constexpr int kGuideShift = 32 - kGuideBits;
    // m_bounds[i]: the first seed of letter i + 1; unused entries hold 2^32,
    // which no seed reaches, so the search stops at the last letter.
    std::array<std::uint64_t, kMaxLetters> m_bounds{};
    // m_guide[k]: the letter of seed k << kGuideShift.
    std::array<std::uint8_t, std::size_t(1) << kGuideBits> m_guide{};
};

} // namespace quarrin
