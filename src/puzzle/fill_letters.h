#pragma once

// The letters of the random fill, for code that draws filler letters of its
// own the same way (a draw below the pool's size picks one).

#include <QString>

namespace quarrin {

// The 44-letter pool that "Fill blank with Random" draws from; common letters
// stand in it twice.
const QString &randomFillLetters();

} // namespace quarrin
