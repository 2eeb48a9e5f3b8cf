#include "print/print_window.h"

#include "grid/pub_str_grid.h"
#include "language/printable_check.h"
#include "print/page_output.h"
#include "puzzle/puzzle_snapshot.h"
#include "sheet/sheet_layout.h"
#include "sheet/sheet_paper.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QWindow>

namespace quarrin {

namespace {

const QColor kStartDialogColour(0, 0, 0);
// anchor and current cell off the grid: no cell is marked
constexpr GridRect kNoSelection{-1, -1, -1, -1};

constexpr int kGridFontDialog = 0;  // font
constexpr int kTitleFontDialog = 1; // font2
constexpr int kWordFontDialog = 2;  // FontDialog1

const char *const kFontDialogNames[3] = {"font", "font2", "FontDialog1"};
const char *const kColourDialogNames[2] = {"ColorDialog1", "ColorDialog2"};

QFont windowFont()
{
    return pageWindowFont();
}

QFont titleFont()
{
    return pageTitleFont();
}

// The row of check boxes in the free band below the clue row.
constexpr int kOptionRowTop = 642;
constexpr int kOptionStep = 120;

// Shows the page through the page renderer while the answer key is on.
class KeyView : public QWidget
{
public:
    KeyView(const PrintWindow *window, QWidget *parent) : QWidget(parent), m_window(window) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        m_window->paintPage(p);
    }

private:
    const PrintWindow *m_window;
};

// A small printer for the picture of the Print button.
QIcon printerGlyph()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5); // paper going in
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 6, 13, 6); // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 4);                    // paper coming out
    p.fillRect(11, 8, 2, 1, QColor(0, 160, 0)); // power light
    p.end();
    return QIcon(pm);
}

int dialogIndex(const char *const *names, int count, const QString &name)
{
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(names[i]))
            return i;
    }
    return -1;
}

} // namespace

