#include "play/solve_window.h"

#include "grid/pub_str_grid.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace quarrin {

namespace {

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);    // clSkyBlue
const QColor kPanelColor(0x57, 0xA0, 0xE3); // 14917719 as blue-green-red
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kBlack(0x00, 0x00, 0x00);

struct Place
{
    int x;
    int y;
    int w;
    int h;
    QRect rect() const { return QRect(x, y, w, h); }
};

// Everything that tells the two play windows apart besides the size table.
struct PlayLayout
{
    const char *windowName;
    const char *gridName;
    const char *timerName;
    QSize clientSize;
    Place grid;
    int cellPixels;
    const char *gridFontFamily;
    int gridFontPixels;
    bool gridFontBold;
    const char *slotFontFamily;
    int slotFontPixels;
    int slotX;
    int slotY;
    int slotStep;
    int slotWidth;
    int slotsInFirstColumn;
    int secondColumnX;
    const char *prompt;
    const char *hintSecondLine;
    Place point1Caption, point1, point2Caption, point2, directionCaption, directionLabel,
        selectedCaption1, selectedCaption2, selectedWord, listCaption, timeCaption, timeBox;
    int instructionsX;
    int instructionsY;
    int instructionsStep;
};

const PlayLayout kSmallLayout{
    "SolveMode15",
    "quarrin",
    "Timer1",
    QSize(980, 531),
    {24, 24, 457, 457},
    29,
    "P052",
    21,
    false,
    "Liberation Sans",
    16,
    520,
    216,
    24,
    225,
    12,
    752,
    "PRESS START TO BEGIN!",
    "green in the list below.",
    {520, 12, 160, 18},  // point1Caption
    {520, 31, 113, 25},  // point1
    {520, 60, 160, 18},  // point2Caption
    {520, 79, 113, 25},  // point2
    {520, 110, 80, 18},  // directionCaption
    {602, 110, 140, 18}, // directionLabel
    {520, 134, 160, 18}, // selectedCaption1
    {520, 152, 100, 18}, // selectedCaption2
    {622, 152, 240, 18}, // selectedWord
    {520, 190, 80, 18},  // listCaption
    {16, 500, 56, 18},   // timeCaption
    {72, 496, 81, 25},   // timeBox
    752,
    12,
    20,
};

const PlayLayout kLargeLayout{
    "solvemode30",
    "quarrin2",
    "Timer2",
    QSize(966, 593),
    {24, 26, 453, 453},
    14,
    "Liberation Sans",
    11,
    false,
    "Liberation Serif",
    13,
    512,
    39,
    16,
    220,
    28,
    0,
    "PRESS THE START BUTTON BELOW TO BEGIN",
    "green in the list.",
    {24, 499, 113, 18},  // point1Caption
    {24, 519, 113, 25},  // point1
    {144, 499, 113, 18}, // point2Caption
    {144, 519, 113, 25}, // point2
    {264, 499, 80, 18},  // directionCaption
    {264, 523, 120, 18}, // directionLabel
    {24, 553, 140, 18},  // selectedCaption1
    {24, 571, 140, 18},  // selectedCaption2
    {164, 562, 320, 18}, // selectedWord
    {512, 16, 80, 18},   // listCaption
    {504, 503, 56, 18},  // timeCaption
    {560, 499, 81, 25},  // timeBox
    740,
    39,
    20,
};

const PlayLayout &playLayout(GridSize size)
{
    return size == GridSize::Small ? kSmallLayout : kLargeLayout;
}

QFont labelFont(bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(16);
    f.setBold(bold);
    return f;
}

// The clock of the running program: a 1000 ms timer.
class QtClockTimer : public ClockTimer
{
public:
    QtClockTimer(QObject *owner, const char *name) : m_timer(new QTimer(owner))
    {
        m_timer->setObjectName(QLatin1String(name));
        m_timer->setInterval(1000);
        QObject::connect(m_timer, &QTimer::timeout, [this] { fire(); });
    }
    ~QtClockTimer() override { delete m_timer; }
    void start() override
    {
        if (!m_timer->isActive())
            m_timer->start();
    }
    void stop() override { m_timer->stop(); }
    bool isActive() const override { return m_timer->isActive(); }

private:
    QTimer *m_timer;
};

