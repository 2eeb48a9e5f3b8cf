// The web page of a full 30x30 puzzle: its size in bytes (target: under
// 60 KB) and the time to make it. Full: 28 words placed by the editor's
// random Add Word, every other cell filled; once with the words listed, once
// with a 60-character clue for every word, the largest list a page shows.
// The 15x15 page is given for comparison.
//
// Usage: bench_web_page [repetitions]

#include "web_fixture.h"

#include "web/web_puzzle.h"

#include "run_times.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

using namespace quarrin;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    constexpr qsizetype kTarget = 60 * 1024;

    const PuzzleSnapshot large = testing::seededSnapshot(GridSize::Large, testing::words30(), 3001);
    const PuzzleSnapshot small = testing::seededSnapshot(GridSize::Small, testing::words15(), 1501);
    if (large.words.isEmpty() || small.words.isEmpty()) {
        std::fprintf(stderr, "the puzzles could not be made\n");
        return 1;
    }
    QStringList clues;
    for (int k = 0; k < large.words.size(); ++k)
        clues << QStringLiteral("A clue of sixty characters, as long as most clues will be %1")
                     .arg(k, 2, 10, QLatin1Char('0'));

    struct Case
    {
        const char *name;
        WebPuzzle puzzle;
        bool measured; // counts for the target
    };
    const Case cases[] = {
        {"30x30, 28 words", webPuzzleFromSnapshot(large, QStringLiteral("Birds of the world")),
         true},
        {"30x30, 28 words with clues",
         webPuzzleFromSnapshot(large, QStringLiteral("Birds of the world"), clues), true},
        {"15x15, 15 words", webPuzzleFromSnapshot(small, QStringLiteral("On the farm")), false},
    };
    bool withinTarget = true;
    for (const Case &c : cases) {
        bench::RunTimes times;
        qsizetype bytes = 0;
        for (int i = 0; i < repetitions; ++i) {
            times.start();
            bytes = webPageHtml(c.puzzle).size();
            times.stop();
        }
        const qsizetype without = webPageHtml(c.puzzle, WebPageOptions{false}).size();
        std::printf("%-28s %6lld bytes (%.1f KB; %lld without answers)%s; made in %.2f ms "
                    "(median of %d)\n",
                    c.name, static_cast<long long>(bytes), double(bytes) / 1024.0,
                    static_cast<long long>(without), c.measured ? " (target < 60 KB)" : "",
                    times.median(), repetitions);
        withinTarget = withinTarget && (!c.measured || bytes < kTarget);
    }
    return withinTarget ? 0 : 2;
}
