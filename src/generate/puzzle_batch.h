#pragma once

// Making puzzles in bulk from word lists, with no display: the core of
// `word_quarrin generate`.
//
// Input is either one puzzle per line (words separated by blanks or commas;
// blank lines and lines starting with '#' skipped) or a pool of words, one a
// line, from which each puzzle draws a number of different words. Each word
// goes into a fresh puzzle model by the editor's random "Add Word", with the
// editor's rules: letters A to Z only (a document puzzle: the letters of its
// alphabet, written as the alphabet writes them), upper-cased, at most the
// size's longest word and most words. A word that breaks a rule or finds no
// place becomes a Warning naming its input line; the puzzle is made without
// it. Then the blanks are filled as asked, cleanly when asked (see
// BatchOptions::clean).
//
// With a seed, the same seed and input give the same puzzles: the generator's
// clock is then a fixed sequence of ticks drawn from the seed. Without one the
// clock is the real one, as in the editor.
//
// Puzzles are written with the editor's record writer, each file under its
// final name only once it is whole (written aside, then renamed).

#include "check/clean_fill.h"
#include "check/puzzle_check.h"
#include "language/language.h"
#include "puzzle/puzzle_model.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quarrin::generate {

// One input word and the input line it came from (1-based).
struct InputWord
{
    QString text;
    int line = 0;
};

// The words of one puzzle, in order.
using PuzzleWords = std::vector<InputWord>;

struct InputResult
{
    bool ok = true;
    QString error; // why the input could not be read
    std::vector<PuzzleWords> puzzles;
    // One per puzzle: the title its line began with ("Farm animals: cow,
    // pig"), or empty.
    QStringList titles;
};

// `--words`: one puzzle per line, which may begin with its title and a colon.
InputResult readWordLists(QIODevice &in);
// `--pool`: one word per line (blank and '#' lines skipped); `count` puzzles of
// `perPuzzle` different words each, drawn with `random`. Fails when the pool
// holds fewer than `perPuzzle` different words, and when most of its lines
// hold several words (a --words file). Two lines are the same word when they
// give the same letters: in `alphabet` when given ("Straße" and "strasse" in
// a German puzzle that writes SS), else upper-cased letter by letter.
InputResult readPool(QIODevice &in, int count, int perPuzzle, LcgState &random,
                     const Alphabet *alphabet = nullptr);

enum class FillKind
{
    Random,
    None,
    Message, // the message first, then random letters in the blanks left
};

// What the puzzles are saved as: the record file of a record size (.qrn,
// .qrn2), or a puzzle document (.ipuz) of any size.
enum class PuzzleFormat
{
    Record,
    Document,
};

struct BatchOptions
{
    GridSize size = GridSize::Small;
    DirectionSet directions = DirectionSet::all();
    FillKind fill = FillKind::Random;
    QString message;
    std::optional<std::uint32_t> seed;
    // A clean fill (no blocked word through a filled letter), refilled until
    // the puzzle check finds nothing a fill can cure; a puzzle whose words
    // spell a blocked word with their own letters is placed again, up to
    // kCleanPlacements times. The command cleans unless told not to.
    bool clean = false;
    // With `clean`: a warning for every problem that no refill cured (a word
    // inside another, say), not only for a blocked word (`--clean`).
    bool reportIncurable = false;
    // Longest words first, where they share letters, taking back words in
    // the way (dense placement); otherwise each word in turn by the editor's
    // random draws and then, when they miss, a search of every place.
    bool dense = false;
    // A document puzzle's letters: the words are written in this alphabet (a
    // word with a letter outside it is a warning naming the letter), the
    // message too, the fill draws as `letterFill` says, and the clean fill
    // and its check use the alphabet's blocked words. Without one (record
    // files) words are A to Z and the fill draws from the editor's pool.
    std::optional<Alphabet> alphabet;
    quarrin::FillKind letterFill = quarrin::FillKind::Natural;
};

struct Warning
{
    int puzzle = 0; // 1-based
    int line = 0;
    QString word;
    QString reason;
    QString text() const; // "line 3: 'CAT2': not letters only"
};

// The direction sets of the editor's presets, or direction names separated by
// commas; nothing for a text that is neither.
std::optional<DirectionSet> parseDirections(const QString &text);

// The hidden message in the alphabet's letters, its blanks kept (the message
// fill leaves them out): "straße ist" is "STRASSE IST" in German with SS.
// Empty, with the reason in *error, when a character is not a letter of the
// alphabet.
QString messageInAlphabet(const QString &message, const Alphabet &alphabet, QString *error);

// How many times a puzzle's words are placed, each with new draws, before a
// blocked word that their own letters spell is reported.
inline constexpr int kCleanPlacements = 20;

class PuzzleBatch
{
public:
    explicit PuzzleBatch(const BatchOptions &options);

    // Makes one puzzle into `model` (which must be empty and of the batch's
    // size; it takes the batch's alphabet and fill, if any), appending any
    // warnings.
    void make(const PuzzleWords &words, PuzzleModel &model, int puzzleNumber,
              std::vector<Warning> &warnings);

    RandomGenerator &random() { return m_random; }
    // The letters of the hidden message that the last puzzle's message fill
    // wrote.
    int messageLetters() const { return m_messageLetters; }
    // Why the user's own blocked words could not be read for `clean`, or nothing.
    const QString &blockedWordsWarning() const { return m_blockedWordsWarning; }

private:
    // Places the words into the empty model, appending any warnings.
    void place(const PuzzleWords &words, PuzzleModel &model, int puzzleNumber,
               std::vector<Warning> &warnings);

    BatchOptions m_options;
    RandomGenerator m_random;
    std::unique_ptr<PuzzleCheck> m_check;              // with `clean` only
    std::unique_ptr<BlockedWordMatcher> m_fillMatcher; // its blocked words, for the fill
    QString m_blockedWordsWarning;
    int m_messageLetters = 0;
};

// The name of puzzle `number` (1-based) among `count`: puzzle-001.qrn, ...,
// or puzzle-001.ipuz for documents.
QString puzzleFileName(GridSize size, int number, int count,
                       PuzzleFormat format = PuzzleFormat::Record);

// The bytes of the puzzle's file, as the editor saves it; empty if it could
// not be encoded. A batch keeps these rather than whole models: a million
// puzzles then take a few hundred megabytes less than their models would
// take gigabytes.
QByteArray puzzleFileBytes(PuzzleModel &model);

// Writes a puzzle file's bytes atomically: the file appears under `path` only
// when it is complete. Returns an error message, or nothing.
std::optional<QString> writePuzzleFile(const QByteArray &bytes, const QString &path);

} // namespace quarrin::generate
