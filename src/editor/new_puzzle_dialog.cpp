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

#include <algorithm>

namespace quarrin {

Alphabet NewPuzzleChoice::alphabet() const
{
    return Alphabet::forCode(language, rules);
}

bool NewPuzzleChoice::hasDefaultLetters() const
{
    return areRecordLetters(alphabet(), fill);
}

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

    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("language"));
    m_language->setAccessibleName(QStringLiteral("Language"));
    for (const Language &language : Language::all()) {
        const QString name =
            language.nativeName() == language.englishName()
                ? language.englishName()
                : QStringLiteral("%1 (%2)").arg(language.nativeName(), language.englishName());
        m_language->addItem(name, language.code());
    }
    m_keepAccents = new QCheckBox(QStringLiteral("Keep accents"), this);
    m_keepAccents->setObjectName(QStringLiteral("keepAccents"));
    m_keepAccents->setAccessibleName(m_keepAccents->text());
    m_keepAccents->setToolTip(QStringLiteral("On, \u00c9 stays \u00c9; off, it becomes E"));
    m_sharpS = new QComboBox(this);
    m_sharpS->setObjectName(QStringLiteral("sharpS"));
    m_sharpS->setAccessibleName(QStringLiteral("German \u00df"));
    m_sharpS->addItem(QStringLiteral("as SS (STRASSE)"), int(SharpS::DoubleS));
    m_sharpS->addItem(QStringLiteral("as \u1e9e (STRA\u1e9eE)"), int(SharpS::Capital));
    m_fill = new QComboBox(this);
    m_fill->setObjectName(QStringLiteral("fillKind"));
    m_fill->setAccessibleName(QStringLiteral("Fill"));
    m_fill->addItem(QStringLiteral("Natural"), int(FillKind::Natural));
    m_fill->addItem(QStringLiteral("Uniform"), int(FillKind::Uniform));
    m_fill->setToolTip(QStringLiteral("Natural: filler letters as often as the language uses "
                                      "them; uniform: every letter alike"));

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
    form->addRow(QStringLiteral("&Language:"), m_language);
    form->addRow(QString(), m_keepAccents);
    m_sharpSLabel = new QLabel(QStringLiteral("German \u00df:"), this);
    form->addRow(m_sharpSLabel, m_sharpS);
    form->addRow(QStringLiteral("&Fill:"), m_fill);

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
    connect(m_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &NewPuzzleDialog::languageChosen);
    connect(m_keepAccents, &QCheckBox::toggled, this, &NewPuzzleDialog::languageChosen);
    setChoice(NewPuzzleChoice{GridSize(12, 12), false});
}

NewPuzzleChoice NewPuzzleDialog::choice() const
{
    NewPuzzleChoice choice;
    choice.size = GridSize(m_columns->value(), m_rows->value());
    choice.dense = m_dense->isChecked();
    choice.language = m_language->currentData().toString();
    choice.rules.keepAccents = m_keepAccents->isChecked();
    choice.rules.sharpS = SharpS(m_sharpS->currentData().toInt());
    choice.fill = FillKind(m_fill->currentData().toInt());
    return choice;
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
    const int language = m_language->findData(choice.alphabet().language().code());
    m_language->setCurrentIndex(std::max(0, language));
    m_keepAccents->setChecked(choice.rules.keepAccents);
    m_sharpS->setCurrentIndex(std::max(0, m_sharpS->findData(int(choice.rules.sharpS))));
    m_fill->setCurrentIndex(std::max(0, m_fill->findData(int(choice.fill))));
    languageChosen();
}

void NewPuzzleDialog::languageChosen()
{
    // The ß choice is German's alone, and with accents off ß is always SS.
    const bool german = m_language->currentData().toString() == QLatin1String("de");
    m_sharpSLabel->setVisible(german);
    m_sharpS->setVisible(german);
    m_sharpS->setEnabled(m_keepAccents->isChecked());
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
