#include "web/web_puzzle.h"

namespace quarrin {

QStringList cluesFromPrintPage(const QStringList &words, const PrintedTexts &printed)
{
    QStringList clues;
    for (int k = 0; k < words.size(); ++k) {
        const QString &word = words.at(k);
        const QString prefix = QString::number(k + 1) + QStringLiteral(". ");
        const QString label = k < printed.labels.size() ? printed.labels.at(k) : QString();
        const bool sameWord = k < printed.words.size() && printed.words.at(k) == word;
        const QString text = label.startsWith(prefix) ? label.mid(prefix.size()) : QString();
        clues << (sameWord && !word.isEmpty() && text != word ? text.trimmed() : QString());
    }
    return clues;
}

WebPuzzle webPuzzleFromSnapshot(const PuzzleSnapshot &snapshot, const QString &title,
                                const QStringList &clues)
{
    WebPuzzle puzzle;
    puzzle.title = title;
    puzzle.language = snapshot.language;
    // The store is one column and one row wider than the grid.
    puzzle.columns = snapshot.gridColumns();
    puzzle.rows = snapshot.gridRows();
    for (int row = 0; row < puzzle.rows; ++row)
        for (int col = 0; col < puzzle.columns; ++col)
            puzzle.cells << QString(snapshot.letterAt(col, row));
    for (int k = 0; k < snapshot.words.size(); ++k) {
        if (snapshot.words.at(k).isEmpty())
            continue;
        WebPuzzle::Entry entry;
        entry.word = snapshot.words.at(k);
        // A clue typed on the print page, or else the word's own.
        entry.clue = k < clues.size() ? clues.at(k).trimmed() : QString();
        if (entry.clue.isEmpty() && k < snapshot.clues.size())
            entry.clue = snapshot.clues.at(k).trimmed();
        if (std::size_t(k) < snapshot.paths.size() && snapshot.paths[std::size_t(k)]) {
            const WordPath &path = *snapshot.paths[std::size_t(k)];
            const DirectionInfo &info = directionInfo(path.direction);
            entry.x = path.col + 1;
            entry.y = path.row + 1;
            entry.dx = info.columnStep;
            entry.dy = info.rowStep;
            entry.length = path.length;
            // A walk into the hidden margin is not on the page.
            entry.drawn = puzzle.fits(entry);
        }
        puzzle.words.push_back(entry);
    }
    return puzzle;
}

} // namespace quarrin
