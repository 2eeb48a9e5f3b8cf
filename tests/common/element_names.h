#pragma once

// The 118 chemical element names (bench/data/elements.txt), upper-cased: a
// long, real word list for placement and fill tests. A test target that
// includes this defines QUARRIN_ELEMENTS as the file's path.

#include <QFile>
#include <QStringList>

namespace quarrin::test {

inline QStringList elementNames()
{
    QFile file(QStringLiteral(QUARRIN_ELEMENTS));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).toUpper().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace quarrin::test
