#pragma once

// The shared benchmark word lists (../shared/bench beside the checkout, or
// QUARRIN_WORDS): one puzzle a line, words separated by blanks. A benchmark
// that includes this defines QUARRIN_BENCH_WORDS as the default folder.

#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <cstdlib>

namespace quarrin::bench {

inline QString wordsDir()
{
    const char *env = std::getenv("QUARRIN_WORDS");
    return env ? QString::fromLocal8Bit(env) : QStringLiteral(QUARRIN_BENCH_WORDS);
}

// The lines of a word file, each split into its words, upper-cased; nothing
// when the file cannot be read.
inline QList<QStringList> readWordLines(const QString &path)
{
    QList<QStringList> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList words =
            in.readLine().toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty())
            lines << words;
    }
    return lines;
}

// A list of the shared folder by name.
inline QList<QStringList> readSharedList(const char *name)
{
    return readWordLines(wordsDir() + QLatin1Char('/') + QLatin1String(name));
}

} // namespace quarrin::bench
