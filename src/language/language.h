#pragma once

// Languages of a puzzle: which letters a word may use, how typed text becomes
// the puzzle's upper-case letters, and which letters the fill draws from.
//
// Every language of the table has an ISO 639-1 code, an English and a native
// name, and its alphabet: the upper-case letters a word may use with accents
// kept, in the language's own order. Every letter is one UTF-16 unit, so a
// letter always fills one cell.
//
// An Alphabet is a language under a choice of rules (LetterRules):
//   - "keep accents" on: a letter stays as typed, only upper-cased (é -> É);
//     a letter outside the alphabet is refused.
//   - "keep accents" off: every letter that has a plain form becomes it
//     (É -> E, Ä -> A, Ñ -> N, Ł -> L, İ -> I, Ё -> Е, Ά -> Α, Œ -> OE,
//     ẞ -> SS), where the plain letters are in the alphabet. One table of
//     plain forms serves every language (see language.cpp); letters of their
//     own that no one writes plain (Й, Ї, Є, Ґ) have no plain form. A
//     foreign letter that is a base letter with marks (ǎ, ế) becomes its
//     base letter too.
//   - German ß (and ẞ) becomes ẞ or SS, as SharpS says; SS wherever the
//     alphabet has no ẞ or accents are off.
// Upper-casing goes one character at a time, after the text is brought to
// NFC (so e + U+0301 is the one letter é): Turkish i -> İ and ı -> I, Greek
// final ς -> Σ, ά -> Ά, and ΐ, ΰ (which have no one-letter capital) -> Ϊ, Ϋ,
// the way Greek capitals drop the tonos and keep the dialytika.
//
// The letters in effect under the rules (Alphabet::letters()) are the
// alphabet's letters that stay themselves: with accents off a French puzzle
// has A to Z, a German one with SS has no ẞ.

#include <QChar>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

namespace quarrin {

// How German ß is written in upper case.
enum class SharpS
{
    DoubleS, // STRASSE: the usual capital form; the word grows by a letter
    Capital, // STRAẞE: the capital ẞ, one cell
};

struct LetterRules
{
    bool keepAccents = true;
    SharpS sharpS = SharpS::DoubleS;

    bool operator==(const LetterRules &o) const
    {
        return keepAccents == o.keepAccents && sharpS == o.sharpS;
    }
    bool operator!=(const LetterRules &o) const { return !(*this == o); }
};

class Language
{
public:
    // Every language, in the order of a menu (English first).
    static const std::vector<Language> &all();
    // The language with an ISO 639-1 code such as "de" (case-insensitive);
    // nullptr when there is none.
    static const Language *find(QStringView code);
    static const Language &english();

    QString code() const;
    QString englishName() const;
    QString nativeName() const;
    // The upper-case letters a word may use with accents kept, in order.
    const QString &alphabet() const { return m_alphabet; }
    bool hasLetter(QChar letter) const { return m_alphabet.contains(letter); }
    // Turkish and Azerbaijani upper-casing: i -> İ, ı -> I.
    bool dottedCapitalI() const { return m_dottedCapitalI; }

    // How often each letter of alphabet() is met in the language's
    // dictionary words (same order), and where the counts come from.
    const std::vector<std::uint32_t> &letterCounts() const { return m_counts; }
    // One line naming the Debian package, its version, the file and the
    // method, e.g. "wngerman 20161207-11, /usr/share/dict/ngerman: ...".
    QString frequencySource() const;

    bool operator==(const Language &o) const { return m_index == o.m_index; }
    bool operator!=(const Language &o) const { return m_index != o.m_index; }

    struct Data; // a row of the table (language.cpp)

private:
    explicit Language(int index);

    int m_index = 0;
    QString m_alphabet;
    bool m_dottedCapitalI = false;
    std::vector<std::uint32_t> m_counts;
};

// What becomes of a typed word.
struct PuzzleWord
{
    enum class Status
    {
        Ok,            // `letters` holds the word
        Empty,         // nothing was typed; the caller says what it always says
        NotALetter,    // a digit, blank, hyphen, apostrophe or other sign
        NotInAlphabet, // a letter the puzzle's alphabet cannot hold
    };
    Status status = Status::Empty;
    // The puzzle's letters, one per cell; its size is the word's length in
    // the grid, which is longer than the typed word when a letter became two
    // (ß -> SS, Œ -> OE with accents off).
    QString letters;
    // How many letters more than were typed (0 unless a letter became two).
    int grownBy = 0;
    // The refused character as typed (after NFC), with any marks it carries.
    QString refused;
    // For the user, e.g. The letter "Ж" is not in the Polish alphabet.
    QString message;

    bool ok() const { return status == Status::Ok; }
};

class Alphabet
{
public:
    // English with accents kept.
    Alphabet();
    explicit Alphabet(const Language &language, LetterRules rules = {});
    // The alphabet of the language with an ISO 639-1 code, English for a
    // code that names none.
    static Alphabet forCode(QStringView code, LetterRules rules = {});

    const Language &language() const { return *m_language; }
    LetterRules rules() const { return m_rules; }

    // The letters in effect: the alphabet's letters that the rules keep as
    // they are, in the language's order. The fill draws from these.
    const QString &letters() const { return m_letters; }
    int size() const { return int(m_letters.size()); }
    bool contains(QChar letter) const { return indexOf(letter) >= 0; }
    // The letter's place in letters(), -1 for none.
    int indexOf(QChar letter) const
    {
        const char16_t u = letter.unicode();
        return u < m_index.size() ? int(m_index[u]) - 1 : -1;
    }

    // The puzzle letters one character stands for: one letter, two (ß -> SS),
    // or none when it is not a letter of this alphabet.
    QString upperCase(QChar c) const;
    // Turns typed text into the puzzle's letters, or refuses it naming the
    // first character that cannot go into the grid. Blanks are not trimmed.
    PuzzleWord word(const QString &typed) const;
    // The word's letters, or an empty string when word() refuses it.
    QString lettersOf(const QString &typed) const { return word(typed).letters; }

    // The word box's key filter: true for a character that can become a
    // letter of this alphabet, typed in lower or upper case on any keyboard
    // layout, and for the combining marks that build one (a key that types a
    // bare accent after its letter). word() still has the last word.
    bool acceptsKey(QChar c) const;
    // Every character of a pasted text passes acceptsKey().
    bool acceptsText(QStringView text) const;

private:
    QString mapped(QChar c) const;

    const Language *m_language = nullptr;
    LetterRules m_rules;
    QString m_letters;
    // Letter -> place in m_letters + 1, 0 for none; as long as the highest letter.
    std::vector<std::uint8_t> m_index;
    QString m_marks; // combining marks that build an accepted letter
};

} // namespace quarrin
