// Feeds arbitrary bytes to the grid control's text file reader, read from
// memory into a fresh grid (the same reading loadFromFile does after opening
// the file). A refused file must come with a message; whatever was read must
// leave a grid that still draws, saves and reads back. Nothing touches the
// disk.

#include "grid/pub_str_grid.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace quarrin;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Context
{
    std::unique_ptr<QApplication> app;
};

Context &context()
{
    static Context ctx = [] {
        Context c;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_grid_file";
        static char *argv[] = {name, nullptr};
        c.app = std::make_unique<QApplication>(argc, argv);
        // Draw a cell once so that the font caches the system keeps for the
        // whole run are filled before the first input.
        TPubStrGrid warm;
        warm.resize(64, 64);
        warm.setCell(0, 0, QStringLiteral("W"));
        QImage picture(64, 64, QImage::Format_RGB32);
        QPainter p(&picture);
        warm.paintCells(p, picture.rect());
        return c;
    }();
    return ctx;
}

GridFileResult loadFrom(TPubStrGrid &grid, const QByteArray &bytes)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return grid.loadFromDevice(in, QStringLiteral("input.txt"));
}

} // namespace

// AddressSanitizer still checks every access; it only keeps shorter stacks for
// its reports and does not fill fresh allocations with a pattern, which
// otherwise cost more than the input itself.
extern "C" const char *__asan_default_options()
{
    return "malloc_context_size=8:max_malloc_fill_size=0";
}

// The first time a cell holds a character that no loaded font draws, Qt asks
// fontconfig for fallback fonts, and fontconfig keeps parts of its answer in
// memory it never frees. Those allocations are fontconfig's own; a leak with
// no fontconfig frame on its stack is still reported.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    context();

    TPubStrGrid grid;
    grid.setAutoSave(false);
    grid.resize(120, 120);
    const GridFileResult result =
        loadFrom(grid, QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (!result.ok)
        check(!result.error.isEmpty());
    check(grid.colCount() >= 0 && grid.rowCount() >= 0);

    // Whatever was read still draws: a small picture of the top-left corner.
    // The picture and its paint engine are made once; what a grid paints
    // leaves nothing behind that the next input could read.
    static QImage picture(64, 64, QImage::Format_RGB32);
    {
        QPainter p(&picture);
        grid.paintCells(p, picture.rect());
    }

    // And saves and reads back into another grid.
    TPubStrGrid again;
    again.setAutoSave(false);
    const GridFileResult reread = loadFrom(again, grid.fileText());
    check(reread.ok);
    check(again.rowCount() == grid.rowCount() && again.colCount() == grid.colCount());
    return 0;
}
