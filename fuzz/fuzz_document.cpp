// Feeds arbitrary bytes to the puzzle document (ipuz) reader. A refused
// document must leave what it was read into untouched; an accepted one must
// go into a model of its size, write out to a text that reads back to the
// same document, and convert to a record (where its size has one) either
// whole or with a reason.

#include "files/puzzle_document.h"

#include <cstdio>
#include <cstdlib>

using namespace quarrin;

namespace {

// Stops with the line of the check that failed.
void checkAt(bool condition, int line)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_document: check on line %d failed\n", line);
        std::abort();
    }
}
#define check(condition) checkAt((condition), __LINE__)

bool sameDocument(const PuzzleDocument &a, const PuzzleDocument &b)
{
    return a.size == b.size && a.letters == b.letters && a.kinds == b.kinds &&
           a.words == b.words && a.positions == b.positions && a.directions == b.directions &&
           a.clues == b.clues && a.message == b.message && a.reserved == b.reserved &&
           a.hasPage == b.hasPage && a.page == b.page;
}

RandomGenerator &fixedRandom()
{
    static RandomGenerator random([] { return std::uint64_t(7); });
    return random;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    // A document to be read into, which a refusal must leave as it is.
    PuzzleDocument read = PuzzleDocument::empty(GridSize(6, 6));
    read.words << QStringLiteral("KEPT");
    const FileResult parsed = parseDocument(bytes, &read);
    if (!parsed.ok) {
        check(!parsed.error.isEmpty());
        check(read.size == GridSize(6, 6) && read.words == QStringList{QStringLiteral("KEPT")});
        return 0;
    }
    check(read.size.isValid());
    PuzzleModel model(read.size, &fixedRandom());
    check(applyDocument(read, model).ok);

    PuzzleDocument again;
    check(parseDocument(documentBytes(read), &again).ok);
    check(sameDocument(read, again));

    if (read.size.isFixed()) {
        QByteArray record;
        const FileResult converted = recordFromDocument(read, &record);
        check(converted.ok ? record.size() == sizeSpec(read.size).recordBytes
                           : !converted.error.isEmpty());
    }
    return 0;
}
