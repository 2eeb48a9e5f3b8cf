// "Export Web Page...": the editor's puzzle as one web page that plays in any
// browser. A small dialog asks for the title and whether the page offers
// "Show answers", a save dialog for the file; the page takes the print page's
// clues where the user gave them.

#include "editor/editor_window.h"

#include "language/printable_check.h"
#include "web/web_page.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace quarrin {

namespace {

// What the last export chose, kept for the run and shared by both editors.
struct WebExportChoices
{
    bool showAnswers = true;
    QString folder;
};

WebExportChoices &lastChoices()
{
    static WebExportChoices choices;
    return choices;
}

template <typename W> W *named(W *widget, const char *name, const QString &accessible)
{
    widget->setObjectName(QString::fromLatin1(name));
    if (!accessible.isEmpty())
        widget->setAccessibleName(accessible);
    return widget;
}

// The title and the "Show answers" choice, before the file is chosen.
class WebExportDialog : public QDialog
{
public:
    WebExportDialog(const QString &title, bool showAnswers, QWidget *parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("webExportDialog"));
        setWindowTitle(QStringLiteral("Export Web Page"));
        setAccessibleName(windowTitle());

        auto *intro = named(
            new QLabel(QStringLiteral("One page that plays in any web browser, on a computer, "
                                      "a tablet or a phone, with no network and nothing else "
                                      "to install. Progress is kept in the browser.")),
            "webIntro", QString());
        intro->setWordWrap(true);
        intro->setAccessibleName(intro->text());
        m_title = named(new QLineEdit(title), "webTitle", QStringLiteral("Title"));
        m_title->setMinimumWidth(280);
        m_answers = named(new QCheckBox(QStringLiteral("Include \"Show answers\"")),
                          "webShowAnswers", QStringLiteral("Include \"Show answers\""));
        m_answers->setChecked(showAnswers);
        m_answers->setToolTip(QStringLiteral("The answers stay hidden until the player presses "
                                             "\"Show answers\"; without it the page holds none."));

        auto *form = new QFormLayout;
        auto *titleLabel =
            named(new QLabel(QStringLiteral("&Title:")), "webTitleLabel", QStringLiteral("Title"));
        titleLabel->setBuddy(m_title);
        form->addRow(titleLabel, m_title);
        form->addRow(QString(), m_answers);

        auto *buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel),
                              "webButtons", QString());
        QPushButton *save = buttons->button(QDialogButtonBox::Ok);
        named(save, "webSaveButton", QStringLiteral("Save"))->setText(QStringLiteral("&Save..."));
        named(buttons->button(QDialogButtonBox::Cancel), "webCancelButton",
              QStringLiteral("Cancel"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto *layout = new QVBoxLayout(this);
        layout->addWidget(intro);
        layout->addLayout(form);
        layout->addWidget(buttons);
    }

    QString title() const { return m_title->text(); }
    bool showAnswers() const { return m_answers->isChecked(); }

private:
    QLineEdit *m_title;
    QCheckBox *m_answers;
};

// A file name made of the title: characters file systems refuse become blanks.
QString fileNameFor(const QString &title)
{
    QString name = title;
    for (QChar &c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char(' ');
    name = name.simplified();
    return (name.isEmpty() ? QStringLiteral("puzzle") : name) + QStringLiteral(".html");
}

// The fonts the page's style sheet asks the browser for, in its order; the
// browser draws each letter with the first that has it. Here they resolve as
// this computer's browser would find them.
QList<QFont> webPageFonts()
{
    QList<QFont> fonts;
    for (const char *family : {"system-ui", "-apple-system", "Segoe UI", "Roboto", "Noto Sans",
                               "DejaVu Sans", "Liberation Sans", "Arial", "sans-serif"})
        fonts << QFont(QString::fromLatin1(family));
    return fonts;
}

// What the page draws: the title, the grid's letters, the words and clues.
QList<DrawnText> webDrawnTexts(const WebPuzzle &puzzle)
{
    QString text = puzzle.title + QLatin1Char(' ') + puzzle.cells.join(QString());
    for (const WebPuzzle::Entry &entry : puzzle.words)
        text += QLatin1Char(' ') + entry.word + QLatin1Char(' ') + entry.clue;
    return {DrawnText{webPageFonts(), text}};
}

} // namespace

void EditorWindow::exportWebPage()
{
    PuzzleSnapshot snapshot;
    takeSnapshot(m_model, snapshot);
    showPuzzle();
    const PrintedTexts printed = m_printedTexts ? m_printedTexts() : PrintedTexts{};
    const WebPuzzle blank = webPuzzleFromSnapshot(snapshot, QString());
    if (blank.words.empty()) {
        showMessage(QStringLiteral("The puzzle has no words yet. Add words before exporting it "
                                   "as a web page."));
        return;
    }

    WebExportChoices &choices = lastChoices();
    WebExportDialog options(printed.title.trimmed().isEmpty() ? QStringLiteral("Word Quarrin")
                                                              : printed.title,
                            choices.showAnswers, this);
    if (options.exec() != QDialog::Accepted)
        return;
    choices.showAnswers = options.showAnswers();
    const WebPuzzle puzzle = webPuzzleFromSnapshot(snapshot, options.title().trimmed(),
                                                   cluesFromPrintPage(snapshot.words, printed));
    if (!checkPrintableLetters(this, webDrawnTexts(puzzle)))
        return;

    QString folder = choices.folder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog files(this, QStringLiteral("Export Web Page"), folder,
                      QStringLiteral("Web page (*.html)"));
    files.setObjectName(QStringLiteral("webSave"));
    files.setAccessibleName(QStringLiteral("Export Web Page"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setFileMode(QFileDialog::AnyFile);
    files.setDefaultSuffix(QStringLiteral("html"));
    files.setOptions(QFileDialog::DontUseNativeDialog);
    files.selectFile(fileNameFor(options.title()));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().value(0).isEmpty())
        return;
    const QString path = files.selectedFiles().first();
    choices.folder = QFileInfo(path).absolutePath();

    WebPageOptions page;
    page.showAnswers = choices.showAnswers;
    const QString error = writeWebFile(path, webPageHtml(puzzle, page));
    if (!error.isEmpty())
        showMessage(error);
}

} // namespace quarrin
