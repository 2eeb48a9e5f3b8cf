// Feeds arbitrary bytes to the puzzle file readers of both grid sizes, with
// the load into a puzzle and the rebuild of the cell kinds. A refused load
// must leave the puzzle exactly as it was; an accepted one must save again as
// one whole record.
//
// Only a file of exactly one record's length is read further than its length,
// so every input is also tried cut or padded to each record's length: the
// fuzzer's changes of length then still reach the field parser.
//
// Each input starts from a copy of one puzzle built once, and the checks
// compare cells directly, so an input costs little more than its load.

#include "files/puzzle_file.h"

#include <QBuffer>

#include <cstdlib>

using namespace quarrin;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

RandomGenerator &fixedRandom()
{
    static RandomGenerator random([] { return std::uint64_t(7); });
    return random;
}

// The puzzle every input is loaded into: one word and a random fill.
const PuzzleModel &startingPuzzle(GridSize size)
{
    auto make = [](GridSize s) {
        PuzzleModel model(s, &fixedRandom());
        AddWordRequest add;
        add.word = QStringLiteral("FUZZ");
        add.x = add.y = QStringLiteral("2");
        add.direction = QStringLiteral("Down-Right");
        model.addWord(add);
        model.fillRandom();
        return model;
    };
    static const PuzzleModel small = make(GridSize::Small);
    static const PuzzleModel large = make(GridSize::Large);
    return size == GridSize::Small ? small : large;
}

bool sameCells(const PuzzleModel &a, const PuzzleModel &b)
{
    return a.cells() == b.cells();
}

QBuffer in;
QBuffer out;

void runOne(GridSize size, const QByteArray &bytes)
{
    const PuzzleModel &start = startingPuzzle(size);
    // One puzzle and one device per size, set back for every input.
    static PuzzleModel smallModel = startingPuzzle(GridSize::Small);
    static PuzzleModel largeModel = startingPuzzle(GridSize::Large);
    PuzzleModel &model = size == GridSize::Small ? smallModel : largeModel;
    // Whatever the input left behind is let go before it ends, so that the
    // fuzzer's leak check sees as many frees as allocations.
    struct Reset
    {
        PuzzleModel &model;
        const PuzzleModel &start;
        ~Reset()
        {
            // Every change to a puzzle moves its revision on.
            if (model.revision() != start.revision())
                model = start;
            in.close();
            in.setData(QByteArray());
            out.close();
            out.setData(QByteArray());
        }
    } reset{model, start};

    PuzzleFile file(size);
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    const FileResult result = file.load(model, in, QStringLiteral("fuzz"));
    if (!result.ok) {
        check(!result.error.isEmpty());
        check(sameCells(model, start));
        check(model.log() == start.log());
        return;
    }
    // Commands keep working on whatever was loaded.
    model.fillMessage(QStringLiteral("message"));
    model.removeFill();
    model.deleteWord(0);
    out.open(QIODevice::WriteOnly);
    check(file.save(model, out).ok);
    check(out.data().size() == sizeSpec(size).recordBytes);
}

} // namespace

// AddressSanitizer still checks every access; it only keeps shorter stacks for
// its reports and does not fill fresh allocations with a pattern, which
// otherwise cost more than the input itself.
extern "C" const char *__asan_default_options()
{
    return "malloc_context_size=8:max_malloc_fill_size=0";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    for (GridSize gs : {GridSize::Small, GridSize::Large}) {
        runOne(gs, bytes);
        const int length = sizeSpec(gs).recordBytes;
        if (bytes.size() != length)
            runOne(gs, bytes.leftJustified(length, '\0', true));
    }
    return 0;
}
