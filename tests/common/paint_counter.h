#pragma once

// Counts the paint events a widget receives, for tests of what repaints when.

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace quarrin::test {

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace quarrin::test
