// The editor window's file commands: saving and loading puzzle files through
// the window's file dialogs, and the export to a word processor.

#include "editor/editor_window.h"

#include "editor/editor_host.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>

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

void EditorWindow::closeCompleterListWhenDone(QFileDialog *dialog)
{
    // The name box's completer shows its list as a window of its own. A
    // dialog kept for the next use is only hidden when it is done, and a list
    // still open (the user typed a name and pressed Enter) would stay drawn
    // over the editor until the next click.
    connect(dialog, &QDialog::finished, dialog, [dialog] {
        for (QCompleter *completer : dialog->findChildren<QCompleter *>()) {
            if (completer->popup())
                completer->popup()->hide();
        }
    });
}

// The save and open dialogs, made once with the window. A record editor
// offers its record type first and puzzle documents beside it; the document
// editor saves documents and opens documents or either record type.
void EditorWindow::buildFileDialogs()
{
    QStringList saveFilters, openFilters;
    if (m_kind == EditorKind::Record) {
        saveFilters = openFilters = QStringList{m_spec.fileFilter, kDocumentFilter};
    } else {
        saveFilters = QStringList{kDocumentFilter};
        openFilters = QStringList{kDocumentFilter, sizeSpec(GridSize::Small).fileFilter,
                                  sizeSpec(GridSize::Large).fileFilter};
    }
    m_saveDialog = new QFileDialog(this, QString(), QString());
    m_saveDialog->setObjectName(QStringLiteral("save"));
    m_saveDialog->setNameFilters(saveFilters);
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setFileMode(QFileDialog::AnyFile);
    // The file type box shows the filter's name alone, without its pattern.
    m_saveDialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                             QFileDialog::HideNameFilterDetails);
    m_openDialog = new QFileDialog(this, QString(), QString());
    m_openDialog->setObjectName(QStringLiteral("open"));
    m_openDialog->setNameFilters(openFilters);
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    m_openDialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    closeCompleterListWhenDone(m_saveDialog);
    closeCompleterListWhenDone(m_openDialog);
}

void EditorWindow::setPageSettingsAccess(PageSettingsSource source, PageSettingsSink sink)
{
    m_pageSettingsSource = std::move(source);
    m_pageSettingsSink = std::move(sink);
}

PuzzleDocument EditorWindow::puzzleDocument() const
{
    const PageSettings page = m_pageSettingsSource ? m_pageSettingsSource() : PageSettings();
    PuzzleDocument document = documentFromModel(m_model, m_messageLetters, &page);
    // A 15x15 record's reserved field rides along, so the record comes back whole.
    document.reserved = m_file.record().reserved;
    if (document.reserved.count('\0') == document.reserved.size())
        document.reserved.clear();
    return document;
}

void EditorWindow::setDocumentPath(const QString &path)
{
    m_documentPath = path;
    // The document editor names its document in its caption; the record
    // editors keep theirs.
    if (m_kind == EditorKind::Document) {
        setWindowTitle(path.isEmpty()
                           ? m_spec.editorCaption
                           : QStringLiteral("%1 \u2013 %2")
                                 .arg(QFileInfo(path).fileName(), m_spec.editorCaption));
        setAccessibleName(windowTitle());
    }
}

FileResult EditorWindow::saveAsDocument(const QString &path)
{
    const FileResult result = saveDocument(puzzleDocument(), path);
    if (result.ok)
        setDocumentPath(path);
    return result;
}

void EditorWindow::savePuzzle()
{
    saveThroughDialog();
}

void EditorWindow::savePuzzleAs()
{
    // Save asks for a name every time too; Save As is where users look for it.
    saveThroughDialog();
}

