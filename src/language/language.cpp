#include "language/language.h"

#include "language/letter_frequencies.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cstring>

namespace quarrin {

// One row per language. scripts/make_letter_frequencies.py reads the code and
// alphabet of each row from this table, so keep a row on one line.
struct Language::Data
{
    const char *code;
    const char *englishName;
    const char16_t *nativeName;
    const char16_t *alphabet;
    bool dottedCapitalI;
};

namespace {

// clang-format off
constexpr Language::Data kLanguages[] = {
    {"en", "English", u"English", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", false},
    {"es", "Spanish", u"Español", u"AÁBCDEÉFGHIÍJKLMNÑOÓPQRSTUÚÜVWXYZ", false},
    {"fr", "French", u"Français", u"AÀÂÆBCÇDEÉÈÊËFGHIÎÏJKLMNOÔŒPQRSTUÙÛÜVWXYŸZ", false},
    {"de", "German", u"Deutsch", u"AÄBCDEFGHIJKLMNOÖPQRSẞTUÜVWXYZ", false},
    {"it", "Italian", u"Italiano", u"AÀBCDEÈÉFGHIÌJKLMNOÒÓPQRSTUÙVWXYZ", false},
    {"pt", "Portuguese", u"Português", u"AÁÂÃÀBCÇDEÉÊFGHIÍJKLMNOÓÔÕPQRSTUÚVWXYZ", false},
    {"nl", "Dutch", u"Nederlands", u"AÁBCDEÉÈÊËFGHIÍÏJKLMNOÓÖPQRSTUÚÜVWXYZ", false},
    {"pl", "Polish", u"Polski", u"AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ", false},
    {"tr", "Turkish", u"Türkçe", u"AÂBCÇDEFGĞHIİÎJKLMNOÖPRSŞTUÛÜVYZ", true},
    {"sv", "Swedish", u"Svenska", u"ABCDEÉFGHIJKLMNOPQRSTUVWXYZÅÄÖ", false},
    {"el", "Greek", u"Ελληνικά", u"ΑΆΒΓΔΕΈΖΗΉΘΙΊΪΚΛΜΝΞΟΌΠΡΣΤΥΎΫΦΧΨΩΏ", false},
    {"ru", "Russian", u"Русский", u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", false},
    {"uk", "Ukrainian", u"Українська", u"АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ", false},
};

// The plain form of each letter that has one, used when accents are off
// (and only where every plain letter is in the puzzle's alphabet). One
// table for every language: the extra letters of Turkish, Polish, Swedish
// and German fold like accents, and so does Spanish Ñ, as English-style
// puzzles want. Cyrillic Й, Ї, Є, Ґ are letters of their own that nobody
// writes plain, so they are not here; Ё is commonly written Е.
struct PlainForm
{
    char16_t letter;
    const char16_t *plain;
};
constexpr PlainForm kPlainForms[] = {
    {u'À', u"A"}, {u'Á', u"A"}, {u'Â', u"A"}, {u'Ã', u"A"}, {u'Ä', u"A"}, {u'Å', u"A"},
    {u'Ą', u"A"}, {u'Æ', u"AE"},
    {u'Ç', u"C"}, {u'Ć', u"C"},
    {u'È', u"E"}, {u'É', u"E"}, {u'Ê', u"E"}, {u'Ë', u"E"}, {u'Ę', u"E"},
    {u'Ğ', u"G"},
    {u'Ì', u"I"}, {u'Í', u"I"}, {u'Î', u"I"}, {u'Ï', u"I"}, {u'İ', u"I"},
    {u'Ł', u"L"},
    {u'Ñ', u"N"}, {u'Ń', u"N"},
    {u'Ò', u"O"}, {u'Ó', u"O"}, {u'Ô', u"O"}, {u'Õ', u"O"}, {u'Ö', u"O"}, {u'Ø', u"O"},
    {u'Œ', u"OE"},
    {u'Ś', u"S"}, {u'Ş', u"S"}, {u'ẞ', u"SS"},
    {u'Ù', u"U"}, {u'Ú', u"U"}, {u'Û', u"U"}, {u'Ü', u"U"},
    {u'Ý', u"Y"}, {u'Ÿ', u"Y"},
    {u'Ź', u"Z"}, {u'Ż', u"Z"},
    {u'Ά', u"Α"}, {u'Έ', u"Ε"}, {u'Ή', u"Η"}, {u'Ί', u"Ι"}, {u'Ϊ', u"Ι"}, {u'Ό', u"Ο"},
    {u'Ύ', u"Υ"}, {u'Ϋ', u"Υ"}, {u'Ώ', u"Ω"},
    {u'Ё', u"Е"},
};
// clang-format on

constexpr char16_t kCapitalSharpS = u'ẞ';

const char16_t *plainFormOf(char16_t letter)
{
    for (const PlainForm &p : kPlainForms) {
        if (p.letter == letter)
            return p.plain;
    }
    return nullptr;
}

// The capital of one character, where it is not QChar::toUpper's.
char16_t capitalOf(QChar c, bool dottedCapitalI)
{
    switch (c.unicode()) {
    case u'i':
        return dottedCapitalI ? u'İ' : u'I';
    case u'ß':
        return kCapitalSharpS;
    case u'ΐ': // no one-letter capital: Greek capitals drop the tonos
        return u'Ϊ';
    case u'ΰ':
        return u'Ϋ';
    default:
        return c.toUpper().unicode();
    }
}

bool allMarks(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isMark(); });
}

// Whether a character (with any marks, or a surrogate pair) is a letter.
bool startsWithLetter(QStringView cluster)
{
    const QChar first = cluster.at(0);
    if (first.isHighSurrogate() && cluster.size() > 1)
        return QChar::isLetter(QChar::surrogateToUcs4(first, cluster.at(1)));
    return first.isLetter();
}

QString refusalMessage(PuzzleWord::Status status, const QString &refused, const Language &language)
{
    if (status == PuzzleWord::Status::NotALetter)
        return QStringLiteral("The character \"%1\" is not a letter.").arg(refused);
    return QStringLiteral("The letter \"%1\" is not in the %2 alphabet.")
        .arg(refused, language.englishName());
}

} // namespace

// --- Language ---

Language::Language(int index)
    : m_index(index), m_alphabet(QString::fromUtf16(kLanguages[index].alphabet)),
      m_dottedCapitalI(kLanguages[index].dottedCapitalI)
{
    const LetterFrequencyTable *table = letterFrequencyTable(kLanguages[index].code);
    m_counts.assign(std::size_t(m_alphabet.size()), 0);
    if (table && QString::fromUtf16(table->letters) == m_alphabet)
        m_counts.assign(table->counts, table->counts + m_alphabet.size());
}

const std::vector<Language> &Language::all()
{
    static const std::vector<Language> languages = [] {
        std::vector<Language> out;
        for (int i = 0; i < int(std::size(kLanguages)); ++i)
            out.push_back(Language(i));
        return out;
    }();
    return languages;
}

const Language *Language::find(QStringView code)
{
    for (const Language &l : all()) {
        if (code.compare(QLatin1String(kLanguages[l.m_index].code), Qt::CaseInsensitive) == 0)
            return &l;
    }
    return nullptr;
}

const Language &Language::english()
{
    return all().front();
}

QString Language::code() const
{
    return QString::fromLatin1(kLanguages[m_index].code);
}

QString Language::englishName() const
{
    return QString::fromLatin1(kLanguages[m_index].englishName);
}

QString Language::nativeName() const
{
    return QString::fromUtf16(kLanguages[m_index].nativeName);
}

QString Language::frequencySource() const
{
    const LetterFrequencyTable *table = letterFrequencyTable(kLanguages[m_index].code);
    if (!table)
        return QString();
    return QStringLiteral("%1, %2: %3 (%4 words counted, %5 passed over)")
        .arg(QString::fromUtf8(table->package), QString::fromUtf8(table->file),
             QString::fromUtf8(table->method))
        .arg(table->wordsCounted)
        .arg(table->wordsPassedOver);
}

const LetterFrequencyTable *letterFrequencyTable(const char *code)
{
    for (int i = 0; i < kLetterFrequencyTableCount; ++i) {
        if (std::strcmp(kLetterFrequencyTables[i].code, code) == 0)
            return &kLetterFrequencyTables[i];
    }
    return nullptr;
}

// --- Alphabet ---

Alphabet::Alphabet() : Alphabet(Language::english()) {}

Alphabet Alphabet::forCode(QStringView code, LetterRules rules)
{
    const Language *found = Language::find(code);
    return Alphabet(found ? *found : Language::english(), rules);
}

Alphabet::Alphabet(const Language &language, LetterRules rules)
    : m_language(&language), m_rules(rules)
{
    // The letters in effect are those that the rules leave as they are; the
    // index is built from the whole alphabet first, as mapped() checks the
    // plain forms against it.
    const QString &all = language.alphabet();
    const auto indexLetters = [this](const QString &letters) {
        char16_t highest = 0;
        for (const QChar c : letters)
            highest = std::max(highest, c.unicode());
        m_index.assign(std::size_t(highest) + 1, 0);
        for (int i = 0; i < letters.size(); ++i)
            m_index[letters.at(i).unicode()] = std::uint8_t(i + 1);
    };
    indexLetters(all);
    for (const QChar c : all) {
        if (mapped(c) == QString(c))
            m_letters += c;
    }
    indexLetters(m_letters);

    // Marks that, typed after their letter, make an accepted letter.
    for (const QChar c : all) {
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
        for (const QChar m : decomposed) {
            if (m.isMark() && !m_marks.contains(m) && !upperCase(c).isEmpty())
                m_marks += m;
        }
    }
}

QString Alphabet::mapped(QChar c) const
{
    const Language &language = *m_language;
    const char16_t capital = capitalOf(c, language.dottedCapitalI());
    QString out;
    if (capital == kCapitalSharpS && !(m_rules.sharpS == SharpS::Capital && m_rules.keepAccents &&
                                       language.hasLetter(QChar(kCapitalSharpS))))
        out = QStringLiteral("SS");
    else
        out = QChar(capital);
    if (!m_rules.keepAccents && out.size() == 1) {
        const auto inAlphabet = [this](QStringView letters) {
            return std::all_of(letters.begin(), letters.end(),
                               [this](QChar l) { return indexOf(l) >= 0; });
        };
        if (const char16_t *plain = plainFormOf(out.at(0).unicode())) {
            if (inAlphabet(QStringView(plain)))
                out = QString::fromUtf16(plain);
        } else if (indexOf(out.at(0)) < 0) {
            // A foreign letter with marks, such as ǎ: its base letter.
            const QString decomposed = out.normalized(QString::NormalizationForm_D);
            if (decomposed.size() > 1 && allMarks(QStringView(decomposed).mid(1)) &&
                inAlphabet(QStringView(decomposed).left(1)))
                out = decomposed.left(1);
        }
    }
    return out;
}

QString Alphabet::upperCase(QChar c) const
{
    const QString out = mapped(c);
    for (const QChar l : out) {
        if (!contains(l))
            return QString();
    }
    return out;
}

PuzzleWord Alphabet::word(const QString &typed) const
{
    PuzzleWord result;
    const QString text = typed.normalized(QString::NormalizationForm_C);
    if (text.isEmpty())
        return result;
    const auto refuse = [&](QStringView cluster) {
        result.status = startsWithLetter(cluster) ? PuzzleWord::Status::NotInAlphabet
                                                  : PuzzleWord::Status::NotALetter;
        result.refused = cluster.toString();
        result.message = refusalMessage(result.status, result.refused, *m_language);
        result.letters.clear();
        result.grownBy = 0;
        return result;
    };
    // One user-perceived character at a time: a letter with marks that have
    // no composed form stays together, and so does a character beyond the
    // 16-bit range.
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    int start = 0;
    int count = 0;
    while (start < text.size()) {
        int end = int(clusters.toNextBoundary());
        if (end <= start)
            end = int(text.size());
        const QStringView cluster = QStringView(text).mid(start, end - start);
        QString letters;
        if (cluster.size() == 1)
            letters = upperCase(cluster.at(0));
        else if (!m_rules.keepAccents && allMarks(cluster.mid(1)))
            letters = upperCase(cluster.at(0)); // accents off: the marks go
        if (letters.isEmpty())
            return refuse(cluster);
        result.letters += letters;
        ++count;
        start = end;
    }
    result.status = PuzzleWord::Status::Ok;
    result.grownBy = int(result.letters.size()) - count;
    return result;
}

bool Alphabet::acceptsKey(QChar c) const
{
    if (c.isMark())
        return !m_rules.keepAccents || m_marks.contains(c);
    if (c.isSurrogate())
        return false;
    const QString composed = QString(c).normalized(QString::NormalizationForm_C);
    return composed.size() == 1 && !upperCase(composed.at(0)).isEmpty();
}

bool Alphabet::acceptsText(QStringView text) const
{
    return std::all_of(text.begin(), text.end(), [this](QChar c) { return acceptsKey(c); });
}

} // namespace quarrin
