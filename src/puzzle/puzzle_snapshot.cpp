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

bool PuzzleSnapshot::isFilled(int col, int row) const
{
    const int s = side();
    if (col < 0 || row < 0 || col >= s || row >= s)
        return false;
    const int index = col * s + row;
    return index < filled.size() && filled.at(index) != 0;
}

void takeSnapshot(PuzzleModel &model, PuzzleSnapshot &snapshot)
{
    snapshot.letters = model.sweepLetters();
    snapshot.words.clear();
    const QStringList &log = model.log();
    const int count = model.spec().snapshotWords;
    for (int k = 0; k < count; ++k)
        snapshot.words << (k < log.size() ? log.at(k) : QString());

    std::vector<std::optional<WordPath>> paths = model.wordPaths();
    paths.resize(std::size_t(count));
    snapshot.paths = std::move(paths);

    const int side = model.storeSide();
    snapshot.filled = QByteArray(side * side, '\0');
    for (int col = 0; col < side; ++col) {
        for (int row = 0; row < side; ++row) {
            const Cell &c = model.cellAt(col, row);
            const bool filled = c.kind == Cell::Filled || c.kind == Cell::FilledWide;
            snapshot.filled[col * side + row] = char(filled && c.letter != u' ');
        }
    }
}

} // namespace quarrin
