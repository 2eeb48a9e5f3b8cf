#pragma once

// The check every printing and saving command of the windows runs before it
// draws anything: the letters it would draw against the fonts it would draw
// them with (see glyph_coverage.h). A letter a font lacks is reported in a
// warning that names the font, the letters and a font that has them, and the
// command then prints and writes nothing.

#include "language/glyph_coverage.h"

class QWidget;

namespace quarrin {

// The objectName of the warning.
inline constexpr const char *kUnprintableLettersBox = "unprintableLetters";

// True when every letter of `texts` can be drawn; otherwise shows the
// warning (modal, over `parent`) and returns false.
bool checkPrintableLetters(QWidget *parent, const QList<DrawnText> &texts);

} // namespace quarrin
