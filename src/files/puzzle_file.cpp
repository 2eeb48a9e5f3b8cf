#include "files/puzzle_file.h"

#include "puzzle/code_page.h"

#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace quarrin {

namespace {

const std::vector<FieldSpec> kSmallLayout{
    {FieldKind::Grid, 239, 239},   {FieldKind::Words, 255, 0},     {FieldKind::Words, 255, 0},
    {FieldKind::Reserved, 255, 0}, {FieldKind::Positions, 200, 0}, {FieldKind::Directions, 200, 0},
};

const std::vector<FieldSpec> kLargeLayout{
    {FieldKind::Grid, 240, 239}, {FieldKind::Grid, 240, 240},    {FieldKind::Grid, 240, 240},
    {FieldKind::Grid, 240, 240}, {FieldKind::Words, 255, 0},     {FieldKind::Words, 255, 0},
    {FieldKind::Words, 255, 0},  {FieldKind::Positions, 240, 0}, {FieldKind::Directions, 240, 0},
};

// Columns of the store that a load reads back from the grid text. The large
// grid does not read its margin column.
int columnsLoaded(GridSize size)
{
    return size == GridSize::Small ? 16 : 30;
}

int directionsCapacity(GridSize size)
{
    for (const FieldSpec &f : size == GridSize::Small ? kSmallLayout : kLargeLayout)
        if (f.kind == FieldKind::Directions)
            return f.capacity;
    return 0;
}

const char *fieldName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Grid:
        return "grid";
    case FieldKind::Words:
        return "word list";
    case FieldKind::Reserved:
        return "reserved";
    case FieldKind::Positions:
        return "positions";
    case FieldKind::Directions:
        return "directions";
    }
    return "";
}

QString sizeName(GridSize size)
{
    return size == GridSize::Small ? QStringLiteral("15x15") : QStringLiteral("30x30");
}

QString displayName(const QString &fileName)
{
    return fileName.isEmpty() ? QStringLiteral("The file")
                              : QStringLiteral("\"%1\"").arg(QFileInfo(fileName).fileName());
}

// The message for characters that were saved as "?".
QString unmappedNotice(const QString &unmapped)
{
    QStringList shown;
    for (QChar c : unmapped) {
        shown << (c.isSurrogate()
                      ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper()
                      : QStringLiteral("\"%1\"").arg(c));
    }
    return QStringLiteral("The puzzle was saved, but puzzle files cannot hold these characters, "
                          "which were saved as \"?\": %1")
        .arg(shown.join(QStringLiteral(", ")));
}

} // namespace

PuzzleFileRecord::PuzzleFileRecord(GridSize size) : m_size(size) {}

const std::vector<FieldSpec> &PuzzleFileRecord::layout() const
{
    return m_size == GridSize::Small ? kSmallLayout : kLargeLayout;
}

int PuzzleFileRecord::byteSize() const
{
    return sizeSpec(m_size).recordBytes;
}

void PuzzleFileRecord::clearTexts()
{
    grid.clear();
    words.clear();
    positions.clear();
    directions.clear();
}

void PuzzleFileRecord::fillFrom(PuzzleModel &model, QString *unmapped)
{
    const QByteArray sweep = toCodePage(model.sweepLetters(), unmapped);
    int stored = 0;
    for (const FieldSpec &f : layout())
        if (f.kind == FieldKind::Grid)
            stored += f.writeLength;
    grid = sweep.left(stored);
    words = toCodePage(PuzzleModel::linesToText(model.log()), unmapped);
    positions = toCodePage(PuzzleModel::linesToText(model.positions()), unmapped);
    directions = toCodePage(PuzzleModel::linesToText(model.directionMemo()), unmapped);
}