PrintWindow::PrintWindow(GridSize size, PuzzleSnapshot *snapshot, QWidget *parent)
    : QDialog(parent), m_layout(printLayout(size)), m_spec(sizeSpec(size)), m_snapshot(snapshot),
      m_dialogs(std::make_unique<PrintDialogs>()), m_pageColour(kStartPageColour),
      m_renderer(std::make_unique<PageRenderer>())
{
    setObjectName(QLatin1String(m_layout.windowName));
    setWindowTitle(QStringLiteral("Print"));
    setModal(true);
    setFont(windowFont());
    setAutoFillBackground(true);
    move(m_layout.designPos);
    resize(m_layout.clientWidth, m_layout.designHeight);
    applyFrame(m_layout.startsSizeable ? Frame::Sizeable : Frame::Fixed);

    // The page, in the order it is painted: title and word labels, the frame,
    // the grid over the frame.
    m_title = new PageLabel(this);
    m_title->setObjectName(QStringLiteral("Label7"));
    m_title->setPageFont(titleFont());
    m_title->setCaption(QStringLiteral("Word Quarrin"));
    m_title->move(m_layout.titlePos);

    for (int k = 1; k <= m_spec.snapshotWords; ++k) {
        auto *label = new PageLabel(this);
        label->setObjectName(QStringLiteral("l%1").arg(k));
        label->setPageFont(windowFont());
        label->move(m_layout.labelLeft, m_layout.labelTop + m_layout.labelStep * (k - 1));
        m_words.push_back(label);
    }

    m_frame = new PageFrame(this);
    m_frame->setObjectName(QStringLiteral("Panel1"));
    m_frame->setGeometry(m_layout.frameRect);
    m_frame->setEnabled(false);
    m_frame->setFaceColour(kStartFrameColour);

    m_grid = new TPubStrGrid(this);
    m_grid->setObjectName(QLatin1String(m_layout.gridName));
    m_grid->setOptions(TPubStrGrid::goFixedVertLine | TPubStrGrid::goFixedHorzLine |
                       TPubStrGrid::goVertLine | TPubStrGrid::goHorzLine |
                       TPubStrGrid::goRangeSelect | TPubStrGrid::goRowSizing |
                       TPubStrGrid::goColSizing | TPubStrGrid::goRowMoving |
                       TPubStrGrid::goColMoving | TPubStrGrid::goEditing | TPubStrGrid::goTabs);
    m_grid->setColCount(m_spec.columns);
    m_grid->setRowCount(m_spec.rows);
    m_grid->setDefaultColWidth(m_layout.cellPixels);
    m_grid->setDefaultRowHeight(m_layout.cellPixels);
    m_grid->setGrid3D(false);
    m_grid->setAlignment(Qt::AlignHCenter);
    m_grid->setCellColor(kStartCellColour);
    m_gridFont = windowFont();
    m_grid->setFont(m_gridFont);
    m_grid->setGeometry(m_layout.gridRect);
    // the letters on the page are not for editing: every typed character is dropped
    m_grid->setOnKeyPress([](TPubStrGrid *, QChar &key) { key = QChar(); });

    // The tools.
    m_printButton = makeButton(m_layout.printButton);
    m_printButton->setIcon(printerGlyph());
    m_setupButton = makeButton(m_layout.setupButton);
    m_gridFontButton = makeButton(m_layout.gridFont);
    m_gridColourButton = makeButton(m_layout.gridColour);
    m_pageColourButton = makeButton(m_layout.pageColour);
    m_positionLabel = makeLabel(m_layout.positionLabel);
    m_titleArrows = new UpDownArrows(this);
    m_titleArrows->setObjectName(QStringLiteral("pos"));
    m_titleArrows->setGeometry(QRect(m_layout.positionArrows, QSize(kArrowsSize, kArrowsSize)));
    m_titleArrows->setRange(kTitleTopMin, kTitleTopMax);
    m_titleArrows->setIncrement(-1);
    m_titleArrows->setPosition(kTitleStartTop);
    m_saveButton = makeButton(m_layout.saveButton);
    m_titleButton = makeButton(m_layout.titleButton);
    m_titleFontButton = makeButton(m_layout.titleFont);
    m_wordFontButton = makeButton(m_layout.wordFont);

    // The clue row.
    makeLabel(m_layout.clueLabel);
    m_clueBox = new DropDownComboBox(this);
    m_clueBox->setObjectName(QLatin1String(m_layout.clueBox.name));
    m_clueBox->setEditable(true);
    m_clueBox->setInsertPolicy(QComboBox::NoInsert);
    m_clueBox->setGeometry(m_layout.clueBox.left, m_layout.clueBox.top, m_layout.clueBox.width,
                           kFieldHeight);
    makeLabel(m_layout.withLabel);
    m_clueText = new QLineEdit(this);
    m_clueText->setObjectName(QLatin1String(m_layout.clueText.name));
    m_clueText->setGeometry(m_layout.clueText.left, m_layout.clueText.top, m_layout.clueText.width,
                            kFieldHeight);
    m_replaceButton = makeButton(m_layout.replaceButton);

    // The key and the print options, in the free band below the clue row.
    const int optionsLeft = m_layout.clueLabel.left;
    m_answerKey = makeCheckBox("answerKey", "Answer Key", optionsLeft);
    m_fitToPage = makeCheckBox("fitToPage", "Fit to page", optionsLeft + kOptionStep);
    m_whiteBackground =
        makeCheckBox("whiteBackground", "White background", optionsLeft + 2 * kOptionStep);
    m_worksheetButton = new QPushButton(QStringLiteral("Print Worksheet..."), this);
    m_worksheetButton->setObjectName(QStringLiteral("printWorksheet"));
    m_worksheetButton->setAccessibleName(QStringLiteral("Print Worksheet..."));
    m_worksheetButton->setAutoDefault(false);
    m_worksheetButton->setGeometry(m_layout.replaceButton.left, kOptionRowTop - 3,
                                   m_layout.replaceButton.width, kButtonHeight);
    m_keyView = new KeyView(this, this);
    m_keyView->setObjectName(QStringLiteral("answerKeyView"));
    m_keyView->setGeometry(0, 0, width(), kPageHeight);
    m_keyView->stackUnder(m_printButton); // over the page controls, under the tools
    m_keyView->hide();
    connect(m_answerKey, &QCheckBox::toggled, this, [this](bool on) {
        m_keyView->setVisible(on);
        pageChanged();
    });

    for (int i = 0; i < 3; ++i)
        m_fontChoice[i] = windowFont();
    for (QColor &c : m_colourChoice)
        c = kStartDialogColour;
    setPageColour(kStartPageColour);
    // Until the user picks a page colour, the frame keeps its own colour.
    m_frame->setFaceColour(kStartFrameColour);

    connect(m_titleButton, &QPushButton::clicked, this, &PrintWindow::changeTitle);
    connect(m_titleArrows, &UpDownArrows::clicked, this, &PrintWindow::moveTitle);
    connect(m_gridFontButton, &QPushButton::clicked, this, &PrintWindow::changeGridFont);
    connect(m_titleFontButton, &QPushButton::clicked, this, &PrintWindow::changeTitleFont);
    connect(m_wordFontButton, &QPushButton::clicked, this, &PrintWindow::changeWordListFont);
    connect(m_gridColourButton, &QPushButton::clicked, this, &PrintWindow::changeGridColour);
    connect(m_pageColourButton, &QPushButton::clicked, this, &PrintWindow::changeBackgroundColour);
    connect(m_printButton, &QPushButton::clicked, this, &PrintWindow::printPage);
    connect(m_setupButton, &QPushButton::clicked, this, &PrintWindow::setUpPrinter);
    connect(m_worksheetButton, &QPushButton::clicked, this, &PrintWindow::printWorksheet);
    connect(m_saveButton, &QPushButton::clicked, this, &PrintWindow::savePageImage);
    connect(m_replaceButton, &QPushButton::clicked, this, &PrintWindow::replaceWordLabel);
    connect(m_clueBox, &DropDownComboBox::dropDown, this, &PrintWindow::fillClueBox);
    connect(m_clueBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { m_chosenClue = index; });
    connect(m_clueBox->lineEdit(), &QLineEdit::textEdited, this, [this] { m_chosenClue = -1; });
}

