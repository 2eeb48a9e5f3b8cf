// Writes the seed corpus of the fuzz targets: puzzles of both sizes as the
// program saves them, empty and filled, plus a few damaged variants.

#include "files/puzzle_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <cstdio>

using namespace quarrin;

namespace {

QByteArray saved(PuzzleModel &model)
{
    PuzzleFile file(model.spec().size);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    file.save(model, out);
    return out.data();
}

void write(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(QDir(dir).filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    RandomGenerator random([] { return std::uint64_t(3); });
    for (GridSize size : {GridSize::Small, GridSize::Large}) {
        const QString tag = size == GridSize::Small ? QStringLiteral("15") : QStringLiteral("30");
        PuzzleModel model(size, &random);
        write(dir, "empty" + tag, saved(model));
        const char *words[] = {"CAT", "DOG", "OWL", "HORSE", "ZEBRA", "MOUSE"};
        for (const char *w : words) {
            AddWordRequest add;
            add.word = QString::fromLatin1(w);
            add.randomPosition = true;
            add.allowed = DirectionSet::all();
            model.addWord(add);
        }
        write(dir, "words" + tag, saved(model));
        model.fillMessage(QStringLiteral("hidden message"));
        model.fillRandom();
        const QByteArray full = saved(model);
        write(dir, "filled" + tag, full);
        QByteArray damaged = full;
        damaged[0] = char(255);
        write(dir, "damaged" + tag, damaged);
        write(dir, "short" + tag, full.left(full.size() / 2));
    }
    return 0;
}
