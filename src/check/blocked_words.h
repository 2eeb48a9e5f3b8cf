#pragma once

// Blocked words: words that must not read anywhere in a puzzle's grid except
// inside a listed word's own letters.
//
// The program carries a list of offensive English words of three or more
// letters (blocked_words.txt, compiled in as a resource); a user adds words of
// their own in blocked-words.txt in the program's configuration folder
// ($XDG_CONFIG_HOME/<program>/). Both files hold one word per line; "#" starts
// a comment that runs to the end of the line. Words are kept upper-cased, each
// once; a line that is not made of letters A to Z alone cannot read in a grid
// and is passed over.

#include <QSet>
#include <QString>
#include <QStringList>

namespace quarrin {

class BlockedWords
{
public:
    BlockedWords() = default;

    // The list that ships with the program.
    static BlockedWords builtIn();
    // The built-in list plus the user's own, when it exists. A user list that
    // exists but cannot be read leaves a message in *warning.
    static BlockedWords standard(QString *warning = nullptr);
    // Where the user's own list lives: blocked-words.txt in the program's
    // configuration folder (the application's names must be set first).
    static QString userListPath();

    // Adds the words of a list's text.
    void addText(const QString &text);
    // Adds the words of a list file; false with a message when it cannot be read.
    bool addFile(const QString &path, QString *error = nullptr);
    // Adds one word (trimmed, upper-cased); returns false when it is passed over.
    bool add(const QString &word);

    const QStringList &words() const { return m_words; }
    int size() const { return int(m_words.size()); }
    bool isEmpty() const { return m_words.isEmpty(); }

private:
    QStringList m_words;
    QSet<QString> m_known;
};

} // namespace quarrin
