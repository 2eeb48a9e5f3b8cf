#include "sheet/sheet_paper.h"

#include <QHash>
#include <QLocale>
#include <QPageLayout>
#include <QRegularExpression>

#include <cctype>
#include <vector>

namespace quarrin {

namespace {

constexpr double kLeastSideInches = 2.0;
constexpr double kLargestSideInches = 40.0;

} // namespace

std::optional<QPageSize> parseTrimSize(const QString &text)
{
    const QString name = text.trimmed().toLower();
    if (name == QLatin1String("a4"))
        return QPageSize(QPageSize::A4);
    if (name == QLatin1String("letter"))
        return QPageSize(QPageSize::Letter);
    if (name == QLatin1String("a5"))
        return QPageSize(QPageSize::A5);
    static const QRegularExpression size(
        QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*x\\s*(\\d+(?:\\.\\d+)?)\\s*(in|mm)$"));
    const QRegularExpressionMatch m = size.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const bool inches = m.captured(3) == QLatin1String("in");
    const double perInch = inches ? 1.0 : 25.4;
    const double width = m.captured(1).toDouble();
    const double height = m.captured(2).toDouble();
    for (const double side : {width, height}) {
        if (side / perInch < kLeastSideInches || side / perInch > kLargestSideInches)
            return std::nullopt;
    }
    return QPageSize(QSizeF(width, height), inches ? QPageSize::Inch : QPageSize::Millimeter,
                     QString(), QPageSize::ExactMatch);
}

QString trimSizeNames()
{
    return QStringLiteral("a4, letter, a5, 6x9in, 7x10in, 8x10in, 8.25x11in, 8.5x11in, or WxHin "
                          "or WxHmm");
}

QPageSize localePaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                 : QPageSize::A4);
}

// The inside margin by the book's final page count, as Kindle Direct
// Publishing lists it in "Set Trim Size, Bleed, and Margins"
// (https://kdp.amazon.com/help?topicId=GVBQ3CMEQW3W2VL6): 24 to 150 pages
// 0.375 in, 151 to 300 0.5 in, 301 to 500 0.625 in, 501 to 700 0.75 in,
// 701 to 828 0.875 in; outside margins at least 0.25 in (0.375 in with
// bleed, which the 0.375 in used here meets either way). A book beyond the
// table keeps its last row.
double gutterInches(int pageCount)
{
    if (pageCount <= 150)
        return 0.375;
    if (pageCount <= 300)
        return 0.5;
    if (pageCount <= 500)
        return 0.625;
    if (pageCount <= 700)
        return 0.75;
    return 0.875;
}

SheetPdf::SheetPdf(QIODevice &device, const QString &title, const QPageLayout &paper)
    : m_out(device), m_writer(&m_buffer)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_writer.setCreator(QStringLiteral("Word Quarrin Generator"));
    m_writer.setTitle(title);
    m_writer.setResolution(1200);
    QPageLayout full = paper;
    full.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    full.setMargins(QMarginsF(0, 0, 0, 0));
    m_writer.setPageLayout(full);
    m_page = QRectF(full.fullRectPixels(m_writer.resolution()));
}

bool SheetPdf::end()
{
    if (!m_painter.end())
        return false;
    const QByteArray bytes = tagSubsetFonts(m_buffer.data());
    return m_out.write(bytes) == bytes.size();
}

QByteArray tagSubsetFonts(const QByteArray &pdf)
{
    // The tags the descriptors give, by font name.
    static const QRegularExpression fontName(
        QStringLiteral("/FontName /([A-Z]{6})\\+([!-~]+)"));
    QHash<QByteArray, QByteArray> tags;
    const QString latin = QString::fromLatin1(pdf);
    for (auto it = fontName.globalMatch(latin); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        tags.insert(m.captured(2).toLatin1(), m.captured(1).toLatin1());
    }
    const int xref = int(pdf.lastIndexOf("\nxref\n"));
    const int startxref = int(pdf.lastIndexOf("startxref"));
    if (tags.isEmpty() || xref < 0 || startxref < xref)
        return pdf;

    // Every /BaseFont of a tagged font gains the tag; where each insertion
    // lands tells how far the objects after it move.
    QByteArray out;
    out.reserve(pdf.size() + 64);
    std::vector<std::pair<int, int>> inserted; // at old offset, bytes added
    int from = 0;
    const QByteArray key("/BaseFont /");
    for (int at = int(pdf.indexOf(key)); at >= 0 && at < xref; at = int(pdf.indexOf(key, at + 1))) {
        const int nameStart = at + int(key.size());
        int nameEnd = nameStart;
        while (nameEnd < pdf.size() && pdf.at(nameEnd) > ' ' && pdf.at(nameEnd) != '/' &&
               pdf.at(nameEnd) != '>')
            ++nameEnd;
        const auto tag = tags.constFind(pdf.mid(nameStart, nameEnd - nameStart));
        if (tag == tags.constEnd())
            continue;
        out.append(pdf.constData() + from, nameStart - from);
        out.append(*tag).append('+');
        inserted.emplace_back(nameStart, int(tag->size()) + 1);
        from = nameStart;
    }
    if (inserted.empty())
        return pdf;
    const auto moved = [&](long offset) {
        long shift = 0;
        for (const auto &[at, bytes] : inserted) {
            if (at < offset)
                shift += bytes;
        }
        return offset + shift;
    };
    out.append(pdf.constData() + from, xref + 1 - from);

    // The cross-reference table: "nnnnnnnnnn ggggg n" lines keep their width.
    const QList<QByteArray> lines = pdf.mid(xref + 1, startxref - xref - 1).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (line.size() >= 18 && line.at(10) == ' ' && line.at(16) == ' ' && line.at(17) == 'n') {
            const long offset = line.left(10).toLong();
            out.append(QByteArray::number(qlonglong(moved(offset))).rightJustified(10, '0'));
            out.append(line.mid(10));
        } else {
            out.append(line);
        }
        if (i + 1 < lines.size())
            out.append('\n');
    }
    const int numberStart = startxref + 9;
    int numberEnd = numberStart;
    while (numberEnd < pdf.size() && (pdf.at(numberEnd) == ' ' || pdf.at(numberEnd) == '\n' ||
                                      pdf.at(numberEnd) == '\r'))
        ++numberEnd;
    const int digitsStart = numberEnd;
    while (numberEnd < pdf.size() && std::isdigit(static_cast<unsigned char>(pdf.at(numberEnd))))
        ++numberEnd;
    out.append(pdf.constData() + startxref, digitsStart - startxref);
    out.append(QByteArray::number(qlonglong(moved(pdf.mid(digitsStart, numberEnd - digitsStart).toLong()))));
    out.append(pdf.constData() + numberEnd, pdf.size() - numberEnd);
    return out;
}

} // namespace quarrin