PrintWindow::~PrintWindow() = default;

QCheckBox *PrintWindow::makeCheckBox(const char *name, const char *caption, int left)
{
    auto *box = new QCheckBox(QLatin1String(caption), this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(caption));
    box->move(left, kOptionRowTop);
    box->adjustSize();
    return box;
}

void PrintWindow::pageChanged()
{
    arrangePage();
    if (m_keyView && m_keyView->isVisible())
        m_keyView->update();
}

void PrintWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_keyView)
        m_keyView->setGeometry(0, 0, width(), kPageHeight);
}

QPushButton *PrintWindow::makeButton(const ToolPlace &place)
{
    auto *button = new QPushButton(QLatin1String(place.caption), this);
    button->setObjectName(QLatin1String(place.name));
    button->setAutoDefault(false);
    button->setGeometry(place.left, place.top, place.width, kButtonHeight);
    // the longest captions need the button's whole width
    button->setStyleSheet(QStringLiteral("QPushButton { padding-left: 1px; padding-right: 1px; }"));
    return button;
}

QLabel *PrintWindow::makeLabel(const ToolPlace &place)
{
    auto *label = new QLabel(QLatin1String(place.caption), this);
    label->setObjectName(QLatin1String(place.name));
    label->move(place.left, place.top);
    label->adjustSize();
    return label;
}

QList<QWidget *> PrintWindow::toolControls() const
{
    return {m_printButton,     m_saveButton,       m_positionLabel,  m_titleArrows,
            m_titleFontButton, m_titleButton,      m_wordFontButton, m_gridColourButton,
            m_setupButton,     m_pageColourButton, m_gridFontButton};
}

