#pragma once

// Building a minimal Office Open XML word-processing document (.docx) that
// holds tables of text, packed with libzip.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quarrin {

struct DocxTable
{
    int rows = 0;
    int columns = 0;
    QStringList texts;          // row-major, rows * columns entries
    std::vector<double> widths; // row-major cell widths in points; 0 = not set

    DocxTable() = default;
    DocxTable(int rowCount, int columnCount);
    bool contains(int row, int column) const; // 0-based
    int index(int row, int column) const { return row * columns + column; }
    // Set one cell (0-based); a cell outside the table is passed over.
    void setWidth(int row, int column, double points);
    void setText(int row, int column, const QString &text);
};

// The name an exported table's document goes by, without ".docx": "Word
// Quarrin grid 15x15".
QString docxBaseName(const DocxTable &table);

// The main part (word/document.xml) of a document holding `tables` one after
// another.
QByteArray docxDocumentXml(const std::vector<DocxTable> &tables);

// The whole package. Returns an empty array and sets `error` on failure.
QByteArray buildDocx(const std::vector<DocxTable> &tables, QString *error);

// MIME type of the package.
inline const char *const kDocxMimeType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document";

} // namespace quarrin
