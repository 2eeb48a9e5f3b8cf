#include "puzzle/code_page.h"

#include <algorithm>

namespace quarrin {

namespace {

// Bytes 0x80..0x9F. The undefined ones keep their control character.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar codePageChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

int codePageByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

QString fromCodePage(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.cbegin(), bytes.cend(), text.data(),
                   [](char b) { return codePageChar(static_cast<unsigned char>(b)); });
    return text;
}

QByteArray toCodePage(const QString &text, QString *unmapped)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    std::transform(text.cbegin(), text.cend(), bytes.data(), [unmapped](QChar c) {
        const int b = codePageByte(c);
        if (b >= 0)
            return char(b);
        if (unmapped && !unmapped->contains(c))
            *unmapped += c;
        return '?';
    });
    return bytes;
}

QChar upperCaseChar(QChar c)
{
    const QChar upper = c.toUpper();
    // "µ" has its capital only in Greek: it stays as it is and can be saved.
    if (codePageByte(upper) < 0 && codePageByte(c) >= 0)
        return c;
    return upper;
}

QString upperCaseEachChar(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = upperCaseChar(c);
    return out;
}

} // namespace quarrin
