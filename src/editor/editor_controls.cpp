// Building the editor window: its controls, each created where its name
// and the member that holds it stand together, and the menu.

#include "editor/editor_window.h"

#include "editor/editor_grid.h"
#include "editor/editor_layout.h"
#include "editor/fill_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

#include <functional>

namespace quarrin {

namespace {

// The document editor's word box: pasted text of the puzzle's alphabet goes
// in as typed. Other text stays in the box too, so that Add Word can name the
// letter it refuses rather than the paste vanishing without a word.
class AlphabetValidator : public QValidator
{
public:
    AlphabetValidator(const PuzzleModel *model, QObject *parent)
        : QValidator(parent), m_model(model)
    {
    }
    State validate(QString &input, int &) const override
    {
        return m_model->alphabet().acceptsText(input) ? Acceptable : Intermediate;
    }

private:
    const PuzzleModel *m_model;
};

} // namespace

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
    setFont(windowFont());

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
    if (m_kind == EditorKind::Document)
        m_wordBox->setValidator(new AlphabetValidator(&m_model, m_wordBox));
    else
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
    m_grid =
        new EditorGridView(m_spec.editorCellPixels > 0 ? m_spec.editorCellPixels : 16, m_gridPanel);
    m_grid->setObjectName(QString::fromLatin1(m_layout.gridName));
    m_grid->setModel(m_gridModel);
    m_grid->setItemDelegate(m_cellDelegate);
    m_grid->setGeometry(m_layout.gridRect);
    m_grid->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_grid->setLineWidth(
        (m_layout.gridRect.width() - m_spec.columns * (m_spec.editorCellPixels + 1)) / 2);
    m_grid->setFont(pixelFont(m_layout.gridFontFamily, m_layout.gridFontPixels));
    m_cellDelegate->setCentredText(m_layout.scales);
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
    m_positions = makeList("positions", QRect(744, 56, 113, 473), m_spec.positionsHint,
                           QStringLiteral("First Letter (X,Y):"));
    m_directionMemo = makeList("directionMemo", QRect(856, 56, 121, 473),
                               QStringLiteral("Directions"), QStringLiteral("Direction:"));

    // --- Delete list ---
    addLabel(QStringLiteral("Delete Word:"), QRect(656, 548, 86, 17), headerFont, "deleteLabel");
    if (m_kind == EditorKind::Document) // placed by arrangeScaledLayout, shown by showPuzzle
        m_languageLabel = addLabel(QString(), QRect(), headerFont, "languageLabel");
    auto *deleteList = new DeleteListBox(client);
    deleteList->aboutToOpen = [this] { refreshDeleteList(); };
    m_deleteWordBox = deleteList;
    m_deleteWordBox->setObjectName(QStringLiteral("ComboBox1"));
    m_deleteWordBox->setGeometry(744, 546, 161, 21);
    makeListBoxReadOnly(m_deleteWordBox);
    m_deleteWordBox->setToolTip(QStringLiteral("Word to Delete"));
    m_deleteWordBox->setAccessibleName(QStringLiteral("Delete Word:"));
    m_deleteButton =
        addButton("Button4", QStringLiteral("Delete"), QRect(912, 545, 65, 25), m_spec.deleteHint);
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
    // The document editor's size is chosen anew with "New Puzzle...".
    const QString switchCaption =
        m_kind == EditorKind::Document ? QStringLiteral("New Puzzle...") : m_spec.switchCaption;
    m_switchSizeButton =
        addButton("Button5", switchCaption, QRect(352, 616, 209, 25),
                  m_kind == EditorKind::Document ? QStringLiteral("Start a new puzzle of any size")
                                                 : switchCaption);
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

    connect(m_grid, &EditorGridView::cellClicked, this, &EditorWindow::takeClickedCell);
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
    if (m_kind == EditorKind::Document)
        connect(m_switchSizeButton, &QPushButton::clicked, this, &EditorWindow::newPuzzle);
    else
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
    auto add = [](QMenu *menu, const char *name, const QString &text) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    // An item clicks its button, so the button's own reactions run as well.
    auto clicks = [this](QAction *action, QPushButton *button) {
        connect(action, &QAction::triggered, button, &QPushButton::click);
    };
    const bool small = m_size == GridSize::Small && m_kind == EditorKind::Record;
    clicks(add(file, "AddWord1", QStringLiteral("Add Word")), m_addButton);
    clicks(add(file, "Clear1", QStringLiteral("Clear Grid")), m_clearButton);
    clicks(add(file, "Fillrestwithrandom1", QStringLiteral("Fill blank with random")),
           m_fillRandomButton);
    clicks(add(file, small ? "Fillblankwithmessage1" : "Fillblankspaceswithmessage1",
               QStringLiteral("Fill blank spaces with message")),
           m_fillMessageButton);
    clicks(add(file, "RemoveRandom1", QStringLiteral("Remove Random + Msg")), m_removeFillButton);
    QAction *print = add(file, "Print1", QStringLiteral("Print"));
    print->setShortcut(QKeySequence::Print);
    clicks(print, m_printButton);
    QAction *load = add(file, "Load1", QStringLiteral("Load"));
    load->setShortcut(QKeySequence::Open);
    clicks(load, m_loadButton);
    QAction *save = add(file, "Save1", QStringLiteral("Save"));
    save->setShortcut(QKeySequence::Save);
    clicks(save, m_saveButton);
    clicks(add(file, "ExporttoWord1", QStringLiteral("Export to Word")), m_exportButton);
    QAction *exit = add(file, "Exit1", QStringLiteral("Exit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &EditorWindow::close);
    file->addSeparator();
    connect(add(file, "CheckPuzzle1", QStringLiteral("Check Puzzle")), &QAction::triggered, this,
            &EditorWindow::checkPuzzle);
    QAction *newPuzzle = add(file, "NewPuzzle1", QStringLiteral("New Puzzle..."));
    newPuzzle->setShortcut(QKeySequence::New);
    connect(newPuzzle, &QAction::triggered, this, &EditorWindow::newPuzzle);
    connect(add(file, "ExportWebPage1", QStringLiteral("Export Web Page...")), &QAction::triggered,
            this, &EditorWindow::exportWebPage);
    connect(add(file, "AddWords1", QStringLiteral("Add Words...")), &QAction::triggered, this,
            &EditorWindow::addWords);
    QAction *saveAs = add(file, "SaveAs1", QStringLiteral("Save As..."));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, this, &EditorWindow::savePuzzleAs);
    m_recentMenu = file->addMenu(QStringLiteral("Recent Puzzles"));
    m_recentMenu->setObjectName(QStringLiteral("RecentPuzzles1"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("RecentPuzzlesItem"));
    // Filled when it opens, so it shows what any editor saved or opened last.
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(m_recentMenu); });
    fillRecentMenu(m_recentMenu);
    // A setting, not a command: one for every editor, kept between runs.
    file->addSeparator();
    QAction *keepClean = add(file, "keepFillCleanItem", QStringLiteral("Keep Fill Clean"));
    keepClean->setCheckable(true);
    keepClean->setChecked(FillSettings::instance().keepFillClean());
    keepClean->setToolTip(QStringLiteral("Random fills draw again the letters that would spell "
                                         "a blocked word"));
    connect(keepClean, &QAction::triggered, this, [this](bool on) {
        const QString error = FillSettings::instance().setKeepFillClean(on);
        if (!error.isEmpty())
            showMessage(error);
    });
    connect(&FillSettings::instance(), &FillSettings::keepFillCleanChanged, keepClean,
            &QAction::setChecked);

