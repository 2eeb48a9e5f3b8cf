#pragma once

// What an editor asks of the program around it: a puzzle that belongs in
// another editor (a new puzzle of another size, a document, the other
// record size) is opened there, and that editor is shown in place of the one
// that asked. The application implements it; an editor without a host does
// what it can by itself.

#include "editor/new_puzzle_dialog.h"
#include "files/puzzle_file.h"

#include <QList>
#include <QString>

namespace quarrin {

class EditorWindow;

class EditorHost
{
public:
    virtual ~EditorHost() = default;

    // "New Puzzle..." was answered in `from`.
    virtual void startNewPuzzle(EditorWindow *from, const NewPuzzleChoice &choice) = 0;
    // A puzzle file chosen in `from` that `from` does not hold itself: a
    // document, or a record when `from` is the document editor. Returns the
    // load's result; a refused load changes no editor.
    virtual FileResult openPuzzleFile(EditorWindow *from, const QString &path) = 0;
    // Every editor of the program, whose unsaved work ending it would lose.
    virtual QList<EditorWindow *> editors() const { return {}; }
};

} // namespace quarrin
