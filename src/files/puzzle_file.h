#pragma once

// Puzzle files: one fixed-size record per file, no header.
//
// A 15x15 puzzle is one record of 1410 bytes (".qrn"), a 30x30 puzzle one of
// 2214 bytes (".qrn2"). A record is a row of short text fields: a length byte
// followed by the field's capacity in character bytes (Windows-1252, see
// puzzle/code_page.h). The grid is
// stored as the first character of every cell, swept column by column; the
// word list, positions and directions as their texts with CR LF line ends.
//
// Reading never trusts the file: a record whose length bytes exceed their
// fields, a file that is too short, or a file of the other grid size is
// refused with a message, and a refused or failed load leaves the puzzle as it
// was. Saving writes a temporary file beside the target and renames it over
// the old one, so a failed save never destroys the previous file.

#include "puzzle/puzzle_model.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

namespace quarrin {

struct FileResult
{
    bool ok = true;
    QString error;  // the message to show when !ok
    QString notice; // a message to show although the command succeeded

    static FileResult failure(const QString &message) { return {false, message, QString()}; }
};

enum class FieldKind
{
    Grid,
    Words,
    Reserved,
    Positions,
    Directions
};

struct FieldSpec
{
    FieldKind kind;
    int capacity;    // character bytes after the length byte
    int writeLength; // grid fields: how many sweep characters a save puts here
};

// The in-memory record of one grid size: the texts of its fields, joined by kind.
class PuzzleFileRecord
{
public:
    explicit PuzzleFileRecord(GridSize size);

    GridSize size() const { return m_size; }
    int byteSize() const;
    const std::vector<FieldSpec> &layout() const;

    QByteArray grid;       // the stored part of the grid sweep
    QByteArray words;      // word list text
    QByteArray positions;  // positions text
    QByteArray directions; // directions text
    QByteArray reserved;   // the small record's reserved field, carried as read (length byte first)

    // Empties every text field (the reserved field is kept).
    void clearTexts();
    // Fills the texts from the puzzle; the sweep gives empty cells a space.
    // Characters the code page cannot hold become "?" and are listed, each
    // once, in `unmapped` when it is given.
    void fillFrom(PuzzleModel &model, QString *unmapped = nullptr);
    // The record's bytes: texts cut to their fields, padding zero.
    QByteArray toBytes() const;
    // Reads a record from the first byteSize() bytes; refuses damaged ones.
    FileResult fromBytes(const QByteArray &bytes, const QString &fileName = QString());
    // What a load reads of the grid text: the columns the editor reads back
    // (the large grid leaves its margin column as it was), or every letter
    // the text holds.
    enum GridRead
    {
        EditorColumns,
        WholeGrid,
    };
    // Puts the texts into the puzzle and restores the cell kinds. Either the
    // whole load happens or the puzzle stays as it was.
    FileResult applyTo(PuzzleModel &model, GridRead read = EditorColumns) const;

private:
    GridSize m_size;
};

class PuzzleFileRecord15 : public PuzzleFileRecord
{
public:
    PuzzleFileRecord15() : PuzzleFileRecord(GridSize::Small) {}
};

class PuzzleFileRecord30 : public PuzzleFileRecord
{
public:
    PuzzleFileRecord30() : PuzzleFileRecord(GridSize::Large) {}
};

// Writes all of `bytes` to an open device; reports a short or failed write.
FileResult writeRecord(QIODevice &device, const QByteArray &bytes);
// Reads one record of `size` from an open device; reports a short file.
FileResult readRecord(QIODevice &device, GridSize size, QByteArray *bytes,
                      const QString &fileName = QString());

// Saving and loading for one editor. It keeps the record between commands,
// which carries the small record's reserved field from the last load.
class PuzzleFile
{
public:
    explicit PuzzleFile(GridSize size);

    // The name a save uses: the chosen one, with the size's extension
    // appended unless it already ends in it exactly (case-sensitive).
    static QString fileNameForSaving(GridSize size, const QString &chosen);

    FileResult save(PuzzleModel &model, const QString &path);
    FileResult load(PuzzleModel &model, const QString &path);

    // Device forms of the above, for callers that bring their own device.
    FileResult save(PuzzleModel &model, QIODevice &device);
    FileResult load(PuzzleModel &model, QIODevice &device, const QString &fileName = QString());

    const PuzzleFileRecord &record() const { return m_record; }

private:
    PuzzleFileRecord m_record;
};

} // namespace quarrin
