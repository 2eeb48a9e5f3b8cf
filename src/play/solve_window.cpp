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
    const char *formName;
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
    Place label2, point1, label3, point2, label4, directionLabel, label6, label7, selectedWord,
        label9, label10, timeBox;
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
    {520, 12, 160, 18},  // Label2
    {520, 31, 113, 25},  // point1
    {520, 60, 160, 18},  // Label3
    {520, 79, 113, 25},  // point2
    {520, 110, 80, 18},  // Label4
    {602, 110, 140, 18}, // directionLabel
    {520, 134, 160, 18}, // Label6
    {520, 152, 100, 18}, // Label7
    {622, 152, 240, 18}, // selectedWord
    {520, 190, 80, 18},  // Label9
    {16, 500, 56, 18},   // Label10
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
    {24, 499, 113, 18},  // Label2
    {24, 519, 113, 25},  // point1
    {144, 499, 113, 18}, // Label3
    {144, 519, 113, 25}, // point2
    {264, 499, 80, 18},  // Label4
    {264, 523, 120, 18}, // directionLabel
    {24, 553, 140, 18},  // Label6
    {24, 571, 140, 18},  // Label7
    {164, 562, 320, 18}, // selectedWord
    {512, 16, 80, 18},   // Label9
    {504, 503, 56, 18},  // Label10
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
    setObjectName(QLatin1String(layout.formName));
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
    FormCreate();
}

SolveWindow::~SolveWindow() = default;

