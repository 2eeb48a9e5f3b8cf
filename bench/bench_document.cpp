// Saving and loading a full 50x50 puzzle document (200 words of the shared
// 30x30 lists, a hidden message, a random fill, clues and page settings),
// through the file on disk as the editor does: a save makes the document of
// the model and writes it aside then renames it; a load reads, checks and puts
// it into a model. Target: each under 5 ms.
//
// Usage: bench_document [runs=30]

#include "files/puzzle_document.h"
#include "run_times.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace quarrin;

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QFile lists(QStringLiteral(QUARRIN_SHARED_BENCH "/words_30x30.txt"));
    if (!lists.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(lists.fileName()));
        return 2;
    }
    const QStringList words = QString::fromLatin1(lists.readAll()).split(QRegularExpression("\\s+"),
                                                                          Qt::SkipEmptyParts);
    RandomGenerator random([] { return std::uint64_t(20261210); });
    PuzzleModel model(GridSize(50, 50), &random);
    model.setPlacementRule(PlacementRule::DrawsThenSearch);
    for (const QString &w : words) {
        if (model.wordCount() >= model.spec().maxWords)
            break;
        AddWordRequest add;
        add.word = w;
        add.randomPosition = true;
        add.allowed = DirectionSet::all();
        model.addWord(add);
    }
    for (int k = 0; k < model.wordCount(); k += 3)
        model.setClue(k, QStringLiteral("A clue for word %1, long enough to wrap").arg(k + 1));
    model.fillMessage(QStringLiteral("a hidden message of some length in the grid"));
    model.fillRandom();
    PageSettings page;
    page.title = QStringLiteral("Fifty by fifty");
    page.gridColour = QStringLiteral("#ffffee");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.ipuz"));
    bench::RunTimes save, load;
    for (int r = 0; r < runs; ++r) {
        save.start();
        const FileResult saved = saveDocument(documentFromModel(model, 30, &page), path);
        save.stop();
        if (!saved.ok) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.error));
            return 1;
        }
        load.start();
        PuzzleDocument document;
        FileResult read = loadDocument(path, &document);
        PuzzleModel loaded(GridSize(50, 50), &random);
        if (read.ok)
            read = applyDocument(document, loaded);
        load.stop();
        if (!read.ok || loaded.log() != model.log()) {
            std::fprintf(stderr, "the document did not read back: %s\n", qPrintable(read.error));
            return 1;
        }
    }
    // The same without the file: what the program itself spends.
    bench::RunTimes write, read;
    for (int r = 0; r < runs; ++r) {
        write.start();
        const QByteArray bytes = documentBytes(documentFromModel(model, 30, &page));
        write.stop();
        read.start();
        PuzzleDocument document;
        PuzzleModel loaded(GridSize(50, 50), &random);
        if (!parseDocument(bytes, &document).ok || !applyDocument(document, loaded).ok)
            return 1;
        read.stop();
    }
    std::printf("50x50 document, %d words, %lld bytes, %d runs\n", model.wordCount(),
                QFileInfo(path).size(), runs);
    std::printf("document of the model to its text: %s\n", write.summary(5.0).c_str());
    std::printf("text to a model: %s\n", read.summary(5.0).c_str());
    std::printf("save, the file synced to disk before it replaces the old one: %s\n",
                save.summary(5.0).c_str());
    std::printf("load from the file: %s\n", load.summary(5.0).c_str());
    return 0;
}
