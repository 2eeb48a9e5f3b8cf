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

struct DirectionBoxPlace
{
    Direction direction;
    const char *name;
    const char *caption;
    int x;
    int width;
};

// The eight boxes of "Directions Allowed when Adding Words to Random
// Coordinates", left to right.
const DirectionBoxPlace kDirectionBoxes[] = {
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
    m_wordEB = new QLineEdit(client);
    m_wordEB->setObjectName(QStringLiteral("wordEB"));
    m_wordEB->setGeometry(104, 10, 153, 21);
    m_wordEB->setMaxLength(m_spec.maxWordLength);
    m_wordEB->setToolTip(QStringLiteral("Word to Enter"));
    m_wordEB->setAccessibleName(QStringLiteral("Word to enter:"));
    // Text that arrives without a key press (a paste) obeys the same rule as typing.
    m_wordEB->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z]*")), m_wordEB));

    m_CheckBox1 = new QCheckBox(QStringLiteral("Random Position"), client);
    m_CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_CheckBox1->setGeometry(272, 11, 110, 17);
    m_CheckBox1->setAccessibleName(m_CheckBox1->text());

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
    m_direction = new QComboBox(client);
    m_direction->setObjectName(QStringLiteral("direction"));
    m_direction->setGeometry(624, 10, 113, 21);
    makeListBoxReadOnly(m_direction);
    for (const DirectionInfo &info : directionTable())
        m_direction->addItem(QString::fromLatin1(info.name));
    m_direction->setCurrentIndex(-1);
    m_direction->setAccessibleName(QStringLiteral("Direction:"));

    m_BitBtn1 = addButton("BitBtn1", QStringLiteral("Add Word"), QRect(752, 8, 97, 25));
    m_BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    m_BitBtn1->setDefault(true);
    m_BitBtn5 =
        addButton("BitBtn5", QStringLiteral("Highlight Words (On/Off)"), QRect(856, 8, 121, 25));
    m_BitBtn5->setFont(pixelFont(editor_fonts::kNarrow, 13));

    // --- The grid on its panel ---
    m_Panel1 = new QFrame(client);
    m_Panel1->setObjectName(QStringLiteral("Panel1"));
    m_Panel1->setGeometry(m_layout.panelRect);
    m_Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_Panel1->setLineWidth(1);
    m_Panel1->setAccessibleName(QStringLiteral("Puzzle grid"));
    m_Panel1->setAutoFillBackground(true);
    QPalette panelPalette = m_Panel1->palette();
    panelPalette.setColor(QPalette::Window, kPanelColour);
    m_Panel1->setPalette(panelPalette);

    m_gridModel = new EditorGridModel(&m_model, this);
    m_gridModel->setHint(QStringLiteral("Quarrin"));
    m_cellDelegate = new EditorCellDelegate(this);
    m_grid = new EditorGridView(m_spec.editorCellPixels, m_Panel1);
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
    deleteList->aboutToOpen = [this] { ComboBox1DropDown(); };
    m_ComboBox1 = deleteList;
    m_ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_ComboBox1->setGeometry(744, 546, 161, 21);
    makeListBoxReadOnly(m_ComboBox1);
    m_ComboBox1->setToolTip(QStringLiteral("Word to Delete"));
    m_ComboBox1->setAccessibleName(QStringLiteral("Delete Word:"));
    m_Button4 = addButton("Button4", QStringLiteral("Delete"), QRect(912, 545, 65, 25),
                          QString::fromLatin1(m_spec.deleteHint));
    m_Button4->setFont(windowFont());

    // --- Allowed directions ---
    m_GroupBox1 = new QGroupBox(
        QStringLiteral("Directions Allowed when Adding Words to Random Coordinates"), client);
    m_GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_GroupBox1->setGeometry(16, 536, 545, 41);
    m_GroupBox1->setFont(arialFont(12, true));
    m_GroupBox1->setAccessibleName(m_GroupBox1->title());
    for (const DirectionBoxPlace &place : kDirectionBoxes) {
        auto *box = new QCheckBox(QString::fromLatin1(place.caption), m_GroupBox1);
        box->setObjectName(QString::fromLatin1(place.name));
        box->setGeometry(place.x, 18, place.width, 17);
        box->setFont(windowFont());
        box->setAccessibleName(box->text());
        m_directionBoxes[int(place.direction)] = box;
    }
    setDirectionBoxes({Direction::Down, Direction::Right});

    // --- Command rows ---
    m_Button1 =
        addButton("Button1", QStringLiteral("Fill blank with Random"), QRect(16, 584, 153, 25),
                  QStringLiteral("Fill blank spaces with random letters"));
    m_Button8 =
        addButton("Button8", QStringLiteral("Fill blank with Message"), QRect(176, 584, 169, 25));
    m_Button2 = addButton("Button2", QStringLiteral("Clear"), QRect(352, 584, 81, 25),
                          QStringLiteral("Clear"));
    m_ExportWord =
        addButton("ExportWord", QStringLiteral("Export to Word"), QRect(440, 584, 121, 25),
                  QStringLiteral("Export grid to Microsoft Word table"));
    addLabel(QStringLiteral("Difficulty Level:"), QRect(582, 588, 112, 17), headerFont,
             "difficultyLabel");
    m_Button6 = addButton("Button6", QStringLiteral("Easy"), QRect(696, 584, 89, 25));
    m_Button3 = addButton("Button3", QStringLiteral("Medium"), QRect(792, 584, 89, 25));
    m_Button7 = addButton("Button7", QStringLiteral("Hard"), QRect(888, 584, 89, 25));

    m_removeRandom =
        addButton("removeRandom", QStringLiteral("Remove random characters and message"),
                  QRect(16, 616, 329, 25), QStringLiteral("Remove random characters"));
    m_Button5 = addButton("Button5", QString::fromLatin1(m_spec.switchCaption),
                          QRect(352, 616, 209, 25), QString::fromLatin1(m_spec.switchCaption));
    m_Button5->setFont(arialFont(13, true));
    m_Button9 = addButton("Button9", QStringLiteral("Play it!"), QRect(600, 616, 89, 25));
    m_BitBtn2 = addButton("BitBtn2", QStringLiteral("Print"), QRect(696, 616, 65, 25));
    m_BitBtn4 = addButton("BitBtn4", QStringLiteral("Load"), QRect(768, 616, 67, 25));
    m_saveBTN = addButton("saveBTN", QStringLiteral("Save"), QRect(840, 616, 67, 25));
    m_BitBtn3 = addButton("BitBtn3", QStringLiteral("&Close"), QRect(912, 616, 65, 25));
    m_BitBtn2->setIcon(QIcon::fromTheme(QStringLiteral("document-print"),
                                        style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    m_BitBtn4->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_saveBTN->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    for (QPushButton *button : {m_BitBtn2, m_BitBtn4, m_saveBTN, m_BitBtn3}) {
        button->setFont(impactFont());
        button->setIconSize(QSize(14, 14));
    }
    m_BitBtn1->setIconSize(QSize(14, 14));

    // --- File dialogs ---
    const QString filter = QString::fromLatin1(m_spec.fileFilter);
    m_save = new QFileDialog(this, QString(), QString(), filter);
    m_save->setObjectName(QStringLiteral("save"));
    m_save->setAcceptMode(QFileDialog::AcceptSave);
    m_save->setFileMode(QFileDialog::AnyFile);
    // The file type box shows the filter's name alone, without its pattern.
    m_save->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                       QFileDialog::HideNameFilterDetails);
    m_open = new QFileDialog(this, QString(), QString(), filter);
    m_open->setObjectName(QStringLiteral("open"));
    m_open->setAcceptMode(QFileDialog::AcceptOpen);
    m_open->setFileMode(QFileDialog::ExistingFile);
    m_open->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);

    // --- Wiring ---
    for (QWidget *field :
         {static_cast<QWidget *>(m_wordEB), static_cast<QWidget *>(m_xPos),
          static_cast<QWidget *>(m_yPos), static_cast<QWidget *>(m_direction),
          static_cast<QWidget *>(m_direction->lineEdit()), static_cast<QWidget *>(m_ComboBox1),
          static_cast<QWidget *>(m_ComboBox1->lineEdit())}) {
        field->installEventFilter(this);
    }
    for (QLineEdit *field : {m_wordEB, m_xPos, m_yPos})
        field->setContextMenuPolicy(Qt::NoContextMenu);

    connect(m_BitBtn1, &QPushButton::clicked, this, &EditorWindow::BitBtn1Click);
    connect(m_BitBtn5, &QPushButton::clicked, this, &EditorWindow::BitBtn5Click);
    connect(m_Button4, &QPushButton::clicked, this, &EditorWindow::Button4Click);
    connect(m_Button1, &QPushButton::clicked, this, &EditorWindow::Button1Click);
    connect(m_Button8, &QPushButton::clicked, this, &EditorWindow::Button8Click);
    connect(m_Button2, &QPushButton::clicked, this, &EditorWindow::Button2Click);
    connect(m_ExportWord, &QPushButton::clicked, this, &EditorWindow::ExportWordClick);
    connect(m_Button6, &QPushButton::clicked, this, &EditorWindow::Button6Click);
    connect(m_Button3, &QPushButton::clicked, this, &EditorWindow::Button3Click);
    connect(m_Button7, &QPushButton::clicked, this, &EditorWindow::Button7Click);
    connect(m_removeRandom, &QPushButton::clicked, this, &EditorWindow::removeRandomClick);
    connect(m_Button5, &QPushButton::clicked, this, &EditorWindow::Button5Click);
    connect(m_Button9, &QPushButton::clicked, this, &EditorWindow::Button9Click);
    connect(m_BitBtn2, &QPushButton::clicked, this, &EditorWindow::BitBtn2Click);
    connect(m_BitBtn4, &QPushButton::clicked, this, &EditorWindow::BitBtn4Click);
    connect(m_saveBTN, &QPushButton::clicked, this, &EditorWindow::saveBTNClick);
    connect(m_BitBtn3, &QPushButton::clicked, this, &EditorWindow::close);
    connect(m_CheckBox1, &QCheckBox::toggled, this, &EditorWindow::CheckBox1Click);
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
    add(file, "CheckPuzzle1", QStringLiteral("Check Puzzle"), this,
        &EditorWindow::CheckPuzzle1Click);

    QMenu *about = bar->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    about->setAccessibleName(QStringLiteral("About"));
    add(about, "Help1", QStringLiteral("Help"), this, &EditorWindow::Help1Click);
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
    for (int i = 0; i < m_ComboBox1->count(); ++i)
        shown << m_ComboBox1->itemText(i);
    if (shown != entries) {
        const QString text = m_ComboBox1->currentText();
        const int index = m_ComboBox1->currentIndex();
        const QSignalBlocker blocker(m_ComboBox1);
        m_ComboBox1->clear();
        m_ComboBox1->addItems(entries);
        int keep = -1;
        if (!text.isEmpty()) {
            if (index >= 0 && index < entries.size() && entries.at(index) == text)
                keep = index;
            else
                keep = int(entries.indexOf(text));
        }
        m_ComboBox1->setCurrentIndex(keep);
        if (keep < 0)
            m_ComboBox1->clearEditText();
    }
}

