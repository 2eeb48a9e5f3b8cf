// The grid control's text file: reading and writing it, its ".bak" backup
// and the limits a file's numbers must keep.

#include "grid/pub_str_grid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cerrno>

namespace quarrin {

namespace {

// Limits for what the grid text file may set: anything outside is refused as
// a bad number, so a damaged file cannot make the control huge.
constexpr int kMaxLines = 10000;  // rows, columns and cell indexes
constexpr int kMaxPixels = 10000; // heights and widths

QString badNumber(QStringView text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

// Strict decimal conversion: an optional sign and digits, nothing else.
bool toNumber(QStringView text, int min, int max, int *out)
{
    if (text.isEmpty() || text.size() > 12)
        return false;
    int i = 0;
    bool negative = false;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        negative = text[0] == QLatin1Char('-');
        i = 1;
    }
    if (i == text.size())
        return false;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (value < min || value > max)
        return false;
    *out = int(value);
    return true;
}

bool validDelimiter(QChar c)
{
    // U+FEFF written first in a file reads back as a byte order mark, and the
    // grid would be lost on the next load.
    return !c.isNull() && !c.isDigit() && c != QLatin1Char('-') && c != QLatin1Char('+') &&
           c != QLatin1Char('\n') && c != QLatin1Char('\r') && c != QChar::ByteOrderMark;
}

// A delimiter as a message shows it: an invisible one by its code point.
QString delimiterName(const QString &line)
{
    if (line.isEmpty() || line[0].isPrint())
        return line.left(1);
    return QStringLiteral("U+%1").arg(line[0].unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString TPubStrGrid::backupName(const QString &name)
{
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? name.left(dot) : name;
    return stem + QStringLiteral(".bak");
}

GridFileResult TPubStrGrid::setFileName(const QString &name)
{
    m_fileName = name;
    if (name.isEmpty())
        return {};
    return loadFromFile(name);
}

GridFileResult TPubStrGrid::finishSetup()
{
    GridFileResult result;
    if (!m_fileName.isEmpty())
        result = loadFromFile(m_fileName);
    showColHeaders();
    showRowHeaders();
    return result;
}

QByteArray TPubStrGrid::fileText() const
{
    const QString d(m_cellDelimiter);
    QString out;
    QTextStream s(&out);
    s << d << '\n';
    s << m_rowCount << d << m_colCount << '\n';
    s << m_defaultRowHeight << '\n';
    auto oneLine = [](QString text) {
        // A line break would split the line and corrupt the file.
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    };
    s << oneLine(m_caption1) << '\n';
    s << oneLine(m_caption2) << '\n';
    s << (m_caption2Placement == Caption2Placement::cpTop ? "Top" : "Bottom") << '\n';
    for (const auto &[row, height] : m_rowHeights)
        if (row < m_rowCount)
            s << "Row " << row << " Height: " << height << '\n';
    for (const auto &[col, width] : m_colWidths)
        if (col < m_colCount)
            s << "Column " << col << " Width: " << width << '\n';
    for (const auto &[key, text] : m_cells)
        if (key.first < m_rowCount && key.second < m_colCount && !text.isEmpty())
            s << key.second << d << key.first << d << oneLine(text) << '\n';
    s << '\n';
    s.flush();
    return out.toUtf8();
}

GridFileResult TPubStrGrid::saveToFile(const QString &name) const
{
    const QByteArray bytes = fileText();
    const QString shown = QDir::toNativeSeparators(name);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return {false,
                QStringLiteral("Cannot create file \"%1\". %2").arg(shown, file.errorString())};
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // Qt loses the reason of a failed final flush (a full disk, say); errno keeps it.
        const int writeError = errno;
        const QString why = writeError != 0 ? qt_error_string(writeError) : file.errorString();
        file.cancelWriting();
        return {false, QStringLiteral("Cannot write file \"%1\". %2").arg(shown, why)};
    }
    if (m_autoBackup && QFileInfo::exists(name)) {
        const QString bak = backupName(name);
        if (bak != name) {
            QFile::remove(bak);
            if (!QFile::copy(name, bak)) {
                file.cancelWriting();
                return {false, QStringLiteral("Cannot create file \"%1\".")
                                   .arg(QDir::toNativeSeparators(bak))};
            }
        }
    }
    if (!file.commit())
        return {false,
                QStringLiteral("Cannot write file \"%1\". %2").arg(shown, file.errorString())};
    return {};
}

GridFileResult TPubStrGrid::loadFromFile(const QString &name)
{
    QFile file(name);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {false, QStringLiteral("Cannot open file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(name), file.errorString())};
    return loadFromDevice(file, name);
}

GridFileResult TPubStrGrid::loadFromDevice(QIODevice &device, const QString &name)
{
    // The file is written as UTF-8. A UTF-8 byte order mark is skipped, but no
    // mark may switch the reading to another encoding: the next save would
    // write the text differently and the grid would not read back the same.
    if (device.peek(3) == QByteArray("\xEF\xBB\xBF", 3))
        device.skip(3);
    QTextStream in(&device);
    in.setAutoDetectUnicode(false);
    QString line;
    int lineNo = 0;
    QChar delimiter = m_cellDelimiter;
    while (in.readLineInto(&line)) {
        ++lineNo;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // The line is cut up as views of the one buffer: only a cell's text
        // becomes a string of its own.
        const QStringView view(line);
        int a = 0;
        int b = 0;
        switch (lineNo) {
        case 1:
            if (line.isEmpty() || !validDelimiter(line[0]))
                return {
                    false,
                    QStringLiteral("'%1' is not a valid cell delimiter").arg(delimiterName(line))};
            delimiter = line[0];
            m_cellDelimiter = delimiter;
            continue;
        case 2: {
            const qsizetype at = view.indexOf(delimiter);
            const QStringView before = at < 0 ? QStringView() : view.left(at);
            const QStringView after = at < 0 ? view : view.mid(at + 1);
            if (!toNumber(before, 1, kMaxLines, &a))
                return {false, badNumber(before)};
            setRowCount(a);
            if (!toNumber(after, 1, kMaxLines, &b))
                return {false, badNumber(after)};
            setColCount(b);
            continue;
        }
        case 3:
            if (!toNumber(view, 0, kMaxPixels, &a))
                return {false, badNumber(view)};
            setDefaultRowHeight(a);
            continue;
        case 4:
            m_caption1 = line;
            continue;
        case 5:
            m_caption2 = line;
            continue;
        case 6:
            m_caption2Placement = line == QLatin1String("Top") ? Caption2Placement::cpTop
                                                               : Caption2Placement::cpBottom;
            continue;
        default:
            break;
        }
        if (line.startsWith(QLatin1String("Row"))) {
            const qsizetype at = view.indexOf(QLatin1String(" Height: "));
            const QStringView index = at < 0 ? view.mid(4) : view.mid(4, at - 4);
            const QStringView value = at < 0 ? QStringView() : view.mid(at + 9);
            if (!toNumber(index, 0, kMaxLines - 1, &a))
                return {false, badNumber(index)};
            if (!toNumber(value, 0, kMaxPixels, &b))
                return {false, badNumber(value)};
            setRowHeight(a, b);
        } else if (line.startsWith(QLatin1String("Column"))) {
            const qsizetype at = view.indexOf(QLatin1String(" Width: "));
            const QStringView index = at < 0 ? view.mid(7) : view.mid(7, at - 7);
            const QStringView value = at < 0 ? QStringView() : view.mid(at + 8);
            if (!toNumber(index, 0, kMaxLines - 1, &a))
                return {false, badNumber(index)};
            if (!toNumber(value, 0, kMaxPixels, &b))
                return {false, badNumber(value)};
            setColWidth(a, b);
        } else if (line.contains(delimiter)) {
            const qsizetype first = view.indexOf(delimiter);
            const QStringView colText = view.left(first);
            const QStringView rest = view.mid(first + 1);
            const qsizetype second = rest.indexOf(delimiter);
            const QStringView rowText = second < 0 ? QStringView() : rest.left(second);
            if (!toNumber(colText, 0, kMaxLines - 1, &a))
                return {false, badNumber(colText)};
            if (!toNumber(rowText, 0, kMaxLines - 1, &b))
                return {false, badNumber(rowText)};
            setCell(a, b, rest.mid(second + 1).toString());
        }
    }
    const auto *file = qobject_cast<QFileDevice *>(&device);
    if (in.status() != QTextStream::Ok || (file && file->error() != QFileDevice::NoError))
        return {false, QStringLiteral("Cannot read file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(name), device.errorString())};
    return {};
}

} // namespace quarrin
