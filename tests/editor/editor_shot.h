#pragma once

// For the tools that take the editor screenshots: a sample puzzle's words are
// put in through the editor's model, as "Add Word" does with a typed position.

#include "editor/editor_window.h"

namespace quarrin::testing {

// Adds `word` at column `x`, row `y` (1-based, as typed) in `direction`.
inline void addWordAt(EditorWindow &window, const QString &word, int x, int y,
                      const QString &direction)
{
    AddWordRequest request;
    request.word = word;
    request.x = QString::number(x);
    request.y = QString::number(y);
    request.direction = direction;
    window.model().addWord(request);
}

} // namespace quarrin::testing