bool EditorWindow::saveThroughDialog()
{
    startInLastFolder(m_saveDialog);
    if (m_kind == EditorKind::Document && !m_documentPath.isEmpty())
        m_saveDialog->selectFile(m_documentPath);
    if (m_saveDialog->exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = m_saveDialog->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return false;
    setLastFolder(m_saveDialog->directory().absolutePath());
    FileResult result;
    QString path;
    const bool asDocument = m_kind == EditorKind::Document ||
                            m_saveDialog->selectedNameFilter() == kDocumentFilter ||
                            isDocumentFileName(chosen.first());
    if (asDocument) {
        path = documentFileNameForSaving(chosen.first());
        result = saveAsDocument(path);
    } else {
        path = PuzzleFile::fileNameForSaving(m_size, chosen.first());
        result = m_file.save(m_model, path);
    }
    showPuzzle();
    if (result.ok) {
        // Saving a record writes blanks into the empty cells: part of the
        // save, not a step of its own.
        absorbChange();
        markSaved();
        addRecentFile(path);
    }
    if (!result.ok)
        showMessage(result.error);
    else if (!result.notice.isEmpty())
        showMessage(result.notice);
    return result.ok;
}

void EditorWindow::loadPuzzle()
{
    startInLastFolder(m_openDialog);
    if (m_openDialog->exec() != QDialog::Accepted) {
        afterLoad(false);
        return;
    }
    const QStringList chosen = m_openDialog->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        afterLoad(false);
        return;
    }
    setLastFolder(m_openDialog->directory().absolutePath());
    openPuzzlePath(chosen.first(), m_openDialog->selectedNameFilter() == kDocumentFilter);
}

void EditorWindow::openPuzzlePath(const QString &path, bool asDocument)
{
    const bool document = asDocument || isDocumentFileName(path);
    FileResult result;
    if (document || m_kind == EditorKind::Document) {
        // A document opens in the editor of its size, which may be this
        // one; a record opens in its record editor. That editor asks first
        // when it holds unsaved work.
        if (m_host)
            result = m_host->openPuzzleFile(this, path);
        else
            result = confirmLoss() ? loadFile(path) : FileResult::failure(QString());
        if (m_spec.trimPositionsAfterLoad)
            m_model.trimPositionLines();
        absorbChange();
        showPuzzle();
    } else if (!confirmLoss()) {
        afterLoad(false);
        absorbChange();
        return;
    } else {
        result = loadFile(path);
    }
    if (result.ok)
        addRecentFile(path);
    // An empty error: the user kept the unsaved work; nothing to say.
    if (!result.ok && !result.error.isEmpty())
        showMessage(result.error);
    else if (result.ok && !result.notice.isEmpty())
        showMessage(result.notice);
}

FileResult EditorWindow::loadFile(const QString &path)
{
    if (isDocumentFileName(path)) {
        PuzzleDocument document;
        FileResult result = quarrin::loadDocument(path, &document);
        if (!result.ok)
            return result;
        const QString notice = result.notice;
        result = loadDocument(document, path);
        if (result.ok)
            result.notice = notice;
        return result;
    }
    const FileResult result = m_file.load(m_model, path);
    afterLoad(result.ok);
    if (result.ok) {
        setDocumentPath(QString());
        record(QStringLiteral("Load"));
        markSaved();
    } else {
        absorbChange();
    }
    return result;
}

FileResult EditorWindow::loadDocument(const PuzzleDocument &document, const QString &path)
{
    if (document.size != m_size) {
        return FileResult::failure(
            QStringLiteral("The puzzle is %1; this editor holds %2 puzzles.")
                .arg(document.size.text(), m_size.text()));
    }
    const FileResult result = applyDocument(document, m_model);
    if (!result.ok)
        return FileResult::failure(QStringLiteral("The puzzle could not be loaded: %1").arg(result.error));
    // The document says which letters are the message, so Refill can keep it.
    m_messageLetters = int(document.message.size());
    m_loadedFill = false;
    if (!document.reserved.isEmpty())
        m_file.setReserved(document.reserved);
    if (document.hasPage && m_pageSettingsSink)
        m_pageSettingsSink(document.page);
    setDocumentPath(path);
    showPuzzle();
    record(QStringLiteral("Load"));
    markSaved();
    return {};
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
    if (!message.isEmpty()) {
        showMessage(message);
        offerDocumentSave();
    }
}

} // namespace quarrin
