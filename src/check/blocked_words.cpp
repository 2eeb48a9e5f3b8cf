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

bool isPlainWord(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return false;
    }
    return true;
}

} // namespace

BlockedWords BlockedWords::builtIn()
{
    static const BlockedWords list = [] {
        initBlockedWordsResource();
        BlockedWords words;
        QFile file(QStringLiteral(":/check/blocked_words.txt"));
        if (file.open(QIODevice::ReadOnly))
            words.addText(QString::fromUtf8(file.readAll()));
        return words;
    }();
    return list;
}

QString BlockedWords::userListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/blocked-words.txt");
}

BlockedWords BlockedWords::standard(QString *warning)
{
    BlockedWords words = builtIn();
    const QString path = userListPath();
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
    const QString upper = word.trimmed().toUpper();
    if (!isPlainWord(upper) || m_known.contains(upper))
        return false;
    m_known.insert(upper);
    m_words << upper;
    return true;
}

} // namespace quarrin
