#include "puzzle/puzzle_snapshot.h"

#include "puzzle/puzzle_model.h"

#include <cmath>

namespace quarrin {

int PuzzleSnapshot::side() const
{
    return int(std::lround(std::sqrt(double(letters.size()))));
}

QChar PuzzleSnapshot::letterAt(int col, int row) const
{
    const int s = side();
    if (col < 0 || row < 0 || col >= s || row >= s)
        return QLatin1Char(' ');
    const int index = col * s + row;
    return index < letters.size() ? letters.at(index) : QLatin1Char(' ');
}

void takeSnapshot(PuzzleModel &model, PuzzleSnapshot &snapshot)
{
    snapshot.letters = model.sweepLetters();
    snapshot.words.clear();
    const QStringList &log = model.log();
    for (int k = 0; k < model.spec().snapshotWords; ++k)
        snapshot.words << (k < log.size() ? log.at(k) : QString());
}

} // namespace quarrin
