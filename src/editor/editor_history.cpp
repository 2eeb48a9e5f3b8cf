// The editor window's history: every command that changes the puzzle is an
// undo step holding the puzzle before and after it; the question before
// unsaved work is lost; and what the editors remember between runs (the
// recent files and the folder last used).

#include "editor/editor_window.h"

#include "editor/editor_grid.h"
#include "editor/editor_host.h"
#include "editor/fill_settings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSettings>
#include <QUndoStack>

namespace quarrin {

namespace {

constexpr int kRecentFiles = 8;
// Undo steps kept per editor; a 50x50 puzzle's step is a few tens of kilobytes.
constexpr int kUndoLevels = 200;

// The program's settings file, which Keep Fill Clean is kept in too.
QSettings editorSettings()
{
    return QSettings(FillSettings::settingsPath(), QSettings::IniFormat);
}

// One command's change: the whole puzzle before and after it. The first
// redo() is the command itself, already done.
class PuzzleChange : public QUndoCommand
{
public:
    using Apply = std::function<void(const EditorWindow::PuzzleState &)>;

    PuzzleChange(const QString &text, EditorWindow::PuzzleState before,
                 EditorWindow::PuzzleState after, Apply apply)
        : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)),
          m_apply(std::move(apply))
    {
    }

    void undo() override { m_apply(m_before); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_apply(m_after);
    }

private:
    EditorWindow::PuzzleState m_before;
    EditorWindow::PuzzleState m_after;
    Apply m_apply;
    bool m_done = true;
};

bool isEmptyPuzzle(const PuzzleModel &model)
{
    if (model.wordCount() > 0)
        return false;
    for (const Cell &c : model.cells()) {
        if (c.kind != Cell::Empty && c.letter != u' ')
            return false;
    }
    return true;
}

} // namespace

void EditorWindow::buildEditMenu()
{
    m_history = new QUndoStack(this);
    m_history->setUndoLimit(kUndoLevels);
    m_recorded = std::make_unique<PuzzleState>(currentState());
    m_saved = std::make_unique<PuzzleModel>(m_model);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->setAccessibleName(QStringLiteral("Edit"));
    QAction *undoItem = m_history->createUndoAction(edit, QStringLiteral("Undo"));
    undoItem->setObjectName(QStringLiteral("Undo1"));
    undoItem->setShortcut(QKeySequence::Undo);
    QAction *redoItem = m_history->createRedoAction(edit, QStringLiteral("Redo"));
    redoItem->setObjectName(QStringLiteral("Redo1"));
    redoItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                            QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undoItem);
    edit->addAction(redoItem);
}

void EditorWindow::undo()
{
    m_history->undo();
}

void EditorWindow::redo()
{
    m_history->redo();
}

void EditorWindow::record(const QString &label)
{
    if (m_model.samePuzzle(m_recorded->model)) {
        // Nothing of the puzzle changed: no step, but what is known of the
        // fill follows.
        m_recorded->messageLetters = m_messageLetters;
        m_recorded->loadedFill = m_loadedFill;
        return;
    }
    PuzzleState now = currentState();
    m_history->push(new PuzzleChange(label, *m_recorded, now,
                                     [this](const PuzzleState &state) { restoreState(state); }));
    *m_recorded = std::move(now);
}

void EditorWindow::absorbChange()
{
    *m_recorded = currentState();
}

void EditorWindow::restoreState(const PuzzleState &state)
{
    m_model.restore(state.model);
    m_messageLetters = state.messageLetters;
    m_loadedFill = state.loadedFill;
    *m_recorded = currentState();
    m_cellDelegate->setMarked({});
    showPuzzle();
}

void EditorWindow::markSaved()
{
    *m_saved = m_model;
}

bool EditorWindow::hasUnsavedWork() const
{
    return !isEmptyPuzzle(m_model) && !m_model.samePuzzle(*m_saved);
}

bool EditorWindow::confirmLoss()
{
    if (m_lossConfirmed || !hasUnsavedWork())
        return true;
    QWidget *parent = isVisible() ? static_cast<QWidget *>(this) : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Warning, messageTitle(),
                    QStringLiteral("Save changes to this puzzle?"), QMessageBox::NoButton,
                    parent ? parent : this);
    box.setObjectName(QStringLiteral("saveChangesQuestion"));
    box.setInformativeText(
        m_documentPath.isEmpty()
            ? QStringLiteral("The %1 puzzle has changed since it was last saved.")
                  .arg(m_size.text())
            : QStringLiteral("%1 has changed since it was last saved.")
                  .arg(QFileInfo(m_documentPath).fileName()));
    QPushButton *save = box.addButton(QMessageBox::Save);
    save->setObjectName(QStringLiteral("saveAnswer"));
    QPushButton *discard = box.addButton(QMessageBox::Discard);
    discard->setObjectName(QStringLiteral("discardAnswer"));
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelAnswer"));
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard)
        return true;
    if (box.clickedButton() == save)
        return saveThroughDialog();
    return false;
}

// --- Kept between runs ---

QStringList EditorWindow::recentFiles()
{
    return editorSettings().value(QStringLiteral("Files/Recent")).toStringList();
}

void EditorWindow::addRecentFile(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(full);
    files.prepend(full);
    while (files.size() > kRecentFiles)
        files.removeLast();
    QSettings settings = editorSettings();
    settings.setValue(QStringLiteral("Files/Recent"), files);
    settings.setValue(QStringLiteral("Files/LastFolder"), QFileInfo(full).absolutePath());
}

QString EditorWindow::lastFolder()
{
    const QString folder = editorSettings().value(QStringLiteral("Files/LastFolder")).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void EditorWindow::setLastFolder(const QString &folder)
{
    editorSettings().setValue(QStringLiteral("Files/LastFolder"), folder);
}

void EditorWindow::startInLastFolder(QFileDialog *dialog)
{
    const QString folder = lastFolder();
    if (!folder.isEmpty())
        dialog->setDirectory(folder);
}

void EditorWindow::fillRecentMenu(QMenu *menu)
{
    menu->clear();
    const QStringList files = recentFiles();
    if (files.isEmpty()) {
        QAction *none = menu->addAction(QStringLiteral("(none)"));
        none->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString &path = files.at(i);
        // &1 to &8: the number is the item's key.
        QAction *item = menu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        item->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
}

void EditorWindow::openRecentFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        showMessage(QStringLiteral("%1 is no longer there; it is taken off the list.")
                        .arg(QDir::toNativeSeparators(path)));
        QStringList files = recentFiles();
        files.removeAll(path);
        editorSettings().setValue(QStringLiteral("Files/Recent"), files);
        return;
    }
    openPuzzlePath(path);
}

} // namespace quarrin
