#include "sheet/sheet_puzzle.h"

#include "puzzle/puzzle_snapshot.h"

namespace quarrin {

QString SheetPuzzle::letterAt(int col, int row) const
{
    if (col < 0 || row < 0 || col >= columns || row >= rows)
        return QString();
    return letters.value(row * columns + col);
}

bool SheetPuzzle::isFiller(int col, int row) const
{
    if (col < 0 || row < 0 || col >= columns || row >= rows)
        return false;
    const std::size_t index = std::size_t(row * columns + col);
    return index < filler.size() && filler[index];
}

bool SheetPuzzle::hasClues() const
{
    for (const QString &clue : clues) {
        if (!clue.isEmpty())
            return true;
    }
    return false;
}

SheetPuzzle sheetPuzzleFromSnapshot(const PuzzleSnapshot &snapshot, const QString &title,
                                    const QStringList &labels)
{
    SheetPuzzle sheet;
    sheet.title = title;
    // The store's last column and row are a margin the grid never shows.
    sheet.columns = snapshot.gridColumns();
    sheet.rows = snapshot.gridRows();
    sheet.letters.reserve(sheet.columns * sheet.rows);
    sheet.filler.reserve(std::size_t(sheet.columns * sheet.rows));
    for (int row = 0; row < sheet.rows; ++row) {
        for (int col = 0; col < sheet.columns; ++col) {
            const QChar c = snapshot.letterAt(col, row);
            sheet.letters << (c.isSpace() || c.isNull() ? QString() : QString(c));
            sheet.filler.push_back(snapshot.isFilled(col, row));
        }
    }
    for (int k = 0; k < snapshot.words.size(); ++k) {
        const QString &word = snapshot.words.at(k);
        if (word.isEmpty())
            continue;
        // A clue of the word's own, unless the page's label shows another.
        QString clue = snapshot.clues.value(k);
        const QString label = labels.value(k);
        const int dot = int(label.indexOf(QLatin1String(". ")));
        if (dot >= 0) {
            const QString shown = label.mid(dot + 2).trimmed();
            clue = shown == word ? QString() : shown;
        }
        sheet.words << word;
        sheet.clues << clue;
        sheet.paths.push_back(std::size_t(k) < snapshot.paths.size() ? snapshot.paths[std::size_t(k)]
                                                                      : std::nullopt);
    }
    return sheet;
}

} // namespace quarrin