void PrintWindow::setDialogs(std::unique_ptr<PrintDialogs> dialogs)
{
    if (dialogs)
        m_dialogs = std::move(dialogs);
}

QPrinter &PrintWindow::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QSize PrintWindow::pageSize() const
{
    return QSize(width(), kPageHeight);
}

PageDescription PrintWindow::pageDescription() const
{
    PageDescription page;
    page.size = m_layout.size;
    page.width = width();
    page.title = m_title->text();
    page.titlePos = m_title->pos();
    page.titleFont = m_title->font();
    for (const PageLabel *label : m_words)
        page.labels << label->text();
    page.wordFont = m_words.empty() ? windowFont() : m_words.front()->font();
    page.gridFont = m_gridFont;
    page.pageColour = m_pageColour;
    page.frameColour = m_frame->faceColour();
    page.cellColour = m_grid->cellColor();
    page.puzzle = m_shown;
    return page;
}

SheetPuzzle PrintWindow::sheetPuzzle() const
{
    QStringList labels;
    for (const PageLabel *label : m_words)
        labels << label->text();
    return sheetPuzzleFromSnapshot(m_shown, m_title->text(), labels);
}

bool PrintWindow::showsAnswerKey() const
{
    return m_answerKey->isChecked();
}

void PrintWindow::paintPage(QPainter &p) const
{
    PageOptions options;
    options.answerKey = showsAnswerKey();
    m_renderer->paint(p, pageDescription(), options);
}

QImage PrintWindow::pageImage() const
{
    PageOptions options;
    options.answerKey = showsAnswerKey();
    return m_renderer->image(pageDescription(), options);
}

QFont PrintWindow::lastFontChoice(const QString &dialogName) const
{
    const int i = dialogIndex(kFontDialogNames, 3, dialogName);
    return i < 0 ? QFont() : m_fontChoice[i];
}

QColor PrintWindow::lastColourChoice(const QString &dialogName) const
{
    const int i = dialogIndex(kColourDialogNames, 2, dialogName);
    return i < 0 ? QColor() : m_colourChoice[i];
}

QString PrintWindow::numberPrefix(int k)
{
    return QString::number(k) + QStringLiteral(". ");
}

void PrintWindow::keyPressEvent(QKeyEvent *event)
{
    // The window closes only by its close box, as the editor expects.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PrintWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        showSnapshot();
}

void PrintWindow::showSnapshot()
{
    m_grid->setSelection(kNoSelection);
    if (m_frameKind == Frame::Sizeable)
        resize(width(), kNormalHeight);
    else
        setFixedSize(width(), kNormalHeight);
    {
        const QSignalBlocker block(m_clueBox);
        m_clueBox->clear();
        m_clueBox->setEditText(QString());
    }
    m_chosenClue = -1;

    if (m_snapshot && !m_snapshot->letters.isEmpty()) {
        m_shown = *m_snapshot;
        const QString &letters = m_snapshot->letters;
        for (int i = 0; i < m_spec.storeColumns; ++i) {
            for (int j = 0; j < m_spec.storeRows; ++j)
                m_grid->setCell(i, j, letters.mid(i * m_spec.storeRows + j, 1));
        }
        for (int k = 1; k <= int(m_words.size()); ++k) {
            const QString word =
                k - 1 < m_snapshot->words.size() ? m_snapshot->words.at(k - 1) : QString();
            // A word with a clue of its own (from a document) shows the clue.
            const QString clue = m_snapshot->clues.value(k - 1);
            m_words[k - 1]->setCaption(
                word.isEmpty() ? QString() : numberPrefix(k) + (clue.isEmpty() ? word : clue));
        }
    }
    for (QWidget *tool : toolControls())
        tool->show();
    pageChanged();
}

void PrintWindow::setGridFont(const QFont &font)
{
    m_gridFont = font;
    m_grid->setFont(font);
    arrangePage();
}

