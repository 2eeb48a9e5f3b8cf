// Renders the print windows for the documentation: each window with its
// tools, and one page printed to a PDF file through the print command.
//   print_shot <out-dir> [WxH]...
// writes print15.png, print30.png and printed_page.pdf into <out-dir>, and
// printWxH.png for each other size named.

#include "print/print_window.h"
#include "print_fixture.h"
#include "print_shot_tool.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

using namespace quarrin;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Word Quarrin Generator"));
    const QDir out = testing::outputFolder(argc, argv);

    PuzzleSnapshot small =
        testing::makeSnapshot(GridSize::Small, testing::sampleWords(GridSize::Small, 15));
    PuzzleSnapshot large =
        testing::makeSnapshot(GridSize::Large, testing::sampleWords(GridSize::Large, 28));

    TprintPage page(&small);
    TprintComplex complex(&large);
    page.setDialogs(std::make_unique<testing::QuietDialogs>());
    complex.setDialogs(std::make_unique<testing::QuietDialogs>());

    int failures = 0;
    for (PrintWindow *w :
         {static_cast<PrintWindow *>(&page), static_cast<PrintWindow *>(&complex)}) {
        w->show();
        QApplication::processEvents();
        const QString name = w->gridSize() == GridSize::Small ? "print15.png" : "print30.png";
        if (!w->grab().save(out.filePath(name)))
            ++failures;
    }

    for (int i = 2; i < argc; ++i) {
        const std::optional<GridSize> size = GridSize::parse(QString::fromLocal8Bit(argv[i]));
        if (!size) {
            ++failures;
            continue;
        }
        PuzzleSnapshot other = testing::makeSnapshot(*size, testing::sampleWords(*size, 28));
        PrintWindow w(*size, &other);
        w.setDialogs(std::make_unique<testing::QuietDialogs>());
        w.show();
        QApplication::processEvents();
        if (!w.grab().save(out.filePath(QStringLiteral("print%1.png").arg(size->text()))))
            ++failures;
    }

    // one printed page, through the Print button, to a PDF file
    page.printer().setOutputFormat(QPrinter::PdfFormat);
    page.printer().setOutputFileName(out.filePath(QStringLiteral("printed_page.pdf")));
    page.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    return failures == 0 && QFileInfo::exists(out.filePath("printed_page.pdf")) ? 0 : 1;
}
