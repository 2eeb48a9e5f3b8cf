#pragma once

// The puzzle model: the letter grid and the word list of one puzzle under
// construction, with every operation that changes them.
//
// A puzzle is a cell store of (W+1) x (H+1) texts for a grid of W columns and
// H rows (the last column and row are a margin that is never shown) and three
// parallel word lists: `log`
// (the words), `positions` ("X, Y" of each first letter, counted from 1) and
// `directionMemo` (direction names). The lists are the master copy of the
// words: refreshGrid writes their letters into the grid, blankWords erases
// them. A word added at random is kept in parsed form and its position and
// direction lines are written out when someone reads the lists. A cell's text tells its kind: empty
// or a single space is blank, one upper-case letter is a word letter, and a letter followed by the
// filler mark "     ." is a filled cell.
//
// Commands return a CommandOutcome: the messages to show the user, in order,
// and which entry boxes the editor should empty. A command that stops on an
// error (a damaged position line) leaves the puzzle exactly as it was.
//
// A document puzzle also has its letters (setLetters): the alphabet of its
// language under its rules, which turns a typed word into the puzzle's
// letters or refuses it, and how its fill draws them. A model without them,
// as the record editors keep it, takes the typed letters upper-cased and
// fills from the 44-letter pool.
//
// The model has no widget code; the editor windows show it.

#include "language/letter_sampler.h"
#include "puzzle/letter_grid.h"
#include "puzzle/random_generator.h"
#include "puzzle/size_table.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quarrin {

// The eight directions, in the order of the editor's direction box.
enum class Direction
{
    Up,
    Down,
    Left,
    Right,
    UpRight,
    UpLeft,
    DownRight,
    DownLeft
};

struct DirectionInfo
{
    Direction direction;
    const char *name;
    int columnStep;
    int rowStep;
    int randomCode; // code drawn by random placement
};

// All eight, in the order of the direction box.
inline constexpr std::array<DirectionInfo, 8> kDirectionTable{{
    {Direction::Up, "Up", 0, -1, 0},
    {Direction::Down, "Down", 0, 1, 1},
    {Direction::Left, "Left", -1, 0, 2},
    {Direction::Right, "Right", 1, 0, 3},
    {Direction::UpRight, "Up-Right", 1, -1, 5},
    {Direction::UpLeft, "Up-Left", -1, -1, 7},
    {Direction::DownRight, "Down-Right", 1, 1, 4},
    {Direction::DownLeft, "Down-Left", -1, 1, 6},
}};
inline const std::array<DirectionInfo, 8> &directionTable()
{
    return kDirectionTable;
}
inline const DirectionInfo &directionInfo(Direction d)
{
    return directionTable()[std::size_t(d)];
}
// The direction's name as a shared string.
const QString &directionName(Direction d);
// Exact, case-sensitive match of a direction name.
std::optional<Direction> directionFromName(const QString &name);
// The direction that each random code 0..7 names; codes 8 and 9 name none.
inline constexpr Direction kDirectionByRandomCode[8] = {
    Direction::Up,        Direction::Down,    Direction::Left,     Direction::Right,
    Direction::DownRight, Direction::UpRight, Direction::DownLeft, Direction::UpLeft,
};
inline std::optional<Direction> directionFromRandomCode(int code)
{
    if (code < 0 || code >= 8)
        return std::nullopt;
    return kDirectionByRandomCode[code];
}

// A set of allowed directions for random placement.
class DirectionSet
{
public:
    DirectionSet() = default;
    static DirectionSet all();
    bool contains(Direction d) const { return m_bits & bit(d); }
    void set(Direction d, bool on = true);
    bool isEmpty() const { return m_bits == 0; }
    bool operator==(const DirectionSet &o) const { return m_bits == o.m_bits; }

private:
    static unsigned bit(Direction d) { return 1u << unsigned(d); }
    unsigned m_bits = 0;
};

// The inputs of "Add Word", read from the editor's boxes as they stand.
struct AddWordRequest
{
    QString word; // the word box, as typed
    bool randomPosition = false;
    QString x;         // X box text
    QString y;         // Y box text
    QString direction; // direction box text
    DirectionSet allowed;
};

struct CommandOutcome
{
    QStringList messages; // shown one after another, each in a box with OK
    bool ok = true;       // false: stopped by an error; the puzzle is unchanged
    bool placed = false;  // Add Word: the word went into the grid
    bool clearWord = false;
    bool clearCoordinates = false; // empty X and Y
    bool clearDeleteText = false;  // empty the delete list's text
    // How many of the messages come before the boxes are emptied; the rest
    // come after. -1: all of them come first.
    int messagesBeforeClearing = -1;
    // Add Word at a given cell that did not fit: where the word leaves the
    // grid, or the cell and the letter in its way. The editor shows it with
    // the refusal.
    QString positionDetail;
};

