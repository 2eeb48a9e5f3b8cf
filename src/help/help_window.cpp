#include "help/help_window.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace quarrin {

namespace {

// Design colours, as RGB.
const QColor kFormColour(30, 105, 174);
const QColor kPanelColour(137, 188, 235);
const QColor kTextColour(0, 0, 128); // navy

// Client area of the window: the 993 x 744 window less its frame.
constexpr int kClientWidth = 985;
constexpr int kClientHeight = 713;
constexpr int kTextPixels = 12;
constexpr int kTitlePixels = 27;
constexpr int kRightMargin = 8;

} // namespace

const std::vector<HelpLine> &helpLines()
{
    static const std::vector<HelpLine> lines{
        {16, 48, true, "TO ENTER A WORD INTO THE GRID:"},
        {16, 64, false, "1. Select the textbox at the top of the screen and enter your word"},
        {64, 80, false,
         "2A. If random position is ticked the word will be entered into a random position in a "
         "random direction"},
        {64, 96, false,
         "2B. If random position is not ticked you will need to specify coordinates and a "
         "direction for the word to be entered in"},
        {16, 112, false,
         "The 'Highlight Words' button here is used to highlight the words you have already "
         "entered, this helps you see them when there are also random characters"},
        {16, 136, true, "WHAT DO I DO WITH THE LEFT OVER SPACES?"},
        {17, 152, false,
         "Press the 'Fill blank with random' button and the blank squares should be filled with "
         "random letters"},
        {16, 176, true,
         "I WANT TO SEE MY WORDS BUT I ALREADY PRESSED THE 'FILL REST WITH RANDOM' BUTTON"},
        {17, 192, false, "Press the 'Remove random characters and message' button."},
        {16, 216, true, "HOW DO I SAVE?"},
        {16, 232, false,
         "Press the 'Save' button. Choose a location and enter a filename without entering an "
         "extension."},
        {16, 248, false,
         "15x15 Grids are saved as '.qrn' files and 30x30 Grids are saved as '.qrn2'"},
        {16, 272, true, "ARE THERE ANY RESTRICTIONS WITH NUMBER OF WORDS ENTERED OR WORD LENGTHS?"},
        {16, 288, false,
         "In 30x30 Grids the maximum word length is 22 characters and a maximum of 28 words can "
         "be entered."},
        {16, 304, false,
         "In 15x15 Grids the maximum word length is 14 characters and a maximum of 18 words can "
         "be entered."},
        {16, 328, true, "HOW DO I PRINT?"},
        {16, 344, false, "Click the 'Print' button."},
        {16, 360, false,
         "You can customize some of the layout here. For additional customization save the image "
         "using the 'Save Image' button and then edit it with your favourite graphics"},
        {16, 376, false, "program."},
        {16, 400, true, "WHEN I PRINT, CAN I REPLACE THE WORD LIST WITH CLUES?"},
        {16, 416, false,
         "Yes, select the word you wish to change into a clue, enter the desired clue and press "
         "the 'Replace' button."},
        {16, 440, true, "CAN I EXPORT TO MICROSOFT WORD?"},
        {16, 456, false,
         "To export to Microsoft Word, click the 'Export to Word' button and it should open up a "
         "word document."},
        {16, 472, false,
         "The document should automatically create a table with the contents of the grid."},
        {16, 496, true,
         "WHAT ARE THE EASY, MEDIUM, AND HARD BUTTONS FOR? (FUNCTION ONLY USED WHEN RANDOM "
         "POSITION IS TICKED)"},
        {16, 512, false,
         "When set to easy, words will only be entered down, and right. On medium they will also "
         "go diagonally up and down to the right."},
        {16, 528, false,
         "On hard the words will be entered up, down, left, right, and in all diagonal "
         "directions. The allowed directions can also be altered"},
        {16, 544, false,
         "by using the check boxes to select the directions you want the words to be entered "
         "in."},
        {16, 568, true, "WHAT IS THE 'FILL BLANK WITH MESSAGE' BUTTON FOR?"},
        {16, 584, false,
         "This button is used to fill the left over spaces with a secret message that can be read "
         "when the puzzle is completed."},
        {16, 600, false,
         "Please ensure that you have finished adding words before using this function. Your "
         "secret message will be entered into the blank spaces starting"},
        {16, 616, false,
         "from the top left square and moving right. Spaces will automatically be removed and the "
         "left over blank spaces can be filled with random char using"},
        {16, 632, false,
         "the 'Fill blank with random'. Note: Maximum length for each message is 255 characters "
         "(may be less depending on number of blank spaces)."},
        {16, 648, false,
         "You may add multiple messages; these will be entered after the previous message(s)."},
    };
    return lines;
}

BevelPanel::BevelPanel(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(false);
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor fill = palette().color(QPalette::Window);
    p.fillRect(rect(), fill);
    QRect r = rect();
    // Single border.
    p.setPen(QColor(0, 0, 0));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
    // Lowered outer, then lowered inner bevel: shadow top-left, light bottom-right.
    const QColor shadow = fill.darker(160);
    const QColor light = fill.lighter(135);
    for (int i = 0; i < 2; ++i) {
        p.setPen(shadow);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(light);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

QFont ThelpForm::pageFont(int pixelHeight, bool bold)
{
    const QString family = QFontDatabase::hasFamily(QStringLiteral("Lucida Sans Unicode"))
                               ? QStringLiteral("Lucida Sans Unicode")
                               : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

ThelpForm::ThelpForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("helpForm"));
    setWindowTitle(QStringLiteral("Help!"));
    setFixedSize(kClientWidth, kClientHeight);
    setSizeGripEnabled(false);

    QPalette formPalette = palette();
    formPalette.setColor(QPalette::Window, kFormColour);
    setPalette(formPalette);
    setAutoFillBackground(true);

    page = new BevelPanel(this);
    page->setObjectName(QStringLiteral("Panel1"));
    page->setGeometry(8, 8, 969, 697);
    QPalette panelPalette = page->palette();
    panelPalette.setColor(QPalette::Window, kPanelColour);
    panelPalette.setColor(QPalette::WindowText, kTextColour);
    page->setPalette(panelPalette);

    auto makeLabel = [this](int number, int x, int y, const QString &text, QFont font) {
        // A line too long for the panel in the stand-in font is narrowed
        // slightly rather than cut off at the panel's edge.
        const int room = page->width() - x - kRightMargin;
        const int natural = QFontMetrics(font).horizontalAdvance(text);
        if (natural > room)
            font.setStretch(qMax(80, room * 100 / natural));
        auto *label = new QLabel(text, page);
        label->setObjectName(QStringLiteral("Label%1").arg(number));
        label->setAccessibleName(text);
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->adjustSize();
        label->move(x, y);
        return label;
    };

    titleLabel = makeLabel(1, 368, 8, QStringLiteral("HELP!"), pageFont(kTitlePixels, false));
    int number = 2;
    for (const HelpLine &line : helpLines()) {
        lineLabels.push_back(makeLabel(number++, line.x, line.y, QString::fromLatin1(line.text),
                                       pageFont(kTextPixels, line.bold)));
    }

    // Centred on the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void ThelpForm::keyPressEvent(QKeyEvent *event)
{
    // The page closes only by its close box.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace quarrin
