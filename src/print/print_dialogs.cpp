#include "print/print_dialogs.h"

#include "print/worksheet_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace quarrin {

namespace {
constexpr int kPromptMaxLength = 255;

QString suffixOfFilter(const QString &filter)
{
    const int star = filter.lastIndexOf(QLatin1String("*."));
    if (star < 0)
        return QString();
    QString suffix = filter.mid(star + 2);
    suffix.chop(1); // the closing parenthesis
    return suffix;
}
// The whole filter of the name the file type box shows: with the patterns
// hidden the dialog reports the bare name.
QString fullFilter(const QStringList &filters, const QString &shown)
{
    for (const QString &filter : filters)
        if (filter == shown || filter.startsWith(shown + QLatin1String(" (")))
            return filter;
    return shown;
}
} // namespace

std::optional<QFont> PrintDialogs::chooseFont(QWidget *parent, const QString &dialogName,
                                              const QFont &initial)
{
    QFontDialog dialog(initial, parent);
    dialog.setObjectName(dialogName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QColor> PrintDialogs::chooseColour(QWidget *parent, const QString &dialogName,
                                                 const QColor &initial)
{
    QColorDialog dialog(initial, parent);
    dialog.setObjectName(dialogName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

QString PrintDialogs::askTitle(QWidget *parent)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("titlePrompt"));
    dialog.setWindowTitle(QStringLiteral("Change Title"));
    dialog.setLabelText(QStringLiteral("Enter a new title"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMaxLength(kPromptMaxLength);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

std::optional<SaveChoice> PrintDialogs::askImageFile(QWidget *parent, const QString &lastPath)
{
    QFileDialog dialog(parent, QStringLiteral("Save Image"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = {QLatin1String(kBmpFilter), QLatin1String(kPngFilter),
                                 QLatin1String(kPdfFilter), QLatin1String(kWorksheetFilter)};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    // The file type box shows each filter's name alone, without its pattern.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    // a name typed without extension takes the one of the filter in use
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString &filter) {
                         dialog.setDefaultSuffix(suffixOfFilter(fullFilter(filters, filter)));
                     });
    if (!lastPath.isEmpty()) {
        const QFileInfo info(lastPath);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveChoice{dialog.selectedFiles().first(),
                      fullFilter(filters, dialog.selectedNameFilter())};
}

std::optional<WorksheetOptions> PrintDialogs::askWorksheetOptions(QWidget *parent,
                                                                  const WorksheetOptions &initial)
{
    WorksheetDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

bool PrintDialogs::setupPrinter(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dialog(printer, parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // this only chooses the printer; "Print" on the print window prints
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialogs::message(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace quarrin
