#include "check/blocked_words.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

static void initBlockedWordsResource()
{
    // The resource lives in a static library; make sure the linker keeps it.
    Q_INIT_RESOURCE(blocked_words);
}

namespace quarrin {

namespace {

// A list's file name: English's plain, the others' with their code.
QString listName(const Language &language, const QString &stem, const QString &separator)
{
    return language == Language::english()
               ? stem + QStringLiteral(".txt")
               : stem + separator + language.code() + QStringLiteral(".txt");
}

} // namespace

BlockedWords BlockedWords::builtIn()
{
    static const BlockedWords list = builtIn(Alphabet());
    return list;
}

BlockedWords BlockedWords::builtIn(const Alphabet &alphabet)
{
    initBlockedWordsResource();
    BlockedWords words(alphabet);
    QFile file(QStringLiteral(":/check/") +
               listName(alphabet.language(), QStringLiteral("blocked_words"), QStringLiteral("_")));
    if (file.open(QIODevice::ReadOnly))
        words.addText(QString::fromUtf8(file.readAll()));
    return words;
}

QString BlockedWords::userListPath()
{
    return userListPath(Language::english());
}

QString BlockedWords::userListPath(const Language &language)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           listName(language, QStringLiteral("blocked-words"), QStringLiteral("-"));
}

BlockedWords BlockedWords::standard(QString *warning)
{
    return standard(Alphabet(), warning);
}

BlockedWords BlockedWords::standard(const Alphabet &alphabet, QString *warning)
{
    BlockedWords words = builtIn(alphabet);
    const QString path = userListPath(alphabet.language());
    if (QFileInfo::exists(path)) {
        QString error;
        if (!words.addFile(path, &error) && warning)
            *warning = error;
    }
    return words;
}

void BlockedWords::addText(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        const int hash = int(line.indexOf(QLatin1Char('#')));
        if (hash >= 0)
            line.truncate(hash);
        add(line);
    }
}

bool BlockedWords::addFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("The blocked-word list \"%1\" could not be read: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        }
        return false;
    }
    addText(QString::fromUtf8(file.readAll()));
    return true;
}

bool BlockedWords::add(const QString &word)
{
    const QString trimmed = word.trimmed();
    QString upper = m_alphabet.lettersOf(trimmed);
    if (upper.isEmpty()) {
        // Upper-cased as a whole, as lists were always read: "ﬀ" is FF.
        upper = trimmed.toUpper();
        for (const QChar c : upper) {
            if (!m_alphabet.contains(c))
                return false;
        }
    }
    if (upper.isEmpty() || m_known.contains(upper))
        return false;
    m_known.insert(upper);
    m_words << upper;
    return true;
}

} // namespace quarrin
