#include "editor/editor_window.h"

#include "check/puzzle_check.h"
#include "editor/check_window.h"
#include "editor/editor_grid.h"
#include "editor/editor_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>

namespace quarrin {

namespace {

const QColor kSkyBlue(166, 202, 240); // clSkyBlue
const QColor kPanelColour(87, 160, 227);

QFont pixelFont(const char *family, int pixels, bool bold = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Arial for labels and buttons, "MS Sans Serif" as the window font, Impact for
// the bitmap buttons at the bottom right.
QFont arialFont(int pixels, bool bold = false)
{
    return pixelFont(editor_fonts::kSans, pixels, bold);
}
QFont windowFont()
{
    return pixelFont(editor_fonts::kSans, 11);
}
QFont impactFont()
{
    return pixelFont(editor_fonts::kNarrow, 13, true);
}

// The delete list: a drop-down list whose opening first refreshes its entries.
class DeleteListBox : public QComboBox
{
public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToOpen;

    void showPopup() override
    {
        if (aboutToOpen)
            aboutToOpen();
        QComboBox::showPopup();
    }
};

// A drop-down list with an edit part that takes no typing.
void makeListBoxReadOnly(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setReadOnly(true);
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(30);
}

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
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

void setListLines(QPlainTextEdit *list, const QStringList &lines)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (list->toPlainText() != text)
        list->setPlainText(text);
}

struct AllowedBoxPlace
{
    Direction direction;
    const char *name;
    const char *caption;
    int x;
    int width;
};

// The eight boxes of "Directions Allowed when Adding Words to Random
// Coordinates", left to right.
const AllowedBoxPlace kAllowedBoxes[] = {
    {Direction::Up, "upBox", "Up", 8, 44},
    {Direction::Down, "downBox", "Down", 56, 60},
    {Direction::Left, "leftBox", "Left", 120, 52},
    {Direction::Right, "rightBox", "Right", 176, 52},
    {Direction::DownRight, "downRightBox", "Down-Right", 232, 84},
    {Direction::DownLeft, "downLeftBox", "Down-Left", 320, 76},
    {Direction::UpRight, "upRightBox", "Up-Right", 400, 68},
    {Direction::UpLeft, "upLeftBox", "Up-Left", 472, 66},
};

} // namespace

EditorWindow::EditorWindow(GridSize size, RandomGenerator *random, PuzzleSnapshot *snapshot,
                           QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_size(size), m_spec(sizeSpec(size)), m_layout(editorLayout(size)), m_model(size, random),
      m_file(size), m_snapshot(snapshot)
{
    setObjectName(QString::fromLatin1(m_layout.windowName));
    setWindowTitle(QString::fromLatin1(m_spec.editorCaption));
    setAccessibleName(windowTitle());
    setFont(windowFont());

    buildControls();
    buildMenu();

    // Client area of 998 x 668 pixels below the menu bar; the window cannot
    // be resized.
    centralWidget()->setFixedSize(998, 668);
    setFixedSize(998, 668 + menuBar()->sizeHint().height());
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

QLabel *EditorWindow::addLabel(const QString &text, const QRect &rect, const QFont &font,
                               const char *name)
{
    auto *label = new QLabel(text, centralWidget());
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAccessibleName(text);
    return label;
}

QPushButton *EditorWindow::addButton(const char *name, const QString &caption, const QRect &rect,
                                     const QString &hint)
{
    auto *button = new QPushButton(caption, centralWidget());
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    button->setFont(arialFont(13));
    // A focused button answers Enter itself, as on a dialog.
    button->setAutoDefault(true);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    QString accessible = caption;
    accessible.remove(QLatin1Char('&'));
    button->setAccessibleName(accessible);
    return button;
}

void EditorWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, kSkyBlue);
    client->setPalette(palette);
    setCentralWidget(client);

    const QFont headerFont = arialFont(13, true);

    // --- Entry row ---
    addLabel(QStringLiteral("Word to enter:"), QRect(12, 12, 90, 17), headerFont, "wordLabel");
    m_wordBox = new QLineEdit(client);
    m_wordBox->setObjectName(QStringLiteral("wordEB"));
    m_wordBox->setGeometry(104, 10, 153, 21);
    m_wordBox->setMaxLength(m_spec.maxWordLength);
    m_wordBox->setToolTip(QStringLiteral("Word to Enter"));
    m_wordBox->setAccessibleName(QStringLiteral("Word to enter:"));
    // Text that arrives without a key press (a paste) obeys the same rule as typing.
    m_wordBox->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z]*")), m_wordBox));