QByteArray PuzzleFileRecord::toBytes() const
{
    // Up to `length` bytes of a text from `from` on, or none past its end.
    const auto part = [](const QByteArray &text, qsizetype from, qsizetype length) {
        const qsizetype start = std::min(from, text.size());
        return QByteArrayView(text).sliced(start, std::min(length, text.size() - start));
    };
    QByteArray out;
    out.reserve(byteSize());
    // Each kind's text is spread over its fields in order.
    int gridAt = 0, wordsAt = 0;
    for (const FieldSpec &f : layout()) {
        QByteArrayView text;
        switch (f.kind) {
        case FieldKind::Grid:
            text = part(grid, gridAt, f.writeLength);
            gridAt += f.writeLength;
            break;
        case FieldKind::Words:
            text = part(words, wordsAt, f.capacity);
            wordsAt += f.capacity;
            break;
        case FieldKind::Reserved:
            if (reserved.size() == f.capacity + 1) {
                out += reserved;
                continue;
            }
            break;
        case FieldKind::Positions:
            text = part(positions, 0, f.capacity);
            break;
        case FieldKind::Directions:
            text = part(directions, 0, f.capacity);
            break;
        }
        text = text.first(std::min<qsizetype>(text.size(), f.capacity));
        out += char(text.size());
        out += text;
        out.append(f.capacity - text.size(), '\0');
    }
    return out;
}

FileResult PuzzleFileRecord::fromBytes(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.size() < byteSize()) {
        return FileResult::failure(
            QStringLiteral("%1 is not a %2 puzzle file: it holds %3 bytes, and a %2 puzzle file "
                           "holds %4.")
                .arg(displayName(fileName), sizeName(m_size))
                .arg(bytes.size())
                .arg(byteSize()));
    }
    PuzzleFileRecord read(m_size);
    int offset = 0;
    for (const FieldSpec &f : layout()) {
        const int length = quint8(bytes.at(offset));
        if (f.kind == FieldKind::Reserved) {
            // Carried as it stands; nothing reads it.
            read.reserved = bytes.mid(offset, f.capacity + 1);
            offset += f.capacity + 1;
            continue;
        }
        if (length > f.capacity) {
            return FileResult::failure(
                QStringLiteral("%1 is damaged: its %2 field claims %3 characters but can hold "
                               "only %4. The puzzle was not loaded.")
                    .arg(displayName(fileName), QString::fromLatin1(fieldName(f.kind)))
                    .arg(length)
                    .arg(f.capacity));
        }
        const QByteArrayView text(bytes.constData() + offset + 1, length);
        switch (f.kind) {
        case FieldKind::Grid:
            read.grid += text;
            break;
        case FieldKind::Words:
            read.words += text;
            break;
        case FieldKind::Positions:
            read.positions += text;
            break;
        case FieldKind::Directions:
            read.directions += text;
            break;
        case FieldKind::Reserved:
            break;
        }
        offset += f.capacity + 1;
    }
    *this = read;
    return {};
}

FileResult PuzzleFileRecord::applyTo(PuzzleModel &model, GridRead read) const
{
    const QString gridText = fromCodePage(grid);
    const CommandOutcome out = model.runAtomically([&](CommandOutcome &) {
        model.setListTexts(fromCodePage(words), fromCodePage(positions), fromCodePage(directions));
        model.setColumnLetters(gridText,
                               read == WholeGrid ? model.storeColumns() : columnsLoaded(m_size));
        // A directions text that fills its field may have been cut by it: a
        // last line that ends without a line break lost its end, and the
        // lines after it are gone. Those come back from the letters.
        const int capacity = directionsCapacity(m_size);
        if (directions.size() >= capacity) {
            const char last = directions.at(directions.size() - 1);
            model.recoverDirections(last != '\r' && last != '\n');
        } else {
            model.padDirections();
        }
        model.restoreCellKinds();
    });
    if (!out.ok) {
        return FileResult::failure(
            QStringLiteral("The puzzle could not be loaded: %1").arg(out.messages.join(' ')));
    }
    return {};
}

FileResult writeRecord(QIODevice &device, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            return FileResult::failure(
                QStringLiteral("The puzzle could not be written: %1").arg(device.errorString()));
        }
        written += n;
    }
    return {};
}

