#pragma once

#include <cstdint>
#include <functional>

namespace quarrin {

// The program's one pseudo-random generator, shared by both editors.
// A 32-bit linear congruential generator: each draw steps
// seed := seed * 134775813 + 1 (mod 2^32), and a number below n is the high
// 32 bits of the 64-bit product n * seed. Reseeding takes the low 32 bits of
// a high-resolution clock; tests inject both the seed and the clock.

// k steps of the generator taken at once: the seed k draws on is
// seed * mul + add (mod 2^32). Loops that draw many numbers can work out each
// draw's seed straight from the first, without waiting on the one before.
struct LcgJump
{
    std::uint32_t mul = 1;
    std::uint32_t add = 0;

    static constexpr LcgJump steps(int k)
    {
        LcgJump j;
        for (int i = 0; i < k; ++i) {
            j.mul *= 134775813u;
            j.add = j.add * 134775813u + 1u;
        }
        return j;
    }
    constexpr std::uint32_t from(std::uint32_t seed) const { return seed * mul + add; }
};

// The generator's arithmetic alone, cheap to copy into a tight loop.
struct LcgState
{
    std::uint32_t seed = 0;

    int below(int n)
    {
        seed = seed * 134775813u + 1u;
        if (n <= 0)
            return 0;
        return int((std::uint64_t(std::uint32_t(n)) * seed) >> 32);
    }

    // One step: the seed a draw is made with.
    std::uint32_t step()
    {
        seed = seed * 134775813u + 1u;
        return seed;
    }

    // A draw that happens only when `draw` is true, without a branch: the
    // seed steps only then. The number returned is meaningful only then.
    int belowWhen(bool draw, int n)
    {
        const std::uint32_t next = seed * 134775813u + 1u;
        seed = draw ? next : seed;
        return int((std::uint64_t(std::uint32_t(n)) * seed) >> 32);
    }

    // A number below n drawn with a given seed (the seed the draw steps to).
    static int scaled(std::uint32_t drawSeed, int n)
    {
        return int((std::uint64_t(std::uint32_t(n)) * drawSeed) >> 32);
    }

    // Three draws at once, below a, b and c (all positive): the same numbers
    // as three calls of below(), with the three seeds worked out side by side.
    void belowThree(int a, int b, int c, int &x, int &y, int &z)
    {
        constexpr std::uint32_t m = 134775813u;
        const std::uint32_t s1 = seed * m + 1u;
        const std::uint32_t s2 = seed * (m * m) + (m + 1u);
        const std::uint32_t s3 = seed * (m * m * m) + (m * m + m + 1u);
        seed = s3;
        x = int((std::uint64_t(std::uint32_t(a)) * s1) >> 32);
        y = int((std::uint64_t(std::uint32_t(b)) * s2) >> 32);
        z = int((std::uint64_t(std::uint32_t(c)) * s3) >> 32);
    }
};

class RandomGenerator
{
public:
    using Clock = std::function<std::uint64_t()>;

    RandomGenerator();
    explicit RandomGenerator(Clock clock);

    std::uint32_t seed() const { return m_state.seed; }
    void setSeed(std::uint32_t seed) { m_state.seed = seed; }

    // A number from 0 to n - 1 (0 when n is 0).
    int below(int n) { return m_state.below(n); }
    // Steps the generator and gives the new seed.
    std::uint32_t step() { return m_state.step(); }
    // For loops that draw many numbers: take the state, draw, put it back.
    LcgState state() const { return m_state; }
    void setState(LcgState state) { m_state = state; }

    void reseedFromClock();
    void setClock(Clock clock);

    // The steady high-resolution clock used outside tests.
    static std::uint64_t highResolutionTicks();

private:
    LcgState m_state;
    Clock m_clock; // empty: the high-resolution counter
};

} // namespace quarrin
