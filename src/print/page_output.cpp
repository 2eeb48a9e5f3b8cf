#include "print/page_output.h"

#include "print/paper_pdf.h"
#include "print/print_dialogs.h"
#include "sheet/sheet_document.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace quarrin {

PageFileFormat pageFileFormat(const QString &path, const QString &filter)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return PageFileFormat::Bmp;
    if (suffix == QLatin1String("png"))
        return PageFileFormat::Png;
    if (filter == QLatin1String(kWorksheetFilter) &&
        (suffix.isEmpty() || suffix == QLatin1String("pdf")))
        return PageFileFormat::Worksheet;
    if (suffix == QLatin1String("pdf"))
        return PageFileFormat::Pdf;
    if (filter == QLatin1String(kPngFilter))
        return PageFileFormat::Png;
    if (filter == QLatin1String(kPdfFilter))
        return PageFileFormat::Pdf;
    return PageFileFormat::Bmp;
}

namespace {

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("The page could not be saved to %1.\n%2\nAny file of that name was left "
                          "as it was.")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

bool writePdf(QIODevice &device, const PagePainter &paint, const QSize &pageSize)
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Word Quarrin Generator"));
    writer.setResolution(int(kScreenDpi));
    const QSizeF points(pageSize.width() * 72.0 / kScreenDpi,
                        pageSize.height() * 72.0 / kScreenDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter p;
    if (!p.begin(&writer))
        return false;
    p.setClipRect(QRect(QPoint(0, 0), pageSize));
    paint(p);
    return p.end();
}

// Writes the finished file through a temporary file in the same folder. The
// bytes are made in memory first: a file device takes a short write (a full
// disk) without an error, and whoever draws into it never looks; here every
// write is checked and a file cut short is never put in place.
QString savePage(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    qint64 written = 0;
    errno = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written < bytes.size() || !file.flush()) {
        // Qt loses the reason of a failed write or final flush; errno keeps it.
        const int error = errno;
        const QString reason = error != 0 ? qt_error_string(error) : file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return QString();
}

} // namespace

QPageLayout worksheetPaper()
{
    return sheetPaper(QLocale().measurementSystem() == QLocale::ImperialUSSystem);
}

QPageLayout worksheetPaper(const QPrinter &printer)
{
    QPageLayout paper = printer.pageLayout();
    paper.setUnits(QPageLayout::Millimeter);
    paper.setMargins(QMarginsF(10, 10, 10, 10));
    return paper;
}

QString writeWorksheetFile(const QString &path, const SheetPuzzle &puzzle, const SheetStyle &style,
                           const QPageLayout &paper, bool withKey)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeWorksheetPdf(buffer, puzzle, style, paper, withKey))
        return failure(path, QStringLiteral("The worksheet pages could not be drawn."));
    return savePage(path, buffer.data());
}

QString writePageFile(const QString &path, PageFileFormat format, const QImage &image,
                      const PagePainter &paint, const QSize &pageSize)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case PageFileFormat::Bmp:
    case PageFileFormat::Png: {
        // 24 bits per pixel, no alpha: the page is opaque
        QImageWriter writer(&buffer, format == PageFileFormat::Bmp ? "bmp" : "png");
        if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
            return failure(path, writer.errorString());
        break;
    }
    case PageFileFormat::Pdf:
    case PageFileFormat::Worksheet: // written by writeWorksheetFile; one page here
        if (!writePdf(buffer, paint, pageSize))
            return failure(path, QStringLiteral("The PDF page could not be drawn."));
        break;
    }
    return savePage(path, buffer.data());
}

namespace {

// What the printer prints to, or nothing when there is no printer: with none
// installed, Qt falls back to PDF output without a file name.
std::optional<QString> printTarget(const QPrinter &printer)
{
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer.outputFileName().isEmpty() : printer.printerName().isEmpty())
        return std::nullopt;
    return toFile ? QDir::toNativeSeparators(printer.outputFileName()) : printer.printerName();
}

const QString kNoPrinter =
    QStringLiteral("There is no printer to print on. Install a printer, or choose one "
                   "(or printing to a file) with \"Printer Setup\".");

} // namespace

QString printWorksheetOn(QPrinter &printer, const SheetPuzzle &puzzle, const SheetStyle &style,
                         const std::optional<QPageSize> &paper, bool withKey)
{
    const std::optional<QString> target = printTarget(printer);
    if (!target)
        return kNoPrinter;
    // The paper and full-page drawing hold for this job only; "Print" keeps
    // what "Printer Setup" chose.
    struct Restore
    {
        QPrinter &printer;
        QPageLayout layout = printer.pageLayout();
        bool fullPage = printer.fullPage();
        ~Restore()
        {
            printer.setPageLayout(layout);
            printer.setFullPage(fullPage);
        }
    } restore{printer};
    if (paper && !printer.setPageSize(*paper))
        return QStringLiteral("%1 cannot print on the paper chosen.").arg(*target);
    printer.setFullPage(true);
    QPainter p;
    if (!p.begin(&printer))
        return QStringLiteral("The print job could not be started on %1.").arg(*target);
    // The page in the printer's own dots, the printable area within it.
    const int dpi = printer.resolution();
    const QRectF page = printer.pageLayout().fullRectPixels(dpi);
    const QRectF printable = printer.pageLayout().paintRectPixels(dpi);
    const double inset = 10.0 / 25.4 * dpi;
    const QRectF live = printable.intersected(page.adjusted(inset, inset, -inset, -inset));
    const bool drawn = paintWorksheet(
        p, printer, [&] { return printer.newPage(); }, puzzle, style, live, withKey);
    if (!p.end() || !drawn)
        return QStringLiteral("The print job on %1 could not be finished.").arg(*target);
    return QString();
}

QString printPageOn(QPrinter &printer, const PagePainter &paint, const QSize &pageSize,
                    bool fitToPage)
{
    const std::optional<QString> printerName = printTarget(printer);
    if (!printerName)
        return kNoPrinter;
    const QString target = *printerName;
    printer.setFullPage(false);
    QPainter p;
    if (!p.begin(&printer))
        return QStringLiteral("The print job could not be started on %1.").arg(target);
    if (fitToPage) {
        paintFittedPage(p, paint, pageSize, QRectF(0, 0, printer.width(), printer.height()));
        if (!p.end())
            return QStringLiteral("The print job on %1 could not be finished.").arg(target);
        return QString();
    }
    double sx = printer.logicalDpiX() / kScreenDpi;
    double sy = printer.logicalDpiY() / kScreenDpi;
    // A page wider or taller than the printable area would lose its right or
    // bottom part at the printer's margin; it is shrunk just enough to fit.
    const QRect printable(0, 0, printer.width(), printer.height());
    const double fit = std::min({1.0, printable.width() / (pageSize.width() * sx),
                                 printable.height() / (pageSize.height() * sy)});
    p.scale(sx * fit, sy * fit);
    p.setClipRect(QRect(QPoint(0, 0), pageSize));
    paint(p);
    if (!p.end())
        return QStringLiteral("The print job on %1 could not be finished.").arg(target);
    return QString();
}

} // namespace quarrin
