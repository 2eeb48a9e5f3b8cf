#pragma once

// Clean fill on the puzzle model: "Fill blank with Random" whose letters leave
// no blocked word readable outside the listed words' own letters.
//
// The model's own random fill runs first, exactly as the command draws it;
// then only the cells that fill wrote are drawn again where they complete a
// blocked word, drawn as the model's fill draws (PuzzleModel::drawFillerLetter). Word
// letters, message letters and the letters of an earlier fill are kept. A
// caller that leaves cleaning off calls fillRandom alone and gets the fill
// exactly as before.

#include "check/clean_fill.h"
#include "puzzle/puzzle_model.h"

namespace quarrin {

struct ModelCleanFill
{
    CommandOutcome fill;   // the outcome of the model's fill
    CleanFillResult clean; // its incurable list leaves out blocked words
                           // inside a listed word's own letters
};

// `random` is the generator the model was made with.
ModelCleanFill fillRandomClean(PuzzleModel &model, RandomGenerator &random,
                               const BlockedWordMatcher &matcher);

} // namespace quarrin
