// Time of each editor command on a full 30x30 puzzle (28 words, blanks
// filled), from the click on its button to the end of the window's repaint.
// Drives a real 30x30 editor window on the offscreen platform: every command
// is a click on the named button; modal input boxes are answered at once.
//
//   bench_commands [ROUNDS]     (default 40 rounds per command)

#include "editor/editor_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace quarrin;

namespace {

constexpr double kTargetMs = 16.0;

// Answers the next modal box the command opens: input boxes get a message,
// message boxes their OK. Gives up after a few event-loop turns without one.
void answerNextModal(int turns = 20)
{
    QTimer::singleShot(0, [turns] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setTextValue(QStringLiteral("Hidden words everywhere"));
            input->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            // "Save changes to this puzzle?" is answered Discard.
            if (QAbstractButton *discard = box->button(QMessageBox::Discard))
                discard->click();
            else
                box->accept();
        } else if (turns > 0) {
            answerNextModal(turns - 1);
        }
    });
}

class Bench
{
public:
    Bench(EditorWindow &window, int rounds) : m_window(window), m_rounds(rounds) {}

    QAbstractButton *button(const char *name) const
    {
        auto *b = m_window.findChild<QAbstractButton *>(QString::fromLatin1(name));
        if (!b) {
            std::fprintf(stderr, "no button %s\n", name);
            std::exit(1);
        }
        return b;
    }

    // Builds the full puzzle again: 28 words at random, then the random fill.
    void makeFull()
    {
        PuzzleModel &model = m_window.model();
        model.clear();
        AddWordRequest add;
        add.randomPosition = true;
        add.allowed = DirectionSet::all();
        static const char *const words[] = {
            "ALPHABET",     "BUTTERFLY",   "CATERPILLAR", "DRAGONFLY", "ELEPHANT", "FLAMINGO",
            "GIRAFFE",      "HEDGEHOG",    "IGUANA",      "JELLYFISH", "KANGAROO", "LADYBIRD",
            "MOSQUITO",     "NIGHTINGALE", "OCTOPUS",     "PENGUIN",   "QUAIL",    "RHINOCEROS",
            "SALAMANDER",   "TORTOISE",    "UNICORN",     "VULTURE",   "WALRUS",   "XERUS",
            "YELLOWHAMMER", "ZEBRA",       "ANTELOPE",    "BADGER"};
        for (int attempt = 0; model.wordCount() < 28 && attempt < 200; ++attempt) {
            add.word = QString::fromLatin1(words[attempt % 28]);
            if (model.log().contains(add.word))
                add.word += QString(QChar('A' + attempt % 26));
            model.addWord(add);
        }
        model.fillRandom();
        m_window.showPuzzle();
        repaint();
    }

    void repaint()
    {
        QCoreApplication::sendPostedEvents();
        m_window.repaint();
    }

    // Times `command` (a click and whatever it opens) plus the repaint after
    // it; `before` runs untimed ahead of every round.
    void time(const char *name, const std::function<void()> &command,
              const std::function<void()> &before = {}, const std::function<bool()> &done = {})
    {
        std::vector<double> ms;
        for (int i = 0; i < m_rounds; ++i) {
            if (before)
                before();
            QElapsedTimer t;
            t.start();
            command();
            repaint();
            ms.push_back(t.nsecsElapsed() / 1e6);
            if (done && !done()) {
                std::printf("%s: the command did not do its work\n", name);
                std::exit(1);
            }
        }
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        const double worst = ms.back();
        std::printf("%-42s median %7.2f ms   max %7.2f ms   %s\n", name, median, worst,
                    median < kTargetMs ? "ok" : "OVER 16 ms");
        m_over = m_over || median >= kTargetMs;
    }

