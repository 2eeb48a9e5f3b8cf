#include "help/splash_screen.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <array>

namespace quarrin {

namespace {

constexpr int kWidth = 692;
constexpr int kHeight = 262;
constexpr int kExposeTries = 40; // up to about 200 ms for the window to appear
constexpr int kRepaintMs = 50;

QColor menuColour()
{
    return QApplication::palette("QMenu").color(QPalette::Window);
}

// The emblem: a small letter grid with a hidden word picked out in colour.
void drawEmblem(QPainter &p, const QRect &area)
{
    static const std::array<const char *, 7> rows{
        "QWORDSK", "UPMALTA", "ATUIXGR", "RHOZNDE", "ROBEZID", "INTSELT", "NYCWHAE",
    };
    const int n = int(rows.size());
    const int cell = area.width() / n;
    const QRect grid(area.topLeft(), QSize(cell * n, cell * n));

    // Shadow and card.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(grid.adjusted(-6, -6, 10, 10), 10, 10);
    p.setBrush(Qt::white);
    p.drawRoundedRect(grid.adjusted(-8, -8, 8, 8), 10, 10);

    // Found words, as in play: WORDS across, QUARRIN down, PUZZLE diagonally.
    struct Mark
    {
        int col, row, dc, dr, length;
        QColor colour;
    };
    const std::array<Mark, 3> marks{{
        {1, 0, 1, 0, 5, QColor(255, 214, 10)},
        {0, 0, 0, 1, 7, QColor(126, 200, 80)},
        {1, 1, 1, 1, 6, QColor(135, 206, 235)},
    }};
    for (const Mark &m : marks) {
        for (int i = 0; i < m.length; ++i) {
            const QRect r(grid.left() + (m.col + m.dc * i) * cell,
                          grid.top() + (m.row + m.dr * i) * cell, cell, cell);
            p.setBrush(m.colour);
            p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 4, 4);
        }
    }

    // Grid lines.
    p.setPen(QPen(QColor(30, 105, 174, 90), 1));
    for (int i = 1; i < n; ++i) {
        p.drawLine(grid.left() + i * cell, grid.top(), grid.left() + i * cell, grid.bottom());
        p.drawLine(grid.left(), grid.top() + i * cell, grid.right(), grid.top() + i * cell);
    }

    // Letters.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(cell * 55 / 100);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const QRect box(grid.left() + c * cell, grid.top() + r * cell, cell, cell);
            p.drawText(box, Qt::AlignCenter, QString(QChar::fromLatin1(rows[size_t(r)][c])));
        }
    }
}

} // namespace

QImage TSplashScreen::drawPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Background: the help window's blues, light at the top.
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(137, 188, 235));
    sky.setColorAt(1.0, QColor(30, 105, 174));
    p.fillRect(image.rect(), sky);

    drawEmblem(p, QRect(34, 34, 196, 196));

    // Title and subtitle on the right.
    const QRect textArea(270, 40, kWidth - 270 - 24, kHeight - 80);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    const QString line1 = QStringLiteral("Word Quarrin");
    const QString line2 = QStringLiteral("Generator");
    // Soft shadow under the title.
    p.setPen(QColor(0, 0, 60, 110));
    p.drawText(textArea.translated(2, 2), Qt::AlignLeft | Qt::AlignTop, line1);
    p.drawText(textArea.translated(2, 50), Qt::AlignLeft | Qt::AlignTop, line2);
    p.setPen(Qt::white);
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignTop, line1);
    p.drawText(textArea.translated(0, 48), Qt::AlignLeft | Qt::AlignTop, line2);

    // A rule and the subtitle.
    p.setPen(QPen(QColor(255, 214, 10), 3));
    p.drawLine(textArea.left() + 2, textArea.top() + 112, textArea.left() + 300,
               textArea.top() + 112);
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(16);
    p.setFont(sub);
    p.setPen(QColor(235, 244, 255));
    p.drawText(textArea.translated(2, 128), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Word-search puzzles: 15x15 and 30x30 grids"));
    p.end();
    return image;
}

TSplashScreen::TSplashScreen(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::CrossCursor);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, menuColour());
    setPalette(pal);
    setAutoFillBackground(true);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setGeometry(0, 0, 697, 265);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setPixmap(QPixmap::fromImage(drawPicture()));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TSplashScreen::hideAfterWait(int ms)
{
    if (ms > 0 && isVisible()) {
        QDeadlineTimer deadline(ms);
        // Paint first: let the window system put the window on screen.
        raise();
        for (int i = 0; i < kExposeTries && !isExposed(); ++i) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (!isExposed())
                QThread::msleep(5);
        }
        repaint();
        // Then block: no events are handled, but the picture is painted
        // again now and then in case part of it was covered meanwhile.
        while (!deadline.hasExpired()) {
            QThread::msleep(
                quint64(qBound<qint64>(1, deadline.remainingTime(), qint64(kRepaintMs))));
            repaint();
        }
    }
    hide();
}

bool TSplashScreen::isExposed() const
{
    return windowHandle() && windowHandle()->isExposed();
}

} // namespace quarrin
