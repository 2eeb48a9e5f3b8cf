#include "web/web_folder.h"

#include "web/web_puzzle.h"

#include <QDir>
#include <QFileInfo>

namespace quarrin {

QString webPageFileName(int number, int count)
{
    const int width = std::max(3, int(QString::number(count).size()));
    return QStringLiteral("puzzle-%1.html").arg(number, width, 10, QLatin1Char('0'));
}

QString writeWebFolder(const QString &folder, const std::vector<PuzzleSnapshot> &puzzles,
                       const QString &title, const WebPageOptions &options,
                       const QStringList &titles)
{
    if (!QDir().mkpath(folder)) {
        const QFileInfo in(folder);
        return QStringLiteral("cannot make the folder %1%2")
            .arg(folder, in.exists() && !in.isDir()
                             ? QStringLiteral(": a file of that name is in the way")
                             : QString());
    }
    const QDir dir(folder);
    const int count = int(puzzles.size());
    std::vector<WebIndexEntry> index;
    for (int k = 0; k < count; ++k) {
        const QString own = titles.value(k);
        const WebPuzzle puzzle = webPuzzleFromSnapshot(
            puzzles[std::size_t(k)],
            own.isEmpty() ? title + QLatin1Char(' ') + QString::number(k + 1) : own);
        const QString name = webPageFileName(k + 1, count);
        const QString error = writeWebFile(dir.filePath(name), webPageHtml(puzzle, options));
        if (!error.isEmpty())
            return error;
        index.push_back(
            {puzzle.title, name, int(puzzle.words.size()), puzzle.columns, puzzle.rows});
    }
    // One run's puzzles share their language.
    const QString language = puzzles.empty() ? QStringLiteral("en") : puzzles.front().language;
    return writeWebFile(dir.filePath(QStringLiteral("index.html")),
                        webIndexHtml(title, index, language));
}

} // namespace quarrin