void SolveWindow::setClockTimer(std::unique_ptr<ClockTimer> clock)
{
    m_clock = std::move(clock);
    if (m_clock)
        m_clock->setOnTick([this] { Timer1Timer(); });
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

    m_panel1 = new QLabel(QString::fromLatin1(layout.prompt), this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setGeometry(16, 19, 473, 473);
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel1->setAlignment(Qt::AlignCenter);
    m_panel1->setWordWrap(true);
    m_panel1->setFont(labelFont(true));
    m_panel1->setAutoFillBackground(true);
    QPalette panelPalette = m_panel1->palette();
    panelPalette.setColor(QPalette::Window, kPanelColor);
    m_panel1->setPalette(panelPalette);

    m_grid = new TPubStrGrid(this);
    m_grid->setObjectName(QLatin1String(layout.gridName));
    m_grid->setGeometry(layout.grid.rect());
    m_grid->setOptions(TPubStrGrid::goFixedVertLine | TPubStrGrid::goFixedHorzLine |
                       TPubStrGrid::goVertLine | TPubStrGrid::goHorzLine |
                       TPubStrGrid::goRangeSelect | TPubStrGrid::goRowSizing |
                       TPubStrGrid::goColSizing | TPubStrGrid::goEditing | TPubStrGrid::goTabs);
    m_grid->setColCount(spec.n);
    m_grid->setRowCount(spec.n);
    m_grid->setDefaultColWidth(layout.cellPixels);
    m_grid->setDefaultRowHeight(layout.cellPixels);
    m_grid->setGrid3D(false);
    m_grid->setAlignment(Qt::AlignHCenter);
    QFont gridFont(QLatin1String(layout.gridFontFamily));
    gridFont.setPixelSize(layout.gridFontPixels);
    gridFont.setBold(layout.gridFontBold);
    m_grid->setFont(gridFont);
    m_grid->Loaded();
    connect(m_grid, &TPubStrGrid::selectCell, this, &SolveWindow::quarrinSelectCell);
    connect(m_grid, &TPubStrGrid::clicked, this, &SolveWindow::quarrinClick);
    m_grid->setOnKeyPress([this](TPubStrGrid *, QChar &key) { quarrinKeyPress(key); });

    label("Label2", QStringLiteral("Point 1 (X, Y)"), layout.label2, true);
    m_point1 = button("point1", layout.point1, false);
    label("Label3", QStringLiteral("Point 2 (X, Y)"), layout.label3, true);
    m_point2 = button("point2", layout.point2, false);
    label("Label4", QStringLiteral("Direction:"), layout.label4, true);
    m_directionLabel = label("directionLabel", QString(), layout.directionLabel, false);
    label("Label6", QStringLiteral("Word at selected"), layout.label6, true);
    label("Label7", QStringLiteral("coordinates:"), layout.label7, true);
    m_selectedWord = label("selectedWord", QString(), layout.selectedWord, false);
    label("Label9", QStringLiteral("List:"), layout.label9, true);
    label("Label10", QStringLiteral("Time: "), layout.label10, true);
    m_timeBox = button("timeBox", layout.timeBox, true);
    m_timeBox->setText(QStringLiteral("START"));
    connect(m_timeBox, &QPushButton::clicked, this, &SolveWindow::timeBoxClick);

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

void SolveWindow::FormCreate()
{
    m_grid->hide();
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
    FormActivate();
}

void SolveWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void SolveWindow::FormActivate()
{
    for (QLabel *l : std::as_const(m_slots)) {
        l->show();
        l->clear();
    }
    m_grid->setSelection(GridRect{-1, -1, -1, -1});
    if (!m_snapshot || m_snapshot->letters.isEmpty())
        return;

    const int side = sizeSpec(m_size).store;
    const QString &letters = m_snapshot->letters;
    for (int c = 0; c < side; ++c) {
        for (int r = 0; r < side; ++r) {
            const int index = c * side + r;
            const QChar ch = index < letters.size() ? letters.at(index) : QLatin1Char(' ');
            m_grid->SetCell(c, r, QString(ch));
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

void SolveWindow::timeBoxClick()
{
    m_timeBox->setText(QStringLiteral("0:00"));
    if (m_clock)
        m_clock->start();
    m_grid->show();
    m_grid->raise();
}

void SolveWindow::Timer1Timer()
{
    m_timeBox->setText(timeText(m_secondsElapsed));
    ++m_secondsElapsed;
}

void SolveWindow::quarrinKeyPress(QChar &key)
{
    key = QChar();
}

void SolveWindow::quarrinSelectCell(int col, int row)
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
        CheckWordUp(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Up"));
    }
    if (x2 == x1 && y2 > y1) {
        CheckWordDown(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Down"));
    }
    if (x2 < x1 && y2 == y1) {
        CheckWordLeft(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Left"));
    }
    if (x2 > x1 && y2 == y1) {
        CheckWordRight(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Right"));
    }
    if (x2 > x1 && y2 > y1 && x2 - x1 == y2 - y1) {
        CheckWordDownRight(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Down-Right"));
    }
    if (x2 > x1 && y2 < y1 && x2 - x1 == y1 - y2) {
        CheckWordUpRight(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Up-Right"));
    }
    if (x2 < x1 && y2 > y1 && x1 - x2 == y2 - y1) {
        CheckWordDownLeft(m_grid, x1, y1, x2, y2);
        m_directionLabel->setText(QStringLiteral("Down-Left"));
    }
    if (x2 < x1 && y2 < y1 && x1 - x2 == y1 - y2) {
        CheckWordUpLeft(m_grid, x1, y1, x2, y2);
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

void SolveWindow::CheckWordUp(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 0, -1);
}

void SolveWindow::CheckWordDown(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 0, 1);
}

void SolveWindow::CheckWordLeft(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, -1, 0);
}

void SolveWindow::CheckWordRight(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 1, 0);
}

void SolveWindow::CheckWordUpRight(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 1, -1);
}

void SolveWindow::CheckWordUpLeft(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, -1, -1);
}

void SolveWindow::CheckWordDownRight(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, 1, 1);
}

void SolveWindow::CheckWordDownLeft(QObject *, int x1, int y1, int x2, int y2)
{
    readLetters(x1, y1, x2, y2, -1, 1);
}

void SolveWindow::quarrinClick()
{
    matchSelection();
    finishTest();
    m_grid->Unselect();
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
        FormClose();
        m_closing = false;
    }
    QDialog::done(result);
}

void SolveWindow::FormClose()
{
    if (m_closeHook)
        m_closeHook();
    m_wordsToFind = 0;
    m_wordsFound = 0;
    for (int k = 0; k < m_slots.size(); ++k) {
        setSlotColor(k, kBlack);
        m_slotFound[k] = false;
    }
    m_grid->ClearCells();
    m_selectedWord->setText(QString());
    if (m_clock)
        m_clock->stop();
    m_secondsElapsed = 0;
    m_point1->setText(QString());
    m_point2->setText(QString());
    m_directionLabel->setText(QString());
    m_grid->hide();
    m_timeBox->setText(QStringLiteral("START"));
    m_firstPointSet = false;
}

} // namespace quarrin
