// Which letters a font draws with glyphs of its own: every Greek and Russian
// letter in DejaVu Sans, none in a URW dingbat face, whatever Qt's font
// merging would draw in their place.

#include "language/glyph_coverage.h"
#include "language/language.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quarrin;

Q_DECLARE_METATYPE(QList<quarrin::DrawnText>)

namespace {

const QString kGreek = QStringLiteral("ΛΌΓΟΣ ΠΡΟΪΌΝ ΆΛΦΑ ΨΥΧΉ");
const QString kRussian = QStringLiteral("ОБЪЁМ ЁЛКА ЩУКА ЖИЗНЬ ЭХО");
// A URW base35 face with no Greek or Cyrillic letters.
const QString kDingbats = QStringLiteral("D050000L");

QString lettersOf(const QString &words)
{
    QString out;
    for (const QChar c : words) {
        if (c.isLetter() && !out.contains(c))
            out += c;
    }
    return out;
}

// A one-page PDF with the Greek and the Russian words in the font.
void writePdf(const QString &path, const QFont &font)
{
    QPdfWriter pdf(path);
    QPainter painter(&pdf);
    painter.setFont(font);
    painter.drawText(QPointF(200, 800), kGreek);
    painter.drawText(QPointF(200, 1600), kRussian);
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The faces pdffonts lists: two heading lines, then one line per face.
QStringList pdfFaces(const QString &path)
{
    return run(QStringLiteral("pdffonts"), {path})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
        .mid(2);
}

QString pdfText(const QString &path)
{
    return run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
}

} // namespace

class TestGlyphCoverage : public QObject
{
    Q_OBJECT
private slots:
    // Both faces come with the fonts scripts/setup.sh installs; a missing one
    // would be stood in for by another.
    void initTestCase()
    {
        for (const QString &family : {QStringLiteral("DejaVu Sans"), kDingbats})
            QCOMPARE(resolvedFamily(QFont(family)), family);
    }

    void fontsAgainstWords_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("missing");
        QTest::newRow("DejaVu Sans, Greek") << "DejaVu Sans" << kGreek << "";
        QTest::newRow("DejaVu Sans, Russian") << "DejaVu Sans" << kRussian << "";
        QTest::newRow("dingbats, Greek") << kDingbats << kGreek << lettersOf(kGreek);
        QTest::newRow("dingbats, Russian") << kDingbats << kRussian << lettersOf(kRussian);
    }

    void fontsAgainstWords()
    {
        QFETCH(QString, family);
        QFETCH(QString, words);
        QFETCH(QString, missing);
        const QFont font(family, 14);
        QCOMPARE(resolvedFamily(font), family);
        QCOMPARE(missingGlyphs(font, words), missing);
        if (missing.isEmpty())
            QVERIFY(missingGlyphsMessage(font, words).isEmpty());
        else
            QVERIFY(
                missingGlyphsMessage(font, words)
                    .startsWith(QStringLiteral("The font \"%1\" cannot draw these letters: %2, ")
                                    .arg(family, missing.left(1))));
    }

