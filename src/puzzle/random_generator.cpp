#include "puzzle/random_generator.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace quarrin {

RandomGenerator::RandomGenerator() = default;

RandomGenerator::RandomGenerator(Clock clock) : m_clock(std::move(clock)) {}

void RandomGenerator::reseedFromClock()
{
    // Without an injected clock, read the counter directly.
    m_state.seed = std::uint32_t(m_clock ? m_clock() : highResolutionTicks());
}

void RandomGenerator::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

std::uint64_t RandomGenerator::highResolutionTicks()
{
#if defined(__x86_64__) || defined(__i386__)
    // The processor's time-stamp counter: the finest and cheapest clock there is.
    return __rdtsc();
#else
    return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

} // namespace quarrin
