#include "puzzle/puzzle_snapshot.h"

#include "puzzle/puzzle_model.h"

#include <cmath>

namespace quarrin {

namespace {

// The side of the square store that `count` letters fill.
int squareSide(qsizetype count)
{
    return int(std::lround(std::sqrt(double(count))));
}

} // namespace

int PuzzleSnapshot::storeColumns() const
{
    if (letters.isEmpty())
        return 0;
    return columns > 0 ? columns + 1 : squareSide(letters.size());
}

int PuzzleSnapshot::storeRows() const
{
    if (letters.isEmpty())
        return 0;
    return rows > 0 ? rows + 1 : squareSide(letters.size());
}

QChar PuzzleSnapshot::letterAt(int col, int row) const
{
    const int storeCols = storeColumns(), storeRowCount = storeRows();
    if (col < 0 || row < 0 || col >= storeCols || row >= storeRowCount)
        return QLatin1Char(' ');
    const int index = col * storeRowCount + row;
    return index < letters.size() ? letters.at(index) : QLatin1Char(' ');
}

bool PuzzleSnapshot::isFilled(int col, int row) const
{
    const int storeCols = storeColumns(), storeRowCount = storeRows();
    if (col < 0 || row < 0 || col >= storeCols || row >= storeRowCount)
        return false;
    const int index = col * storeRowCount + row;
    return index < filled.size() && filled.at(index) != 0;
}

void takeSnapshot(PuzzleModel &model, PuzzleSnapshot &snapshot)
{
    snapshot.columns = model.columns();
    snapshot.rows = model.rows();
    snapshot.language = model.alphabet().language().code();
    snapshot.letters = model.sweepLetters();
    snapshot.words.clear();
    const QStringList &log = model.log();
    const int count = model.spec().snapshotWords;
    snapshot.clues.clear();
    for (int k = 0; k < count; ++k) {
        snapshot.words << (k < log.size() ? log.at(k) : QString());
        snapshot.clues << model.clue(k);
    }

    std::vector<std::optional<WordPath>> paths = model.wordPaths();
    paths.resize(std::size_t(count));
    snapshot.paths = std::move(paths);

    const int storeColumns = model.storeColumns();
    const int storeRows = model.storeRows();
    snapshot.filled = QByteArray(storeColumns * storeRows, '\0');
    for (int col = 0; col < storeColumns; ++col) {
        for (int row = 0; row < storeRows; ++row) {
            const Cell &c = model.cellAt(col, row);
            const bool filled = c.kind == Cell::Filled || c.kind == Cell::FilledWide;
            snapshot.filled[col * storeRows + row] = char(filled && c.letter != u' ');
        }
    }
}

} // namespace quarrin