    QMenu *about = bar->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    about->setAccessibleName(QStringLiteral("About"));
    QAction *help = add(about, "Help1", QStringLiteral("Help"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &EditorWindow::showHelp);
}

void EditorWindow::arrangeScaledLayout()
{
    if (!m_layout.scales)
        return;
    QWidget *client = centralWidget();
    const ScaledEditorGeometry g = scaledEditorGeometry(client->size());
    const int x = g.rightColumn;
    const auto place = [client](const char *name, const QRect &rect) {
        if (auto *w = client->findChild<QWidget *>(QString::fromLatin1(name)))
            w->setGeometry(rect);
    };

    // The grid: cells as large as the panel allows, centred in it.
    m_gridPanel->setGeometry(g.panel);
    const int cell = scaledEditorCellPixels(m_size, g.panel.size());
    m_grid->setCellPixels(cell);
    m_grid->setLineWidth(1);
    const QSize grid(m_size.columns() * (cell + 1) + 1 + 2, m_size.rows() * (cell + 1) + 1 + 2);
    m_grid->setGeometry(
        QRect(QPoint((g.panel.width() - grid.width()) / 2, (g.panel.height() - grid.height()) / 2),
              grid));
    QFont gridFont = m_grid->font();
    // Small cells get bold letters filling more of the cell, so a 50x50 grid
    // stays legible on a small screen.
    gridFont.setPixelSize(std::max(6, cell * (cell < 16 ? 75 : 62) / 100));
    gridFont.setBold(true);
    m_grid->setFont(gridFont);

    // The lists, then the commands below them, in the right-hand column.
    place("logLabel", QRect(x, g.listTop - 18, 210, 17));
    place("positionsLabel", QRect(x + 328, g.listTop - 18, 112, 17));
    place("directionMemoLabel", QRect(x + 440, g.listTop - 18, 121, 17));
    m_log->setGeometry(x, g.listTop, 329, g.listHeight);
    m_positions->setGeometry(x + 328, g.listTop, 113, g.listHeight);
    m_directionMemo->setGeometry(x + 440, g.listTop, 121, g.listHeight);

    int y = g.commandsTop;
    // The puzzle's language, in the free space left of the delete row.
    place("languageLabel", QRect(x, y + 2, 232, 17));
    place("deleteLabel", QRect(x + 240, y + 2, 86, 17));
    m_deleteWordBox->setGeometry(x + 328, y, 161, 21);
    m_deleteButton->setGeometry(x + 496, y - 1, 65, 25);
    y += 33;
    m_allowedGroup->setGeometry(x, y, 561, 41);
    y += 49;
    m_fillRandomButton->setGeometry(x, y, 153, 25);
    m_fillMessageButton->setGeometry(x + 160, y, 169, 25);
    m_clearButton->setGeometry(x + 336, y, 81, 25);
    m_exportButton->setGeometry(x + 424, y, 137, 25);
    y += 32;
    m_removeFillButton->setGeometry(x, y, 329, 25);
    m_switchSizeButton->setGeometry(x + 336, y, 225, 25);
    y += 32;
    place("difficultyLabel", QRect(x, y + 4, 112, 17));
    m_easyButton->setGeometry(x + 128, y, 89, 25);
    m_mediumButton->setGeometry(x + 224, y, 89, 25);
    m_hardButton->setGeometry(x + 320, y, 89, 25);
    y += 32;
    m_playButton->setGeometry(x, y, 89, 25);
    m_printButton->setGeometry(x + 128, y, 65, 25);
    m_loadButton->setGeometry(x + 200, y, 67, 25);
    m_saveButton->setGeometry(x + 272, y, 67, 25);
    m_closeButton->setGeometry(x + 344, y, 65, 25);
}

} // namespace quarrin