// One cell of the store, kept compact. Its text is empty, one character, or a
// character followed by the filler mark; the four cell tests below only look
// at those properties, so nothing else needs keeping.
struct Cell
{
    enum Kind : quint8
    {
        Empty,      // ""
        Single,     // one character: a word letter, or a single space
        Filled,     // a character and the five-space filler mark
        FilledWide, // a character and the six-space mark of the large message fill
    };
    char16_t letter = 0;
    Kind kind = Empty;

    // The cell tests (see below) on a cell.
    bool freeFor(QChar l) const
    {
        return (kind == Empty) | (letter == u' ') | (letter == l.unicode());
    }
    bool takesRandomLetter() const { return kind == Empty || (kind == Single && letter == u' '); }
    bool takesMessageLetter() const { return kind != Single || letter == u' '; }
    bool isWordLetter() const { return kind == Single; }
    QString text() const;
    // Any text longer than one character keeps its first character and
    // counts as filled.
    static Cell fromText(const QString &text);
    bool operator==(const Cell &o) const { return kind == o.kind && letter == o.letter; }
    bool operator!=(const Cell &o) const { return !(*this == o); }
};

// Cell tests. Each looks at the whole cell text, trailing characters included.
bool isFreeFor(const QString &cell, QChar letter); // fit rule
bool takesRandomLetter(const QString &cell);       // random fill
bool takesMessageLetter(const QString &cell);      // message fill
bool isWordLetter(const QString &cell);            // word highlighting

// The parsed "X, Y" line of a word, as a 0-based column and row.
struct CellPos
{
    int col = 0;
    int row = 0;
};

// A drawn word: the 0-based cell of its first letter, its direction and length.
struct WordPath
{
    int col = 0;
    int row = 0;
    Direction direction = Direction::Right;
    int length = 0;
    // The cell of letter p (0 for the first).
    CellPos cell(int p) const
    {
        const DirectionInfo &info = directionInfo(direction);
        return {col + p * info.columnStep, row + p * info.rowStep};
    }
};

// Reads a decimal integer the way the position lines and coordinate boxes are
// read: leading blanks are skipped, an optional sign, digits only, within the
// range of a 32-bit signed integer. Returns nothing on failure.
std::optional<int> parseInteger(const QString &text);
// The message shown for a text that is not a valid integer.
QString invalidIntegerMessage(const QString &text);

// How random placement looks for a place: the editor's draws alone, or the
// draws and then, when they find none, every cell and allowed direction in a
// random order, so that a word is refused only when no place exists; or the
// same search preferring the places that share letters with the words
// already placed.
enum class PlacementRule
{
    Draws,
    DrawsThenSearch,
    Dense,
};

class PuzzleModel
{
public:
    PuzzleModel(GridSize size, RandomGenerator *random);

    const SizeSpec &spec() const { return *m_spec; }
    // The generator the model draws from, for code that draws more letters
    // the same way (the clean fill).
    RandomGenerator &random() const { return *m_random; }
    GridSize size() const { return m_spec->size; }
    // The visible grid.
    int columns() const { return m_spec->columns; }
    int rows() const { return m_spec->rows; }
    // The cell store: the grid and its margin column and row.
    int storeColumns() const { return m_spec->storeColumns; }
    int storeRows() const { return m_spec->storeRows; }
    bool inGrid(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < m_spec->columns && row < m_spec->rows;
    }

    // Cell store access; addresses outside the store read as empty and are
    // never written.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // Letter i of the text becomes the word letter of store cell i, over the
    // first `columns` columns and as far as the text goes: a saved grid's
    // letters, read back in the order they were swept.
    void setColumnLetters(QStringView letters, int columns);
    // The whole store, column-major (index col * storeRows() + row).
    const std::vector<Cell> &cells() const { return m_cells; }
    const Cell &cellAt(int col, int row) const
    {
        static const Cell empty;
        if (!inStore(col, row))
            return empty;
        return m_cells[std::size_t(col) * std::size_t(m_spec->storeRows) + std::size_t(row)];
    }
    bool inStore(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < m_spec->storeColumns && row < m_spec->storeRows;
    }

