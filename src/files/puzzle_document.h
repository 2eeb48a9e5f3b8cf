#pragma once

// Puzzle documents: a puzzle of any size saved whole, as an ipuz file.
//
// ipuz is the open JSON format for pencil-and-paper puzzles. A document is a
// word search of the ipuz word-search kind (version 2, kind
// "http://ipuz.org/wordsearch#1"), UTF-8, with:
//   - "dimensions": the grid's width (columns) and height (rows);
//   - "puzzle": the letters, one array of one-letter strings per row, a blank
//     cell written as ipuz's empty value 0;
//   - "solution": each word mapped to the group of its cells, first letter
//     to last, as [column, row] pairs counted from 1 (as the editor counts);
//   - "title": the print page's title.
// What ipuz has no field for lives under one extension key of our own, named
// by our domain as the ipuz format prescribes for extensions
// ("org.wordquarrin.puzzle"): the word list in order with each word's
// position and direction lines and its clue (a word may be listed twice,
// which the solution's dictionary cannot hold), the kind of every cell (word
// letter, filler, message letter or blank), the hidden message, the letters
// of the hidden margin of the cell store, the 15x15 record's reserved field,
// and the print page's settings (title position, fonts, colours, options).
//
// Reading never trusts the file. A document over 10 MB, bad JSON, another
// puzzle kind, a size out of range, a cell that is not one letter, or a word
// that does not read where the document says it lies is refused with a
// message that names what is wrong. A document from another program (no
// extension) loads from the ipuz fields alone; one written by a newer version
// with fields this one does not know loads without them, with a notice.
// Saving writes a file beside the target and renames it over the old one.
//
// Only QtCore: fonts and colours are kept as their text forms.

#include "files/puzzle_file.h"
#include "language/letter_sampler.h"
#include "puzzle/puzzle_model.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QIODevice;

namespace quarrin {

// The print page's settings, as a document keeps them. An empty font or
// colour text stands for the page's start value.
struct PageSettings
{
    QString title = QStringLiteral("Word Quarrin");
    int titleTop = 8;
    QString titleFont; // QFont::toString()
    QString gridFont;
    QString wordFont;
    QString gridColour; // "#rrggbb"
    QString pageColour;
    bool answerKey = false;
    bool fitToPage = false;
    bool whiteBackground = false;

    bool operator==(const PageSettings &o) const;
    bool operator!=(const PageSettings &o) const { return !(*this == o); }
};

// What a cell of the visible grid holds.
enum class DocumentCell : char
{
    Blank = '.',
    Word = 'W',    // a letter of a listed word
    Filler = 'F',  // a random letter, or a letter of unknown origin
    Message = 'M', // a letter of the hidden message
};

// A puzzle as a document holds it.
struct PuzzleDocument
{
    GridSize size;
    // The letter of every cell of the cell store, column by column
    // (storeColumns x storeRows, the margin included), 0 for a blank cell,
    // and the kind of every visible cell, in the same order (the margin's
    // kinds are Filler where it holds a letter).
    std::vector<char16_t> letters;
    std::vector<DocumentCell> kinds;
    QStringList words;
    QStringList positions;
    QStringList directions;
    QStringList clues;   // one per word, empty for none
    QString message;     // the hidden message, as the message fills wrote it
    QByteArray reserved; // the 15x15 record's reserved field, when it held anything
    PageSettings page;
    bool hasPage = false;
    // The language (its ISO 639-1 code), the letter rules and the fill's kind.
    QString language = QStringLiteral("en");
    LetterRules rules = {};
    FillKind fill = FillKind::Natural;
    // Where each word lies, when known (a document made of a model, or read
    // and checked); a writer works it out itself otherwise.
    std::vector<std::optional<WordPath>> paths;

    // An empty puzzle of `size`.
    static PuzzleDocument empty(GridSize size);
    // The alphabet of the document's language under its rules (English when
    // the code names no language).
    Alphabet alphabet() const;
    // English, accents kept, natural fill: letters a record editor can hold
    // the way the document has them.
    bool hasDefaultLetters() const;
    char16_t letterAt(int col, int row) const;
    DocumentCell kindAt(int col, int row) const;
};

inline constexpr qint64 kMaxDocumentBytes = 10 * 1024 * 1024;
inline const QString kDocumentExtension = QStringLiteral(".ipuz");
inline const QString kDocumentFilter = QStringLiteral("Puzzle document (*.ipuz)");
// The extension key under which the program keeps what ipuz has no field for.
inline const QString kDocumentExtensionKey = QStringLiteral("org.wordquarrin.puzzle");

// The document of a puzzle: its cells and lists, with the clues the model
// holds, the message (`messageLetters` letters of it, as readMessage reads
// them) and the page settings when given.
PuzzleDocument documentFromModel(const PuzzleModel &model, int messageLetters = 0,
                                 const PageSettings *page = nullptr);

// Puts a document into `model`, which must be of the document's size: the
// lists, the clues, the letters with their kinds, then the words drawn again.
// A model with letters of its own (a document editor's) takes the document's
// language, rules and fill; one without them (a record editor's) refuses a
// document in another language than English. Either all of it happens or the
// model stays as it was.
FileResult applyDocument(const PuzzleDocument &document, PuzzleModel &model);

// The JSON text of a document.
QByteArray documentBytes(const PuzzleDocument &document);
// Reads a document; on success `notice` may tell what was passed over.
FileResult parseDocument(const QByteArray &bytes, PuzzleDocument *document,
                         const QString &fileName = QString());

// Device and file forms. Writing to a path goes through a file beside it.
FileResult writeDocument(QIODevice &device, const PuzzleDocument &document);
FileResult saveDocument(const PuzzleDocument &document, const QString &path);
FileResult readDocument(QIODevice &device, PuzzleDocument *document,
                        const QString &fileName = QString());
FileResult loadDocument(const QString &path, PuzzleDocument *document);

// Whether a file name names a document (by its extension, in any case).
bool isDocumentFileName(const QString &path);
// The name a save uses: the chosen one, with ".ipuz" appended unless it
// already ends in it (in any case).
QString documentFileNameForSaving(const QString &chosen);

// A record's puzzle as a document, and a document as a record's bytes: the
// two conversions of `word_quarrin convert`. A record read here keeps every
// letter its grid field holds, the margin included, so a record converted to
// a document and back is the same bytes. Converting to a record refuses a
// document whose size has no record file, or whose letters or lists the
// record cannot hold, with the reason.
FileResult documentFromRecord(const QByteArray &recordBytes, GridSize size,
                              PuzzleDocument *document, const QString &fileName = QString());
FileResult recordFromDocument(const PuzzleDocument &document, QByteArray *recordBytes);

} // namespace quarrin
