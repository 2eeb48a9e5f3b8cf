#include "print/worksheet_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarrin {

namespace {

struct PaperName
{
    const char *caption;
    const char *name; // as parseTrimSize reads it
};

const PaperName kPapers[] = {
    {"The printer's paper", ""},  {"A4", "a4"},           {"Letter", "letter"},
    {"A5", "a5"},                 {"6 x 9 in", "6x9in"},  {"7 x 10 in", "7x10in"},
    {"8 x 10 in", "8x10in"},      {"8.25 x 11 in", "8.25x11in"}, {"8.5 x 11 in", "8.5x11in"},
};

template <typename Widget> Widget *named(Widget *w, const char *name, const QString &accessible)
{
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(accessible);
    return w;
}

QDoubleSpinBox *sizeBox(const char *name, const QString &accessible, double minimum, double value)
{
    auto *box = named(new QDoubleSpinBox, name, accessible);
    box->setRange(minimum, 72.0);
    box->setDecimals(1);
    box->setSingleStep(1.0);
    box->setSuffix(QStringLiteral(" pt"));
    box->setValue(value);
    return box;
}

} // namespace

WorksheetDialog::WorksheetDialog(const WorksheetOptions &initial, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("worksheetDialog"));
    setWindowTitle(QStringLiteral("Print Worksheet"));
    const SheetStyle &style = initial.style;

    m_paper = named(new QComboBox, "paper", QStringLiteral("Paper"));
    for (const PaperName &paper : kPapers)
        m_paper->addItem(QLatin1String(paper.caption), QLatin1String(paper.name));
    m_paper->setCurrentIndex(std::max(0, m_paper->findData(initial.paper)));
    m_nameLine = named(new QCheckBox(QStringLiteral("Name and date line")), "nameLine",
                       QStringLiteral("Name and date line"));
    m_nameLine->setChecked(style.nameLine);
    m_case = named(new QComboBox, "letterCase", QStringLiteral("Letters"));
    m_case->addItems({QStringLiteral("Upper case"), QStringLiteral("Lower case")});
    m_case->setCurrentIndex(style.letterCase == LetterCase::Lower ? 1 : 0);
    m_order = named(new QComboBox, "wordOrder", QStringLiteral("Word order"));
    m_order->addItems({QStringLiteral("List order"), QStringLiteral("Alphabetical")});
    m_order->setCurrentIndex(style.order == WordOrder::Alphabetical ? 1 : 0);
    m_family = named(new QFontComboBox, "fontFamily", QStringLiteral("Font"));
    m_family->setCurrentFont(QFont(style.fontFamily));
    m_titleSize = sizeBox("titleSize", QStringLiteral("Title size"), 6.0, style.titlePoints);
    // 0 shows as "Sized to the cell": the letters then grow with the grid's cells
    m_gridSize = sizeBox("gridSize", QStringLiteral("Grid letter size"), 0.0, style.gridPoints);
    m_gridSize->setSpecialValueText(QStringLiteral("Sized to the cell"));
    m_listSize = sizeBox("listSize", QStringLiteral("Word list size"), 6.0, style.listPoints);
    m_largePrint = named(new QCheckBox(QStringLiteral("Large print")), "largePrint",
                         QStringLiteral("Large print"));
    m_largePrint->setToolTip(QStringLiteral("Grid letters of at least 16 pt on grids up to 15 x 15, "
                                            "the word list at least 14 pt"));
    m_largePrint->setChecked(style.largePrint);
    m_answerKey = named(new QCheckBox(QStringLiteral("Answer key on a second page")), "withKey",
                        QStringLiteral("Answer key on a second page"));
    m_answerKey->setChecked(initial.answerKey);
    connect(m_largePrint, &QCheckBox::toggled, this, &WorksheetDialog::applyLargePrint);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Paper:"), m_paper);
    form->addRow(QStringLiteral("Letters:"), m_case);
    form->addRow(QStringLiteral("Word order:"), m_order);
    form->addRow(QStringLiteral("Font:"), m_family);
    form->addRow(QStringLiteral("Title size:"), m_titleSize);
    form->addRow(QStringLiteral("Grid letters:"), m_gridSize);
    form->addRow(QStringLiteral("Word list size:"), m_listSize);
    form->addRow(QString(), m_largePrint);
    form->addRow(QString(), m_nameLine);
    form->addRow(QString(), m_answerKey);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Print"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void WorksheetDialog::applyLargePrint(bool on)
{
    if (!on)
        return;
    // The preset raises the sizes; the user may still raise them further.
    m_titleSize->setValue(std::max(m_titleSize->value(), kLargeTitlePoints));
    m_listSize->setValue(std::max(m_listSize->value(), kLargeListPoints));
    if (m_gridSize->value() > 0)
        m_gridSize->setValue(std::max(m_gridSize->value(), kLargeGridPoints));
}

WorksheetOptions WorksheetDialog::options() const
{
    WorksheetOptions o;
    o.paper = m_paper->currentData().toString();
    o.answerKey = m_answerKey->isChecked();
    SheetStyle &s = o.style;
    s.fontFamily = m_family->currentFont().family();
    s.titlePoints = m_titleSize->value();
    s.gridPoints = m_gridSize->value();
    s.listPoints = m_listSize->value();
    s.nameLine = m_nameLine->isChecked();
    s.letterCase = m_case->currentIndex() == 1 ? LetterCase::Lower : LetterCase::Upper;
    s.order = m_order->currentIndex() == 1 ? WordOrder::Alphabetical : WordOrder::List;
    s.largePrint = m_largePrint->isChecked();
    return o;
}

} // namespace quarrin
