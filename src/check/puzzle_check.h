#pragma once

// The puzzle check: does every listed word appear exactly once, and does
// nothing offensive read in the grid by chance?
//
// On the visible N x N grid the check finds every place where each listed
// word reads, in any of the eight directions, and every place where a blocked
// word reads. A place is a set of cells: a palindrome read both ways, or a
// one-letter word read in any direction, is one place. It reports four kinds
// of problem:
//   - a listed word found more than once (all its places are named);
//   - a listed word not found at its own listed position;
//   - a listed word that lies inside another listed word;
//   - a blocked word found anywhere except inside a listed word's own letters.
// The check reads the puzzle and changes nothing.
//
// Refill takes the fill out and fills again with new random letters (writing
// the hidden message first, when there is one) until no problem is left that
// a fill can cure, at most 200 times. It runs the puzzle's own fill commands,
// so every try is exactly what the editor's commands would make (or, when the
// caller gives one, its own random fill: the clean fill), and it never changes
// a word letter.

#include "check/blocked_words.h"
#include "puzzle/puzzle_model.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace quarrin {

// A straight run of cells: the cell of the first letter (0-based), the
// direction the word reads in and its length.
struct Place
{
    int col = 0;
    int row = 0;
    Direction direction = Direction::Right;
    int length = 0;

    QPoint cell(int p) const
    {
        const DirectionInfo &info = directionInfo(direction);
        return {col + p * info.columnStep, row + p * info.rowStep};
    }
    QPoint last() const { return cell(length - 1); }
    // The same cells, whichever way they are read.
    bool sameCells(const Place &other) const;
    // Whether the cell is one of this place's cells.
    bool contains(QPoint cell) const;
    // Whether every cell of this place is a cell of `outer`.
    bool within(const Place &outer) const;
    // "X, Y Direction", counted from 1 as the user sees it.
    QString text() const;
};

enum class ProblemKind
{
    FoundMoreThanOnce,
    NotAtListedPlace,
    InsideAnotherWord,
    BlockedWord,
};

struct Problem
{
    ProblemKind kind = ProblemKind::BlockedWord;
    QString word;              // the listed or blocked word
    int wordIndex = -1;        // the listed word's line, counted from 0; -1 for a blocked word
    QString text;              // one line for the user
    std::vector<Place> places; // the cells to show
    // The places a different fill would have to break to cure the problem;
    // empty when only the words themselves can.
    std::vector<Place> offending;
};

struct CheckReport
{
    std::vector<Problem> problems;

    bool clean() const { return problems.empty(); }
    QStringList lines() const;
};

// The line shown when the check finds nothing.
QString noProblemsText();

class PuzzleCheck
{
public:
    explicit PuzzleCheck(const BlockedWords &blocked = BlockedWords());
    ~PuzzleCheck();
    PuzzleCheck(const PuzzleCheck &) = delete;
    PuzzleCheck &operator=(const PuzzleCheck &) = delete;

    CheckReport run(const PuzzleModel &model) const;

    const BlockedWords &blocked() const { return m_blocked; }

private:
    struct Matcher;
    BlockedWords m_blocked;
    std::unique_ptr<Matcher> m_matcher;
};

struct RefillResult
{
    bool refilled = false; // the puzzle holds a new fill
    bool clean = false;    // no problem a fill can cure is left
    int tries = 0;
    CheckReport report;             // the check of the puzzle as it is left
    std::vector<Problem> incurable; // problems that no fill can cure
    QString summary;                // what to tell the user
};

inline constexpr int kRefillTries = 200;

// The random fill of one try; without one, the model's own fillRandom.
using RefillFill = std::function<void(PuzzleModel &)>;

// Draws new fills until no curable problem is left; `message` is written
// before each random fill. When no try succeeds, or the word lists cannot be
// read, the puzzle's cells are put back as they were.
RefillResult refill(PuzzleModel &model, const PuzzleCheck &check,
                    const QString &message = QString(), int maxTries = kRefillTries,
                    const RefillFill &fill = RefillFill());

// The letters of the first `letters` cells that take a message letter, in
// reading order: the hidden message a message fill wrote there, up to the
// first blank cell.
QString readMessage(const PuzzleModel &model, int letters);

} // namespace quarrin
