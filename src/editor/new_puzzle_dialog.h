#pragma once

// "New Puzzle...": asks for the size of a new puzzle (presets 10x10, 12x12,
// 15x15, 20x20 and 25x25, or any columns and rows from 5 to 50), whether
// its words are to be placed densely, and its letters: the language (each
// named natively and in English), "Keep accents", how German ß is written
// (shown for German only) and the fill's kind. A record size with anything
// but English, accents kept and the natural fill opens in the document
// editor, as records hold only A to Z and fill from their own pool.

#include "language/letter_sampler.h"
#include "puzzle/size_table.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace quarrin {

struct NewPuzzleChoice
{
    GridSize size;
    // Longest words first, preferring places that share letters.
    bool dense = false;
    QString language = QStringLiteral("en"); // ISO 639-1
    LetterRules rules = {};
    FillKind fill = FillKind::Natural;

    // The language's alphabet under the rules (English for an unknown code).
    Alphabet alphabet() const;
    // What the record editors do: English, accents kept, the natural fill.
    bool hasDefaultLetters() const;
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
    void languageChosen();

    QComboBox *m_preset = nullptr;
    QSpinBox *m_columns = nullptr;
    QSpinBox *m_rows = nullptr;
    QCheckBox *m_dense = nullptr;
    QComboBox *m_language = nullptr;
    QCheckBox *m_keepAccents = nullptr;
    QLabel *m_sharpSLabel = nullptr;
    QComboBox *m_sharpS = nullptr;
    QComboBox *m_fill = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

} // namespace quarrin
