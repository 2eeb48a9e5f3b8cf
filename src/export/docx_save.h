#pragma once

// Keeping the export's table when no word processor takes it: the document
// "Export to Word" makes of the visible grid, saved where the user chooses.
//
// The document is the export's own: exportGrid drives a word processor that
// only records the table, and the recorded table is packed as the default
// word processor packs it.

#include "puzzle/puzzle_model.h"

#include <QByteArray>
#include <QString>

namespace quarrin {

// The save dialog's file type.
QString docxSaveFilter();

struct GridDocument
{
    QByteArray bytes; // empty when it could not be built
    QString name;     // the name to offer, with ".docx"
    QString error;
};

// The .docx document of the model's visible grid, as the export builds it.
GridDocument gridDocument(const PuzzleModel &model);

// Writes the document under `path`, whole or not at all: written aside in the
// same folder, then renamed over the name. Returns the message of a failure
// (naming the file and the reason), or an empty text.
QString saveDocument(const QByteArray &bytes, const QString &path);

} // namespace quarrin