void PrintWindow::arrangePage()
{
    // The record sizes keep their design places.
    if (m_layout.size.isFixed())
        return;
    QStringList captions;
    for (const PageLabel *label : m_words)
        captions << label->text();
    const PageGeometry g = pageGeometry(m_layout.size, captions,
                                        m_words.empty() ? windowFont() : m_words.front()->font());
    m_frame->setGeometry(g.frameRect);
    if (m_grid->defaultColWidth() != g.cellPixels) {
        m_grid->setDefaultColWidth(g.cellPixels);
        m_grid->setDefaultRowHeight(g.cellPixels);
    }
    m_grid->setGeometry(g.gridRect);
    m_grid->setFont(fittedGridFont(m_gridFont, m_layout.size, g.cellPixels));
    for (std::size_t k = 0; k < m_words.size(); ++k)
        m_words[k]->move(g.labelPositions[k]);
}

void PrintWindow::changeTitle()
{
    m_title->setCaption(m_dialogs->askTitle(this));
    pageChanged();
}

void PrintWindow::moveTitle()
{
    m_title->move(m_title->x(), m_titleArrows->position());
    pageChanged();
}

std::optional<QFont> PrintWindow::askFont(const QString &dialogName)
{
    const int i = dialogIndex(kFontDialogNames, 3, dialogName);
    std::optional<QFont> font = m_dialogs->chooseFont(this, dialogName, m_fontChoice[i]);
    if (!font)
        return std::nullopt;
    // The page is measured in pixels; a size in points is turned into pixels
    // at the screen's resolution, so the printer enlarges it like the rest.
    if (font->pixelSize() <= 0)
        font->setPixelSize(std::max(1, qRound(font->pointSizeF() * logicalDpiY() / 72.0)));
    m_fontChoice[i] = *font;
    return font;
}

std::optional<QColor> PrintWindow::askColour(const QString &dialogName)
{
    const int i = dialogIndex(kColourDialogNames, 2, dialogName);
    std::optional<QColor> colour = m_dialogs->chooseColour(this, dialogName, m_colourChoice[i]);
    if (!colour || !colour->isValid())
        return std::nullopt;
    m_colourChoice[i] = *colour;
    return colour;
}

void PrintWindow::changeGridFont()
{
    if (const auto font = askFont(QLatin1String(kFontDialogNames[kGridFontDialog])))
        setGridFont(*font);
    pageChanged();
}

void PrintWindow::changeTitleFont()
{
    if (const auto font = askFont(QLatin1String(kFontDialogNames[kTitleFontDialog])))
        m_title->setPageFont(*font);
    pageChanged();
}

void PrintWindow::changeWordListFont()
{
    if (const auto font = askFont(QLatin1String(kFontDialogNames[kWordFontDialog]))) {
        for (PageLabel *label : m_words)
            label->setPageFont(*font);
    }
    pageChanged();
}

void PrintWindow::changeGridColour()
{
    if (const auto colour = askColour(QLatin1String(kColourDialogNames[0])))
        m_grid->setCellColor(*colour);
    pageChanged();
}

void PrintWindow::changeBackgroundColour()
{
    if (const auto colour = askColour(QLatin1String(kColourDialogNames[1])))
        setPageColour(*colour);
    pageChanged();
}

PageSettings PrintWindow::pageSettings() const
{
    PageSettings page;
    page.title = m_title->text();
    page.titleTop = m_title->y();
    const auto fontText = [](const QFont &font, const QFont &start) {
        return font == start ? QString() : font.toString();
    };
    page.titleFont = fontText(m_title->font(), titleFont());
    page.gridFont = fontText(m_gridFont, windowFont());
    page.wordFont = m_words.empty() ? QString() : fontText(m_words.front()->font(), windowFont());
    if (m_grid->cellColor() != kStartCellColour)
        page.gridColour = m_grid->cellColor().name();
    // A page colour counts once it was chosen: the frame then takes it too.
    if (m_frame->faceColour() == m_pageColour)
        page.pageColour = m_pageColour.name();
    page.answerKey = m_answerKey->isChecked();
    page.fitToPage = m_fitToPage->isChecked();
    page.whiteBackground = m_whiteBackground->isChecked();
    return page;
}