void EditorWindow::RefreshGrid()
{
    apply(m_model.runAtomically([this](CommandOutcome &) { m_model.RefreshGrid(); }));
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
        m_wordEB->clear();
    if (outcome.clearCoordinates) {
        m_xPos->clear();
        m_yPos->clear();
    }
    if (outcome.clearDeleteText) {
        m_ComboBox1->setCurrentIndex(-1);
        m_ComboBox1->clearEditText();
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

void EditorWindow::BitBtn1Click()
{
    AddWordRequest request;
    request.word = m_wordEB->text();
    request.randomPosition = m_CheckBox1->isChecked();
    request.x = m_xPos->text();
    request.y = m_yPos->text();
    request.direction = m_direction->currentText();
    request.allowed = allowedDirections();
    apply(m_model.AddWord(request));
}

void EditorWindow::Button4Click()
{
    if (m_ComboBox1->currentText().isEmpty())
        return;
    int index = m_ComboBox1->currentIndex();
    if (index < 0 || m_ComboBox1->itemText(index) != m_ComboBox1->currentText())
        index = m_ComboBox1->findText(m_ComboBox1->currentText(), Qt::MatchExactly);
    if (index < 0)
        return;
    m_messageLetters = 0;
    apply(m_model.DeleteWord(index));
}

void EditorWindow::ComboBox1DropDown()
{
    const QString kept = m_wordEB->text();
    m_wordEB->clear();
    apply(m_model.RefreshDeleteList());
    m_wordEB->setText(kept);
}

void EditorWindow::Button1Click()
{
    apply(m_model.FillRandom());
}

void EditorWindow::Button8Click()
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
    apply(m_model.FillMessage(answer));
}

void EditorWindow::removeRandomClick()
{
    m_messageLetters = 0;
    apply(m_model.RemoveFill());
}

void EditorWindow::Button2Click()
{
    m_messageLetters = 0;
    apply(m_model.Clear());
}

void EditorWindow::Button6Click()
{
    setDirectionBoxes({Direction::Down, Direction::Right});
}

void EditorWindow::Button3Click()
{
    setDirectionBoxes(
        {Direction::Down, Direction::Right, Direction::DownRight, Direction::UpRight});
}

void EditorWindow::Button7Click()
{
    setDirectionBoxes({Direction::Up, Direction::Down, Direction::Left, Direction::Right,
                       Direction::UpRight, Direction::UpLeft, Direction::DownRight,
                       Direction::DownLeft});
}

void EditorWindow::CheckBox1Click()
{
    const bool random = m_CheckBox1->isChecked();
    for (QWidget *field : {static_cast<QWidget *>(m_xPos), static_cast<QWidget *>(m_yPos),
                           static_cast<QWidget *>(m_direction)}) {
        field->setEnabled(!random);
    }
    if (random) {
        m_xPos->setText(QStringLiteral("N/A"));
        m_yPos->setText(QStringLiteral("N/A"));
        m_direction->setCurrentIndex(-1);
        m_direction->setEditText(QStringLiteral("N/A"));
    } else {
        m_xPos->clear();
        m_yPos->clear();
        m_direction->setCurrentIndex(-1);
        m_direction->clearEditText();
    }
}

void EditorWindow::BitBtn5Click()
{
    setHighlighting(!highlighting());
}

void EditorWindow::Button5Click()
{
    if (!m_twin)
        return;
    m_twin->m_Button2->click();
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

void EditorWindow::BitBtn2Click()
{
    handOver(m_printWindow);
}

void EditorWindow::Button9Click()
{
    handOver(m_playWindow);
}

void EditorWindow::saveBTNClick()
{
    if (m_save->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = m_save->selectedFiles();
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

void EditorWindow::BitBtn4Click()
{
    FileResult result;
    if (m_open->exec() == QDialog::Accepted) {
        const QStringList chosen = m_open->selectedFiles();
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

void EditorWindow::ExportWordClick()
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
    m_BitBtn1->click();
}

void EditorWindow::Clear1Click()
{
    m_Button2->click();
}

void EditorWindow::Fillrestwithrandom1Click()
{
    m_Button1->click();
}

void EditorWindow::Fillblankwithmessage1Click()
{
    m_Button8->click();
}

void EditorWindow::RemoveRandom1Click()
{
    m_removeRandom->click();
}

void EditorWindow::Print1Click()
{
    m_BitBtn2->click();
}

void EditorWindow::Load1Click()
{
    m_BitBtn4->click();
}

void EditorWindow::Save1Click()
{
    m_saveBTN->click();
}

void EditorWindow::ExporttoWord1Click()
{
    m_ExportWord->click();
}

void EditorWindow::Exit1Click()
{
    close();
}

void EditorWindow::Help1Click()
{
    if (m_helpWindow)
        m_helpWindow->exec();
}

void EditorWindow::CheckPuzzle1Click()
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

void EditorWindow::setDirectionBoxes(std::initializer_list<Direction> checked)
{
    for (QCheckBox *box : m_directionBoxes)
        box->setChecked(false);
    for (Direction d : checked)
        directionBox(d)->setChecked(true);
}

QCheckBox *EditorWindow::directionBox(Direction d) const
{
    return m_directionBoxes[int(d)];
}

DirectionSet EditorWindow::allowedDirections() const
{
    DirectionSet set;
    for (const DirectionInfo &info : directionTable())
        set.set(info.direction, directionBox(info.direction)->isChecked());
    return set;
}

// --- Window events and key filters ---

void EditorWindow::FormActivate()
{
    m_grid->Unselect();
    m_wordEB->setFocus(Qt::ActiveWindowFocusReason);
}

void EditorWindow::FormClose()
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
        FormActivate();
    return result;
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

void EditorWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window clicks the default button "Add Word".
    if (isEnterKey(event)) {
        m_BitBtn1->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool EditorWindow::wordEBKeyPress(QKeyEvent *event) const
{
    return dropsKey(event, [](QChar c) { return isBackspaceOrEnter(c) || isAsciiLetter(c); });
}

bool EditorWindow::xPosKeyPress(QKeyEvent *event) const
{
    return dropsKey(event, [](QChar c) { return isBackspaceOrEnter(c) || isAsciiDigit(c); });
}

bool EditorWindow::yPosKeyPress(QKeyEvent *event) const
{
    return xPosKeyPress(event);
}

bool EditorWindow::noTypingKeyPress(QKeyEvent *event) const
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
            m_BitBtn1->click();
            return true;
        }
        if (watched == m_wordEB)
            return wordEBKeyPress(key);
        if (watched == m_xPos)
            return xPosKeyPress(key);
        if (watched == m_yPos)
            return yPosKeyPress(key);
        return noTypingKeyPress(key);
    }
    // A click into one of the word lists sends the focus to the word box, so
    // the lists are never edited.
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        for (QPlainTextEdit *list : {m_log, m_positions, m_directionMemo}) {
            if (watched == list->viewport()) {
                m_wordEB->setFocus(Qt::MouseFocusReason);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quarrin
