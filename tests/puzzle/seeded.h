#pragma once

// Seeded puzzles for the generator tests: a clock that reads a fixed run of
// ticks instead of the time, so every draw of the generator is known, and
// Add Word at a random position as the editor sends it.

#include "puzzle/puzzle_model.h"

#include <cstdint>
#include <memory>

namespace quarrin::test {

// A clock that moves on by `step` from `start` at every reading.
inline RandomGenerator::Clock steppingClock(std::uint64_t start, std::uint64_t step)
{
    auto ticks = std::make_shared<std::uint64_t>(start);
    return [ticks, step] { return *ticks += step; };
}

// "Add Word" with the random position ticked: the position fields read N/A.
inline AddWordRequest randomly(const QString &word, DirectionSet allowed)
{
    AddWordRequest r;
    r.word = word;
    r.randomPosition = true;
    r.x = r.y = r.direction = QStringLiteral("N/A");
    r.allowed = allowed;
    return r;
}

} // namespace quarrin::test