QString pointText(int x, int y)
{
    return QStringLiteral("(%1, %2)").arg(x).arg(y);
}

} // namespace

QString timeText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

SolveWindow::SolveWindow(GridSize size, PuzzleSnapshot *snapshot, QWidget *parent)
    : QDialog(parent), m_size(size), m_snapshot(snapshot)
{
    const PlayLayout &layout = playLayout(size);
    setObjectName(QLatin1String(layout.windowName));
    setWindowTitle(QStringLiteral("Word Quarrin Generator"));
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kSkyBlue);
    pal.setColor(QPalette::WindowText, kBlack);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(layout.clientSize);
    buildControls();
    setClockTimer(std::make_unique<QtClockTimer>(this, layout.timerName));
    m_grid->hide();
}

SolveWindow::~SolveWindow() = default;

void SolveWindow::setClockTimer(std::unique_ptr<ClockTimer> clock)
{
    m_clock = std::move(clock);
    if (m_clock)
        m_clock->setOnTick([this] { advanceClock(); });
}

void SolveWindow::buildControls()
{
    const PlayLayout &layout = playLayout(m_size);
    const SizeSpec &spec = sizeSpec(m_size);

    auto label = [this](const char *name, const QString &text, const Place &place, bool bold) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setFont(labelFont(bold));
        l->setGeometry(place.rect());
        return l;
    };
    auto button = [this](const char *name, const Place &place, bool bold) {
        auto *b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setFont(labelFont(bold));
        b->setGeometry(place.rect());
        b->setAutoDefault(false);
        return b;
    };

    m_promptPanel = new QLabel(QString::fromLatin1(layout.prompt), this);
    m_promptPanel->setObjectName(QStringLiteral("Panel1"));
    m_promptPanel->setGeometry(16, 19, 473, 473);
    m_promptPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_promptPanel->setAlignment(Qt::AlignCenter);
    m_promptPanel->setWordWrap(true);
    m_promptPanel->setFont(labelFont(true));
    m_promptPanel->setAutoFillBackground(true);
    QPalette panelPalette = m_promptPanel->palette();
    panelPalette.setColor(QPalette::Window, kPanelColor);
    m_promptPanel->setPalette(panelPalette);

    m_grid = new TPubStrGrid(this);
    m_grid->setObjectName(QLatin1String(layout.gridName));
    m_grid->setGeometry(layout.grid.rect());
    m_grid->setOptions(TPubStrGrid::goFixedVertLine | TPubStrGrid::goFixedHorzLine |
                       TPubStrGrid::goVertLine | TPubStrGrid::goHorzLine |
                       TPubStrGrid::goRangeSelect | TPubStrGrid::goRowSizing |
                       TPubStrGrid::goColSizing | TPubStrGrid::goEditing | TPubStrGrid::goTabs);
    m_grid->setColCount(spec.columns);
    m_grid->setRowCount(spec.rows);
    m_grid->setDefaultColWidth(layout.cellPixels);
    m_grid->setDefaultRowHeight(layout.cellPixels);
    m_grid->setGrid3D(false);
    m_grid->setAlignment(Qt::AlignHCenter);
    QFont gridFont(QLatin1String(layout.gridFontFamily));
    gridFont.setPixelSize(layout.gridFontPixels);
    gridFont.setBold(layout.gridFontBold);
    m_grid->setFont(gridFont);
    m_grid->finishSetup();
    connect(m_grid, &TPubStrGrid::selectCell, this, &SolveWindow::markPoint);
    connect(m_grid, &TPubStrGrid::clicked, this, &SolveWindow::checkSelection);
    m_grid->setOnKeyPress([this](TPubStrGrid *, QChar &key) { dropTypedKey(key); });

    label("Label2", QStringLiteral("Point 1 (X, Y)"), layout.point1Caption, true);
    m_point1 = button("point1", layout.point1, false);
    label("Label3", QStringLiteral("Point 2 (X, Y)"), layout.point2Caption, true);
    m_point2 = button("point2", layout.point2, false);
    label("Label4", QStringLiteral("Direction:"), layout.directionCaption, true);
    m_directionLabel = label("directionLabel", QString(), layout.directionLabel, false);
    label("Label6", QStringLiteral("Word at selected"), layout.selectedCaption1, true);
    label("Label7", QStringLiteral("coordinates:"), layout.selectedCaption2, true);
    m_selectedWord = label("selectedWord", QString(), layout.selectedWord, false);
    label("Label9", QStringLiteral("List:"), layout.listCaption, true);
    label("Label10", QStringLiteral("Time: "), layout.timeCaption, true);
    m_clockButton = button("timeBox", layout.timeBox, true);
    m_clockButton->setText(QStringLiteral("START"));
    connect(m_clockButton, &QPushButton::clicked, this, &SolveWindow::startGame);

    const char *names[] = {"Label11", "Label12", "Label13", "Label14",
                           "Label15", "Label16", "Label17"};
    const QString texts[] = {QStringLiteral("TO PLAY:"),
                             QStringLiteral("Click first grid square"),
                             QStringLiteral("(start of word)"),
                             QStringLiteral("Click second grid square"),
                             QStringLiteral("(end of word)"),
                             QStringLiteral("The word should now be"),
                             QString::fromLatin1(layout.hintSecondLine)};
    for (int i = 0; i < 7; ++i) {
        const Place place{layout.instructionsX, layout.instructionsY + i * layout.instructionsStep,
                          220, 18};
        QLabel *l = label(names[i], texts[i], place, i == 0);
        if (i >= 5) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, kGreen);
            l->setPalette(p);
        }
    }

    QFont slotFont(QLatin1String(layout.slotFontFamily));
    slotFont.setPixelSize(layout.slotFontPixels);
    for (int k = 1; k <= spec.snapshotWords; ++k) {
        auto *l = new QLabel(this);
        l->setObjectName(QStringLiteral("l%1").arg(k));
        l->setFont(slotFont);
        const int index = k - 1;
        const bool first = index < layout.slotsInFirstColumn;
        const int x = first ? layout.slotX : layout.secondColumnX;
        const int row = first ? index : index - layout.slotsInFirstColumn;
        l->setGeometry(x, layout.slotY + row * layout.slotStep, layout.slotWidth, layout.slotStep);
        l->hide();
        m_slots.append(l);
        m_slotFound.append(false);
    }
}

