#pragma once

// The desktop's word processor, reached through files: the table is written
// into a new .docx document, which the default application for such documents
// then opens (xdg-open).

#include "export/docx_writer.h"
#include "export/word_export.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quarrin {

struct DocxWordProcessorOptions
{
    // Folder for the documents; empty: the user's documents folder, or the
    // temporary folder when there is none or it cannot be written.
    QString folder;
    // Asked whether an application is registered for .docx documents; it
    // must print the application's name. Empty: skip the question.
    QStringList handlerQuery{QStringLiteral("xdg-mime"), QStringLiteral("query"),
                             QStringLiteral("default"), QString::fromLatin1(kDocxMimeType)};
    // Opens the written document (the path is appended). Empty: write only.
    QStringList opener{QStringLiteral("xdg-open")};
    // How long to wait for the opener. An opener that is still running by
    // then is taken to be the application itself and is left running.
    int openWaitMs = 2000;
};

class DocxWordProcessor : public WordProcessor
{
public:
    explicit DocxWordProcessor(DocxWordProcessorOptions options = {});

    bool start() override;
    void setVisible(bool visible) override;
    void addDocument() override;
    void addTable(int rows, int columns) override;
    void setCellWidth(int row, int column, double points) override;
    void setCellText(int row, int column, const QString &text) override;
    bool release(QString *error) override;

    // Path of the document written by the last release ("" if none).
    QString writtenPath() const { return m_writtenPath; }

    // Writes `bytes` under a fresh name in `folder` (never replacing a file):
    // "<baseName>.docx", "<baseName> (2).docx", ... Returns the path, or ""
    // with `error` set; nothing is left behind on failure.
    static QString writeFresh(const QString &folder, const QString &baseName,
                              const QByteArray &bytes, QString *error);
    // The folder documents go to for the given options.
    static QString documentFolder(const QString &preferred);

private:
    bool open(const QString &path, QString *error);
    DocxTable *currentTable();

    DocxWordProcessorOptions m_options;
    bool m_started = false;
    bool m_visible = false;
    bool m_hasDocument = false;
    std::vector<DocxTable> m_tables;
    QString m_writtenPath;
};

} // namespace quarrin
