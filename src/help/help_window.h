#pragma once

// The help window: a fixed page of questions and answers about the editor,
// created once at start-up and shown modally by either editor's "Help"
// command. It holds no data and reacts to nothing but its close box.

#include <QDialog>
#include <QFrame>

#include <vector>

class QKeyEvent;
class QLabel;

namespace quarrin {

// One line of the help page: its place on the panel, whether it is a
// heading, and its text.
struct HelpLine
{
    int x;
    int y;
    bool bold;
    const char *text;
};

// Every line of the page below the title, from the top.
const std::vector<HelpLine> &helpLines();

// A panel with a single border and lowered outer and inner bevels.
class BevelPanel : public QFrame
{
    Q_OBJECT
public:
    explicit BevelPanel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

class ThelpForm : public QDialog
{
    Q_OBJECT
public:
    explicit ThelpForm(QWidget *parent = nullptr);

    BevelPanel *page = nullptr;
    QLabel *titleLabel = nullptr;
    std::vector<QLabel *> lineLabels; // in the order of helpLines()

    // The page's font: "Lucida Sans Unicode" where it exists, else its
    // stand-in, at the given character height in pixels.
    static QFont pageFont(int pixelHeight, bool bold);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace quarrin