    bool over() const { return m_over; }

private:
    EditorWindow &m_window;
    int m_rounds;
    bool m_over = false;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns about window-system calls it ignores.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
        if (type != QtWarningMsg || !msg.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;

    RandomGenerator random;
    PuzzleSnapshot snapshot;
    TMainC window(&random, &snapshot);
    window.show();
    QCoreApplication::processEvents();
    Bench bench(window, rounds);
    bench.makeFull();
    std::printf("30x30 editor, %d words, blanks filled; %d rounds per command; platform %s\n",
                window.model().wordCount(), rounds, qPrintable(QGuiApplication::platformName()));

    auto click = [&bench](const char *name) {
        return [&bench, name] { bench.button(name)->click(); };
    };
    auto full = [&bench] { bench.makeFull(); };

    bench.time("Highlight Words (On/Off)", click("BitBtn5"));
    bench.time("Easy / Medium / Hard", [&] {
        bench.button("Button6")->click();
        bench.button("Button3")->click();
        bench.button("Button7")->click();
    });
    bench.time("Random Position on / off", click("CheckBox1"));
    bench.time("Delete list drop-down refresh", [&] { window.refreshDeleteList(); });
    bench.time("Remove random characters and message", click("removeRandom"), full);
    bench.time("Fill blank with Random", click("Button1"), [&] {
        full();
        window.model().removeFill();
        window.showPuzzle();
        bench.repaint();
    });
    bench.time(
        "Fill blank with Message (input box answered)",
        [&] {
            answerNextModal();
            bench.button("Button8")->click();
        },
        [&] {
            full();
            window.model().removeFill();
            window.showPuzzle();
            bench.repaint();
        });
    auto words28 = [&window] { return window.model().wordCount() == 28; };
    // Word 28 taken out untimed, then typed in again at its place and added.
    auto setText = [&window](const char *name, const QString &text) {
        window.findChild<QWidget *>(QString::fromLatin1(name))->setProperty("text", text);
    };
    auto randomPosition = [&window](bool on) {
        auto *box = window.findChild<QAbstractButton *>(QStringLiteral("CheckBox1"));
        if (box->isChecked() != on)
            box->click();
    };
    bench.time(
        "Add Word (28th word, at X, Y and direction)", click("BitBtn1"),
        [&] {
            full();
            randomPosition(false);
            PuzzleModel &model = window.model();
            const int last = model.wordCount() - 1;
            const QString word = model.log().at(last);
            const QStringList xy = model.positions().at(last).split(QStringLiteral(", "));
            const QString direction = model.directionMemo().at(last);
            model.deleteWord(last);
            window.showPuzzle();
            setText("wordEB", word);
            setText("xPos", xy.value(0));
            setText("yPos", xy.value(1));
            window.findChild<QComboBox *>(QStringLiteral("direction"))->setCurrentText(direction);
            bench.repaint();
        },
        words28);
    // Random placement needs free cells: the fill is taken off first.
    bench.time(
        "Add Word (28th word, random position, unfilled)",
        [&] {
            answerNextModal(); // should the word find no place
            bench.button("BitBtn1")->click();
        },
        [&] {
            full();
            randomPosition(true);
            PuzzleModel &model = window.model();
            model.removeFill();
            const QString word = model.log().last();
            model.deleteWord(model.wordCount() - 1);
            window.showPuzzle();
            setText("wordEB", word);
            bench.repaint();
        },
        words28);
    bench.time(
        "Delete (first word)", click("Button4"),
        [&] {
            full();
            window.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
        },
        [&window] { return window.model().wordCount() == 27; });
    bench.time(
        "Clear (unsaved: the question answered)",
        [&] {
            answerNextModal();
            bench.button("Button2")->click();
        },
        full, [&window] { return window.model().wordCount() == 0; });

    // Undo and Redo of each kind of command, from the menu item to the repaint.
    QAction *undo = window.findChild<QAction *>(QStringLiteral("Undo1"));
    QAction *redo = window.findChild<QAction *>(QStringLiteral("Redo1"));
    struct Step
    {
        const char *name;
        std::function<void()> command;
    };
    const Step steps[] = {
        {"Fill blank with Random", [&] {
             window.model().removeFill();
             window.showPuzzle();
             bench.button("Button1")->click();
         }},
        {"Delete (first word)", [&] {
             window.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
             bench.button("Button4")->click();
         }},
        {"Remove random characters", click("removeRandom")},
        {"Clear", [&] {
             answerNextModal();
             bench.button("Button2")->click();
         }},
    };
    for (const Step &step : steps) {
        const std::string undoName = std::string("Undo ") + step.name;
        const std::string redoName = std::string("Redo ") + step.name;
        bench.time(undoName.c_str(), [undo] { undo->trigger(); },
                   [&] {
                       full();
                       step.command();
                   },
                   [redo] { return redo->isEnabled(); });
        bench.time(redoName.c_str(), [redo] { redo->trigger(); },
                   [&] {
                       full();
                       step.command();
                       undo->trigger();
                   },
                   [redo] { return !redo->isEnabled(); });
    }

    if (bench.over())
        std::printf("some commands take longer than %.0f ms\n", kTargetMs);
    return 0;
}
