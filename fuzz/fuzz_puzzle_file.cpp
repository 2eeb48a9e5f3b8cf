// Feeds arbitrary bytes to the puzzle file readers of both grid sizes, with
// the load into a puzzle and the rebuild of the cell kinds. A refused load
// must leave the puzzle exactly as it was; an accepted one must save again as
// one whole record.

#include "files/puzzle_file.h"

#include <QBuffer>

#include <cstdlib>

using namespace quarrin;

namespace {

QStringList cellsOf(const PuzzleModel &model)
{
    QStringList cells;
    for (int c = 0; c < model.storeSide(); ++c)
        for (int r = 0; r < model.storeSide(); ++r)
            cells << model.cell(c, r);
    return cells;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void runOne(GridSize size, const QByteArray &bytes)
{
    RandomGenerator random([] { return std::uint64_t(7); });
    PuzzleModel model(size, &random);
    AddWordRequest add;
    add.word = QStringLiteral("FUZZ");
    add.x = add.y = QStringLiteral("2");
    add.direction = QStringLiteral("Down-Right");
    model.AddWord(add);
    model.FillRandom();
    const QStringList before = cellsOf(model);
    const QStringList logBefore = model.log();

    PuzzleFile file(size);
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    const FileResult result = file.load(model, in, QStringLiteral("fuzz"));
    if (!result.ok) {
        check(!result.error.isEmpty());
        check(cellsOf(model) == before);
        check(model.log() == logBefore);
        return;
    }
    // Commands keep working on whatever was loaded.
    model.FillMessage(QStringLiteral("message"));
    model.RemoveFill();
    model.DeleteWord(0);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    check(file.save(model, out).ok);
    check(out.data().size() == sizeSpec(size).recordBytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    runOne(GridSize::Small, bytes);
    runOne(GridSize::Large, bytes);
    return 0;
}
