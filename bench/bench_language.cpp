// Benchmarks of the fill's letter sampler (Google Benchmark): every cell of a
// 50x50 grid filled with a letter drawn from the program's generator, the
// natural way (by the language's letter frequencies) and the uniform way, for
// English (26 letters) and French with accents (42, the longest alphabet).
// Once with the seed stepped cell by cell, once with each column's seeds
// worked out by jumps from its first, as the puzzle's random fill does.
// And the same fill as a document puzzle does it: "Fill blank with Random" on
// an empty 50x50 puzzle (the command, its bookkeeping and the sampler), the
// fill taken out again between runs outside the timing.
// Target: a natural fill of a 50x50 grid under 0.1 ms (median).
//
//     build-rel/bench/bench_language --benchmark_repetitions=9
//         --benchmark_report_aggregates_only=true   (one command line)

#include "language/letter_sampler.h"
#include "puzzle/puzzle_model.h"
#include "puzzle/random_generator.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

using namespace quarrin;

namespace {

constexpr int kSide = 50;

LetterSampler samplerOf(const char *code, FillKind kind)
{
    return LetterSampler(Alphabet(*Language::find(QString::fromLatin1(code))), kind);
}

void fillStepped(benchmark::State &state, const char *code, FillKind kind)
{
    const LetterSampler sampler = samplerOf(code, kind);
    std::vector<char16_t> cells(std::size_t(kSide) * kSide);
    LcgState random{20240607u};
    for (auto _ : state) {
        for (char16_t &cell : cells) {
            random.seed = random.seed * 134775813u + 1u;
            cell = sampler.letterFor(random.seed).unicode();
        }
        benchmark::DoNotOptimize(cells.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void fillByColumnJumps(benchmark::State &state, const char *code, FillKind kind)
{
    const LetterSampler sampler = samplerOf(code, kind);
    static constexpr std::array<LcgJump, kSide + 1> jumps = [] {
        std::array<LcgJump, kSide + 1> j{};
        for (int k = 0; k <= kSide; ++k)
            j[std::size_t(k)] = LcgJump::steps(k);
        return j;
    }();
    std::vector<char16_t> cells(std::size_t(kSide) * kSide);
    std::uint32_t seed = 20240607u;
    for (auto _ : state) {
        char16_t *c = cells.data();
        for (int col = 0; col < kSide; ++col) {
            const std::uint32_t first = seed;
            for (int row = 0; row < kSide; ++row)
                *c++ = sampler.letterFor(jumps[std::size_t(row) + 1].from(first)).unicode();
            seed = jumps[kSide].from(first);
        }
        benchmark::DoNotOptimize(cells.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void fillPuzzle(benchmark::State &state, const char *code, FillKind kind)
{
    RandomGenerator random([] { return std::uint64_t(0); });
    random.setSeed(20240607u);
    PuzzleModel model(GridSize(kSide, kSide), &random);
    model.setLetters(Alphabet(*Language::find(QString::fromLatin1(code))), kind);
    for (auto _ : state) {
        model.fillRandom();
        state.PauseTiming();
        model.removeFill();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

} // namespace

BENCHMARK_CAPTURE(fillPuzzle, natural_en, "en", FillKind::Natural)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillPuzzle, natural_ru, "ru", FillKind::Natural)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillPuzzle, uniform_fr, "fr", FillKind::Uniform)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillStepped, natural_en, "en", FillKind::Natural)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillStepped, natural_fr, "fr", FillKind::Natural)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillStepped, uniform_fr, "fr", FillKind::Uniform)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillByColumnJumps, natural_en, "en", FillKind::Natural)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillByColumnJumps, natural_fr, "fr", FillKind::Natural)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillByColumnJumps, natural_ru, "ru", FillKind::Natural)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
