// The editor window's events and key filters: what each entry control lets
// through, Enter as "Add Word", and what activating and closing a window does.

#include "editor/editor_window.h"

#include "editor/editor_grid.h"
#include "editor/editor_host.h"
#include "editor/editor_layout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace quarrin {

namespace {

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool isBackspaceOrEnter(QChar c)
{
    return c == QChar(8) || c == QChar(13);
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The common rule of the key filters: keys that type characters get through
// only when `allowed` accepts every character; keys that type nothing (arrows,
// Home, Delete, Tab) always reach the control.
template <typename Allowed> bool dropsKey(const QKeyEvent *event, Allowed allowed)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!allowed(c))
            return true;
    }
    return false;
}

} // namespace

void EditorWindow::focusWordBox()
{
    m_grid->unselect();
    m_wordBox->setFocus(Qt::ActiveWindowFocusReason);
}

void EditorWindow::closeTwin()
{
    if (!m_twin)
        return;
    if (m_layout.isMainWindow) {
        // The program ends with the main window; the other editor goes too.
        if (m_twin->isVisible())
            m_twin->hide();
    } else {
        m_twin->close();
    }
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    // Closing an editor ends the program, so every editor's unsaved work is
    // asked about, this one's first; the closes that follow ask no more.
    QList<QPointer<EditorWindow>> asked;
    if (!m_lossConfirmed) {
        QList<EditorWindow *> editors{this};
        for (EditorWindow *other : m_host ? m_host->editors() : QList<EditorWindow *>{m_twin}) {
            if (other && !editors.contains(other))
                editors << other;
        }
        for (EditorWindow *editor : editors) {
            if (!editor->confirmLoss()) {
                event->ignore();
                return;
            }
        }
        for (EditorWindow *editor : editors) {
            editor->m_lossConfirmed = true;
            asked << editor;
        }
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        closeTwin();
    for (const QPointer<EditorWindow> &editor : asked) {
        if (editor)
            editor->m_lossConfirmed = false;
    }
}

void EditorWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window clicks the default button "Add Word".
    if (isEnterKey(event)) {
        m_addButton->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool EditorWindow::event(QEvent *event)
{
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        focusWordBox();
    return result;
}

bool EditorWindow::dropsWordKey(QKeyEvent *event) const
{
    // A document takes its alphabet's letters, as any keyboard layout types
    // them; the record editors take A to Z.
    if (m_model.hasAlphabet()) {
        const Alphabet &alphabet = m_model.alphabet();
        return dropsKey(event, [&alphabet](QChar c) {
            return isBackspaceOrEnter(c) || alphabet.acceptsKey(c);
        });
    }
    return dropsKey(event, [](QChar c) { return isBackspaceOrEnter(c) || isAsciiLetter(c); });
}

bool EditorWindow::dropsCoordinateKey(QKeyEvent *event) const
{
    return dropsKey(event, [](QChar c) { return isBackspaceOrEnter(c) || isAsciiDigit(c); });
}

bool EditorWindow::dropsAnyTyping(QKeyEvent *event) const
{
    return dropsKey(event, [](QChar) { return false; });
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // Undo and Redo keys undo the puzzle's commands, not the typing in a box.
    if (type == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
            key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y))
            return true;
    }
    // The document editor follows its window's size.
    if (type == QEvent::Resize && watched == centralWidget()) {
        arrangeScaledLayout();
        return false;
    }
    if (type == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Enter is let through every entry control and reaches "Add Word".
        if (isEnterKey(key)) {
            m_addButton->click();
            return true;
        }
        if (watched == m_wordBox)
            return dropsWordKey(key);
        if (watched == m_xPos)
            return dropsCoordinateKey(key);
        if (watched == m_yPos)
            return dropsCoordinateKey(key);
        return dropsAnyTyping(key);
    }
    // A click into one of the word lists sends the focus to the word box, so
    // the lists are never edited.
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        for (QPlainTextEdit *list : {m_log, m_positions, m_directionMemo}) {
            if (watched == list->viewport()) {
                m_wordBox->setFocus(Qt::MouseFocusReason);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quarrin
