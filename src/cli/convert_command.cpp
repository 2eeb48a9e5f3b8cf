// `word_quarrin convert IN OUT`: turns a record file (.qrn, .qrn2) into a
// puzzle document (.ipuz) and a document back into a record, where the record
// can hold the puzzle. A record converted to a document and back is the same
// bytes. Exit status 0 when done, 2 when the input cannot be read, the output
// cannot hold the puzzle or cannot be written.

#include "cli/commands.h"
#include "files/puzzle_document.h"
#include "files/puzzle_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace quarrin::cli {

namespace {

// The record size a file name names: ".qrn2" the 30x30, ".qrn" the 15x15.
std::optional<GridSize> recordSizeOf(const QString &path)
{
    if (path.endsWith(sizeSpec(GridSize::Large).fileExtension))
        return GridSize::Large;
    if (path.endsWith(sizeSpec(GridSize::Small).fileExtension))
        return GridSize::Small;
    return std::nullopt;
}

int fail(const QString &message)
{
    QTextStream(stderr) << commandName() << " convert: " << message << '\n';
    return kUsageError;
}

FileResult writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return FileResult::failure(
            QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return {};
}

int runConvert(const ParsedArgs &args)
{
    const QString in = args.operands.value(0);
    const QString out = args.operands.value(1);
    const std::optional<GridSize> inRecord = recordSizeOf(in);
    const std::optional<GridSize> outRecord = recordSizeOf(out);
    if (isDocumentFileName(in) == isDocumentFileName(out) || (!isDocumentFileName(in) && !inRecord) ||
        (!isDocumentFileName(out) && !outRecord))
        return fail(QStringLiteral("give a record file (.qrn, .qrn2) and a puzzle document "
                                   "(.ipuz), one each way"));

    PuzzleDocument document;
    if (inRecord) {
        QFile file(in);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1: %2").arg(in, file.errorString()));
        QByteArray bytes;
        FileResult read = readRecord(file, *inRecord, &bytes, in);
        if (read.ok)
            read = documentFromRecord(bytes, *inRecord, &document, in);
        if (!read.ok)
            return fail(read.error);
        const FileResult written = saveDocument(document, out);
        return written.ok ? 0 : fail(written.error);
    }

    const FileResult read = loadDocument(in, &document);
    if (!read.ok)
        return fail(read.error);
    if (!read.notice.isEmpty())
        QTextStream(stderr) << commandName() << " convert: " << read.notice << '\n';
    if (document.size != *outRecord)
        return fail(QStringLiteral("%1 holds a %2 puzzle, and a %3 file holds %4 puzzles")
                        .arg(in, document.size.text(), sizeSpec(*outRecord).fileExtension,
                             outRecord->text()));
    QByteArray bytes;
    const FileResult converted = recordFromDocument(document, &bytes);
    if (!converted.ok)
        return fail(converted.error);
    const FileResult written = writeFileAtomically(out, bytes);
    return written.ok ? 0 : fail(written.error);
}

} // namespace

CommandSpec convertCommand()
{
    CommandSpec c;
    c.name = QStringLiteral("convert");
    c.operands = QStringLiteral("IN OUT");
    c.summary = QStringLiteral(
        "Converts a record file (.qrn for 15x15, .qrn2 for 30x30) into a puzzle document "
        "(.ipuz), or a document back into a record file where the record can hold it; a "
        "record converted to a document and back is the same bytes. Exit 2 when the input "
        "cannot be read, or the output cannot hold the puzzle or cannot be written.");
    c.minOperands = 2;
    c.maxOperands = 2;
    c.run = runConvert;
    return c;
}

} // namespace quarrin::cli
