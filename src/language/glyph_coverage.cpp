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

namespace {

// The letters one by one, "Ж, Щ".
QString listed(QStringView letters)
{
    QStringList named;
    const QList<uint> codes = letters.toUcs4();
    for (const uint code : codes)
        named << QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    return named.join(QStringLiteral(", "));
}

QString fontLacks(const QString &family, QStringView missing)
{
    return QStringLiteral("The font \"%1\" cannot draw these letters: %2.")
        .arg(family, listed(missing));
}

// Faces that cover Latin, Greek and Cyrillic, the first installed one of
// which is suggested.
const char *const kSuggestedFamilies[] = {"DejaVu Sans", "Noto Sans", "Liberation Sans", "FreeSans",
                                          "DejaVu Serif"};

} // namespace

QString missingGlyphsMessage(const QFont &font, QStringView letters)
{
    const QString missing = missingGlyphs(font, letters);
    if (missing.isEmpty())
        return QString();
    return fontLacks(resolvedFamily(font), missing);
}

QString lettersToDraw(QStringView text)
{
    QString letters;
    const QList<uint> codes = text.toUcs4();
    for (const uint code : codes) {
        if (!QChar::isLetterOrNumber(char32_t(code)))
            continue;
        const QString letter = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        if (!letters.contains(letter))
            letters += letter;
    }
    return letters;
}

QString unprintableLettersMessage(const QList<DrawnText> &texts)
{
    // The missing letters under the faces that lack them, texts drawn with the
    // same faces taken together.
    QStringList faceGroups;
    QStringList groupMissing;
    QString allMissing;
    for (const DrawnText &drawn : texts) {
        if (drawn.fonts.isEmpty())
            continue;
        const QString letters = lettersToDraw(drawn.text);
        if (letters.isEmpty())
            continue;
        // A letter is missing when none of the fonts has it.
        QString missing = letters;
        for (const QFont &font : drawn.fonts) {
            const QString lacking = missingGlyphs(font, missing);
            QString kept;
            const QList<uint> codes = QStringView(missing).toUcs4();
            for (const uint code : codes) {
                const QString letter =
                    QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
                if (lacking.contains(letter))
                    kept += letter;
            }
            missing = kept;
        }
        if (missing.isEmpty())
            continue;
        QStringList faces;
        for (const QFont &font : drawn.fonts)
            faces << resolvedFamily(font);
        faces.removeDuplicates();
        const QString key = faces.join(QLatin1Char('\n'));
        int group = int(faceGroups.indexOf(key));
        if (group < 0) {
            faceGroups << key;
            groupMissing << QString();
            group = int(faceGroups.size()) - 1;
        }
        const QList<uint> codes = QStringView(missing).toUcs4();
        for (const uint code : codes) {
            const QString letter = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
            if (!groupMissing[group].contains(letter))
                groupMissing[group] += letter;
            if (!allMissing.contains(letter))
                allMissing += letter;
        }
    }
    if (faceGroups.isEmpty())
        return QString();

    QStringList lines;
    for (int g = 0; g < faceGroups.size(); ++g) {
        const QStringList faces = faceGroups.at(g).split(QLatin1Char('\n'));
        if (faces.size() == 1) {
            lines << fontLacks(faces.first(), groupMissing.at(g));
        } else {
            QStringList quoted;
            for (const QString &face : faces)
                quoted << QLatin1Char('"') + face + QLatin1Char('"');
            lines << QStringLiteral("None of the fonts %1 can draw these letters: %2.")
                         .arg(quoted.join(QStringLiteral(", ")), listed(groupMissing.at(g)));
        }
    }
    QString advice = QStringLiteral("No font on this computer has them: install one that does, "
                                    "or leave these letters out.");
    for (const char *name : kSuggestedFamilies) {
        const QString family = QString::fromLatin1(name);
        const QFont candidate(family);
        if (resolvedFamily(candidate) == family && missingGlyphs(candidate, allMissing).isEmpty()) {
            advice = QStringLiteral("Choose a font that has them, such as \"%1\", and try again.")
                         .arg(family);
            break;
        }
    }
    return lines.join(QLatin1Char('\n')) + QStringLiteral("\n\nNothing was printed or saved. ") +
           advice;
}

} // namespace quarrin
