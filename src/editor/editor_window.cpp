// The editor window: its commands, each run on the puzzle model and shown
// again, and the hand-over to the print, play and help windows. Building the
// controls, the key filters and the file commands have files of their own.

#include "editor/editor_window.h"

#include "check/clean_fill_model.h"
#include "check/puzzle_check.h"
#include "editor/check_window.h"
#include "editor/editor_grid.h"
#include "editor/editor_host.h"
#include "editor/editor_layout.h"
#include "editor/fill_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>

namespace quarrin {

namespace {

void setListLines(QPlainTextEdit *list, const QStringList &lines)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (list->toPlainText() != text)
        list->setPlainText(text);
}

} // namespace

namespace {

Qt::WindowFlags editorWindowFlags(EditorKind kind)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint;
    if (kind == EditorKind::Document)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

// The document editor's first size: cells of 26 pixels where the screen has
// room for them, smaller where it has not.
QSize firstScaledClientSize(GridSize size, int menuHeight)
{
    QSize wanted = scaledEditorClientSize(size, 26);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 48 + menuHeight);
        wanted =
            wanted.boundedTo(room).expandedTo(QSize(kScaledEditorMinWidth, kScaledEditorMinHeight));
    }
    return wanted;
}

} // namespace

EditorWindow::EditorWindow(GridSize size, RandomGenerator *random, PuzzleSnapshot *snapshot,
                           QWidget *parent)
    : EditorWindow(size, EditorKind::Record, random, snapshot, parent)
{
}