void SolveWindow::setSlotColor(int index, const QColor &color)
{
    QLabel *l = m_slots.at(index);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
}

void SolveWindow::keyPressEvent(QKeyEvent *event)
{
    // The game ends only by the close box: Esc would reset the clock and the
    // words found without a word.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SolveWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showSnapshot();
}

void SolveWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        showSnapshot();
}

void SolveWindow::showSnapshot()
{
    for (QLabel *l : std::as_const(m_slots)) {
        l->show();
        l->clear();
    }
    m_grid->setSelection(GridRect{-1, -1, -1, -1});
    if (!m_snapshot || m_snapshot->letters.isEmpty())
        return;

    const SizeSpec &spec = sizeSpec(m_size);
    const QString &letters = m_snapshot->letters;
    for (int c = 0; c < spec.storeColumns; ++c) {
        for (int r = 0; r < spec.storeRows; ++r) {
            const int index = c * spec.storeRows + r;
            const QChar ch = index < letters.size() ? letters.at(index) : QLatin1Char(' ');
            m_grid->setCell(c, r, QString(ch));
        }
    }

    int highest = 0;
    for (int k = 0; k < m_slots.size(); ++k) {
        const QString word = k < m_snapshot->words.size() ? m_snapshot->words.at(k) : QString();
        QLabel *l = m_slots.at(k);
        l->setText(word);
        l->setVisible(!word.isEmpty());
        if (!word.isEmpty())
            highest = k + 1;
    }
    if (highest > 0)
        m_wordsToFind = highest;
}

void SolveWindow::startGame()
{
    m_clockButton->setText(QStringLiteral("0:00"));
    if (m_clock)
        m_clock->start();
    m_grid->show();
    m_grid->raise();
}

void SolveWindow::advanceClock()
{
    m_clockButton->setText(timeText(m_secondsElapsed));
    ++m_secondsElapsed;
}

void SolveWindow::dropTypedKey(QChar &key)
{
    key = QChar();
}