    const QStringList &log() const { return m_log; }
    const QStringList &positions() const
    {
        settleLines();
        return m_positions;
    }
    const QStringList &directionMemo() const
    {
        settleLines();
        return m_directions;
    }
    // Each word's clue for the print page, empty where it has none. Clues
    // follow their words: a deleted word takes its clue along, and a cleared
    // or loaded word list starts without any.
    QString clue(int index) const;
    QStringList clues() const; // one per word
    void setClue(int index, const QString &text);
    void setClues(const QStringList &clues);

    // Entries of the delete list, refilled by refreshGrid.
    const QStringList &deleteList() const;
    int wordCount() const { return int(m_log.size()); }

    // Replaces the three lists (the loader uses this; texts are split into
    // lines the way a multi-line field splits them).
    void setListTexts(const QString &log, const QString &positions, const QString &directions);
    // Joins list lines into a field text: every line followed by CR LF.
    static QString linesToText(const QStringList &lines);
    static QStringList textToLines(const QString &text);

    // --- Operations on the word lists and grid ---

    // Writes every listed word's letters into the grid and refills the
    // delete list. Throws PuzzleError on a position line that is not "X, Y".
    void refreshGrid();
    // Empties every cell covered by a listed word.
    void blankWords();
    // Appends a word and its position and direction lines.
    void addToLists(int col, const QString &directionName, const QString &word, int row);

    // Fit check: every cell of the word's walk is free for its letter. It does
    // not test the bounds (callers test the fit first).
    bool cellsFree(Direction d, int col, const QString &word, int row) const
    {
        // The check only reads, so stopping at the first clash gives the same answer.
        const DirectionInfo &info = directionInfo(d);
        const QChar *letters = word.constData();
        for (int p = 0, len = int(word.size()); p < len; ++p) {
            if (!cellAt(col + p * info.columnStep, row + p * info.rowStep).freeFor(letters[p]))
                return false;
        }
        return true;
    }
    // Fit rule: a word of the given length from (col, row) stays in the grid.
    bool fits(Direction d, int col, int row, int length) const
    {
        const DirectionInfo &info = directionInfo(d);
        const int last = length - 1;
        return !(info.rowStep < 0 && row < last) &&
               !(info.rowStep > 0 && row + last > m_spec->rows - 1) &&
               !(info.columnStep < 0 && col < last) &&
               !(info.columnStep > 0 && col + last > m_spec->columns - 1);
    }

    // --- Commands ---

    // "Add Word": random placement or placement at the given position.
    CommandOutcome addWord(const AddWordRequest &request);
    // "Clear": empties the whole puzzle.
    CommandOutcome clear();
    // "Delete": removes word `index` and rebuilds the grid from the rest.
    CommandOutcome deleteWord(int index);
    // Refresh of the delete list before it opens.
    CommandOutcome refreshDeleteList();
    // "Fill blank with Random".
    CommandOutcome fillRandom();
    // "Fill blank with Message", step one: the number F of cells that can
    // take a message letter, and the prompt that offers them.
    int messageCapacity() const;
    QString messagePrompt() const;
    // Step two: writes the answer into the free cells in reading order.
    CommandOutcome fillMessage(const QString &answer);
    // "Remove random characters and message".
    CommandOutcome removeFill();
    // Rebuilds the cell kinds after a load: blankWords, the filler mark on
    // every non-empty cell of the store, refreshGrid.
    void restoreCellKinds();
    // After a load whose directions text filled its field: the field's
    // length may have cut the last line (`lastLineCut`) and dropped the lines
    // after it. A cut line becomes the first name, in refreshGrid's order,
    // that begins with what the cut left and whose walk from the word's
    // position stays in the grid and spells the word in the grid's letters;
    // with none it stays as it was. A missing line gets the first such name of
    // all eight, or an empty line. Complete lines are never changed.
    void recoverDirections(bool lastLineCut);
    // Gives every listed word a direction line (an empty one where missing).
    void padDirections();
    // Trims blanks and control characters from both ends of every position line.
    void trimPositionLines();

    // Where each listed word lies in the grid, in list order: no value for a
    // word that is not drawn (its direction line names no direction, or its
    // walk would leave the cell store). A list whose position lines cannot be
    // read has no word drawn.
    std::vector<std::optional<WordPath>> wordPaths() const;

    // The column-by-column sweep of the whole store: every empty cell is given
    // a single space first (which stays), then its first character is taken.
    QString sweepLetters();

    // Runs `change` so that it either completes or leaves the puzzle as it
    // was: a PuzzleError thrown inside is turned into a message.
    CommandOutcome runAtomically(const std::function<void(CommandOutcome &)> &change);

