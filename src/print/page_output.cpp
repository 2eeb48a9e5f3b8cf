#include "print/page_output.h"

#include "print/paper_pdf.h"
#include "print/print_dialogs.h"

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

bool writeWorksheetPdf(QIODevice &device, const PagePainter &puzzle, const PagePainter &key,
                       const QSize &pageSize, const QPageLayout &paper)
{
    if (pageSize.isEmpty())
        return false;
    PaperPdf pdf(device, QStringLiteral("Word search worksheet"), paper);
    if (!pdf.begin())
        return false;
    paintFittedPage(pdf.painter(), puzzle, pageSize, pdf.area());
    if (!pdf.newPage())
        return false;
    paintFittedPage(pdf.painter(), key, pageSize, pdf.area());
    return pdf.end();
}

QString writeWorksheetFile(const QString &path, const PagePainter &puzzle, const PagePainter &key,
                           const QSize &pageSize, const QPageLayout &paper)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeWorksheetPdf(buffer, puzzle, key, pageSize, paper))
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

QString printPageOn(QPrinter &printer, const PagePainter &paint, const QSize &pageSize,
                    bool fitToPage)
{
    // With no printer installed, Qt falls back to PDF output without a file name.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile ? printer.outputFileName().isEmpty() : printer.printerName().isEmpty())
        return QStringLiteral("There is no printer to print on. Install a printer, or choose one "
                              "(or printing to a file) with \"Printer Setup\".");
    const QString target =
        toFile ? QDir::toNativeSeparators(printer.outputFileName()) : printer.printerName();
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