void SolveWindow::markPoint(int col, int row)
{
    const int x = col + 1;
    const int y = row + 1;
    if (!m_firstPointSet) {
        m_x1 = x;
        m_y1 = y;
        m_x2 = 0;
        m_y2 = 0;
        m_point1->setText(pointText(m_x1, m_y1));
        m_point2->setText(QString());
        m_directionLabel->setText(QString());
        m_selectedWord->setText(QString());
        m_firstPointSet = true;
        return;
    }

    m_x2 = x;
    m_y2 = y;
    m_point2->setText(pointText(m_x2, m_y2));
    const int x1 = m_x1, y1 = m_y1, x2 = m_x2, y2 = m_y2;
    if (x2 == x1 && y2 < y1) {
        readWordUp(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Up"));
    }
    if (x2 == x1 && y2 > y1) {
        readWordDown(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Down"));
    }
    if (x2 < x1 && y2 == y1) {
        readWordLeft(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Left"));
    }
    if (x2 > x1 && y2 == y1) {
        readWordRight(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Right"));
    }
    if (x2 > x1 && y2 > y1 && x2 - x1 == y2 - y1) {
        readWordDownRight(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Down-Right"));
    }
    if (x2 > x1 && y2 < y1 && x2 - x1 == y1 - y2) {
        readWordUpRight(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Up-Right"));
    }
    if (x2 < x1 && y2 > y1 && x1 - x2 == y2 - y1) {
        readWordDownLeft(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Down-Left"));
    }
    if (x2 < x1 && y2 < y1 && x1 - x2 == y1 - y2) {
        readWordUpLeft(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Up-Left"));
    }
    m_firstPointSet = false;
}

void SolveWindow::readLetters(int x1, int y1, int x2, int y2, int colStep, int rowStep)
{
    const int count = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
    QString text;
    int x = x1;
    int y = y1;
    for (int i = 0; i < count; ++i) {
        text += m_grid->cell(x - 1, y - 1);
        x += colStep;
        y += rowStep;
    }
    m_selectedWord->setText(text);
}

void SolveWindow::readWordUp(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 0, -1);
}

void SolveWindow::readWordDown(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 0, 1);
}

void SolveWindow::readWordLeft(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, -1, 0);
}

void SolveWindow::readWordRight(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 1, 0);
}

void SolveWindow::readWordUpRight(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 1, -1);
}

void SolveWindow::readWordUpLeft(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, -1, -1);
}

void SolveWindow::readWordDownRight(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 1, 1);
}

void SolveWindow::readWordDownLeft(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, -1, 1);
}

void SolveWindow::checkSelection()
{
    matchSelection();
    finishTest();
    m_grid->unselect();
}

void SolveWindow::matchSelection()
{
    const QString selected = m_selectedWord->text();
    if (selected.isEmpty())
        return;
    for (int k = 0; k < m_slots.size(); ++k) {
        if (m_slots.at(k)->text() != selected)
            continue;
        // Each slot counts once; finding it again only repaints it green.
        if (!m_slotFound.at(k)) {
            m_slotFound[k] = true;
            ++m_wordsFound;
        }
        setSlotColor(k, kGreen);
    }
}

void SolveWindow::finishTest()
{
    if (m_wordsFound != m_wordsToFind)
        return;
    const QString text = QStringLiteral("You finished!! Time: ") + timeText(m_secondsElapsed);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Word Quarrin Generator"), text,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("finishMessage"));
    box.exec();
    if (m_clock)
        m_clock->stop();
}

void SolveWindow::done(int result)
{
    if (!m_closing) {
        m_closing = true;
        resetGame();
        m_closing = false;
    }
    QDialog::done(result);
}

void SolveWindow::resetGame()
{
    if (m_closeHook)
        m_closeHook();
    m_wordsToFind = 0;
    m_wordsFound = 0;
    for (int k = 0; k < m_slots.size(); ++k) {
        setSlotColor(k, kBlack);
        m_slotFound[k] = false;
    }
    m_grid->clearCells();
    m_selectedWord->setText(QString());
    if (m_clock)
        m_clock->stop();
    m_secondsElapsed = 0;
    m_point1->setText(QString());
    m_point2->setText(QString());
    m_directionLabel->setText(QString());
    m_grid->hide();
    m_clockButton->setText(QStringLiteral("START"));
    m_firstPointSet = false;
}

} // namespace quarrin
