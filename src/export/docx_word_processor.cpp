#include "export/docx_word_processor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <unistd.h>

namespace quarrin {

namespace {

constexpr int kHandlerQueryWaitMs = 5000;
constexpr int kMaxNameAttempts = 10000;

QString processOutput(QProcess &process)
{
    return QString::fromLocal8Bit(process.readAll()).trimmed();
}

} // namespace

DocxWordProcessor::DocxWordProcessor(DocxWordProcessorOptions options)
    : m_options(std::move(options))
{
}

bool DocxWordProcessor::start()
{
    m_started = false;
    if (!m_options.handlerQuery.isEmpty()) {
        QProcess query;
        query.setProcessChannelMode(QProcess::SeparateChannels);
        query.setStandardInputFile(QProcess::nullDevice());
        query.start(m_options.handlerQuery.front(), m_options.handlerQuery.mid(1));
        if (!query.waitForStarted(kHandlerQueryWaitMs))
            return false;
        if (!query.waitForFinished(kHandlerQueryWaitMs)) {
            query.kill();
            query.waitForFinished(1000);
            return false;
        }
        if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
            return false;
        if (QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed().isEmpty())
            return false;
    }
    m_started = true;
    m_hasDocument = false;
    m_tables.clear();
    m_writtenPath.clear();
    return true;
}

void DocxWordProcessor::setVisible(bool visible)
{
    m_visible = visible;
}

void DocxWordProcessor::addDocument()
{
    // Every export is a new document.
    m_hasDocument = true;
    m_tables.clear();
}

void DocxWordProcessor::addTable(int rows, int columns)
{
    if (!m_hasDocument)
        addDocument();
    m_tables.emplace_back(rows, columns);
}

DocxTable *DocxWordProcessor::currentTable()
{
    return m_tables.empty() ? nullptr : &m_tables.back();
}

void DocxWordProcessor::setCellWidth(int row, int column, double points)
{
    if (DocxTable *table = currentTable())
        table->setWidth(row - 1, column - 1, points);
}

void DocxWordProcessor::setCellText(int row, int column, const QString &text)
{
    if (DocxTable *table = currentTable())
        table->setText(row - 1, column - 1, text);
}

QString DocxWordProcessor::documentFolder(const QString &preferred)
{
    QStringList candidates;
    if (!preferred.isEmpty())
        candidates << preferred;
    candidates << QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (const QString &folder : candidates) {
        const QFileInfo info(folder);
        if (!folder.isEmpty() && info.isDir() && info.isWritable())
            return info.absoluteFilePath();
    }
    return QDir::tempPath();
}

QString DocxWordProcessor::writeFresh(const QString &folder, const QString &baseName,
                                      const QByteArray &bytes, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return QString();
    };

    const QDir dir(folder);
    // The temporary file is removed on every way out unless it was renamed.
    QTemporaryFile temp(dir.filePath(QStringLiteral(".%1-XXXXXX.part").arg(baseName)));
    if (!temp.open())
        return fail(QStringLiteral("The document could not be written in %1: %2")
                        .arg(QDir::toNativeSeparators(folder), temp.errorString()));
    errno = 0;
    if (temp.write(bytes) != bytes.size() || !temp.flush() || ::fsync(temp.handle()) != 0) {
        // A failed flush or sync leaves the file's error text empty ("Unknown
        // error"); the system's reason (a full disk, say) is still in errno.
        const int reason = errno;
        return fail(QStringLiteral("The document could not be written in %1: %2")
                        .arg(QDir::toNativeSeparators(folder),
                             reason != 0 ? qt_error_string(reason) : temp.errorString()));
    }
    // Word processors refuse documents that are not readable by their owner.
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);

    for (int n = 1; n <= kMaxNameAttempts; ++n) {
        const QString name = n == 1 ? QStringLiteral("%1.docx").arg(baseName)
                                    : QStringLiteral("%1 (%2).docx").arg(baseName).arg(n);
        const QString path = dir.filePath(name);
        if (QFileInfo::exists(path))
            continue;
        // The rename never replaces a file that appeared meanwhile.
        if (temp.rename(path)) {
            temp.setAutoRemove(false);
            return path;
        }
        if (!QFileInfo::exists(path))
            return fail(QStringLiteral("The document could not be saved as %1: %2")
                            .arg(QDir::toNativeSeparators(path), temp.errorString()));
    }
    return fail(QStringLiteral("No free file name for the document was found in %1.")
                    .arg(QDir::toNativeSeparators(folder)));
}

bool DocxWordProcessor::open(const QString &path, QString *error)
{
    auto *opener = new QProcess;
    opener->setProcessChannelMode(QProcess::MergedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->start(m_options.opener.front(), m_options.opener.mid(1) << path);
    if (!opener->waitForStarted(m_options.openWaitMs)) {
        *error = QStringLiteral("The document could not be opened: %1 could not be started.")
                     .arg(m_options.opener.front());
        delete opener;
        return false;
    }
    if (!opener->waitForFinished(m_options.openWaitMs)) {
        // Still running: the opener is the application itself. Leave it
        // running (deleting the process object would end it) and let it go
        // when it finishes.
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return true;
    }
    const bool ok = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    if (!ok) {
        const QString output = processOutput(*opener);
        *error = QStringLiteral("The document could not be opened in the word processor.");
        if (!output.isEmpty())
            *error += QLatin1Char('\n') + output;
    }
    delete opener;
    return ok;
}

bool DocxWordProcessor::release(QString *error)
{
    QString message;
    QString *err = error ? error : &message;
    if (!m_started || m_tables.empty()) {
        m_started = false;
        return true; // nothing was built
    }
    m_started = false;

    const QString baseName = docxBaseName(m_tables.front());
    const QByteArray bytes = buildDocx(m_tables, err);
    m_tables.clear();
    m_hasDocument = false;
    if (bytes.isEmpty())
        return false;

    const QString path = writeFresh(documentFolder(m_options.folder), baseName, bytes, err);
    if (path.isEmpty())
        return false;

    if (m_visible && !m_options.opener.isEmpty()) {
        if (!open(path, err)) {
            // The export failed as a whole: do not leave a stray document.
            QFile::remove(path);
            return false;
        }
    }
    m_writtenPath = path;
    return true;
}

} // namespace quarrin
