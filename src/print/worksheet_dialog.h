#pragma once

// The options of "Print Worksheet...": paper, a name and date line, upper or
// lower case letters, the word order, the font family and sizes, and the
// large-print preset, which raises the sizes to its minimums.

#include "print/print_dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;

namespace quarrin {

class WorksheetDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WorksheetDialog(const WorksheetOptions &initial, QWidget *parent = nullptr);
    WorksheetOptions options() const;

private:
    void applyLargePrint(bool on);

    QComboBox *m_paper;
    QCheckBox *m_nameLine;
    QComboBox *m_case;
    QComboBox *m_order;
    QFontComboBox *m_family;
    QDoubleSpinBox *m_titleSize;
    QDoubleSpinBox *m_gridSize;
    QDoubleSpinBox *m_listSize;
    QCheckBox *m_largePrint;
    QCheckBox *m_answerKey;
};

} // namespace quarrin