    m_randomPositionBox = new QCheckBox(QStringLiteral("Random Position"), client);
    m_randomPositionBox->setObjectName(QStringLiteral("CheckBox1"));
    m_randomPositionBox->setGeometry(272, 11, 110, 17);
    m_randomPositionBox->setAccessibleName(m_randomPositionBox->text());

    const QFont coordinateFont = pixelFont(editor_fonts::kSans, 16, true);
    addLabel(QStringLiteral("X:"), QRect(398, 10, 16, 19), coordinateFont, "xLabel");
    addLabel(QStringLiteral("Y:"), QRect(478, 10, 16, 19), coordinateFont, "yLabel");
    auto *digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), client);
    m_xPos = new QLineEdit(client);
    m_xPos->setObjectName(QStringLiteral("xPos"));
    m_xPos->setGeometry(416, 9, 33, 21);
    m_xPos->setValidator(digits);
    m_xPos->setAccessibleName(QStringLiteral("X:"));
    m_yPos = new QLineEdit(client);
    m_yPos->setObjectName(QStringLiteral("yPos"));
    m_yPos->setGeometry(496, 9, 33, 21);
    m_yPos->setValidator(digits);
    m_yPos->setAccessibleName(QStringLiteral("Y:"));

    addLabel(QStringLiteral("Direction:"), QRect(544, 10, 78, 20), arialFont(15, true),
             "directionLabel");
    m_directionChoice = new QComboBox(client);
    m_directionChoice->setObjectName(QStringLiteral("direction"));
    m_directionChoice->setGeometry(624, 10, 113, 21);
    makeListBoxReadOnly(m_directionChoice);
    for (const DirectionInfo &info : directionTable())
        m_directionChoice->addItem(QString::fromLatin1(info.name));
    m_directionChoice->setCurrentIndex(-1);
    m_directionChoice->setAccessibleName(QStringLiteral("Direction:"));

    m_addButton = addButton("BitBtn1", QStringLiteral("Add Word"), QRect(752, 8, 97, 25));
    m_addButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    m_addButton->setDefault(true);
    m_highlightButton =
        addButton("BitBtn5", QStringLiteral("Highlight Words (On/Off)"), QRect(856, 8, 121, 25));
    m_highlightButton->setFont(pixelFont(editor_fonts::kNarrow, 13));

    // --- The grid on its panel ---
    m_gridPanel = new QFrame(client);
    m_gridPanel->setObjectName(QStringLiteral("Panel1"));
    m_gridPanel->setGeometry(m_layout.panelRect);
    m_gridPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_gridPanel->setLineWidth(1);
    m_gridPanel->setAccessibleName(QStringLiteral("Puzzle grid"));
    m_gridPanel->setAutoFillBackground(true);
    QPalette panelPalette = m_gridPanel->palette();
    panelPalette.setColor(QPalette::Window, kPanelColour);
    m_gridPanel->setPalette(panelPalette);

    m_gridModel = new EditorGridModel(&m_model, this);
    m_gridModel->setHint(QStringLiteral("Quarrin"));
    m_cellDelegate = new EditorCellDelegate(this);
    m_grid = new EditorGridView(m_spec.editorCellPixels, m_gridPanel);
    m_grid->setObjectName(QString::fromLatin1(m_layout.gridName));
    m_grid->setModel(m_gridModel);
    m_grid->setItemDelegate(m_cellDelegate);
    m_grid->setGeometry(m_layout.gridRect);
    m_grid->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_grid->setLineWidth((m_layout.gridRect.width() - m_spec.n * (m_spec.editorCellPixels + 1)) /
                         2);
    m_grid->setFont(pixelFont(m_layout.gridFontFamily, m_layout.gridFontPixels));
    m_grid->setAccessibleName(QStringLiteral("Quarrin"));
    m_grid->setToolTip(QStringLiteral("Quarrin"));
    // Silver grid lines (the style darkens the window colour for them) and a
    // dark frame.
    QPalette gridPalette = m_grid->palette();
    gridPalette.setColor(QPalette::Base, Qt::white);
    gridPalette.setColor(QPalette::Window, QColor(230, 230, 230));
    gridPalette.setColor(QPalette::WindowText, QColor(64, 64, 64));
    m_grid->setPalette(gridPalette);

    // --- The three word lists ---
    const QFont listFont = pixelFont(m_layout.listFontFamily, m_layout.listFontPixels);
    auto makeList = [&](const char *name, const QRect &rect, const QString &hint,
                        const QString &label) {
        auto *list = new QPlainTextEdit(client);
        list->setObjectName(QString::fromLatin1(name));
        list->setGeometry(rect);
        list->setReadOnly(true);
        list->setFont(listFont);
        list->setToolTip(hint);
        list->setAccessibleName(label);
        list->setLineWrapMode(QPlainTextEdit::NoWrap);
        list->setFocusPolicy(Qt::ClickFocus);
        list->setContextMenuPolicy(Qt::NoContextMenu);
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        return list;
    };
    addLabel(QStringLiteral("Words Entered:"), QRect(528, 38, 210, 17), headerFont, "logLabel");
    addLabel(QStringLiteral("First Letter (X,Y):"), QRect(744, 38, 112, 17), arialFont(12, true),
             "positionsLabel");
    addLabel(QStringLiteral("Direction:"), QRect(856, 38, 121, 17), headerFont,
             "directionMemoLabel");
    m_log = makeList("log", QRect(528, 56, 217, 473), QStringLiteral("Entered Words"),
                     QStringLiteral("Words Entered:"));
    m_positions =
        makeList("positions", QRect(744, 56, 113, 473), QString::fromLatin1(m_spec.positionsHint),
                 QStringLiteral("First Letter (X,Y):"));
    m_directionMemo = makeList("directionMemo", QRect(856, 56, 121, 473),
                               QStringLiteral("Directions"), QStringLiteral("Direction:"));

    // --- Delete list ---
    addLabel(QStringLiteral("Delete Word:"), QRect(656, 548, 86, 17), headerFont, "deleteLabel");
    auto *deleteList = new DeleteListBox(client);
    deleteList->aboutToOpen = [this] { refreshDeleteList(); };
    m_deleteWordBox = deleteList;
    m_deleteWordBox->setObjectName(QStringLiteral("ComboBox1"));
    m_deleteWordBox->setGeometry(744, 546, 161, 21);
    makeListBoxReadOnly(m_deleteWordBox);
    m_deleteWordBox->setToolTip(QStringLiteral("Word to Delete"));
    m_deleteWordBox->setAccessibleName(QStringLiteral("Delete Word:"));
    m_deleteButton = addButton("Button4", QStringLiteral("Delete"), QRect(912, 545, 65, 25),
                               QString::fromLatin1(m_spec.deleteHint));
    m_deleteButton->setFont(windowFont());

    // --- Allowed directions ---
    m_allowedGroup = new QGroupBox(
        QStringLiteral("Directions Allowed when Adding Words to Random Coordinates"), client);
    m_allowedGroup->setObjectName(QStringLiteral("GroupBox1"));
    m_allowedGroup->setGeometry(16, 536, 545, 41);
    m_allowedGroup->setFont(arialFont(12, true));
    m_allowedGroup->setAccessibleName(m_allowedGroup->title());
    for (const AllowedBoxPlace &place : kAllowedBoxes) {
        auto *box = new QCheckBox(QString::fromLatin1(place.caption), m_allowedGroup);
        box->setObjectName(QString::fromLatin1(place.name));
        box->setGeometry(place.x, 18, place.width, 17);
        box->setFont(windowFont());
        box->setAccessibleName(box->text());
        m_allowedBoxes[int(place.direction)] = box;
    }
    setAllowedDirections({Direction::Down, Direction::Right});

    // --- Command rows ---
    m_fillRandomButton =
        addButton("Button1", QStringLiteral("Fill blank with Random"), QRect(16, 584, 153, 25),
                  QStringLiteral("Fill blank spaces with random letters"));
    m_fillMessageButton =
        addButton("Button8", QStringLiteral("Fill blank with Message"), QRect(176, 584, 169, 25));
    m_clearButton = addButton("Button2", QStringLiteral("Clear"), QRect(352, 584, 81, 25),
                              QStringLiteral("Clear"));
    m_exportButton =
        addButton("ExportWord", QStringLiteral("Export to Word"), QRect(440, 584, 121, 25),
                  QStringLiteral("Export grid to Microsoft Word table"));
    addLabel(QStringLiteral("Difficulty Level:"), QRect(582, 588, 112, 17), headerFont,
             "difficultyLabel");
    m_easyButton = addButton("Button6", QStringLiteral("Easy"), QRect(696, 584, 89, 25));
    m_mediumButton = addButton("Button3", QStringLiteral("Medium"), QRect(792, 584, 89, 25));
    m_hardButton = addButton("Button7", QStringLiteral("Hard"), QRect(888, 584, 89, 25));

    m_removeFillButton =
        addButton("removeRandom", QStringLiteral("Remove random characters and message"),
                  QRect(16, 616, 329, 25), QStringLiteral("Remove random characters"));
    m_switchSizeButton =
        addButton("Button5", QString::fromLatin1(m_spec.switchCaption), QRect(352, 616, 209, 25),
                  QString::fromLatin1(m_spec.switchCaption));
    m_switchSizeButton->setFont(arialFont(13, true));
    m_playButton = addButton("Button9", QStringLiteral("Play it!"), QRect(600, 616, 89, 25));
    m_printButton = addButton("BitBtn2", QStringLiteral("Print"), QRect(696, 616, 65, 25));
    m_loadButton = addButton("BitBtn4", QStringLiteral("Load"), QRect(768, 616, 67, 25));
    m_saveButton = addButton("saveBTN", QStringLiteral("Save"), QRect(840, 616, 67, 25));
    m_closeButton = addButton("BitBtn3", QStringLiteral("&Close"), QRect(912, 616, 65, 25));
    m_printButton->setIcon(
        QIcon::fromTheme(QStringLiteral("document-print"),
                         style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    m_loadButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_saveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    for (QPushButton *button : {m_printButton, m_loadButton, m_saveButton, m_closeButton}) {
        button->setFont(impactFont());
        button->setIconSize(QSize(14, 14));
    }
    m_addButton->setIconSize(QSize(14, 14));

    // --- File dialogs ---
    const QString filter = QString::fromLatin1(m_spec.fileFilter);
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

    // --- Wiring ---
    for (QWidget *field :
         {static_cast<QWidget *>(m_wordBox), static_cast<QWidget *>(m_xPos),
          static_cast<QWidget *>(m_yPos), static_cast<QWidget *>(m_directionChoice),
          static_cast<QWidget *>(m_directionChoice->lineEdit()),
          static_cast<QWidget *>(m_deleteWordBox),
          static_cast<QWidget *>(m_deleteWordBox->lineEdit())}) {
        field->installEventFilter(this);
    }
    for (QLineEdit *field : {m_wordBox, m_xPos, m_yPos})
        field->setContextMenuPolicy(Qt::NoContextMenu);

    connect(m_addButton, &QPushButton::clicked, this, &EditorWindow::addWord);
    connect(m_highlightButton, &QPushButton::clicked, this, &EditorWindow::toggleHighlighting);
    connect(m_deleteButton, &QPushButton::clicked, this, &EditorWindow::deleteWord);
    connect(m_fillRandomButton, &QPushButton::clicked, this, &EditorWindow::fillWithRandom);
    connect(m_fillMessageButton, &QPushButton::clicked, this, &EditorWindow::fillWithMessage);
    connect(m_clearButton, &QPushButton::clicked, this, &EditorWindow::clearPuzzle);
    connect(m_exportButton, &QPushButton::clicked, this, &EditorWindow::exportToWord);
    connect(m_easyButton, &QPushButton::clicked, this, &EditorWindow::chooseEasyDirections);
    connect(m_mediumButton, &QPushButton::clicked, this, &EditorWindow::chooseMediumDirections);
    connect(m_hardButton, &QPushButton::clicked, this, &EditorWindow::chooseHardDirections);
    connect(m_removeFillButton, &QPushButton::clicked, this, &EditorWindow::removeFill);
    connect(m_switchSizeButton, &QPushButton::clicked, this, &EditorWindow::switchToOtherSize);
    connect(m_playButton, &QPushButton::clicked, this, &EditorWindow::openPlayWindow);
    connect(m_printButton, &QPushButton::clicked, this, &EditorWindow::openPrintWindow);
    connect(m_loadButton, &QPushButton::clicked, this, &EditorWindow::loadPuzzle);
    connect(m_saveButton, &QPushButton::clicked, this, &EditorWindow::savePuzzle);
    connect(m_closeButton, &QPushButton::clicked, this, &EditorWindow::close);
    connect(m_randomPositionBox, &QCheckBox::toggled, this, &EditorWindow::applyRandomPosition);
}

void EditorWindow::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setAccessibleName(QStringLiteral("Menu"));

    QMenu *file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    file->setAccessibleName(QStringLiteral("File"));
    auto add = [](QMenu *menu, const char *name, const QString &text, EditorWindow *window,
                  void (EditorWindow::*handler)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, window, handler);
        return action;
    };
    const bool small = m_size == GridSize::Small;
    add(file, "AddWord1", QStringLiteral("Add Word"), this, &EditorWindow::AddWord1Click);
    add(file, "Clear1", QStringLiteral("Clear Grid"), this, &EditorWindow::Clear1Click);
    add(file, "Fillrestwithrandom1", QStringLiteral("Fill blank with random"), this,
        &EditorWindow::Fillrestwithrandom1Click);
    add(file, small ? "Fillblankwithmessage1" : "Fillblankspaceswithmessage1",
        QStringLiteral("Fill blank spaces with message"), this,
        small ? &EditorWindow::Fillblankwithmessage1Click
              : &EditorWindow::Fillblankspaceswithmessage1Click);
    add(file, "RemoveRandom1", QStringLiteral("Remove Random + Msg"), this,
        &EditorWindow::RemoveRandom1Click);
    add(file, "Print1", QStringLiteral("Print"), this, &EditorWindow::Print1Click);
    add(file, "Load1", QStringLiteral("Load"), this, &EditorWindow::Load1Click);
    add(file, "Save1", QStringLiteral("Save"), this, &EditorWindow::Save1Click);
    add(file, "ExporttoWord1", QStringLiteral("Export to Word"), this,
        &EditorWindow::ExporttoWord1Click);
    add(file, "Exit1", QStringLiteral("Exit"), this, &EditorWindow::Exit1Click);
    file->addSeparator();
    add(file, "CheckPuzzle1", QStringLiteral("Check Puzzle"), this, &EditorWindow::checkPuzzle);

    QMenu *about = bar->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    about->setAccessibleName(QStringLiteral("About"));
    add(about, "Help1", QStringLiteral("Help"), this, &EditorWindow::showHelp);
}

