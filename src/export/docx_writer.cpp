#include "export/docx_writer.h"

#include <QXmlStreamWriter>

#include <zip.h>

#include <cmath>
#include <memory>

namespace quarrin {

namespace {

const char *const kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

// Text width of an A4 page with one-inch margins, in twips; the grid columns
// of a table without set widths share it equally (the word processor lays the
// table out across the page itself).
constexpr int kTextWidthTwips = 11906 - 2 * 1440;

int pointsToTwips(double points)
{
    return int(std::lround(points * 20.0));
}

QByteArray contentTypesXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/"
        ">"
        "</Types>");
}

QByteArray packageRelsXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" Target=\"word/document.xml\"/>"
        "</Relationships>");
}

QByteArray documentRelsXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
        "Target=\"styles.xml\"/>"
        "</Relationships>");
}

// Document defaults and the bordered table style that new tables get.
QByteArray stylesXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:docDefaults>"
        "<w:rPrDefault><w:rPr>"
        "<w:rFonts w:ascii=\"Calibri\" w:hAnsi=\"Calibri\" w:cs=\"Calibri\" "
        "w:eastAsia=\"Calibri\"/>"
        "<w:sz w:val=\"22\"/><w:szCs w:val=\"22\"/>"
        "</w:rPr></w:rPrDefault>"
        "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
        "</w:pPr></w:pPrDefault>"
        "</w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
        "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
        "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
        "<w:name w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/>"
        "<w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar>"
        "<w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
        "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
        "</w:tblCellMar></w:tblPr></w:style>"
        "<w:style w:type=\"table\" w:styleId=\"TableGrid\">"
        "<w:name w:val=\"Table Grid\"/><w:basedOn w:val=\"TableNormal\"/>"
        "<w:tblPr><w:tblBorders>"
        "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "</w:tblBorders></w:tblPr></w:style>"
        "</w:styles>");
}

void writeTable(QXmlStreamWriter &w, const DocxTable &table)
{
    // A column's width is the width given to its cells (all cells of a
    // column share it in this program's tables); columns without one share
    // the text width.
    std::vector<int> gridTwips(size_t(table.columns), 0);
    bool anyWidth = false;
    for (int c = 0; c < table.columns; ++c) {
        for (int r = 0; r < table.rows; ++r) {
            const double points = table.widths[size_t(table.index(r, c))];
            if (points > 0) {
                gridTwips[size_t(c)] = pointsToTwips(points);
                anyWidth = true;
                break;
            }
        }
    }
    const int share = table.columns > 0 ? kTextWidthTwips / table.columns : 0;

    w.writeStartElement(kWordNs, "tbl");
    w.writeStartElement(kWordNs, "tblPr");
    w.writeEmptyElement(kWordNs, "tblStyle");
    w.writeAttribute(kWordNs, "val", "TableGrid");
    w.writeEmptyElement(kWordNs, "tblW");
    if (anyWidth) {
        w.writeAttribute(kWordNs, "w", "0");
        w.writeAttribute(kWordNs, "type", "auto");
        // Given widths are kept exactly rather than grown to fit the text.
        w.writeEmptyElement(kWordNs, "tblLayout");
        w.writeAttribute(kWordNs, "type", "fixed");
    } else {
        w.writeAttribute(kWordNs, "w", "5000");
        w.writeAttribute(kWordNs, "type", "pct");
    }
    w.writeEmptyElement(kWordNs, "tblLook");
    w.writeAttribute(kWordNs, "val", "04A0");
    w.writeEndElement(); // tblPr

    w.writeStartElement(kWordNs, "tblGrid");
    for (int c = 0; c < table.columns; ++c) {
        w.writeEmptyElement(kWordNs, "gridCol");
        const int twips = gridTwips[size_t(c)] > 0 ? gridTwips[size_t(c)] : share;
        w.writeAttribute(kWordNs, "w", QString::number(twips));
    }
    w.writeEndElement(); // tblGrid

    for (int r = 0; r < table.rows; ++r) {
        w.writeStartElement(kWordNs, "tr");
        for (int c = 0; c < table.columns; ++c) {
            const int i = table.index(r, c);
            w.writeStartElement(kWordNs, "tc");
            const double points = table.widths[size_t(i)];
            if (points > 0) {
                w.writeStartElement(kWordNs, "tcPr");
                w.writeEmptyElement(kWordNs, "tcW");
                w.writeAttribute(kWordNs, "w", QString::number(pointsToTwips(points)));
                w.writeAttribute(kWordNs, "type", "dxa");
                w.writeEndElement(); // tcPr
            }
            // Every cell needs a paragraph, even an empty one.
            w.writeStartElement(kWordNs, "p");
            const QString &text = table.texts.at(i);
            if (!text.isEmpty()) {
                w.writeStartElement(kWordNs, "r");
                w.writeStartElement(kWordNs, "t");
                if (text.front().isSpace() || text.back().isSpace())
                    w.writeAttribute("xml:space", "preserve");
                w.writeCharacters(text);
                w.writeEndElement(); // t
                w.writeEndElement(); // r
            }
            w.writeEndElement(); // p
            w.writeEndElement(); // tc
        }
        w.writeEndElement(); // tr
    }
    w.writeEndElement(); // tbl
}

