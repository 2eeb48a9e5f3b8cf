#pragma once

#include <cstdint>
#include <functional>

namespace quarrin {

// The program's one pseudo-random generator, shared by both editors.
// A 32-bit linear congruential generator: each draw steps
// seed := seed * 134775813 + 1 (mod 2^32), and a number below n is the high
// 32 bits of the 64-bit product n * seed. Reseeding takes the low 32 bits of
// a high-resolution clock; tests inject both the seed and the clock.
class RandomGenerator
{
public:
    using Clock = std::function<std::uint64_t()>;

    RandomGenerator();
    explicit RandomGenerator(Clock clock);

    std::uint32_t seed() const { return m_seed; }
    void setSeed(std::uint32_t seed) { m_seed = seed; }

    // A number from 0 to n - 1 (0 when n is 0).
    int below(int n);

    void reseedFromClock();
    void setClock(Clock clock);

    // The steady high-resolution clock used outside tests.
    static std::uint64_t highResolutionTicks();

private:
    std::uint32_t m_seed = 0;
    Clock m_clock;
};

} // namespace quarrin
