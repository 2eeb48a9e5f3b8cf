// Puzzle generation through the model, timed the same way as the shared
// reference placement program so that the two can be run side by side
// (bench/compare_generation.sh does): each line of a word list is one puzzle,
// its words added one by one by random "Add Word" with every direction
// allowed, then "Fill blank with Random". Words are upper-cased once before
// the timed loop, as the reference does. A warm-up of 0.3 s, then `runs`
// timed runs of `secs` seconds each; prints the median puzzles per second.
//
// Any grid size may be given (N or WxH, each side 5 to 50): words longer than
// its longest word, and words past its word limit, are left out of each list,
// and a size other than 15 and 30 places as the document editor does (the
// draws, then every place before a word is refused).
//
// Usage: bench_generation LISTS N|WxH [secs=2] [runs=5] [--json]
//        bench_generation LISTS N|WxH --puzzles COUNT
// The second form makes exactly COUNT puzzles untimed, for counting cycles
// under a profiler (perf stat) where a loaded machine makes clocks useless.

#include "puzzle/puzzle_model.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <optional>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace quarrin;

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LISTS N|WxH [secs] [runs] [--json]\n", argv[0]);
        return 2;
    }
    const std::optional<GridSize> parsed = GridSize::parse(QString::fromLocal8Bit(argv[2]));
    if (!parsed) {
        std::fprintf(stderr, "the size must be N or WxH, each side from 5 to 50\n");
        return 2;
    }
    const GridSize size = *parsed;
    const SizeSpec &spec = sizeSpec(size);
    const PlacementRule rule = size.isFixed() ? PlacementRule::Draws : PlacementRule::DrawsThenSearch;
    double secs = 2.0;
    int runs = 5;
    bool json = false;
    long fixedCount = 0;
    int pos = 0;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--json"))
            json = true;
        else if (!std::strcmp(argv[i], "--puzzles") && i + 1 < argc)
            fixedCount = std::atol(argv[++i]);
        else if (pos++ == 0)
            secs = std::atof(argv[i]);
        else
            runs = std::max(1, std::atoi(argv[i]));
    }

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 2;
    }
    std::vector<std::vector<AddWordRequest>> lists;
    QTextStream in(&file);
    while (!in.atEnd()) {
        std::vector<AddWordRequest> list;
        for (const QString &w : in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (w.size() > spec.maxWordLength || int(list.size()) >= spec.maxWords)
                continue;
            AddWordRequest add;
            add.word = w.toUpper();
            add.randomPosition = true;
            add.allowed = DirectionSet::all();
            list.push_back(add);
        }
        if (!list.empty())
            lists.push_back(std::move(list));
    }
    if (lists.empty()) {
        std::fprintf(stderr, "no word lists in %s\n", argv[1]);
        return 2;
    }

    RandomGenerator random;
    random.setSeed(0x2A2A2A2Au);
    std::size_t next = 0;
    std::uint64_t checksum = 0;
    const auto makeOne = [&](const std::vector<AddWordRequest> &list) {
        PuzzleModel model(size, &random);
        model.setPlacementRule(rule);
        int placed = 0;
        for (const AddWordRequest &add : list)
            placed += model.addWord(add).placed ? 1 : 0;
        model.fillRandom();
        checksum += model.cellAt(int(next % 7), int(next % 5)).letter;
        return placed;
    };

    if (fixedCount > 0) {
        std::uint64_t placedTotal = 0;
        for (long i = 0; i < fixedCount; ++i)
            placedTotal += std::uint64_t(makeOne(lists[next++ % lists.size()]));
        std::printf("model: %ld puzzles, %llu words placed (checksum %llu)\n", fixedCount,
                    static_cast<unsigned long long>(placedTotal),
                    static_cast<unsigned long long>(checksum));
        return 0;
    }

    using Clock = std::chrono::steady_clock;
    {
        const auto t0 = Clock::now();
        while (std::chrono::duration<double>(Clock::now() - t0).count() < 0.3)
            makeOne(lists[next++ % lists.size()]);
    }
    std::vector<double> rates;
    std::uint64_t placedTotal = 0, requested = 0;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        auto t = t0;
        std::uint64_t count = 0;
        do {
            const auto &list = lists[next++ % lists.size()];
            placedTotal += std::uint64_t(makeOne(list));
            requested += list.size();
            t = Clock::now();
            ++count;
        } while (std::chrono::duration<double>(t - t0).count() < secs);
        rates.push_back(double(count) / std::chrono::duration<double>(t - t0).count());
    }
    std::vector<double> sorted = rates;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double placedShare = double(placedTotal) / double(requested);
    if (json) {
        std::printf("{\"peer\":\"model\",\"median_pps\":%.1f,\"placed_frac\":%.6f,\"runs\":[",
                    median, placedShare);
        for (std::size_t i = 0; i < rates.size(); ++i)
            std::printf("%s%.1f", i ? "," : "", rates[i]);
        std::printf("],\"checksum\":%llu}\n", static_cast<unsigned long long>(checksum));
    } else {
        std::printf("model %s %s: median %.0f puzzles/s (%.2f us/puzzle), placed %.2f%%, runs:",
                    argv[1], qPrintable(size.text()), median, 1e6 / median, 100 * placedShare);
        for (double v : rates)
            std::printf(" %.0f", v);
        std::printf(" (checksum %llu)\n", static_cast<unsigned long long>(checksum));
    }
    return 0;
}