EditorWindow::EditorWindow(GridSize size, EditorKind kind, RandomGenerator *random,
                           PuzzleSnapshot *snapshot, QWidget *parent)
    : QMainWindow(parent, editorWindowFlags(kind)), m_size(size), m_kind(kind),
      m_spec(sizeSpec(size)), m_layout(editorLayout(size, kind)), m_model(size, random),
      m_file(size.isFixed() ? size : GridSize::Small), m_snapshot(snapshot)
{
    Q_ASSERT(kind == EditorKind::Document || size.isFixed());
    // A document's words are English until New Puzzle or a document says otherwise.
    if (kind == EditorKind::Document)
        m_model.setLetters(Alphabet(), FillKind::Natural);
    setObjectName(QString::fromLatin1(m_layout.windowName));
    setWindowTitle(m_spec.editorCaption);
    setAccessibleName(windowTitle());
    buildControls();
    buildFileDialogs();
    buildMenu();
    buildEditMenu();
    setDensePlacement(false);

    const int menuHeight = menuBar()->sizeHint().height();
    if (m_layout.scales) {
        // The document editor can be resized; its grid grows with it.
        setMinimumSize(kScaledEditorMinWidth, kScaledEditorMinHeight + menuHeight);
        resize(firstScaledClientSize(size, menuHeight) + QSize(0, menuHeight));
        centralWidget()->installEventFilter(this);
        arrangeScaledLayout();
    } else {
        // Client area of 998 x 668 pixels below the menu bar; the window
        // cannot be resized.
        centralWidget()->setFixedSize(998, 668);
        setFixedSize(998, 668 + menuHeight);
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    showPuzzle();
}

EditorWindow::~EditorWindow() = default;

QString EditorWindow::messageTitle()
{
    return QStringLiteral("Word Quarrin Generator");
}

void EditorWindow::setWordProcessorFactory(WordProcessorFactory factory)
{
    m_wordProcessorFactory = std::move(factory);
}

// --- Showing the puzzle ---

void EditorWindow::showPuzzle()
{
    m_gridModel->refresh();
    if (m_languageLabel) {
        const Alphabet &alphabet = m_model.alphabet();
        const Language &language = alphabet.language();
        QString text =
            language.nativeName() == language.englishName()
                ? language.englishName()
                : QStringLiteral("%1 (%2)").arg(language.nativeName(), language.englishName());
        if (!alphabet.rules().keepAccents)
            text += QStringLiteral(", no accents");
        if (m_model.fillKind() == FillKind::Uniform)
            text += QStringLiteral(", uniform fill");
        m_languageLabel->setText(text);
        m_languageLabel->setAccessibleName(text);
    }
    setListLines(m_log, m_model.log());
    setListLines(m_positions, m_model.positions());
    setListLines(m_directionMemo, m_model.directionMemo());

    // The delete list follows the model's entries. When it is refilled, the
    // chosen entry stays chosen if it is still there.
    const QStringList &entries = m_model.deleteList();
    QStringList shown;
    for (int i = 0; i < m_deleteWordBox->count(); ++i)
        shown << m_deleteWordBox->itemText(i);
    if (shown != entries) {
        const QString text = m_deleteWordBox->currentText();
        const int index = m_deleteWordBox->currentIndex();
        const QSignalBlocker blocker(m_deleteWordBox);
        m_deleteWordBox->clear();
        m_deleteWordBox->addItems(entries);
        int keep = -1;
        if (!text.isEmpty()) {
            if (index >= 0 && index < entries.size() && entries.at(index) == text)
                keep = index;
            else
                keep = int(entries.indexOf(text));
        }
        m_deleteWordBox->setCurrentIndex(keep);
        if (keep < 0)
            m_deleteWordBox->clearEditText();
    }
}

void EditorWindow::refreshGrid()
{
    apply(m_model.runAtomically([this](CommandOutcome &) { m_model.refreshGrid(); }));
    absorbChange();
}

void EditorWindow::setHighlighting(bool on)
{
    m_cellDelegate->setHighlighting(on);
    m_grid->viewport()->update();
}

bool EditorWindow::highlighting() const
{
    return m_cellDelegate->highlighting();
}

void EditorWindow::apply(const CommandOutcome &outcome)
{
    // Messages are shown while the boxes still hold what was typed.
    const int before = outcome.messagesBeforeClearing < 0
                           ? int(outcome.messages.size())
                           : qMin(outcome.messagesBeforeClearing, int(outcome.messages.size()));
    for (int i = 0; i < before; ++i)
        showMessage(outcome.messages.at(i));
    if (outcome.clearWord)
        m_wordBox->clear();
    if (outcome.clearCoordinates) {
        m_xPos->clear();
        m_yPos->clear();
    }
    if (outcome.clearDeleteText) {
        m_deleteWordBox->setCurrentIndex(-1);
        m_deleteWordBox->clearEditText();
    }
    showPuzzle();
    for (int i = before; i < outcome.messages.size(); ++i)
        showMessage(outcome.messages.at(i));
}

void EditorWindow::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

// --- Commands ---

void EditorWindow::addWord()
{
    AddWordRequest request;
    request.word = m_wordBox->text();
    request.randomPosition = m_randomPositionBox->isChecked();
    request.x = m_xPos->text();
    request.y = m_yPos->text();
    request.direction = m_directionChoice->currentText();
    request.allowed = allowedDirections();
    CommandOutcome outcome = m_model.addWord(request);
    if (!outcome.positionDetail.isEmpty()) {
        const int at =
            int(outcome.messages.indexOf(QStringLiteral("Invalid position to enter word")));
        if (at >= 0)
            outcome.messages[at] += QStringLiteral(": ") + outcome.positionDetail;
    }
    apply(outcome);
    record(QStringLiteral("Add Word"));
}

void EditorWindow::deleteWord()
{
    if (m_deleteWordBox->currentText().isEmpty())
        return;
    int index = m_deleteWordBox->currentIndex();
    if (index < 0 || m_deleteWordBox->itemText(index) != m_deleteWordBox->currentText())
        index = m_deleteWordBox->findText(m_deleteWordBox->currentText(), Qt::MatchExactly);
    if (index < 0)
        return;
    forgetFill();
    apply(m_model.deleteWord(index));
    record(QStringLiteral("Delete"));
}

void EditorWindow::refreshDeleteList()
{
    const QString kept = m_wordBox->text();
    m_wordBox->clear();
    apply(m_model.refreshDeleteList());
    m_wordBox->setText(kept);
    absorbChange();
}

void EditorWindow::fillWithRandom()
{
    if (!FillSettings::instance().keepFillClean()) {
        apply(m_model.fillRandom());
    } else {
        // The blocked words of the check window, read afresh so that a change
        // to the user's own list or to the puzzle's language counts at once
        // (a record puzzle's alphabet is English's).
        const BlockedWordMatcher matcher(BlockedWords::standard(m_model.alphabet()).words());
        apply(fillRandomClean(m_model, m_model.random(), matcher).fill);
    }
    record(QStringLiteral("Fill with Random"));
}

void EditorWindow::fillWithMessage()
{
    QInputDialog box(this);
    box.setObjectName(QStringLiteral("messageInput"));
    box.setWindowTitle(QStringLiteral("Fill blank spaces with message"));
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(m_model.messagePrompt());
    box.setTextValue(QString());
    if (auto *edit = box.findChild<QLineEdit *>())
        edit->setMaxLength(255);
    if (auto *label = box.findChild<QLabel *>()) {
        label->setWordWrap(true);
        label->setMinimumWidth(360);
    }
    const QString answer = box.exec() == QDialog::Accepted ? box.textValue() : QString();
    // The letters the fill writes, for Refill to write again.
    const int written = int(answer.left(std::min(m_model.messageCapacity(), 255))
                                .toUpper()
                                .remove(QLatin1Char(' '))
                                .size());
    m_messageLetters = std::max(m_messageLetters, written);
    apply(m_model.fillMessage(answer));
    record(QStringLiteral("Fill with Message"));
}

void EditorWindow::forgetFill()
{
    m_messageLetters = 0;
    m_loadedFill = false;
}

void EditorWindow::removeFill()
{
    forgetFill();
    apply(m_model.removeFill());
    record(QStringLiteral("Remove Fill"));
}

void EditorWindow::clearPuzzle()
{
    if (!confirmLoss())
        return;
    forgetFill();
    apply(m_model.clear());
    record(QStringLiteral("Clear"));
}

void EditorWindow::chooseEasyDirections()
{
    setAllowedDirections({Direction::Down, Direction::Right});
}

void EditorWindow::chooseMediumDirections()
{
    setAllowedDirections(
        {Direction::Down, Direction::Right, Direction::DownRight, Direction::UpRight});
}

void EditorWindow::chooseHardDirections()
{
    setAllowedDirections({Direction::Up, Direction::Down, Direction::Left, Direction::Right,
                          Direction::UpRight, Direction::UpLeft, Direction::DownRight,
                          Direction::DownLeft});
}

void EditorWindow::applyRandomPosition()
{
    const bool random = m_randomPositionBox->isChecked();
    for (QWidget *field : {static_cast<QWidget *>(m_xPos), static_cast<QWidget *>(m_yPos),
                           static_cast<QWidget *>(m_directionChoice)}) {
        field->setEnabled(!random);
    }
    if (random) {
        m_xPos->setText(QStringLiteral("N/A"));
        m_yPos->setText(QStringLiteral("N/A"));
        m_directionChoice->setCurrentIndex(-1);
        m_directionChoice->setEditText(QStringLiteral("N/A"));
    } else {
        m_xPos->clear();
        m_yPos->clear();
        m_directionChoice->setCurrentIndex(-1);
        m_directionChoice->clearEditText();
    }
}

void EditorWindow::takeClickedCell(int col, int row)
{
    // A cell clicked is where the next word goes.
    if (m_randomPositionBox->isChecked())
        m_randomPositionBox->setChecked(false);
    m_xPos->setText(QString::number(col + 1));
    m_yPos->setText(QString::number(row + 1));
    m_wordBox->setFocus(Qt::MouseFocusReason);
}

void EditorWindow::toggleHighlighting()
{
    setHighlighting(!highlighting());
}

void EditorWindow::switchToOtherSize()
{
    if (!m_twin)
        return;
    // The switch empties the other editor: its unsaved work is asked about
    // once, here.
    if (!m_twin->confirmLoss())
        return;
    {
        const QScopedValueRollback<bool> asked(m_twin->m_lossConfirmed, true);
        m_twin->m_clearButton->click();
    }
    m_twin->show();
    hide();
    m_twin->raise();
    m_twin->activateWindow();
}

void EditorWindow::handOver(QDialog *window)
{
    PuzzleSnapshot scratch;
    takeSnapshot(m_model, m_snapshot ? *m_snapshot : scratch);
    showPuzzle();
    if (window)
        window->exec();
    showPuzzle();
}

void EditorWindow::openPrintWindow()
{
    handOver(m_printWindow);
}

void EditorWindow::openPlayWindow()
{
    handOver(m_playWindow);
}

void EditorWindow::showHelp()
{
    if (m_helpWindow)
        m_helpWindow->exec();
}

void EditorWindow::newPuzzle()
{
    NewPuzzleDialog dialog(this);
    // The dialog starts at this editor's size and placement.
    NewPuzzleChoice start{m_size, m_densePlacement};
    start.language = m_model.alphabet().language().code();
    start.rules = m_model.alphabet().rules();
    start.fill = m_model.fillKind();
    dialog.setChoice(start);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const NewPuzzleChoice choice = dialog.choice();
    if (m_host) {
        m_host->startNewPuzzle(this, choice);
        return;
    }
    // On its own an editor can only start a puzzle of its own size, and a
    // record editor only one in its own letters.
    if (choice.size == m_size && (m_model.hasAlphabet() || choice.hasDefaultLetters()))
        startEmptyPuzzle(choice);
}

void EditorWindow::setDensePlacement(bool on)
{
    m_densePlacement = on;
    // The record editors keep their draws; a document's words are refused
    // only when no place exists.
    if (m_kind == EditorKind::Document)
        m_model.setPlacementRule(on ? PlacementRule::Dense : PlacementRule::DrawsThenSearch);
}

bool EditorWindow::startEmptyPuzzle(const NewPuzzleChoice &choice)
{
    // Asked before the letters change, so Cancel leaves the puzzle whole.
    if (!confirmLoss())
        return false;
    const QScopedValueRollback<bool> asked(m_lossConfirmed, true);
    if (m_model.hasAlphabet())
        m_model.setLetters(choice.alphabet(), choice.fill);
    return startEmptyPuzzle(choice.dense);
}

bool EditorWindow::startEmptyPuzzle(bool densePlacement)
{
    if (!confirmLoss())
        return false;
    setDensePlacement(densePlacement);
    {
        const QScopedValueRollback<bool> asked(m_lossConfirmed, true);
        m_clearButton->click();
    }
    setDocumentPath(QString());
    // A new puzzle has nothing to save yet.
    markSaved();
    return true;
}

void EditorWindow::checkPuzzle()
{
    if (!m_checkWindow) {
        m_checkWindow = new CheckWindow(&m_model, this);
        m_checkWindow->setMessageSource([this] { return readMessage(m_model, m_messageLetters); });
        m_checkWindow->setLoadedFillSource([this] { return m_loadedFill; });
        connect(m_checkWindow, &CheckWindow::markCells, this, [this](const QVector<QPoint> &cells) {
            m_cellDelegate->setMarked(cells);
            m_grid->viewport()->update();
        });
        connect(m_checkWindow, &CheckWindow::puzzleChanged, this, [this] {
            m_loadedFill = false; // every letter outside the words is drawn anew
            showPuzzle();
            record(QStringLiteral("Refill"));
        });
    }
    m_checkWindow->start();
}

// --- Direction boxes ---

void EditorWindow::setAllowedDirections(std::initializer_list<Direction> checked)
{
    for (QCheckBox *box : m_allowedBoxes)
        box->setChecked(false);
    for (Direction d : checked)
        allowedBox(d)->setChecked(true);
}

QCheckBox *EditorWindow::allowedBox(Direction d) const
{
    return m_allowedBoxes[int(d)];
}

DirectionSet EditorWindow::allowedDirections() const
{
    DirectionSet set;
    for (const DirectionInfo &info : directionTable())
        set.set(info.direction, allowedBox(info.direction)->isChecked());
    return set;
}

} // namespace quarrin