void PrintWindow::applyPageSettings(const PageSettings &page)
{
    m_title->setCaption(page.title);
    const int top = std::clamp(page.titleTop, kTitleTopMin, kTitleTopMax);
    m_titleArrows->setPosition(top);
    m_title->move(m_title->x(), top);
    const auto fontFrom = [](const QString &text, const QFont &start) {
        QFont font = start;
        if (!text.isEmpty() && !font.fromString(text))
            font = start;
        return font;
    };
    m_title->setPageFont(fontFrom(page.titleFont, titleFont()));
    setGridFont(fontFrom(page.gridFont, windowFont()));
    const QFont words = fontFrom(page.wordFont, windowFont());
    for (PageLabel *label : m_words)
        label->setPageFont(words);
    const QColor grid(page.gridColour);
    m_grid->setCellColor(grid.isValid() ? grid : kStartCellColour);
    const QColor colour(page.pageColour);
    setPageColour(colour.isValid() ? colour : kStartPageColour);
    if (!colour.isValid())
        m_frame->setFaceColour(kStartFrameColour);
    m_answerKey->setChecked(page.answerKey);
    m_fitToPage->setChecked(page.fitToPage);
    m_whiteBackground->setChecked(page.whiteBackground);
    pageChanged();
}

void PrintWindow::setPageColour(const QColor &colour)
{
    m_pageColour = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    m_frame->setFaceColour(colour);
}