    // DejaVu Sans draws every letter of every alphabet in the table.
    void dejaVuCoversEveryAlphabet()
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 14);
        for (const Language &l : Language::all())
            QVERIFY2(missingGlyphs(font, l.alphabet()).isEmpty(), qPrintable(l.code()));
    }

    // Qt's own test says yes to every letter, because merging would draw the
    // missing ones with another font; and it does so in a PDF, in another face.
    // Without merging the letters vanish. Neither may pass as drawable.
    void mergingHidesMissingGlyphs()
    {
        const QFont font(kDingbats, 14);
        const QFontMetrics metrics(font);
        for (const QChar c : lettersOf(kGreek + kRussian))
            QVERIFY(metrics.inFont(c));
        QCOMPARE(missingGlyphs(font, kGreek + kRussian), lettersOf(kGreek + kRussian));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString merged = dir.filePath(QStringLiteral("merged.pdf"));
        writePdf(merged, font);
        const QStringList faces = pdfFaces(merged);
        QCOMPARE(faces.size(), 2); // a second face drew the letters
        QVERIFY2(faces.filter(kDingbats).size() == 1, qPrintable(faces.join(QLatin1Char('\n'))));
        QVERIFY(pdfText(merged).contains(kGreek));

        QFont unmerged = font;
        unmerged.setStyleStrategy(QFont::NoFontMerging);
        const QString unmergedPath = dir.filePath(QStringLiteral("unmerged.pdf"));
        writePdf(unmergedPath, unmerged);
        const QString text = pdfText(unmergedPath);
        QVERIFY2(!text.contains(u'Λ') && !text.contains(u'Ж'), qPrintable(text));
    }

    // A font that passes draws both words from its own face alone, embedded,
    // and the letters read back out of the PDF.
    void passingFontDrawsEveryLetterItself()
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 14);
        QVERIFY(missingGlyphs(font, kGreek + kRussian).isEmpty());
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("dejavu.pdf"));
        writePdf(path, font);
        const QStringList faces = pdfFaces(path);
        QCOMPARE(faces.size(), 1);
        QVERIFY2(
            faces.at(0).startsWith(QLatin1String("DejaVuSans ")) &&
                faces.at(0).contains(QRegularExpression(QStringLiteral(" yes +(yes|no) +yes "))),
            qPrintable(faces.at(0))); // embedded, with a Unicode map
        const QString text = pdfText(path);
        QVERIFY2(text.contains(kGreek) && text.contains(kRussian), qPrintable(text));
    }

    // What must be drawable: letters and digits, each once; blanks and
    // punctuation are no letters to report.
    void lettersToDrawLeaveOutBlanksAndPunctuation()
    {
        QCOMPARE(lettersToDraw(u"12. ΛΟΓΟΣ, λόγος! \u2013 Ж\U00012000"),
                 QStringLiteral("12ΛΟΓΣλόγοςЖ\U00012000"));
    }

    // The warning before anything is printed or saved: each font's face
    // with the letters of its texts it lacks, texts of the same face taken
    // together, a list of fonts lacking only what none of them has; then a
    // face to choose that has them all, or the news that none here does.
    void messageBeforePrinting_data()
    {
        const QFont dejaVu(QStringLiteral("DejaVu Sans"), 14);
        const QFont dingbats(kDingbats, 14);
        QFont boldDingbats = dingbats;
        boldDingbats.setBold(true);
        const QString choose =
            QStringLiteral("\n\nNothing was printed or saved. Choose a font that "
                           "has them, such as \"DejaVu Sans\", and try again.");
        QTest::addColumn<QList<DrawnText>>("texts");
        QTest::addColumn<QString>("message");
        QTest::newRow("every letter drawn")
            << QList<DrawnText>{{{dejaVu}, kGreek}, {{dejaVu}, kRussian}} << QString();
        QTest::newRow("no text, no font")
            << QList<DrawnText>{{{}, kGreek}, {{dingbats}, {}}} << QString();
        QTest::newRow("one face, two texts")
            << QList<DrawnText>{{{dingbats}, QStringLiteral("1. ΑΒ")},
                                {{dejaVu}, kRussian},
                                {{boldDingbats}, QStringLiteral("ΒΓ")}}
            << QStringLiteral("The font \"D050000L\" cannot draw these letters: Α, Β, Γ.") + choose;
        const QString noFont =
            QStringLiteral("\n\nNothing was printed or saved. No font on this computer has them: "
                           "install one that does, or leave these letters out.");
        QTest::newRow("two faces")
            << QList<DrawnText>{{{dingbats}, QStringLiteral("ΑΒ")},
                                {{dejaVu}, QStringLiteral("ΛᏣЖ")}}
            << QStringLiteral("The font \"D050000L\" cannot draw these letters: Α, Β.\n"
                              "The font \"DejaVu Sans\" cannot draw these letters: Ꮳ.") +
                   noFont;
        QTest::newRow("a list of fonts")
            << QList<DrawnText>{{{dingbats, dejaVu}, QStringLiteral("ΛᏣЖᎩ")}}
            << QStringLiteral("None of the fonts \"D050000L\", \"DejaVu Sans\" can draw these "
                              "letters: Ꮳ, Ꭹ.") +
                   noFont;
        QTest::newRow("a letter no font has")
            << QList<DrawnText>{{{dejaVu}, QStringLiteral("ᏣᎳᎩ")}}
            << QStringLiteral("The font \"DejaVu Sans\" cannot draw these letters: Ꮳ, Ꮃ, Ꭹ.\n\n"
                              "Nothing was printed or saved. No font on this computer has them: "
                              "install one that does, or leave these letters out.");
    }
    void messageBeforePrinting()
    {
        QFETCH(QList<DrawnText>, texts);
        QFETCH(QString, message);
        QCOMPARE(unprintableLettersMessage(texts), message);
    }

    void lettersBeyondSixteenBitsAndRepeats()
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 14);
        // A letter listed twice is named once; a character past 16 bits is one letter.
        const QString cuneiform = QStringLiteral("\U00012000");
        QCOMPARE(missingGlyphs(font, cuneiform + cuneiform + QStringLiteral("AA")), cuneiform);
    }
};

QTEST_MAIN(TestGlyphCoverage)
#include "test_glyph_coverage.moc"
