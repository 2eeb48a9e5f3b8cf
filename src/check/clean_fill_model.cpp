#include "check/clean_fill_model.h"

#include <algorithm>

namespace quarrin {

namespace {

// Whether every cell of `inner` is a cell of `outer` (two straight runs: both
// ends of inner on outer is enough).
bool within(const WordPath &inner, const WordPath &outer)
{
    const auto on = [&outer](CellPos c) {
        for (int p = 0; p < outer.length; ++p) {
            const CellPos o = outer.cell(p);
            if (o.col == c.col && o.row == c.row)
                return true;
        }
        return false;
    };
    return inner.length > 0 && on(inner.cell(0)) && on(inner.cell(inner.length - 1));
}

} // namespace

ModelCleanFill fillRandomClean(PuzzleModel &model, RandomGenerator &random,
                               const BlockedWordMatcher &matcher)
{
    ModelCleanFill out;
    const int columns = model.columns();
    const int rows = model.rows();
    LetterGrid grid(columns, rows);
    std::vector<std::uint8_t> filler(grid.letters.size());
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col)
            filler[std::size_t(grid.index(col, row))] = model.cellAt(col, row).takesRandomLetter();

    out.fill = model.fillRandom();
    if (!out.fill.ok)
        return out;

    // Blank cells and spaces break words, as in the puzzle check.
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            const Cell &c = model.cellAt(col, row);
            grid.set(col, row, c.kind == Cell::Empty || c.letter == u' ' ? char16_t(0) : c.letter);
        }
    }
    const LetterGrid drawn = grid;
    // Redrawn as the model's fill draws: the pool of a record, the sampler of a document.
    Q_UNUSED(random); // the model's own generator, which drawFillerLetter steps
    out.clean =
        cleanFill(grid, filler, matcher, [&] { return model.drawFillerLetter().unicode(); });
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            if (grid.at(col, row) != drawn.at(col, row))
                model.setCell(col, row, QChar(grid.at(col, row)) + kFillerMark);
        }
    }

    const std::vector<std::optional<WordPath>> paths = model.wordPaths();
    auto &incurable = out.clean.incurable;
    incurable.erase(std::remove_if(incurable.begin(), incurable.end(),
                                   [&paths](const BlockedOccurrence &o) {
                                       return std::any_of(paths.begin(), paths.end(),
                                                          [&o](const auto &path) {
                                                              return path && within(o.place, *path);
                                                          });
                                   }),
                    incurable.end());
    return out;
}

} // namespace quarrin
