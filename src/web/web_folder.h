#pragma once

// A folder of web pages for puzzles made in bulk: puzzle-001.html, ... (one
// page each, titled "TITLE 1", "TITLE 2", ...) and index.html linking them.

#include "puzzle/puzzle_snapshot.h"
#include "web/web_page.h"

#include <QString>

#include <vector>

namespace quarrin {

// The name of page `number` (1-based) among `count`: puzzle-001.html, ...,
// with as many digits as the puzzle files of the same run.
QString webPageFileName(int number, int count);

// Makes the folder if needed and writes every page, then the index, each
// atomically. Page k is titled `titles[k]` where that is given, else "TITLE
// k"; the index is titled `title`. Returns an error message naming the file,
// or an empty string.
QString writeWebFolder(const QString &folder, const std::vector<PuzzleSnapshot> &puzzles,
                       const QString &title, const WebPageOptions &options,
                       const QStringList &titles = {});

} // namespace quarrin
