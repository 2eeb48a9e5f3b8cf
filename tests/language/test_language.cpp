// The language table, upper-casing with and without accents, the refusal of
// letters outside an alphabet, the word box's key filter and the provenance
// of the letter counts.

#include "language/language.h"
#include "language/letter_frequencies.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace quarrin;

Q_DECLARE_METATYPE(PuzzleWord::Status)

namespace {

const Language &lang(const char *code)
{
    const Language *l = Language::find(QString::fromLatin1(code));
    if (!l)
        qFatal("no language %s", code);
    return *l;
}

// Rules written as in the test tables: "keep", "plain" (accents off),
// "keep ẞ" (the capital sharp s).
LetterRules rulesOf(const QString &text)
{
    LetterRules rules;
    rules.keepAccents = text.startsWith(QLatin1String("keep"));
    rules.sharpS = text.endsWith(QStringLiteral("ẞ")) ? SharpS::Capital : SharpS::DoubleS;
    return rules;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void tableHasTheLanguagesOfAMenu()
    {
        QStringList codes;
        for (const Language &l : Language::all())
            codes << l.code();
        QCOMPARE(codes, (QStringList{"en", "es", "fr", "de", "it", "pt", "nl", "pl", "tr", "sv",
                                     "el", "ru", "uk"}));
        QCOMPARE(Language::english().code(), QStringLiteral("en"));
        QCOMPARE(lang("de").nativeName(), QStringLiteral("Deutsch"));
        QCOMPARE(lang("el").nativeName(), QStringLiteral("Ελληνικά"));
        QCOMPARE(Language::find(u"TR")->englishName(), QStringLiteral("Turkish"));
        QVERIFY(!Language::find(u"he"));
        QVERIFY(!Language::find(u""));
        QVERIFY(!Language::find(u"eng"));
    }

    // Every letter is one upper-case code unit, once; the table's rows and the
    // letters in effect under each rule stay within the sampler's 64.
    void alphabetsAreUpperCaseLettersEachOnce()
    {
        for (const Language &l : Language::all()) {
            const QString &a = l.alphabet();
            QVERIFY2(a.size() >= 24 && a.size() <= 64, qPrintable(l.code()));
            QCOMPARE(QSet<QChar>(a.begin(), a.end()).size(), a.size());
            for (const QChar c : a) {
                QVERIFY2(c.isLetter() && !c.isSurrogate() && c.toUpper() == c,
                         qPrintable(l.code() + QLatin1Char(' ') + c));
                QVERIFY2(QString(c).normalized(QString::NormalizationForm_C) == QString(c),
                         qPrintable(c));
            }
        }
    }

    // Typed in upper or lower case, every letter in effect comes back as itself.
    void everyLetterInEffectTypesAsItself()
    {
        for (const Language &l : Language::all()) {
            for (const char *rules : {"keep", "keep ẞ", "plain"}) {
                const Alphabet alphabet(l, rulesOf(QString::fromUtf8(rules)));
                for (const QChar c : alphabet.letters()) {
                    // Turkish I is the capital of dotless ı, İ that of i.
                    QChar lower = c.toLower();
                    if (l.dottedCapitalI() && (c == u'I' || c == u'İ'))
                        lower = c == u'I' ? u'ı' : u'i';
                    for (const QChar typed : {c, lower}) {
                        QCOMPARE(alphabet.word(QString(typed)).letters, QString(c));
                        QVERIFY(alphabet.acceptsKey(typed));
                    }
                }
            }
        }
    }

    void lettersInEffect_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("letters");
        // clang-format off
        QTest::newRow("de keep ẞ") << "de" << "keep ẞ" << "AÄBCDEFGHIJKLMNOÖPQRSẞTUÜVWXYZ";
        QTest::newRow("de keep SS") << "de" << "keep" << "AÄBCDEFGHIJKLMNOÖPQRSTUÜVWXYZ";
        QTest::newRow("de plain") << "de" << "plain" << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        QTest::newRow("fr plain") << "fr" << "plain" << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        QTest::newRow("es plain: no Ñ") << "es" << "plain" << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        QTest::newRow("pl plain") << "pl" << "plain" << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        QTest::newRow("tr plain") << "tr" << "plain" << "ABCDEFGHIJKLMNOPRSTUVYZ";
        QTest::newRow("sv keep") << "sv" << "keep" << "ABCDEÉFGHIJKLMNOPQRSTUVWXYZÅÄÖ";
        QTest::newRow("el plain") << "el" << "plain" << "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ";
        QTest::newRow("ru plain: Й stays, Ё goes")
            << "ru" << "plain" << "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
        QTest::newRow("uk plain: nothing folds")
            << "uk" << "plain" << "АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ";
        // clang-format on
    }

