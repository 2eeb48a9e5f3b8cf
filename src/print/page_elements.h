#pragma once

// The controls that make up the printed page (title, word labels, grid
// frame) and the two small tool controls of the print window (the title's
// up-down arrows and the clue box). Each page control paints itself through
// a free drawing routine, so the same pixels come out on screen, in the page
// picture and, as vector drawing, on the printer.

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QWidget>

class QPainter;
class QToolButton;

namespace quarrin {

// Draws a one-line label text with its top-left corner at `rect`'s.
void drawLabelText(QPainter &p, const QRect &rect, const QFont &font, const QColor &colour,
                   const QString &text);
// The size of a label that fits its text exactly.
QSize labelSizeFor(const QFont &font, const QString &text);
// Draws the grid frame: lowered outer and inner bevels around a filled face.
void drawSunkenPanel(QPainter &p, const QRect &rect, const QColor &face);

// A label of the page that sizes itself to its caption.
class PageLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PageLabel(QWidget *parent = nullptr);
    // Sets the caption and fits the label to it.
    void setCaption(const QString &text);
    void setPageFont(const QFont &font);
    QColor textColour() const { return m_colour; }
    void paintOn(QPainter &p) const; // in the label's own coordinates

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fitToText();
    QColor m_colour = Qt::black;
};

// The disabled, doubly lowered panel behind the letter grid.
class PageFrame : public QWidget
{
    Q_OBJECT
public:
    explicit PageFrame(QWidget *parent = nullptr);
    QColor faceColour() const { return m_face; }
    void setFaceColour(const QColor &colour);
    void paintOn(QPainter &p) const; // in the frame's own coordinates

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_face;
};

// Up-down arrows without a text field. Each arrow click adds the increment
// (upper arrow) or subtracts it (lower arrow), within the limits, then emits
// clicked(). A negative increment makes the upper arrow lower the position.
class UpDownArrows : public QWidget
{
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget *parent = nullptr);
    void setRange(int minimum, int maximum);
    void setIncrement(int increment) { m_increment = increment; }
    void setPosition(int position);
    int position() const { return m_position; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int increment() const { return m_increment; }
    QToolButton *upArrow() const { return m_up; }
    QToolButton *downArrow() const { return m_down; }

public slots:
    void clickUp();
    void clickDown();

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    int m_position = 0;
    QToolButton *m_up;
    QToolButton *m_down;
};

// A combo box that tells its owner just before its list drops down.
class DropDownComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DropDownComboBox(QWidget *parent = nullptr);
    void showPopup() override;

signals:
    void dropDown();
};

} // namespace quarrin
