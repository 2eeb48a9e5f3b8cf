#pragma once

#include <QString>

namespace quarrin {

// The two grid sizes. Everything that differs between them is a row of the
// size table below; no other code branches on the size.
enum class GridSize
{
    Small,
    Large
};

struct SizeSpec
{
    GridSize size;
    int n;             // visible columns and rows
    int store;         // cell store side: n + 1 (the last column and row are a hidden margin)
    int maxWordLength; // longest word
    int maxWords;      // most words in a puzzle
    int snapshotWords; // words handed to the play and print windows
    int editorCellPixels;
    int recordBytes;           // size of one puzzle file record
    const char *fileExtension; // ".qrn" / ".qrn2"
    const char *fileFilter;    // file dialog filter
    const char *editorCaption;
    const char *switchCaption; // caption and hint of the size-switch button
    const char *positionsHint;
    const char *deleteHint;
    const char *tooLargeMessage;
    const char *coordinateMessage;
    // Random fill: the large grid reseeds from the clock before the fill and
    // again at the start of every column; the small grid goes on from the
    // generator's current state.
    bool reseedRandomFill;
    // The message fill writes a six-space mark ("      .") instead of kFillerMark.
    bool wideMessageMark;
    // The message prompt: the small grid names the number of free cells.
    bool messagePromptShowsCount;
    // The small editor trims the position lines after every load command,
    // even a cancelled one.
    bool trimPositionsAfterLoad;
};

const SizeSpec &sizeSpec(GridSize size);

// Filler mark appended to every filled letter: five spaces and a full stop.
inline const QString kFillerMark = QStringLiteral("     .");

} // namespace quarrin