    void lettersInEffect()
    {
        QFETCH(QString, code);
        QFETCH(QString, rules);
        QFETCH(QString, letters);
        QCOMPARE(Alphabet(lang(qPrintable(code)), rulesOf(rules)).letters(), letters);
    }

    void words_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("grownBy");

        // clang-format off
        // Turkish: dotted and dotless i each keep their capital.
        QTest::newRow("tr istanbul") << "tr" << "keep" << "istanbul" << "İSTANBUL" << 0;
        QTest::newRow("tr ılık") << "tr" << "keep" << "ılık" << "ILIK" << 0;
        QTest::newRow("tr Iğdır") << "tr" << "keep" << "Iğdır" << "IĞDIR" << 0;
        QTest::newRow("tr çiçek") << "tr" << "keep" << "çiçek" << "ÇİÇEK" << 0;
        QTest::newRow("tr çiçek plain") << "tr" << "plain" << "çiçek" << "CICEK" << 0;
        QTest::newRow("tr şişe plain") << "tr" << "plain" << "şişe" << "SISE" << 0;
        QTest::newRow("tr hâlâ") << "tr" << "keep" << "hâlâ" << "HÂLÂ" << 0;
        QTest::newRow("tr hâlâ plain") << "tr" << "plain" << "hâlâ" << "HALA" << 0;
        // German: ß as SS (a letter longer) or ẞ.
        QTest::newRow("de Straße SS") << "de" << "keep" << "Straße" << "STRASSE" << 1;
        QTest::newRow("de Straße ẞ") << "de" << "keep ẞ" << "Straße" << "STRAẞE" << 0;
        QTest::newRow("de STRAẞE SS") << "de" << "keep" << "STRAẞE" << "STRASSE" << 1;
        QTest::newRow("de Straße plain") << "de" << "plain ẞ" << "Straße" << "STRASSE" << 1;
        QTest::newRow("de Übergröße") << "de" << "keep" << "Übergröße" << "ÜBERGRÖSSE" << 1;
        QTest::newRow("de Übergröße plain") << "de" << "plain" << "Übergröße" << "UBERGROSSE" << 1;
        QTest::newRow("de Äpfel plain") << "de" << "plain" << "Äpfel" << "APFEL" << 0;
        QTest::newRow("de café plain") << "de" << "plain" << "café" << "CAFE" << 0;
        // Greek: final sigma, the tonos kept or dropped, ΐ without a capital.
        QTest::newRow("el λόγος") << "el" << "keep" << "λόγος" << "ΛΌΓΟΣ" << 0;
        QTest::newRow("el λόγος plain") << "el" << "plain" << "λόγος" << "ΛΟΓΟΣ" << 0;
        QTest::newRow("el άλφα") << "el" << "keep" << "άλφα" << "ΆΛΦΑ" << 0;
        QTest::newRow("el προϊόν") << "el" << "keep" << "προϊόν" << "ΠΡΟΪΌΝ" << 0;
        QTest::newRow("el προϊόν plain") << "el" << "plain" << "προϊόν" << "ΠΡΟΙΟΝ" << 0;
        QTest::newRow("el ταΐζω") << "el" << "keep" << "ταΐζω" << "ΤΑΪΖΩ" << 0;
        QTest::newRow("el ταΐζω plain") << "el" << "plain" << "ταΐζω" << "ΤΑΙΖΩ" << 0;
        QTest::newRow("el ά as α + tonos") << "el" << "keep" << "\u03b1\u0301" << "Ά" << 0;
        // Russian and Ukrainian: Ё folds, Й and Ї never do.
        QTest::newRow("ru ёлка") << "ru" << "keep" << "ёлка" << "ЁЛКА" << 0;
        QTest::newRow("ru ёлка plain") << "ru" << "plain" << "ёлка" << "ЕЛКА" << 0;
        QTest::newRow("ru ё as е + diaeresis") << "ru" << "keep" << "\u0435\u0308ж" << "ЁЖ" << 0;
        QTest::newRow("ru йод plain") << "ru" << "plain" << "йод" << "ЙОД" << 0;
        QTest::newRow("ru объём") << "ru" << "keep" << "объём" << "ОБЪЁМ" << 0;
        QTest::newRow("uk їжак plain") << "uk" << "plain" << "їжак" << "ЇЖАК" << 0;
        QTest::newRow("uk ґанок") << "uk" << "keep" << "ґанок" << "ҐАНОК" << 0;
        // Polish.
        QTest::newRow("pl źdźbło") << "pl" << "keep" << "źdźbło" << "ŹDŹBŁO" << 0;
        QTest::newRow("pl źdźbło plain") << "pl" << "plain" << "źdźbło" << "ZDZBLO" << 0;
        QTest::newRow("pl żółć plain") << "pl" << "plain" << "ŻÓŁĆ" << "ZOLC" << 0;
        QTest::newRow("pl gęś") << "pl" << "keep" << "gęś" << "GĘŚ" << 0;
        // Others, and what the table of plain forms does to two-letter forms.
        QTest::newRow("es niño") << "es" << "keep" << "niño" << "NIÑO" << 0;
        QTest::newRow("es niño plain") << "es" << "plain" << "niño" << "NINO" << 0;
        QTest::newRow("fr cœur") << "fr" << "keep" << "cœur" << "CŒUR" << 0;
        QTest::newRow("fr cœur plain") << "fr" << "plain" << "cœur" << "COEUR" << 1;
        QTest::newRow("en café plain") << "en" << "plain" << "café" << "CAFE" << 0;
        QTest::newRow("en foreign č plain") << "en" << "plain" << "čaj" << "CAJ" << 0;
        QTest::newRow("en ß") << "en" << "keep" << "straße" << "STRASSE" << 1;
        // A letter with a mark that has no composed form is one character.
        QTest::newRow("en e + macron below plain") << "en" << "plain" << "be\u0331d" << "BED" << 0;
        // clang-format on
    }

    void words()
    {
        QFETCH(QString, code);
        QFETCH(QString, rules);
        QFETCH(QString, typed);
        QFETCH(QString, letters);
        QFETCH(int, grownBy);
        const PuzzleWord w = Alphabet(lang(qPrintable(code)), rulesOf(rules)).word(typed);
        QCOMPARE(w.refused, QString());
        QCOMPARE(w.letters, letters);
        QCOMPARE(w.grownBy, grownBy);
        QVERIFY(w.ok() && w.message.isEmpty());
        QCOMPARE(Alphabet(lang(qPrintable(code)), rulesOf(rules)).lettersOf(typed), letters);
    }

    // The first character that cannot go into the grid is named, as typed.
    void refusals_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<PuzzleWord::Status>("status");

        // clang-format off
        QTest::newRow("tr quiz refused") << "tr" << "keep" << "quiz" << "q"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("de café refused") << "de" << "keep" << "café" << "é"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("el Latin refused") << "el" << "keep" << "alpha" << "a"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("ru Ukrainian ї refused") << "ru" << "plain" << "їжак" << "ї"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("uk apostrophe refused") << "uk" << "keep" << "м'ята" << "'"
            << PuzzleWord::Status::NotALetter;
        QTest::newRow("pl Cyrillic refused") << "pl" << "keep" << "Жук" << "Ж"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("en café refused") << "en" << "keep" << "café" << "é"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("en e + macron below refused") << "en" << "keep" << "be\u0331d" << "e\u0331"
            << PuzzleWord::Status::NotInAlphabet;
        QTest::newRow("en digit") << "en" << "plain" << "abc1" << "1"
            << PuzzleWord::Status::NotALetter;
        QTest::newRow("en blank") << "en" << "keep" << "ice cream" << " "
            << PuzzleWord::Status::NotALetter;
        QTest::newRow("en emoji") << "en" << "keep" << "a\U0001F600" << "\U0001F600"
            << PuzzleWord::Status::NotALetter;
        QTest::newRow("en letter beyond 16 bits") << "en" << "plain" << "\U0001D400" << "\U0001D400"
            << PuzzleWord::Status::NotInAlphabet;
        // clang-format on
    }

    void refusals()
    {
        QFETCH(QString, code);
        QFETCH(QString, rules);
        QFETCH(QString, typed);
        QFETCH(QString, refused);
        QFETCH(PuzzleWord::Status, status);
        const Language &language = lang(qPrintable(code));
        const PuzzleWord w = Alphabet(language, rulesOf(rules)).word(typed);
        QCOMPARE(w.status, status);
        QCOMPARE(w.refused, refused);
        QVERIFY(w.letters.isEmpty());
        QCOMPARE(w.message,
                 status == PuzzleWord::Status::NotALetter
                     ? QStringLiteral("The character \"%1\" is not a letter.").arg(refused)
                     : QStringLiteral("The letter \"%1\" is not in the %2 alphabet.")
                           .arg(refused, language.englishName()));
    }

    void refusalNamesTheLetterAsInTheExample()
    {
        const PuzzleWord w = Alphabet(lang("pl")).word(QStringLiteral("Жук"));
        QCOMPARE(w.message, QStringLiteral("The letter \"Ж\" is not in the Polish alphabet."));
    }

    // A document or a choice names its language by code; one that names none
    // is English, so a puzzle always has an alphabet.
    void alphabetForACode()
    {
        LetterRules plain;
        plain.keepAccents = false;
        QCOMPARE(Alphabet::forCode(u"EL").language().code(), QStringLiteral("el"));
        QVERIFY(Alphabet::forCode(u"de", plain).rules() == plain);
        QCOMPARE(Alphabet::forCode(u"xx").language(), Language::english());
        QCOMPARE(Alphabet::forCode(QStringView()).language(), Language::english());
    }

    void emptyWordIsLeftToTheCaller()
    {
        const PuzzleWord w = Alphabet().word(QString());
        QCOMPARE(w.status, PuzzleWord::Status::Empty);
        QVERIFY(w.message.isEmpty() && w.letters.isEmpty());
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("through");
        QTest::addColumn<QString>("dropped");
        // clang-format off
        QTest::newRow("en keep") << "en" << "keep" << "azAZß" << "éÉ1 -'\u0301ж";
        QTest::newRow("en plain") << "en" << "plain" << "azéÉñŁ\u0301\u0331" << "1ж";
        QTest::newRow("tr") << "tr" << "keep" << "iıİIşŞğĞâ" << "qwxQWX";
        QTest::newRow("de keep") << "de" << "keep" << "ßẞäÄöü" << "éñ";
        QTest::newRow("de plain") << "de" << "plain" << "ßéñ" << "ж";
        QTest::newRow("fr marks") << "fr" << "keep" << "œŒçéè\u0301\u0300\u0302\u0308\u0327"
                                  << "ñ\u0331\u0303";
        QTest::newRow("el") << "el" << "keep" << "ςσάΐϊΆΣ\u0301\u0308" << "aA";
        QTest::newRow("ru") << "ru" << "keep" << "ёЁъЪйЙ" << "їЇєґaA";
        QTest::newRow("uk") << "uk" << "keep" << "їЇєЄґҐіІ" << "ёъыэ'";
        QTest::newRow("pl") << "pl" << "keep" << "żŻłŁąĄ" << "жčš";
        // clang-format on
    }

    void keyFilter()
    {
        QFETCH(QString, code);
        QFETCH(QString, rules);
        QFETCH(QString, through);
        QFETCH(QString, dropped);
        const Alphabet alphabet(lang(qPrintable(code)), rulesOf(rules));
        for (const QChar c : through)
            QVERIFY2(alphabet.acceptsKey(c), qPrintable(QString(c)));
        for (const QChar c : dropped)
            QVERIFY2(!alphabet.acceptsKey(c), qPrintable(QString(c)));
        QVERIFY(alphabet.acceptsText(through));
        QVERIFY(!alphabet.acceptsText(through + dropped.at(0)));
        QVERIFY(!alphabet.acceptsText(QStringLiteral("a\U0001D400")));
    }

    // Each language's counts were made for its alphabet as it stands, from a
    // named Debian package and file.
    void letterCountsNameTheirSource()
    {
        const QRegularExpression source(QStringLiteral(
            R"(^[a-z0-9.+-]+ [0-9][^ ]*, /usr/share/(dict|hunspell)/[^ ]+: .* \(\d+ words counted, \d+ passed over\)$)"));
        QCOMPARE(kLetterFrequencyTableCount, int(Language::all().size()));
        for (const Language &l : Language::all()) {
            const LetterFrequencyTable *table = letterFrequencyTable(qPrintable(l.code()));
            QVERIFY2(table, qPrintable(l.code()));
            QCOMPARE(QString::fromUtf16(table->letters), l.alphabet());
            QVERIFY2(source.match(l.frequencySource()).hasMatch(), qPrintable(l.frequencySource()));
            QVERIFY(table->wordsCounted >= 50000);
            QCOMPARE(int(l.letterCounts().size()), int(l.alphabet().size()));
            // Every letter of the plain alphabet is met in the words.
            const Alphabet plain(l, rulesOf(QStringLiteral("plain")));
            for (const QChar c : plain.letters()) {
                const int at = int(l.alphabet().indexOf(c));
                QVERIFY2(l.letterCounts()[std::size_t(at)] > 0,
                         qPrintable(l.code() + QLatin1Char(' ') + c));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestLanguage)
#include "test_language.moc"