struct ZipDeleter
{
    void operator()(zip_t *z) const { zip_discard(z); }
};
struct SourceDeleter
{
    void operator()(zip_source_t *s) const { zip_source_free(s); }
};

QString zipMessage(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

} // namespace

DocxTable::DocxTable(int rowCount, int columnCount)
    : rows(qMax(0, rowCount)), columns(qMax(0, columnCount))
{
    const int cells = rows * columns;
    texts.reserve(cells);
    for (int i = 0; i < cells; ++i)
        texts.append(QString());
    widths.assign(size_t(cells), 0.0);
}

bool DocxTable::contains(int row, int column) const
{
    return row >= 0 && row < rows && column >= 0 && column < columns;
}

QString docxBaseName(const DocxTable &table)
{
    return QStringLiteral("Word Quarrin grid %1x%2").arg(table.rows).arg(table.columns);
}

void DocxTable::setWidth(int row, int column, double points)
{
    if (contains(row, column))
        widths[size_t(index(row, column))] = points;
}

void DocxTable::setText(int row, int column, const QString &text)
{
    if (contains(row, column))
        texts[index(row, column)] = text;
}

QByteArray docxDocumentXml(const std::vector<DocxTable> &tables)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeNamespace(kWordNs, "w");
    w.writeStartElement(kWordNs, "document");
    w.writeStartElement(kWordNs, "body");
    for (const DocxTable &table : tables) {
        writeTable(w, table);
        // A table is followed by a paragraph (a document cannot end in a table).
        w.writeEmptyElement(kWordNs, "p");
    }
    w.writeStartElement(kWordNs, "sectPr");
    w.writeEmptyElement(kWordNs, "pgSz");
    w.writeAttribute(kWordNs, "w", "11906");
    w.writeAttribute(kWordNs, "h", "16838");
    w.writeEmptyElement(kWordNs, "pgMar");
    for (const char *side : {"top", "right", "bottom", "left"})
        w.writeAttribute(kWordNs, side, "1440");
    w.writeAttribute(kWordNs, "header", "708");
    w.writeAttribute(kWordNs, "footer", "708");
    w.writeAttribute(kWordNs, "gutter", "0");
    w.writeEndElement(); // sectPr
    w.writeEndElement(); // body
    w.writeEndElement(); // document
    w.writeEndDocument();
    return xml;
}

QByteArray buildDocx(const std::vector<DocxTable> &tables, QString *error)
{
    // The parts in the order readers expect: content types first, then the
    // package relationships, then the document itself.
    const std::vector<std::pair<const char *, QByteArray>> parts{
        {"[Content_Types].xml", contentTypesXml()},
        {"_rels/.rels", packageRelsXml()},
        {"word/document.xml", docxDocumentXml(tables)},
        {"word/_rels/document.xml.rels", documentRelsXml()},
        {"word/styles.xml", stylesXml()},
    };

    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return QByteArray();
    };

    zip_error_t zerr;
    zip_error_init(&zerr);
    std::unique_ptr<zip_source_t, SourceDeleter> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &zerr));
    if (!buffer)
        return fail(zipMessage(&zerr));
    // The archive takes a reference; keep ours to read the result back.
    zip_source_keep(buffer.get());
    std::unique_ptr<zip_t, ZipDeleter> archive(
        zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zerr));
    if (!archive) {
        zip_source_free(buffer.get()); // the reference the archive did not take
        const QString message = zipMessage(&zerr);
        zip_error_fini(&zerr);
        return fail(message);
    }
    zip_error_fini(&zerr);

    for (const auto &[name, data] : parts) {
        zip_source_t *source =
            zip_source_buffer(archive.get(), data.constData(), zip_uint64_t(data.size()), 0);
        if (!source)
            return fail(QString::fromLocal8Bit(zip_strerror(archive.get())));
        const zip_int64_t index = zip_file_add(archive.get(), name, source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return fail(QString::fromLocal8Bit(zip_strerror(archive.get())));
        }
        zip_set_file_compression(archive.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive.get()) != 0)
        return fail(QString::fromLocal8Bit(zip_strerror(archive.get())));
    archive.release(); // closed and freed by zip_close

    if (zip_source_open(buffer.get()) != 0)
        return fail(QString::fromLocal8Bit(zip_error_strerror(zip_source_error(buffer.get()))));
    QByteArray bytes;
    char chunk[16384];
    for (;;) {
        const zip_int64_t n = zip_source_read(buffer.get(), chunk, sizeof chunk);
        if (n < 0) {
            zip_source_close(buffer.get());
            return fail(QString::fromLocal8Bit(zip_error_strerror(zip_source_error(buffer.get()))));
        }
        if (n == 0)
            break;
        bytes.append(chunk, qsizetype(n));
    }
    zip_source_close(buffer.get());
    return bytes;
}

} // namespace quarrin