// --- Showing the puzzle ---

void EditorWindow::showPuzzle()
{
    m_gridModel->refresh();
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
    apply(m_model.addWord(request));
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
    m_messageLetters = 0;
    apply(m_model.deleteWord(index));
}

void EditorWindow::refreshDeleteList()
{
    const QString kept = m_wordBox->text();
    m_wordBox->clear();
    apply(m_model.refreshDeleteList());
    m_wordBox->setText(kept);
}

void EditorWindow::fillWithRandom()
{
    apply(m_model.fillRandom());
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
}

void EditorWindow::removeFill()
{
    m_messageLetters = 0;
    apply(m_model.removeFill());
}

void EditorWindow::clearPuzzle()
{
    m_messageLetters = 0;
    apply(m_model.clear());
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

void EditorWindow::toggleHighlighting()
{
    setHighlighting(!highlighting());
}

void EditorWindow::switchToOtherSize()
{
    if (!m_twin)
        return;
    m_twin->m_clearButton->click();
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
    if (m_openDialog->exec() == QDialog::Accepted) {
        const QStringList chosen = m_openDialog->selectedFiles();
        if (!chosen.isEmpty() && !chosen.first().isEmpty())
            result = m_file.load(m_model, chosen.first());
    }
    afterLoad();
    if (!result.ok)
        showMessage(result.error);
}

FileResult EditorWindow::loadFile(const QString &path)
{
    const FileResult result = m_file.load(m_model, path);
    afterLoad();
    return result;
}

void EditorWindow::afterLoad()
{
    m_messageLetters = 0;
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

// --- Menu items ---

void EditorWindow::AddWord1Click()
{
    m_addButton->click();
}

void EditorWindow::Clear1Click()
{
    m_clearButton->click();
}

void EditorWindow::Fillrestwithrandom1Click()
{
    m_fillRandomButton->click();
}

void EditorWindow::Fillblankwithmessage1Click()
{
    m_fillMessageButton->click();
}

void EditorWindow::RemoveRandom1Click()
{
    m_removeFillButton->click();
}

void EditorWindow::Print1Click()
{
    m_printButton->click();
}

void EditorWindow::Load1Click()
{
    m_loadButton->click();
}

void EditorWindow::Save1Click()
{
    m_saveButton->click();
}

void EditorWindow::ExporttoWord1Click()
{
    m_exportButton->click();
}

void EditorWindow::Exit1Click()
{
    close();
}

void EditorWindow::showHelp()
{
    if (m_helpWindow)
        m_helpWindow->exec();
}

void EditorWindow::checkPuzzle()
{
    if (!m_checkWindow) {
        m_checkWindow = new CheckWindow(&m_model, this);
        m_checkWindow->setMessageSource([this] { return readMessage(m_model, m_messageLetters); });
        connect(m_checkWindow, &CheckWindow::markCells, this, [this](const QVector<QPoint> &cells) {
            m_cellDelegate->setMarked(cells);
            m_grid->viewport()->update();
        });
        connect(m_checkWindow, &CheckWindow::puzzleChanged, this, &EditorWindow::showPuzzle);
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

// --- Window events and key filters ---

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

bool EditorWindow::event(QEvent *event)
{
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        focusWordBox();
    return result;
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        closeTwin();
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

bool EditorWindow::dropsWordKey(QKeyEvent *event) const
{
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
