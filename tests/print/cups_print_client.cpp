// Drives one print window through "Print" for the print-server test
// (cups_print_test.py), on whatever printer the print system offers.
//   cups_print_client print15     print the 15x15 page on the default printer
//   cups_print_client print30     "Printer Setup" turns the paper to landscape, then print 30x30
//   cups_print_client noprinter   expect the no-printer message
//   cups_print_client key15       tick "Answer Key", "Fit to page" and "White background", then
//   print 15x15
// Prints "MESSAGE: <text>" for every message box and "STATE: normal" when the
// window is back in its normal state. Exit code 0 when the run went as expected.

#include "key_fixture.h"
#include "print/print_window.h"
#include "print_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

using namespace quarrin;

namespace {

class ConsoleDialogs : public PrintDialogs
{
public:
    int messages = 0;
    bool setupAsked = false;
    void message(QWidget *, const QString &text) override
    {
        ++messages;
        std::printf("MESSAGE: %s\n", qPrintable(text));
    }
    bool setupPrinter(QWidget *, QPrinter *printer) override
    {
        setupAsked = true;
        printer->setPageOrientation(QPageLayout::Landscape);
        return true;
    }
};

bool inNormalState(const PrintWindow &w)
{
    if (w.inCaptureState() || w.height() != kNormalHeight)
        return false;
    for (const char *name : {"BitBtn2", "Button5", "BitBtn3", "Button3", "Button4", "pos",
                             "Button8", "Button1", "Button2", "Button6"}) {
        const QWidget *tool = w.findChild<QWidget *>(QLatin1String(name));
        if (!tool || tool->isHidden())
            return false;
    }
    return true;
}

void press(PrintWindow &w, const char *name)
{
    auto *button = w.findChild<QPushButton *>(QLatin1String(name));
    if (!button) {
        std::printf("MISSING: %s\n", name);
        std::exit(2);
    }
    button->click();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const GridSize size = mode == QLatin1String("print30") ? GridSize::Large : GridSize::Small;
    // the key gets words in all eight directions to ring
    PuzzleSnapshot snapshot =
        mode == QLatin1String("key15")
            ? testing::eightWaySnapshot(size)
            : testing::makeSnapshot(size, testing::sampleWords(size, sizeSpec(size).snapshotWords));
    PrintWindow window(size, &snapshot);
    auto dialogs = std::make_unique<ConsoleDialogs>();
    ConsoleDialogs *console = dialogs.get();
    window.setDialogs(std::move(dialogs));
    window.show();
    QApplication::processEvents();

    std::printf("PRINTER: %s\n", qPrintable(window.printer().printerName()));
    // The controls are used as the user would: "Printer Setup", the key options, then "Print".
    if (mode == QLatin1String("print30"))
        press(window, "Button5");
    if (mode == QLatin1String("key15")) {
        for (const char *name : {"answerKey", "fitToPage", "whiteBackground"}) {
            auto *box = window.findChild<QCheckBox *>(QLatin1String(name));
            if (!box)
                return 1;
            box->click();
        }
    }
    press(window, "BitBtn2");
    const bool normal = inNormalState(window);
    if (normal)
        std::printf("STATE: normal\n");
    std::fflush(stdout);

    if (mode == QLatin1String("noprinter"))
        return console->messages == 1 && normal ? 0 : 1;
    return console->messages == 0 && normal ? 0 : 1;
}
