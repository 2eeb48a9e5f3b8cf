// Writes the pages the browser test plays, each with a JSON file of what the
// page must show (the letters, the words and where each lies) taken from the
// puzzle itself, not from the page:
//   p15    a seeded 15x15 puzzle, clues for three of its words
//   p30    a seeded 30x30 puzzle of 28 words
//   noans  another seeded 15x15 puzzle, without "Show answers"
//   rect   a 7 x 12 puzzle of Greek, Cyrillic and Turkish letters
// Usage: web_test_pages FOLDER. Exit 1 when a puzzle cannot be made or written.

#include "web_fixture.h"

#include "web/web_puzzle.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

using namespace quarrin;

namespace {

// The puzzle as the test expects to see it; fails on a drawn word whose
// letters the grid does not hold.
bool expectation(const WebPuzzle &p, QByteArray *json)
{
    QJsonArray rows;
    for (int y = 1; y <= p.rows; ++y) {
        QJsonArray row;
        for (int x = 1; x <= p.columns; ++x)
            row.append(p.cell(x, y));
        rows.append(row);
    }
    QJsonArray words;
    for (const WebPuzzle::Entry &e : p.words) {
        QString read;
        for (int k = 0; k < e.length; ++k)
            read += p.cell(e.x + k * e.dx, e.y + k * e.dy);
        if (!e.drawn || read != e.word)
            return false;
        words.append(QJsonObject{{QStringLiteral("word"), e.word},
                                 {QStringLiteral("clue"), e.clue},
                                 {QStringLiteral("x"), e.x},
                                 {QStringLiteral("y"), e.y},
                                 {QStringLiteral("dx"), e.dx},
                                 {QStringLiteral("dy"), e.dy},
                                 {QStringLiteral("length"), e.length}});
    }
    *json = QJsonDocument(QJsonObject{{QStringLiteral("title"), p.title},
                                      {QStringLiteral("columns"), p.columns},
                                      {QStringLiteral("rows"), p.rows},
                                      {QStringLiteral("cells"), rows},
                                      {QStringLiteral("words"), words}})
                .toJson();
    return true;
}

bool writePage(const QDir &dir, const QString &name, const WebPuzzle &puzzle, bool answers)
{
    QTextStream err(stderr);
    QByteArray json;
    if (puzzle.words.empty() || !expectation(puzzle, &json)) {
        err << "web_test_pages: " << name << ": a word is not where it is listed\n";
        return false;
    }
    WebPageOptions options;
    options.showAnswers = answers;
    for (const auto &[file, bytes] :
         {std::pair{name + QStringLiteral(".html"), webPageHtml(puzzle, options)},
          std::pair{name + QStringLiteral(".json"), json}}) {
        const QString error = writeWebFile(dir.filePath(file), bytes);
        if (!error.isEmpty()) {
            err << "web_test_pages: " << error << '\n';
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: web_test_pages FOLDER\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return 1;

    const PuzzleSnapshot s15 = testing::seededSnapshot(GridSize::Small, testing::words15(), 1501);
    const PrintedTexts printed{QString(),
                               {QStringLiteral("1. Neighs"), QStringLiteral("2. Woolly"),
                                QStringLiteral("3. GOAT"), QStringLiteral("4. Hee-haw")},
                               s15.words};
    const WebPuzzle p15 = webPuzzleFromSnapshot(s15, QStringLiteral("On the farm"),
                                                cluesFromPrintPage(s15.words, printed));
    const WebPuzzle p30 =
        webPuzzleFromSnapshot(testing::seededSnapshot(GridSize::Large, testing::words30(), 3001),
                              QStringLiteral("Birds of the world"));
    const WebPuzzle noAnswers =
        webPuzzleFromSnapshot(testing::seededSnapshot(GridSize::Small, testing::words15(), 1503),
                              QStringLiteral("No answers here"));
    const bool ok = writePage(dir, QStringLiteral("p15"), p15, true) &&
                    writePage(dir, QStringLiteral("p30"), p30, true) &&
                    writePage(dir, QStringLiteral("noans"), noAnswers, false) &&
                    writePage(dir, QStringLiteral("rect"), testing::rectangularPuzzle(), true);
    return ok ? 0 : 1;
}
