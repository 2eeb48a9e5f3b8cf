#include "language/glyph_coverage.h"

#include <QRawFont>
#include <QStringList>

namespace quarrin {

QString missingGlyphs(const QFont &font, QStringView letters)
{
    // The face Qt draws with first, before any merging (WritingSystem Any
    // asks for no script-specific stand-in).
    const QRawFont face = QRawFont::fromFont(font);
    QString missing;
    const QList<uint> codes = letters.toUcs4();
    for (const uint code : codes) {
        const QString letter = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        if (missing.contains(letter))
            continue;
        if (!face.isValid() || !face.supportsCharacter(code))
            missing += letter;
    }
    return missing;
}

QString resolvedFamily(const QFont &font)
{
    const QRawFont face = QRawFont::fromFont(font);
    return face.isValid() ? face.familyName() : font.family();
}

QString missingGlyphsMessage(const QFont &font, QStringView letters)
{
    const QString missing = missingGlyphs(font, letters);
    if (missing.isEmpty())
        return QString();
    QStringList named;
    const QList<uint> codes = QStringView(missing).toUcs4();
    for (const uint code : codes)
        named << QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    return QStringLiteral("The font \"%1\" cannot draw these letters: %2.")
        .arg(resolvedFamily(font), named.join(QStringLiteral(", ")));
}

} // namespace quarrin
