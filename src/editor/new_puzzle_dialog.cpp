#include "editor/new_puzzle_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quarrin {

QList<GridSize> NewPuzzleDialog::presets()
{
    return {GridSize(10, 10), GridSize(12, 12), GridSize::Small, GridSize(20, 20),
            GridSize(25, 25)};
}

NewPuzzleDialog::NewPuzzleDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("newPuzzle"));
    setWindowTitle(QStringLiteral("New Puzzle"));
    setAccessibleName(windowTitle());

    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("sizePreset"));
    m_preset->setAccessibleName(QStringLiteral("Size"));
    for (const GridSize &size : presets())
        m_preset->addItem(QStringLiteral("%1 x %2").arg(size.columns()).arg(size.rows()));
    m_preset->addItem(QStringLiteral("Other size"));

    const auto side = [this](const char *name, const QString &accessible) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(accessible);
        box->setRange(GridSize::kMinSide, GridSize::kMaxSide);
        return box;
    };
    m_columns = side("columns", QStringLiteral("Columns"));
    m_rows = side("rows", QStringLiteral("Rows"));

    m_dense = new QCheckBox(QStringLiteral("Dense placement"), this);
    m_dense->setObjectName(QStringLiteral("densePlacement"));
    m_dense->setAccessibleName(m_dense->text());
    m_dense->setToolTip(QStringLiteral("Longest words first, in places that share letters with "
                                       "the words already placed"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Size:"), m_preset);
    auto *sides = new QHBoxLayout;
    sides->addWidget(m_columns);
    sides->addWidget(new QLabel(QStringLiteral("columns by"), this));
    sides->addWidget(m_rows);
    sides->addWidget(new QLabel(QStringLiteral("rows"), this));
    sides->addStretch();
    form->addRow(QString(), sides);
    form->addRow(QString(), m_dense);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttons"));
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);

    connect(m_preset, QOverload<int>::of(&QComboBox::activated), this,
            &NewPuzzleDialog::presetChosen);
    connect(m_columns, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &NewPuzzleDialog::sidesChanged);
    connect(m_rows, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &NewPuzzleDialog::sidesChanged);
    setChoice(NewPuzzleChoice{GridSize(12, 12), false});
}

NewPuzzleChoice NewPuzzleDialog::choice() const
{
    return {GridSize(m_columns->value(), m_rows->value()), m_dense->isChecked()};
}

void NewPuzzleDialog::setChoice(const NewPuzzleChoice &choice)
{
    {
        const QSignalBlocker columns(m_columns), rows(m_rows);
        m_columns->setValue(choice.size.columns());
        m_rows->setValue(choice.size.rows());
    }
    sidesChanged();
    m_dense->setChecked(choice.dense);
}

void NewPuzzleDialog::presetChosen(int index)
{
    const QList<GridSize> sizes = presets();
    if (index < 0 || index >= sizes.size()) {
        m_columns->setFocus();
        return;
    }
    const QSignalBlocker columns(m_columns), rows(m_rows);
    m_columns->setValue(sizes.at(index).columns());
    m_rows->setValue(sizes.at(index).rows());
}

void NewPuzzleDialog::sidesChanged()
{
    const int index = int(presets().indexOf(GridSize(m_columns->value(), m_rows->value())));
    const QSignalBlocker block(m_preset);
    m_preset->setCurrentIndex(index < 0 ? m_preset->count() - 1 : index);
}

} // namespace quarrin
