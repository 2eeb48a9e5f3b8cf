#include "editor/check_window.h"

#include "check/clean_fill_model.h"
#include "editor/fill_settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarrin {

CheckWindow::CheckWindow(PuzzleModel *model, QWidget *parent) : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("checkWindow"));
    setWindowTitle(QStringLiteral("Check Puzzle"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setAccessibleName(QStringLiteral("Check result"));
    m_summary->setWordWrap(true);

    m_problems = new QListWidget(this);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setAccessibleName(QStringLiteral("Problems"));
    m_problems->setWordWrap(true);
    m_problems->setSelectionMode(QAbstractItemView::SingleSelection);
    m_problems->setToolTip(QStringLiteral("Choose a problem to mark its cells in the grid"));

    m_refillResult = new QLabel(this);
    m_refillResult->setObjectName(QStringLiteral("refillResult"));
    m_refillResult->setAccessibleName(QStringLiteral("Refill result"));
    m_refillResult->setWordWrap(true);
    m_refillResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_refill = new QPushButton(QStringLiteral("Refill"), this);
    m_refill->setObjectName(QStringLiteral("refillButton"));
    m_refill->setAccessibleName(QStringLiteral("Refill"));
    m_refill->setToolTip(QStringLiteral("Remove the fill and fill again with new random letters "
                                        "(keeping a hidden message) until the check is clean"));
    m_refill->setAutoDefault(false);

    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setAccessibleName(QStringLiteral("Close"));
    m_close->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_refill);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_problems, 1);
    layout->addWidget(m_refillResult);
    layout->addLayout(buttons);
    resize(460, 380);

    connect(m_problems, &QListWidget::itemSelectionChanged, this, &CheckWindow::markChosenProblem);
    connect(m_refill, &QPushButton::clicked, this, &CheckWindow::refillPuzzle);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    // The marks go with the window, however it closes.
    connect(this, &QDialog::finished, this, [this] { emit markCells({}); });
}

CheckWindow::~CheckWindow() = default;

void CheckWindow::start()
{
    m_listWarning.clear();
    // The lists of the puzzle's language, built at every start: the language
    // may have changed since the last (a record puzzle's alphabet is English's).
    m_check =
        std::make_unique<PuzzleCheck>(BlockedWords::standard(m_model->alphabet(), &m_listWarning));
    m_refillResult->clear();
    runCheck();
    // Beside the grid, over the word lists, so the marked cells stay in view.
    if (QWidget *editor = parentWidget())
        move(editor->frameGeometry().topLeft() + QPoint(520, 60));
    show();
    raise();
    activateWindow();
}

void CheckWindow::runCheck()
{
    m_report = m_check->run(*m_model);
    showReport();
}

void CheckWindow::showReport()
{
    const QSignalBlocker blocker(m_problems);
    m_problems->clear();
    emit markCells({});
    QString summary;
    if (m_report.clean()) {
        summary = noProblemsText();
    } else {
        const int count = int(m_report.problems.size());
        summary = count == 1 ? QStringLiteral("1 problem found:")
                             : QStringLiteral("%1 problems found:").arg(count);
        for (const Problem &p : m_report.problems) {
            auto *item = new QListWidgetItem(p.text, m_problems);
            item->setToolTip(p.text);
        }
    }
    if (!m_listWarning.isEmpty())
        summary += QLatin1Char('\n') + m_listWarning;
    m_summary->setText(summary);
    m_problems->setVisible(!m_report.clean());
}

void CheckWindow::markChosenProblem()
{
    const int row = m_problems->currentRow();
    QVector<QPoint> cells;
    if (row >= 0 && row < int(m_report.problems.size()) &&
        m_problems->currentItem()->isSelected()) {
        for (const Place &place : m_report.problems[std::size_t(row)].places)
            for (int p = 0; p < place.length; ++p)
                cells << place.cell(p);
    }
    emit markCells(cells);
}

bool CheckWindow::confirmRefillOverLoadedFill()
{
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    QStringLiteral("The letters outside the words were loaded from a file, where a "
                                   "hidden message cannot be told from random letters. Refill "
                                   "draws all of them anew, so a hidden message in this puzzle "
                                   "would be lost.\n\nRefill anyway?"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("refillQuestion"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void CheckWindow::refillPuzzle()
{
    if (m_loadedFill && m_loadedFill() && !confirmRefillOverLoadedFill())
        return;
    const QString message = m_messageSource ? m_messageSource() : QString();
    RefillFill fill;
    std::unique_ptr<BlockedWordMatcher> matcher;
    if (FillSettings::instance().keepFillClean()) {
        // Each try's fill is clean of the check's own blocked words.
        matcher = std::make_unique<BlockedWordMatcher>(m_check->blocked().words());
        fill = [&matcher](PuzzleModel &model) { fillRandomClean(model, model.random(), *matcher); };
    }
    const RefillResult result = refill(*m_model, *m_check, message, kRefillTries, fill);
    if (result.refilled)
        emit puzzleChanged();
    m_report = result.refilled ? result.report : m_check->run(*m_model);
    showReport();
    m_refillResult->setText(result.summary);
}

} // namespace quarrin
