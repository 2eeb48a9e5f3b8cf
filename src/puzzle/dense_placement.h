#pragma once

// Placement on a plain letter grid of any size: a word is refused only when
// no place for it exists, and a whole list can be packed densely.
//
// A place is a WordPath: the cell of the first letter, the direction and the
// length. A word fits a place when the walk stays inside the grid and every
// cell is free for its letter (empty, or holding that letter already). A word
// is a run of letters, one UTF-16 unit per cell, upper-cased by the caller.
//
// - findRandomPlace: the editor's random placement on any grid: up to 1500
//   attempts, each drawing a column below the width, a row below the height
//   and a direction code below 10 (codes 8 and 9 name no direction), in that
//   order; on a square grid it draws and finds exactly what the model does.
// - findAnyPlace: every cell and allowed direction, visited in a random order
//   (a random start and a random stride coprime to the number of candidates),
//   the first place that fits. Nothing is found only when no place exists.
// - findPlace: the two in turn, for a word that random draws may miss.
// - placeDense: a whole list, longest words first, each at a place that
//   shares the most letters with the words already placed (ties broken at
//   random); a word that finds no place takes back the placements in its way
//   and they look for new places in turn (undone when one of them finds
//   none). While words are left out, it starts again with new draws and keeps
//   the best round. The effort is a count of places looked at, so the result
//   depends on the seed and the budget alone, never on the clock.
//
// Everything here draws only from the LcgState given, so a seed gives the
// same places every time.

#include "puzzle/letter_grid.h"
#include "puzzle/puzzle_model.h"

#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace quarrin {

inline constexpr int kRandomPlacementAttempts = 1500;

// The walk stays inside the grid and every cell is free for its letter.
bool wordFits(const LetterGrid &grid, QStringView word, const WordPath &place);
// Writes the word's letters along the place (which must fit).
void writeWord(LetterGrid &grid, QStringView word, const WordPath &place);
// The letters along a place inside the grid (0 for an empty cell).
QString readWord(const LetterGrid &grid, const WordPath &place);

std::optional<WordPath> findRandomPlace(const LetterGrid &grid, QStringView word,
                                        DirectionSet allowed, LcgState &random,
                                        int attempts = kRandomPlacementAttempts);
std::optional<WordPath> findAnyPlace(const LetterGrid &grid, QStringView word, DirectionSet allowed,
                                     LcgState &random);
// findRandomPlace, then findAnyPlace when the draws found nothing.
std::optional<WordPath> findPlace(const LetterGrid &grid, QStringView word, DirectionSet allowed,
                                  LcgState &random);

struct DenseOptions
{
    // How many places may be looked at in all (whether a word fits there and
    // what it shares, or what is in its way): some 10 to 20 million a second.
    // A list that packs at the first go needs a small part of this (the 118
    // chemical elements in 32x32 about 160,000); a list that cannot all fit
    // uses the whole, trying again and again.
    long long budget = 10'000'000;
};

struct DenseResult
{
    // Per word of the list, in list order: its place, or none when left out.
    std::vector<std::optional<WordPath>> places;
    int placed = 0;
    long long looked = 0;    // places looked at
    long long takenBack = 0; // placements taken back to make room for another word
};

// Packs the words into the grid and writes the letters of those placed. The
// letters already in the grid stay and may be shared, but no word lies wholly
// on them; two of the words placed never run along the same line over a
// shared cell (one would read inside the other). Empty words, words with a 0
// unit and words too long for the grid are left out.
DenseResult placeDense(LetterGrid &grid, const QStringList &words, DirectionSet allowed,
                       LcgState &random, const DenseOptions &options = DenseOptions());

} // namespace quarrin
