#pragma once

// Export to a word processor: sends an editor's visible letter grid to a word
// processor as a table with one letter per table cell.
//
// `WordProcessor` is the program's own automation interface. `exportGrid`
// drives it: start the word processor, make it visible, add a document, add a
// table at the insertion point, then for every cell (30x30 grids only) set the
// cell's width and set its text, and finally let go of the word processor,
// which keeps the document open for the user.
//
// The default implementation (`createDefaultWordProcessor`) writes the table
// into a new Office Open XML document (.docx) in the user's documents folder
// and opens it with the desktop's default application for such documents.

#include "puzzle/puzzle_model.h"
#include "puzzle/size_table.h"

#include <QString>

#include <memory>

namespace quarrin {

class WordProcessor
{
public:
    virtual ~WordProcessor() = default;
    virtual bool start() = 0; // false: no word processor
    virtual void setVisible(bool visible) = 0;
    virtual void addDocument() = 0;
    virtual void addTable(int rows, int columns) = 0;
    virtual void setCellWidth(int row, int column, double points) = 0;      // 1-based
    virtual void setCellText(int row, int column, const QString &text) = 0; // 1-based
    virtual bool release(QString *error) = 0; // writes/open; false with a message on failure
};

// The word processor of this desktop: a .docx document opened with xdg-open.
std::unique_ptr<WordProcessor> createDefaultWordProcessor();

// Shown when no word processor can be started.
QString wordProcessorStartFailureMessage();

// Width given to every table cell, per grid size; 0 leaves the word
// processor's own widths.
double exportCellWidthPoints(GridSize size);

// Drives the export of the editor's visible grid. Returns the message to show
// ("" = success).
QString exportGrid(const PuzzleModel &model, WordProcessor &processor);

} // namespace quarrin
