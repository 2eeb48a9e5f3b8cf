#pragma once

// The start-up splash window: a borderless picture of the program's emblem
// and title, shown while the other windows are created and hidden before the
// main window appears. It takes no input.

#include <QImage>
#include <QWidget>

class QLabel;

namespace quarrin {

class TSplashScreen : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget *parent = nullptr);

    // Keeps the splash on screen, painted, for `ms` milliseconds, then hides
    // it. The wait blocks the event thread: nothing else runs meanwhile.
    // 0 hides at once.
    void hideAfterWait(int ms = 3000);

    // The splash picture: 692 x 262 pixels, drawn by the program itself.
    static QImage drawPicture();

private:
    bool isExposed() const;

    // The label showing drawPicture(); its object name stays "Image1", the
    // name the layout gave it, which tests and tools find it by.
    QLabel *m_picture = nullptr;
};

} // namespace quarrin
