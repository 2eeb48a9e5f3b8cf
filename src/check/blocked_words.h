#pragma once

// Blocked words: words that must not read anywhere in a puzzle's grid except
// inside a listed word's own letters.
//
// The program carries a list of offensive English words of three or more
// letters (blocked_words.txt, compiled in as a resource); a user adds words of
// their own in blocked-words.txt in the program's configuration folder
// ($XDG_CONFIG_HOME/<program>/). Both files hold one word per line; "#" starts
// a comment that runs to the end of the line. Words are kept upper-cased, each
// once; a line that is not made of letters of the list's alphabet alone (A to
// Z for English) cannot read in a grid and is passed over.
//
// Every list belongs to a puzzle's alphabet (a language and its letter rules):
// its words are written the way that alphabet writes a typed word (Straße
// reads STRASSE in a German puzzle that writes SS), and a line with a letter
// outside it is passed over. English's is the list above; each other
// language has its user's list blocked-words-CODE.txt beside English's
// (blocked-words-de.txt for German) and a built-in list where one ships
// (blocked_words_CODE.txt beside blocked_words.txt; none does yet).

#include "language/language.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace quarrin {

class BlockedWords
{
public:
    // An empty list of English words.
    BlockedWords() = default;
    // An empty list for a puzzle's alphabet.
    explicit BlockedWords(const Alphabet &alphabet) : m_alphabet(alphabet) {}

    // The English list that ships with the program.
    static BlockedWords builtIn();
    // The list that ships for the alphabet's language (empty where none
    // does), written by the alphabet's rules.
    static BlockedWords builtIn(const Alphabet &alphabet);
    // The built-in list plus the user's own, when it exists. A user list that
    // exists but cannot be read leaves a message in *warning.
    static BlockedWords standard(QString *warning = nullptr);
    static BlockedWords standard(const Alphabet &alphabet, QString *warning = nullptr);
    // Where the user's own list lives: blocked-words.txt in the program's
    // configuration folder (the application's names must be set first).
    static QString userListPath();
    // The user's list of a language: English's above, blocked-words-CODE.txt
    // beside it for the others.
    static QString userListPath(const Language &language);

    const Alphabet &alphabet() const { return m_alphabet; }

    // Adds the words of a list's text.
    void addText(const QString &text);
    // Adds the words of a list file; false with a message when it cannot be read.
    bool addFile(const QString &path, QString *error = nullptr);
    // Adds one word (trimmed, written in the alphabet's letters); returns
    // false when it is passed over.
    bool add(const QString &word);

    const QStringList &words() const { return m_words; }
    int size() const { return int(m_words.size()); }
    bool isEmpty() const { return m_words.isEmpty(); }

private:
    Alphabet m_alphabet;
    QStringList m_words;
    QSet<QString> m_known;
};

} // namespace quarrin
