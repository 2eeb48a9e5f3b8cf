#pragma once

// Which letters a font can draw with glyphs of its own.
//
// Qt draws a character that a font lacks with another installed font that
// has it (font merging), on screen and in PDFs alike, and draws an empty box
// when none has it. So "the font can draw it" would depend on the machine,
// and a page could come out in two faces, or with boxes on a machine without
// the stand-in. Here a letter counts as drawable only when the face the
// QFont resolves to (the one Qt draws its text with first, after the
// system's substitutions) maps it to a glyph of its own. A letter this finds
// missing must be reported before anything is printed or saved.

#include <QFont>
#include <QList>
#include <QString>
#include <QStringView>

namespace quarrin {

// The letters of `letters` (each once, in order of first appearance) that the
// font's own face has no glyph for.
QString missingGlyphs(const QFont &font, QStringView letters);

// The family of the face the font resolves to (a request for "Arial" may
// resolve to "Liberation Sans").
QString resolvedFamily(const QFont &font);

// For the user, naming the face and the letters, e.g.
// The font "Nimbus Sans" cannot draw these letters: Ж, Щ.
// Empty when nothing is missing.
QString missingGlyphsMessage(const QFont &font, QStringView letters);

// Text that an output draws and the fonts it draws it with. Pages, pictures
// and PDFs draw with one font, whose face must have every letter itself (a
// letter taken from a stand-in would come out in another face, or as a box
// where the stand-in is missing). A web page names several and the browser
// takes each letter from the first that has it.
struct DrawnText
{
    QList<QFont> fonts;
    QString text;
};

// The letters and digits of `text`, each once, in order of first appearance:
// what must be drawable for the text to read (spaces and punctuation aside).
QString lettersToDraw(QStringView text);

// For the user, before anything is printed or saved: each font (by the face
// it resolves to) with the letters of its texts that it cannot draw, then a
// font to choose that has them all, where one is installed. Empty when every
// letter can be drawn.
QString unprintableLettersMessage(const QList<DrawnText> &texts);

} // namespace quarrin