    // The puzzle itself, for undo: the cells, the three lists and the clues
    // of `other` equal these.
    bool samePuzzle(const PuzzleModel &other) const;
    // Puts back the puzzle of `saved` (a copy of this model taken earlier):
    // its cells, lists and clues. The generator and the placement rule stay,
    // and the revision moves on, so views repaint.
    void restore(const PuzzleModel &saved);

    // --- Letters ---

    // Makes this a document puzzle whose words are written in `alphabet` and
    // whose fill draws as `fill` says. Nothing in the grid changes.
    void setLetters(const Alphabet &alphabet, FillKind fill);
    // Whether the model has letters of its own (a document puzzle); without
    // them it keeps the record editors' A to Z and letter pool.
    bool hasAlphabet() const { return m_letters != nullptr; }
    // The puzzle's alphabet: English with accents kept when it has none.
    const Alphabet &alphabet() const;
    // Natural when the model has no letters of its own.
    FillKind fillKind() const;
    // One filler letter as "Fill blank with Random" draws it, from the pool
    // or the puzzle's sampler, with one step of the model's generator.
    QChar drawFillerLetter();
    // A typed word as the puzzle's letters: upper-cased letter by letter
    // without an alphabet; through the alphabet (which may refuse it) with one.
    PuzzleWord wordLetters(const QString &typed) const;

    // How many times the model has changed (views use it to know when to repaint).
    quint64 revision() const { return m_revision; }

    // The rule of random placement; the record editors keep the draws alone.
    void setPlacementRule(PlacementRule rule) { m_placementRule = rule; }
    PlacementRule placementRule() const { return m_placementRule; }
    // Places `words` together, longest first, each where it shares the most
    // letters, taking back words in the way when one finds no place (dense
    // placement): each word that goes in is appended to the lists. Returns,
    // per word, whether it was placed. Words are upper-cased first; the word
    // limit is the caller's to keep.
    // `effort` bounds the places looked at (a count, not a time, so a seed
    // always gives the same puzzle).
    std::vector<bool> placeTogether(const QStringList &words, DirectionSet allowed,
                                    long long effort = 2'000'000);
    // The visible grid's letters as a plain grid: 0 where a word may go
    // through with any letter.
    LetterGrid letterGrid() const;

private:
    // A listed word as the lists describe it: where it starts and which way it runs.
    struct ListedWord
    {
        int col = 0;
        int row = 0;
        int direction = -1; // index into directionTable(), -1 for none
    };

    void touch() { ++m_revision; }
    // A change to the lists alone: the blocked lines stay as in step as they were.
    void touchLists()
    {
        const bool inStep = m_blockedRevision == m_revision;
        touch();
        if (inStep)
            m_blockedRevision = m_revision;
    }
    // Runs a command: one that cannot read the lists stops before it changes
    // anything; past that check nothing in a command can fail. A template, so
    // that each command's body is called directly.
    template <typename Change> CommandOutcome runCommand(Change &&change);
    // Marks the grid as changed by something other than refreshGrid.
    void gridTouched()
    {
        m_drawn = 0;
        touch();
    }
    // Called after the lists were changed other than by appendWord, which
    // settles the pending lines first.
    void listsChanged()
    {
        Q_ASSERT(m_linesPending == 0);
        m_parsedValid = false;
        m_drawn = 0;
        touch();
    }
    Cell &at(int col, int row)
    {
        return m_cells[std::size_t(col) * std::size_t(m_spec->storeRows) + std::size_t(row)];
    }
    void put(int col, int row, Cell c);
    // Makes the delete list a list of its own before the words change other
    // than by growing.
    void settleDeleteList() const;
    void appendWord(int col, Direction d, const QString &word, int row);
    // Writes out the position and direction lines of words appended since the
    // lists were last read or changed. Must run before any other change to
    // the lists, and before the parsed form is thrown away.
    void settleLines() const
    {
        if (m_linesPending)
            writePendingLines();
    }
    void writePendingLines() const;
    // Reads every listed word's position and direction; throws PuzzleError on
    // a position line that is not "X, Y".
    const std::vector<ListedWord> &listedWords() const;
    CellPos readPosition(int index, CellPos previous) const;
    bool walkInStore(const ListedWord &w, int length) const;
    // Calls visit(col, row, letter) for every cell of every listed word, in
    // list order. Words whose direction names none of the eight, or whose walk
    // would leave the cell store, are passed over.
    template <typename Visit> void forEachListedWord(Visit visit, int from = 0) const;
    struct Placement
    {
        int col;
        int row;
        Direction direction;
    };
    // "Fill blank with Random" with `pick` turning a draw's seed into a letter.
    template <typename Pick> void fillBlanks(Pick pick);
    void addRandom(const AddWordRequest &request, CommandOutcome &out);
    // Up to 1500 random attempts at a cell and an allowed direction where the word fits.
    std::optional<Placement> findRandomPlacement(const QString &word, DirectionSet allowed);
    void addAtPosition(const AddWordRequest &request, CommandOutcome &out);
    // Why `word` does not go from (col, row) in direction d: where it leaves
    // the grid, or the cell and the letter in its way.
    QString positionDetail(Direction d, int col, const QString &word, int row) const;
    void clearVisible();

