// "Add Words...": a whole list of words at once, pasted or read from a text
// file, each placed at random among the allowed directions, and a report of
// what became of every word.

#include "editor/editor_window.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace quarrin {

namespace {

// A word list is text someone typed; anything larger is not one.
constexpr qint64 kMaxListBytes = 1024 * 1024;

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// The first character of `word` that the word box would not take, or a null
// character when every one is a letter.
QChar firstNonLetter(const QString &word)
{
    for (QChar c : word) {
        if (!isAsciiLetter(c))
            return c;
    }
    return QChar();
}

QString shownCharacter(QChar c)
{
    if (c == QLatin1Char(' '))
        return QStringLiteral("a blank");
    if (c.isPrint())
        return QStringLiteral("\u201c%1\u201d").arg(c);
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QVector<EditorWindow::WordLine> EditorWindow::splitWordLines(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    QVector<WordLine> out;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const int colon = int(line.indexOf(QLatin1Char(':')));
        if (colon > 0) {
            // "WORD: clue": the whole left part is the word, so a word with a
            // blank is reported rather than split.
            out.push_back({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
            continue;
        }
        for (const QString &word : line.split(separators, Qt::SkipEmptyParts))
            out.push_back({word, QString()});
    }
    return out;
}

QStringList EditorWindow::addWordList(const QVector<WordLine> &words)
{
    QStringList report;
    const DirectionSet allowed = allowedDirections();
    const bool anyAllowed = !allowed.isEmpty();

    // Each word is checked first; the ones that may go in are then placed
    // one at a time, or all together for dense placement.
    struct Candidate
    {
        QString word;
        QString clue;
        int reportLine;
    };
    QVector<Candidate> candidates;
    QStringList taken = m_model.log();
    for (const WordLine &line : words) {
        const QString shown = line.word;
        if (const QChar bad = firstNonLetter(line.word); !bad.isNull()) {
            report << QStringLiteral("%1: not added, not letters only (%2)")
                          .arg(shown, shownCharacter(bad));
            continue;
        }
        const QString word = line.word.toUpper();
        if (word.size() > m_spec.maxWordLength) {
            report << QStringLiteral("%1: not added, too long for this grid (%2 letters, at most %3)")
                          .arg(word)
                          .arg(word.size())
                          .arg(m_spec.maxWordLength);
            continue;
        }
        if (taken.contains(word)) {
            report << QStringLiteral("%1: not added, it is already in the puzzle").arg(word);
            continue;
        }
        if (m_model.wordCount() + candidates.size() >= m_spec.maxWords) {
            report << QStringLiteral("%1: not added, over the word limit of %2")
                          .arg(word)
                          .arg(m_spec.maxWords);
            continue;
        }
        if (!anyAllowed) {
            report << QStringLiteral("%1: not added, no direction is allowed").arg(word);
            continue;
        }
        taken << word;
        candidates.push_back({word, line.clue, int(report.size())});
        report << QString(); // filled in once placed
    }

    const auto placedLine = [this](const Candidate &c, int index) {
        m_model.setClue(index, c.clue);
        QString text = QStringLiteral("%1: placed at %2, %3")
                           .arg(c.word, m_model.positions().at(index),
                                m_model.directionMemo().at(index));
        if (!c.clue.isEmpty())
            text += QStringLiteral(", clue \u201c%1\u201d").arg(c.clue);
        return text;
    };
    const QString noRoom = QStringLiteral("%1: not added, no room for it in the allowed directions");
    if (m_model.placementRule() == PlacementRule::Dense) {
        QStringList list;
        for (const Candidate &c : candidates)
            list << c.word;
        const int first = m_model.wordCount();
        const std::vector<bool> placed = m_model.placeTogether(list, allowed);
        // placeTogether appends the placed words in the order given.
        int index = first;
        for (int k = 0; k < candidates.size(); ++k) {
            const Candidate &c = candidates.at(k);
            report[c.reportLine] =
                placed[std::size_t(k)] ? placedLine(c, index++) : noRoom.arg(c.word);
        }
    } else {
        for (const Candidate &c : candidates) {
            AddWordRequest request;
            request.word = c.word;
            request.randomPosition = true;
            request.allowed = allowed;
            const CommandOutcome outcome = m_model.addWord(request);
            report[c.reportLine] =
                outcome.placed ? placedLine(c, m_model.wordCount() - 1) : noRoom.arg(c.word);
        }
    }
    showPuzzle();
    record(QStringLiteral("Add Words"));
    return report;
}

void EditorWindow::addWords()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("addWordsDialog"));
    dialog.setWindowTitle(QStringLiteral("Add Words"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *hint = new QLabel(
        QStringLiteral("Type or paste the words: one a line, or several separated by commas or "
                       "blanks. A line \u201cWORD: clue\u201d gives the word its clue for the "
                       "print page."),
        &dialog);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("addWordsText"));
    text->setAccessibleName(QStringLiteral("Words to add"));
    text->setMinimumSize(420, 260);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *open =
        buttons->addButton(QStringLiteral("Open Text File..."), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("addWordsOpen"));
    QPushButton *ok = buttons->addButton(QStringLiteral("Add Words"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("addWordsOk"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("addWordsCancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(open, &QPushButton::clicked, &dialog, [this, &dialog, text] {
        QFileDialog files(&dialog, QStringLiteral("Open a word list"));
        files.setObjectName(QStringLiteral("addWordsFile"));
        files.setOptions(QFileDialog::DontUseNativeDialog);
        files.setFileMode(QFileDialog::ExistingFile);
        files.setNameFilters({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")});
        startInLastFolder(&files);
        if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
            return;
        const QString path = files.selectedFiles().first();
        QFile file(path);
        QString error;
        if (!file.open(QIODevice::ReadOnly))
            error = file.errorString();
        else if (file.size() > kMaxListBytes)
            error = QStringLiteral("it is over 1 MB, too large for a word list");
        if (!error.isEmpty()) {
            showMessage(QStringLiteral("The word list %1 could not be read: %2")
                            .arg(QFileInfo(path).fileName(), error));
            return;
        }
        QString read = QString::fromUtf8(file.read(kMaxListBytes));
        if (!text->toPlainText().isEmpty() && !text->toPlainText().endsWith(QLatin1Char('\n')))
            read.prepend(QLatin1Char('\n'));
        text->moveCursor(QTextCursor::End);
        text->insertPlainText(read);
    });
    text->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QVector<WordLine> words = splitWordLines(text->toPlainText());
    if (words.isEmpty())
        return;
    const QStringList report = addWordList(words);

    int placed = 0;
    for (const QString &line : report)
        placed += line.contains(QStringLiteral(": placed at "));
    QDialog shown(this);
    shown.setObjectName(QStringLiteral("addWordsReport"));
    shown.setWindowTitle(QStringLiteral("Add Words"));
    auto *reportLayout = new QVBoxLayout(&shown);
    auto *summary = new QLabel(
        QStringLiteral("%1 of %2 words placed.").arg(placed).arg(report.size()), &shown);
    summary->setObjectName(QStringLiteral("addWordsSummary"));
    reportLayout->addWidget(summary);
    auto *lines = new QPlainTextEdit(report.join(QLatin1Char('\n')), &shown);
    lines->setObjectName(QStringLiteral("addWordsReportText"));
    lines->setAccessibleName(summary->text());
    lines->setReadOnly(true);
    lines->setMinimumSize(460, 240);
    reportLayout->addWidget(lines);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Ok, &shown);
    connect(close, &QDialogButtonBox::accepted, &shown, &QDialog::accept);
    reportLayout->addWidget(close);
    shown.exec();
}

} // namespace quarrin
