#include "print/page_elements.h"

#include <QFontMetrics>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace quarrin {

namespace {
const QColor kBevelShadow(128, 128, 128);
const QColor kBevelLight(255, 255, 255);
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
} // namespace

void drawLabelText(QPainter &p, const QRect &rect, const QFont &font, const QColor &colour,
                   const QString &text)
{
    if (text.isEmpty())
        return;
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, kTextFlags, text);
    p.restore();
}

QSize labelSizeFor(const QFont &font, const QString &text)
{
    const QFontMetrics fm(font);
    if (text.isEmpty())
        return QSize(0, fm.height());
    const int width = std::max(fm.horizontalAdvance(text), fm.boundingRect(text).right() + 1);
    return QSize(width, fm.height());
}

void drawSunkenPanel(QPainter &p, const QRect &rect, const QColor &face)
{
    p.save();
    p.fillRect(rect, face);
    QRect r = rect;
    for (int ring = 0; ring < 2; ++ring) {
        // top and left in shadow, bottom and right lit: the face looks lowered
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), kBevelShadow);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), kBevelShadow);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), kBevelLight);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), kBevelLight);
        r.adjust(1, 1, -1, -1);
    }
    p.restore();
}

PageLabel::PageLabel(QWidget *parent) : QLabel(parent)
{
    setMargin(0);
    setIndent(0);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PageLabel::setCaption(const QString &text)
{
    setText(text);
    fitToText();
}

void PageLabel::setPageFont(const QFont &font)
{
    setFont(font);
    fitToText();
}

void PageLabel::fitToText()
{
    resize(labelSizeFor(font(), text()));
}

void PageLabel::paintOn(QPainter &p) const
{
    drawLabelText(p, QRect(QPoint(0, 0), size()), font(), m_colour, text());
}

void PageLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintOn(p);
}

PageFrame::PageFrame(QWidget *parent) : QWidget(parent) {}

void PageFrame::setFaceColour(const QColor &colour)
{
    m_face = colour;
    update();
}

void PageFrame::paintOn(QPainter &p) const
{
    drawSunkenPanel(p, QRect(QPoint(0, 0), size()), m_face);
}

void PageFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintOn(p);
}

UpDownArrows::UpDownArrows(QWidget *parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setObjectName(QStringLiteral("upArrow"));
    m_down->setObjectName(QStringLiteral("downArrow"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDownArrows::clickUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownArrows::clickDown);
}

void UpDownArrows::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
    setPosition(m_position);
}

void UpDownArrows::setPosition(int position)
{
    m_position = std::clamp(position, m_min, m_max);
}

void UpDownArrows::clickUp()
{
    setPosition(m_position + m_increment);
    emit clicked();
}

void UpDownArrows::clickDown()
{
    setPosition(m_position - m_increment);
    emit clicked();
}

void UpDownArrows::resizeEvent(QResizeEvent *)
{
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

DropDownComboBox::DropDownComboBox(QWidget *parent) : QComboBox(parent) {}

void DropDownComboBox::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}

} // namespace quarrin
