#pragma once

// The book options of `word_quarrin generate --pdf`: paper or trim size,
// bleed, title page, contents, puzzles and keys to a page, large print and
// padding; and writing the book with them.

#include "cli/arg_parser.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_puzzle.h"

#include <QString>
#include <QTextStream>

#include <vector>

namespace quarrin::cli {

// Adds the book's options to a command's table.
void addBookOptions(std::vector<OptionSpec> &options);

// The book as the parsed options ask for it (already checked by the parser).
BookOptions bookOptions(const ParsedArgs &args);

// The title of puzzle `number` (1-based) in a book: the title its input line
// gave, else "TITLE N" with --title (default "Word Quarrin").
QString bookPuzzleTitle(const ParsedArgs &args, const QString &lineTitle, int number);

// What the book's font cannot draw: the letters of `text` that its face
// lacks, or those of `headings` (titles, set in bold as well) that its bold
// face lacks, in a message naming the face and the letters; empty when it
// draws them all. Asked before anything is written, since a letter the face
// lacks would come out in another face, or as an empty box.
QString missingLetters(const SheetStyle &style, const QString &text, const QString &headings);

// missingLetters() for the book of the --pdf file: the puzzles' grid
// letters, words and clues, their titles and the book's.
QString missingBookLetters(const ParsedArgs &args, const std::vector<SheetPuzzle> &puzzles);

// Writes the book to the --pdf file through a file beside it renamed over it
// when complete; says on `err` how many blank pages made up the count and
// when two puzzles to a page would not have stayed legible. Returns what went
// wrong, or an empty text.
QString writeBook(const ParsedArgs &args, const std::vector<SheetPuzzle> &puzzles,
                  QTextStream &err);

} // namespace quarrin::cli
