#pragma once

// Files the command tests write for a run and documents they read back.

#include "files/puzzle_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace quarrin::testing {

// Writes `bytes` to `path`, making its folder first.
inline void writeTestFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The document in `file`; an empty one, with the reason as a warning, when
// it cannot be read.
inline PuzzleDocument loadedDocument(const QString &file)
{
    PuzzleDocument d;
    const FileResult read = loadDocument(file, &d);
    if (!read.ok)
        qWarning("%s", qPrintable(read.error));
    return d;
}

} // namespace quarrin::testing
