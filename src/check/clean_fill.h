#pragma once

// Clean fill: filler letters drawn again until no blocked word reads through
// any of them.
//
// A grid of letters (any size, puzzle/letter_grid.h) holds fixed cells (word
// letters, message letters) and filler cells, which the fill may draw again.
// A blocked word reads when its letters lie on consecutive cells of a row, a
// column or a diagonal, forwards or backwards: any of the eight directions.
// Every such occurrence that runs through at least one filler cell is broken
// by drawing one of its filler cells again; an occurrence of fixed cells alone
// cannot be cured by the fill and is reported.
//
// BlockedWordMatcher is built once per list of blocked words: an Aho-Corasick
// automaton over the words and their reverses, so one pass along each line
// reads all eight directions. Words may be of any letters (one UTF-16 unit per
// cell), not only A to Z. cleanFill then reads every line once, and after each
// new letter only the four lines through its cell. Of the filler cells of the
// occurrences left, it draws again the one that most of them run through.

#include "puzzle/letter_grid.h"
#include "puzzle/puzzle_model.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

namespace quarrin {

// A blocked word where it reads: place.cell(0) holds its first letter and it
// reads on in place.direction.
struct BlockedOccurrence
{
    int word = -1; // index into BlockedWordMatcher::words()
    WordPath place;
};

class BlockedWordMatcher
{
public:
    BlockedWordMatcher() = default;
    // The words as given (the caller upper-cases them); empty words and
    // repeats are passed over.
    explicit BlockedWordMatcher(const QStringList &words);

    const QStringList &words() const { return m_words; }
    bool isEmpty() const { return m_words.isEmpty(); }

    // Every place where a blocked word reads, each set of cells once (a
    // palindrome, or two blocked words that are each other's reverse, read
    // on the same cells is one occurrence).
    std::vector<BlockedOccurrence> find(const LetterGrid &grid) const;

    // --- For cleanFill ---

    // The automaton's symbol of a grid letter (0: a letter of no word).
    int symbol(char16_t letter) const { return letter < m_symbol.size() ? m_symbol[letter] : 0; }
    int next(int state, int symbolOf) const
    {
        return m_delta[std::size_t(state) * std::size_t(m_symbols) + std::size_t(symbolOf)];
    }
    // The string of the automaton that ends at a state, and the state of the
    // next shorter string that ends there too (-1 for none).
    int output(int state) const { return m_states[std::size_t(state)].output; }
    int outputLink(int state) const { return m_states[std::size_t(state)].outputLink; }
    struct Pattern
    {
        int word;      // index into words()
        bool reversed; // the word's reverse
        int length;
    };
    const Pattern &pattern(int output) const { return m_patterns[std::size_t(output)]; }

private:
    struct State
    {
        int output = -1;
        int outputLink = -1;
    };

    QStringList m_words;
    std::vector<Pattern> m_patterns;
    std::vector<std::uint16_t> m_symbol; // per UTF-16 unit, up to the highest in a word
    int m_symbols = 1;
    std::vector<int> m_delta; // state x symbol
    std::vector<State> m_states;
};

// Draws the next filler letter.
using LetterSource = std::function<char16_t()>;

struct CleanFillResult
{
    bool clean = true; // no blocked word reads through a filler cell
    int redrawn = 0;   // letters drawn again
    // Blocked words on fixed cells alone, which no fill can cure.
    std::vector<BlockedOccurrence> incurable;
    // Blocked words through filler cells still there when the bound on
    // redrawing was reached (empty when clean).
    std::vector<BlockedOccurrence> remaining;
};

// Draws filler letters again until no blocked word reads through a filler
// cell. `filler` has one entry per cell of the grid, in the grid's order:
// non-zero for a cell the fill may draw again (a mask of another size is
// refused: nothing changes and the result is not clean). At most
// `maxRedraws` letters are drawn (-1: 16 per filler cell and 256 more).
CleanFillResult cleanFill(LetterGrid &grid, const std::vector<std::uint8_t> &filler,
                          const BlockedWordMatcher &matcher, const LetterSource &draw,
                          int maxRedraws = -1);

} // namespace quarrin
