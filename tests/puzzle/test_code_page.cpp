// The puzzle files' character set and the one-character upper-casing that
// keeps every character in one cell.

#include "board.h"
#include "puzzle/code_page.h"

#include <QTest>

using namespace quarrin;
using namespace quarrin::test;

class TestCodePage : public QObject
{
    Q_OBJECT
private slots:
    void bytesAndCharacters_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("character");
        const struct
        {
            int byte;
            char16_t c;
        } rows[] = {
            {0x41, u'A'},   {0x80, u'€'},   {0x82, u'‚'},   {0x83, u'ƒ'},   {0x85, u'…'},
            {0x8A, u'Š'},   {0x8C, u'Œ'},   {0x8E, u'Ž'},   {0x91, u'‘'},   {0x94, u'”'},
            {0x96, u'–'},   {0x97, u'—'},   {0x99, u'™'},   {0x9A, u'š'},   {0x9C, u'œ'},
            {0x9E, u'ž'},   {0x9F, u'Ÿ'},   {0xA0, 0x00A0}, {0xC4, u'Ä'},   {0xDF, u'ß'},
            {0xFF, u'ÿ'},   {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
            {0x9D, 0x009D},
        };
        for (const auto &r : rows)
            QTest::newRow(qPrintable(QStringLiteral("0x%1").arg(r.byte, 2, 16)))
                << r.byte << QString(QChar(r.c));
    }
    void bytesAndCharacters()
    {
        QFETCH(int, byte);
        QFETCH(QString, character);
        QCOMPARE(QString(codePageChar(uchar(byte))), character);
        QCOMPARE(codePageByte(character.at(0)), byte);
        QCOMPARE(toCodePage(character), QByteArray(1, char(byte)));
        QCOMPARE(fromCodePage(QByteArray(1, char(byte))), character);
    }

    // All 32 bytes 0x80 to 0x9F against the code page's published table
    // (the Unicode consortium's mapping of Windows-1252); the five bytes it
    // leaves undefined stand for the control character of the same number.
    void highBytesAsPublished()
    {
        const char32_t published[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
        };
        for (int byte = 0x80; byte <= 0x9F; ++byte) {
            const char32_t expected = published[byte - 0x80];
            const QByteArray tag = QByteArray::number(byte, 16);
            QVERIFY2(codePageChar(uchar(byte)).unicode() == expected, tag.constData());
            QVERIFY2(codePageByte(QChar(char16_t(expected))) == byte, tag.constData());
        }
    }

    void everyByteReadsAndWritesBack()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = fromCodePage(all);
        QCOMPARE(text.size(), 256);
        QString unmapped;
        QCOMPARE(toCodePage(text, &unmapped), all);
        QVERIFY(unmapped.isEmpty());
    }

    // Characters without a byte become "?" and are each listed once.
    void charactersWithoutAByte()
    {
        QString unmapped;
        QCOMPARE(toCodePage(QStringLiteral("ЖA✓Ж€\u0080"), &unmapped), QByteArray("?A??\x80?"));
        QCOMPARE(unmapped, QStringLiteral("Ж✓\u0080"));
    }

    void upperCaseOneCharacterAtATime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("plain") << "word"
                               << "WORD";
        QTest::newRow("sharp s stays one character") << "straße"
                                                     << "STRAßE";
        QTest::newRow("code page letters") << "šœžÿ"
                                           << "ŠŒŽŸ";
        QTest::newRow("Latin-1 letters") << "äöüéñ"
                                         << "ÄÖÜÉÑ";
        // The capital of the micro sign is Greek, which the files cannot hold.
        QTest::newRow("micro sign stays") << "µm"
                                          << "µM";
        QTest::newRow("other scripts") << "жук"
                                       << "ЖУК";
        QTest::newRow("signs") << "€1,5"
                               << "€1,5";
    }
    void upperCaseOneCharacterAtATime()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(upperCaseEachChar(text), upper);
    }

    // The commands that upper-case: a message fill and a word at a given position.
    void commandsKeepOneCharacterPerCell()
    {
        RandomGenerator random = fixedRandom();
        PuzzleModel model(GridSize::Small, &random);
        model.fillMessage(QStringLiteral("ß ÿ€"));
        QCOMPARE(board(model, 4, 1), QStringList{QStringLiteral("ßŸ€.").toLower()});
        QCOMPARE(model.cell(0, 0), QStringLiteral("ß") + kFillerMark);
        QCOMPARE(model.cell(1, 0), QStringLiteral("Ÿ") + kFillerMark);

        PuzzleModel words(GridSize::Small, &random);
        place(words, QStringLiteral("größe"), 1, 2, QStringLiteral("Right"));
        QCOMPARE(words.log(), QStringList{QStringLiteral("GRÖßE")});
        QCOMPARE(board(words, 6, 2), (QStringList{"......", QStringLiteral("GRÖßE.")}));
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "test_code_page.moc"
