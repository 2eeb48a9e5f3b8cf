#include "export/docx_save.h"

#include "export/docx_writer.h"
#include "export/word_export.h"

#include <QDir>
#include <QSaveFile>

#include <cerrno>
#include <vector>

namespace quarrin {

namespace {

// A word processor that keeps the tables it is given and nothing more.
class TableRecorder : public WordProcessor
{
public:
    bool start() override { return true; }
    void setVisible(bool) override {}
    void addDocument() override { tables.clear(); }
    void addTable(int rows, int columns) override { tables.emplace_back(rows, columns); }
    void setCellWidth(int row, int column, double points) override
    {
        if (!tables.empty())
            tables.back().setWidth(row - 1, column - 1, points);
    }
    void setCellText(int row, int column, const QString &text) override
    {
        if (!tables.empty())
            tables.back().setText(row - 1, column - 1, text);
    }
    bool release(QString *) override { return true; }

    std::vector<DocxTable> tables;
};

} // namespace

QString docxSaveFilter()
{
    return QStringLiteral("Word document (*.docx)");
}

GridDocument gridDocument(const PuzzleModel &model)
{
    GridDocument document;
    TableRecorder recorder;
    const QString message = exportGrid(model, recorder);
    if (!message.isEmpty() || recorder.tables.empty()) {
        document.error = message.isEmpty() ? QStringLiteral("The grid made no table.") : message;
        return document;
    }
    document.name = docxBaseName(recorder.tables.front()) + QStringLiteral(".docx");
    document.bytes = buildDocx(recorder.tables, &document.error);
    return document;
}

QString saveDocument(const QByteArray &bytes, const QString &path)
{
    const auto failed = [&path](const QString &reason) {
        return QStringLiteral("The document could not be saved as %1: %2")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    if (bytes.isEmpty())
        return failed(QStringLiteral("there is nothing to save"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    // The bytes sit in the file's buffer until the flush, so a full disk
    // shows only there; committing after a failed flush would put a cut
    // file in place of an earlier one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A failed flush leaves the file's error text empty; the system's
        // reason is still in errno.
        const int reason = errno;
        const QString why = reason != 0 ? qt_error_string(reason) : file.errorString();
        file.cancelWriting();
        return failed(why);
    }
    if (!file.commit())
        return failed(file.errorString());
    return QString();
}

} // namespace quarrin
