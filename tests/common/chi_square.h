#pragma once

// Pearson's chi-square test of letter counts against the shares they are
// drawn with, for the tests of the fills.

#include <algorithm>
#include <cmath>
#include <vector>

namespace quarrin::test {

struct ChiSquare
{
    double value = 0;
    int degrees = 0;
};

// The chi-square of the counts against the expected shares, letters expected
// fewer than 5 times pooled into one bin, as the test needs.
inline ChiSquare chiSquare(const std::vector<int> &counts, const std::vector<double> &shares,
                           int draws)
{
    ChiSquare out;
    double pooledExpected = 0, pooledSeen = 0;
    int bins = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const double expected = shares[i] * draws;
        if (expected < 5) {
            pooledExpected += expected;
            pooledSeen += counts[i];
            continue;
        }
        out.value += (counts[i] - expected) * (counts[i] - expected) / expected;
        ++bins;
    }
    if (pooledExpected > 0) {
        out.value += (pooledSeen - pooledExpected) * (pooledSeen - pooledExpected) /
                     std::max(pooledExpected, 1.0);
        ++bins;
    }
    out.degrees = bins - 1;
    return out;
}

// The chi-square value a fair draw stays under 999 times in 1000
// (Wilson and Hilferty's approximation of the distribution).
inline double chiSquareBound(int degrees)
{
    const double k = degrees;
    const double z = 3.090; // the normal distribution's 0.999 point
    return k * std::pow(1 - 2 / (9 * k) + z * std::sqrt(2 / (9 * k)), 3);
}

} // namespace quarrin::test
