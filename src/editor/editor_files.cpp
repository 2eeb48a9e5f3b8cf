// The editor window's file commands: saving and loading puzzle files through
// the window's file dialogs, and the export to a word processor.

#include "editor/editor_window.h"

#include <QFileDialog>

namespace quarrin {

namespace {

// Letters outside the words on the visible grid.
bool hasFillLetters(const PuzzleModel &model)
{
    for (int col = 0; col < model.columns(); ++col)
        for (int row = 0; row < model.rows(); ++row)
            if (model.cellAt(col, row).kind == Cell::Filled ||
                model.cellAt(col, row).kind == Cell::FilledWide)
                return true;
    return false;
}

} // namespace

// The save and open dialogs, made once with the window.
void EditorWindow::buildFileDialogs()
{
    const QString filter = m_spec.fileFilter;
    m_saveDialog = new QFileDialog(this, QString(), QString(), filter);
    m_saveDialog->setObjectName(QStringLiteral("save"));
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setFileMode(QFileDialog::AnyFile);
    // The file type box shows the filter's name alone, without its pattern.
    m_saveDialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                             QFileDialog::HideNameFilterDetails);
    m_openDialog = new QFileDialog(this, QString(), QString(), filter);
    m_openDialog->setObjectName(QStringLiteral("open"));
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    m_openDialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
}

void EditorWindow::savePuzzle()
{
    if (m_saveDialog->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = m_saveDialog->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return;
    const QString path = PuzzleFile::fileNameForSaving(m_size, chosen.first());
    const FileResult result = m_file.save(m_model, path);
    showPuzzle();
    if (!result.ok)
        showMessage(result.error);
    else if (!result.notice.isEmpty())
        showMessage(result.notice);
}

void EditorWindow::loadPuzzle()
{
    FileResult result;
    bool loaded = false;
    if (m_openDialog->exec() == QDialog::Accepted) {
        const QStringList chosen = m_openDialog->selectedFiles();
        if (!chosen.isEmpty() && !chosen.first().isEmpty()) {
            result = m_file.load(m_model, chosen.first());
            loaded = result.ok;
        }
    }
    afterLoad(loaded);
    if (!result.ok)
        showMessage(result.error);
}

FileResult EditorWindow::loadFile(const QString &path)
{
    const FileResult result = m_file.load(m_model, path);
    afterLoad(result.ok);
    return result;
}

void EditorWindow::afterLoad(bool loaded)
{
    // A cancelled or refused load leaves the puzzle, and what is known of its
    // fill, as it was.
    if (loaded) {
        m_messageLetters = 0;
        m_loadedFill = hasFillLetters(m_model);
    }
    // The small editor tidies the position lines after every load command,
    // even a cancelled one.
    if (m_spec.trimPositionsAfterLoad)
        m_model.trimPositionLines();
    showPuzzle();
}

void EditorWindow::exportToWord()
{
    std::unique_ptr<WordProcessor> processor =
        m_wordProcessorFactory ? m_wordProcessorFactory() : createDefaultWordProcessor();
    const QString message =
        processor ? exportGrid(m_model, *processor) : wordProcessorStartFailureMessage();
    if (!message.isEmpty())
        showMessage(message);
}

} // namespace quarrin