FileResult readRecord(QIODevice &device, GridSize size, QByteArray *bytes, const QString &fileName)
{
    const int want = sizeSpec(size).recordBytes;
    const GridSize otherSize = size == GridSize::Small ? GridSize::Large : GridSize::Small;
    const int other = sizeSpec(otherSize).recordBytes;
    // Read one byte past the longer record: only a file of exactly this
    // size's length is a puzzle of this size, and one of exactly the other
    // size's length is a puzzle of the other size.
    const int probe = qMax(want, other) + 1;
    QByteArray data = device.read(probe);
    if (data.size() == want) {
        *bytes = data;
        return {};
    }
    if (data.size() == other) {
        return FileResult::failure(
            QStringLiteral("%1 holds a %2 puzzle (%3 bytes); a %4 puzzle file holds %5 bytes. "
                           "Load it in the %2 grid.")
                .arg(displayName(fileName), sizeName(otherSize))
                .arg(other)
                .arg(sizeName(size))
                .arg(want));
    }
    QString held = QString::number(data.size());
    if (data.size() == probe)
        held = device.isSequential() ? QStringLiteral("more than %1").arg(probe - 1)
                                     : QString::number(device.size());
    return FileResult::failure(
        QStringLiteral("%1 is not a %2 puzzle file: it holds %3 bytes, and a %2 puzzle file "
                       "holds %4.")
            .arg(displayName(fileName), sizeName(size), held)
            .arg(want));
}

PuzzleFile::PuzzleFile(GridSize size) : m_record(size) {}

QString PuzzleFile::fileNameForSaving(GridSize size, const QString &chosen)
{
    const QString &ext = sizeSpec(size).fileExtension;
    return chosen.endsWith(ext, Qt::CaseSensitive) ? chosen : chosen + ext;
}

FileResult PuzzleFile::save(PuzzleModel &model, QIODevice &device)
{
    QString unmapped;
    m_record.fillFrom(model, &unmapped);
    const QByteArray bytes = m_record.toBytes();
    if (model.spec().size == GridSize::Large)
        m_record.clearTexts();
    FileResult result = writeRecord(device, bytes);
    if (result.ok && !unmapped.isEmpty())
        result.notice = unmappedNotice(unmapped);
    return result;
}

FileResult PuzzleFile::save(PuzzleModel &model, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // The sweep still happens, as it does for a save that fails later.
        m_record.fillFrom(model);
        return FileResult::failure(
            QStringLiteral("The puzzle could not be saved to \"%1\": %2")
                .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    }
    // The record sits in the file's buffer until the flush, so a full disk
    // shows only there; committing after a failed flush would put a cut file
    // in place of the old one.
    const FileResult result = save(model, file);
    if (!result.ok || !file.flush()) {
        // A failed flush leaves the file's error text empty; the system's
        // reason (a full disk, say) is still in errno.
        const int flushError = errno;
        const QString why =
            result.ok && flushError != 0 ? qt_error_string(flushError) : file.errorString();
        file.cancelWriting();
        return FileResult::failure(QStringLiteral("The puzzle could not be saved to \"%1\": %2")
                                       .arg(QFileInfo(path).absoluteFilePath(), why));
    }
    if (!file.commit()) {
        return FileResult::failure(
            QStringLiteral("The puzzle could not be saved to \"%1\": %2")
                .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    }
    return result;
}

FileResult PuzzleFile::load(PuzzleModel &model, QIODevice &device, const QString &fileName)
{
    const GridSize size = model.spec().size;
    QByteArray bytes;
    FileResult result = readRecord(device, size, &bytes, fileName);
    if (!result.ok)
        return result;
    PuzzleFileRecord read(size);
    result = read.fromBytes(bytes, fileName);
    if (!result.ok)
        return result;
    result = read.applyTo(model);
    if (!result.ok)
        return result;
    m_record = read;
    return {};
}

FileResult PuzzleFile::load(PuzzleModel &model, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return FileResult::failure(
            QStringLiteral("\"%1\" could not be opened: %2")
                .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    }
    return load(model, file, path);
}

} // namespace quarrin