    // Blocked cells: visible cells that hold a letter a word must match (not
    // empty, not a space), kept as bit lines along the rows, the columns and
    // both diagonals, so that random placement finds the cells of a walk that
    // need a look with one mask. The lines are in step with the cells while
    // m_blockedRevision equals the revision; refreshGrid and list changes keep
    // them so, any other change leaves them to be rebuilt when next needed.
    static constexpr int kMaxBlockedSide = 64;
    static constexpr int kBlockedLines = 6 * kMaxBlockedSide - 2;
    // Line index and bit of a cell in each of the four families: H row lines,
    // W column lines, then W + H - 1 lines of each diagonal family.
    int rowLine(int row) const { return row; }
    int columnLine(int col) const { return m_spec->rows + col; }
    int diagonalLine(int col, int row) const
    {
        return 2 * m_spec->rows + m_spec->columns - 1 + col - row;
    }
    int antiDiagonalLine(int col, int row) const
    {
        return 2 * (m_spec->rows + m_spec->columns) - 1 + col + row;
    }
    void noteBlocked(int col, int row, bool blocked)
    {
        if (col >= m_spec->columns || row >= m_spec->rows) // the margin is never part of a walk
            return;
        const quint64 set = blocked ? ~quint64(0) : 0;
        const auto write = [set](quint64 &line, quint64 bit) {
            line = (line & ~bit) | (bit & set);
        };
        write(m_blocked[std::size_t(rowLine(row))], quint64(1) << col);
        write(m_blocked[std::size_t(columnLine(col))], quint64(1) << row);
        write(m_blocked[std::size_t(diagonalLine(col, row))], quint64(1) << col);
        write(m_blocked[std::size_t(antiDiagonalLine(col, row))], quint64(1) << col);
    }
    void rebuildBlocked();
    static bool blocks(const Cell &c) { return c.kind != Cell::Empty && c.letter != u' '; }

    // A document puzzle's alphabet and the sampler of its fill.
    struct Letters
    {
        Alphabet alphabet;
        LetterSampler sampler;
    };

    const SizeSpec *m_spec;
    RandomGenerator *m_random;
    std::shared_ptr<const Letters> m_letters; // none: the record editors' letters
    std::vector<Cell> m_cells;                // column-major: index col * store + row
    QStringList m_log;
    // Position and direction lines; the last m_linesPending words have theirs
    // only in m_parsed (which is then valid and in step with m_log) so far.
    mutable QStringList m_positions;
    mutable QStringList m_directions;
    mutable int m_linesPending = 0;
    QStringList m_clues; // may be shorter than the word list
    // The delete list. After refreshGrid it is the word list as it stood then;
    // while the words have only grown since, it is kept as that length and
    // made into a list when someone reads it.
    mutable QStringList m_deleteList;
    mutable int m_deleteListPrefix = -1;
    mutable std::vector<ListedWord> m_parsed;
    mutable bool m_parsedValid = false;
    int m_drawn = 0; // leading words whose letters are in the grid, untouched since
    quint64 m_revision = 0;
    PlacementRule m_placementRule = PlacementRule::Draws;
    std::array<quint64, kBlockedLines> m_blocked{}; // a new grid is empty: all clear
    quint64 m_blockedRevision = 0;
};

// An error that stops a command (such as a position line that is not a number).
struct PuzzleError
{
    QString message;
};

template <typename Change> CommandOutcome PuzzleModel::runCommand(Change &&change)
{
    CommandOutcome out;
    try {
        listedWords();
    } catch (const PuzzleError &e) {
        out.ok = false;
        out.messages << e.message;
        return out;
    }
    try {
        change(out);
    } catch (const PuzzleError &e) {
        // Only the reading of the coordinate boxes throws here, before any
        // change; the messages shown before it still stand.
        const QStringList shown = out.messages;
        out = CommandOutcome{};
        out.ok = false;
        out.messages = shown;
        out.messages << e.message;
    }
    return out;
}

} // namespace quarrin