void PrintWindow::applyFrame(Frame frame)
{
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    switch (frame) {
    case Frame::Sizeable:
        flags |= Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        break;
    case Frame::Fixed:
        flags |= Qt::MSWindowsFixedSizeDialogHint;
        setFixedSize(size());
        break;
    case Frame::None:
        flags = Qt::Dialog | Qt::FramelessWindowHint;
        setFixedSize(size());
        break;
    }
    m_frameKind = frame;
    if (isVisible() && windowHandle()) {
        // Re-creating the window would hide it and end the modal loop that
        // shows it; the frame of the shown window is changed in place.
        overrideWindowFlags(flags);
        windowHandle()->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void PrintWindow::enterCaptureState()
{
    m_captured = true;
    // The page carries no selection mark; the grid drops its mark while the
    // page is taken, so the window shows exactly the picture.
    const GridRect sel = m_grid->selection();
    const int anchorCol = m_grid->col() == sel.left ? sel.right : sel.left;
    const int anchorRow = m_grid->row() == sel.top ? sel.bottom : sel.top;
    m_selectionBeforeCapture = GridRect{anchorCol, anchorRow, m_grid->col(), m_grid->row()};
    m_grid->setSelection(kNoSelection);
    setFixedSize(width(), kPageHeight);
    applyFrame(Frame::None);
    for (QWidget *tool : toolControls())
        tool->hide();
}

void PrintWindow::leaveCaptureState(bool clearSelection)
{
    m_grid->setSelection(clearSelection ? kNoSelection : m_selectionBeforeCapture);
    setFixedSize(width(), kNormalHeight);
    m_clueBox->setCurrentIndex(-1);
    m_clueBox->setEditText(QString());
    m_chosenClue = -1;
    for (QWidget *tool : toolControls())
        tool->show();
    applyFrame(Frame::Fixed);
    m_captured = false;
}

void PrintWindow::printPage()
{
    PageOptions options;
    options.answerKey = showsAnswerKey();
    options.whiteBackground = m_whiteBackground->isChecked();
    const PageDescription page = pageDescription();
    if (!checkPrintableLetters(this, pageDrawnTexts(page, options)))
        return;
    enterCaptureState();
    const QString error = printPageOn(
        printer(), [&](QPainter &p) { m_renderer->paint(p, page, options); }, pageSize(),
        m_fitToPage->isChecked());
    leaveCaptureState(true);
    if (!error.isEmpty())
        m_dialogs->message(this, error);
}

void PrintWindow::printWorksheet()
{
    const std::optional<WorksheetOptions> options =
        m_dialogs->askWorksheetOptions(this, m_worksheet);
    if (!options)
        return;
    m_worksheet = *options;
    const SheetPuzzle puzzle = sheetPuzzle();
    if (!checkPrintableLetters(this,
                               sheetDrawnTexts(puzzle, m_worksheet.style, m_worksheet.answerKey)))
        return;
    const QString error = printWorksheetOn(printer(), puzzle, m_worksheet.style,
                                           parseTrimSize(m_worksheet.paper), m_worksheet.answerKey);
    if (!error.isEmpty())
        m_dialogs->message(this, error);
}

void PrintWindow::setUpPrinter()
{
    if (m_dialogs->setupPrinter(this, &printer()))
        m_paperChosen = true;
}

void PrintWindow::savePageImage()
{
    enterCaptureState();
    const std::optional<SaveChoice> choice = m_dialogs->askImageFile(this, m_lastSavePath);
    QString note;
    if (choice && !choice->path.isEmpty()) {
        m_lastSavePath = choice->path;
        const PageFileFormat format = pageFileFormat(choice->path, choice->filter);
        PageOptions options;
        options.answerKey = showsAnswerKey();
        const SheetPuzzle puzzle = sheetPuzzle();
        const QList<DrawnText> drawn =
            format == PageFileFormat::Worksheet
                ? sheetDrawnTexts(puzzle, m_worksheet.style, m_worksheet.answerKey)
                : pageDrawnTexts(pageDescription(), options);
        if (!checkPrintableLetters(this, drawn)) {
            leaveCaptureState(false);
            return;
        }
        QString error;
        if (format == PageFileFormat::Worksheet) {
            // the puzzle and its key in the sheet layout, on the worksheet's
            // paper, else the printer's once "Printer Setup" chose one, else
            // the locale's
            const std::optional<QPageSize> paper = parseTrimSize(m_worksheet.paper);
            QPageLayout layout = m_paperChosen ? worksheetPaper(printer()) : worksheetPaper();
            if (paper)
                layout.setPageSize(*paper);
            error = writeWorksheetFile(choice->path, puzzle, m_worksheet.style, layout,
                                       m_worksheet.answerKey);
        } else {
            error = writePageFile(
                choice->path, format, pageImage(), [this](QPainter &p) { paintPage(p); },
                pageSize());
        }
        note = error.isEmpty()
                   ? QStringLiteral("File successfully saved to: ") +
                         QDir::toNativeSeparators(QFileInfo(choice->path).absoluteFilePath())
                   : error;
    }
    if (!note.isEmpty())
        m_dialogs->message(this, note);
    leaveCaptureState(false);
}

void PrintWindow::fillClueBox()
{
    const QString typed = m_clueBox->currentText();
    {
        const QSignalBlocker block(m_clueBox);
        m_clueBox->clear();
        for (const PageLabel *label : m_words) {
            const QString caption = label->text();
            if (caption.isEmpty())
                continue;
            const int dot = caption.indexOf(QLatin1String(". "));
            m_clueBox->addItem(dot < 0 ? caption : caption.mid(dot + 2));
        }
        m_clueBox->setCurrentIndex(-1);
        m_clueBox->setEditText(typed);
    }
    m_chosenClue = -1;
}

void PrintWindow::replaceWordLabel()
{
    const int index = m_chosenClue;
    if (index >= 0 && index < int(m_words.size()))
        m_words[index]->setCaption(numberPrefix(index + 1) + m_clueText->text());
    pageChanged();
    m_clueText->clear();
    m_clueBox->setCurrentIndex(-1);
    m_clueBox->setEditText(QString());
    m_chosenClue = -1;
}

} // namespace quarrin
