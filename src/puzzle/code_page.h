#pragma once

// The character set of puzzle files: Windows-1252, one byte per character.
//
// It is Latin-1 with letters and signs in place of the control codes 0x80 to
// 0x9F ("€", "Š", "Ÿ" and so on). The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of
// the same number, so every byte reads and writes back unchanged.
//
// Upper-casing goes one character at a time, so that a character always
// fills exactly one cell ("ß" stays "ß" instead of becoming "SS"), and a
// character keeps its case where its capital has no byte in the code page.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace quarrin {

// The character a byte stands for.
QChar codePageChar(unsigned char byte);
// The byte of a character, or -1 when the code page has none.
int codePageByte(QChar c);

QString fromCodePage(const QByteArray &bytes);
// Characters without a byte are written as "?"; `unmapped`, when given, gets
// each such character once, in order of first appearance.
QByteArray toCodePage(const QString &text, QString *unmapped = nullptr);

// The capital of one character, as one character.
QChar upperCaseChar(QChar c);
QString upperCaseEachChar(const QString &text);

} // namespace quarrin
