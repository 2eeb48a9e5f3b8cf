#include "puzzle/random_generator.h"

#include <chrono>

namespace quarrin {

RandomGenerator::RandomGenerator() : m_clock(&RandomGenerator::highResolutionTicks) {}

RandomGenerator::RandomGenerator(Clock clock) : m_clock(std::move(clock)) {}

int RandomGenerator::below(int n)
{
    m_seed = m_seed * 134775813u + 1u;
    if (n <= 0)
        return 0;
    const std::uint64_t product = std::uint64_t(std::uint32_t(n)) * m_seed;
    return int(product >> 32);
}

void RandomGenerator::reseedFromClock()
{
    m_seed = std::uint32_t(m_clock ? m_clock() : highResolutionTicks());
}

void RandomGenerator::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

std::uint64_t RandomGenerator::highResolutionTicks()
{
    return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace quarrin
