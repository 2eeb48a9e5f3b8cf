#pragma once

// "New Puzzle...": asks for the size of a new puzzle (presets 10x10, 12x12,
// 15x15, 20x20 and 25x25, or any columns and rows from 5 to 50) and whether
// its words are to be placed densely.

#include "puzzle/size_table.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QSpinBox;

namespace quarrin {

struct NewPuzzleChoice
{
    GridSize size;
    // Longest words first, preferring places that share letters.
    bool dense = false;
};

class NewPuzzleDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewPuzzleDialog(QWidget *parent = nullptr);

    NewPuzzleChoice choice() const;
    void setChoice(const NewPuzzleChoice &choice);

    // The preset list, in order; the last entry stands for any other size.
    static QList<GridSize> presets();

private:
    void presetChosen(int index);
    void sidesChanged();

    QComboBox *m_preset = nullptr;
    QSpinBox *m_columns = nullptr;
    QSpinBox *m_rows = nullptr;
    QCheckBox *m_dense = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

} // namespace quarrin
