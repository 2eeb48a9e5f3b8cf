// Feeds arbitrary bytes to the grid control's text file reader. The input is
// written to a file and read with LoadFromFile into a fresh grid. A refused
// file must come with a message; whatever was read must leave a grid that
// still draws, saves and reads back.

#include "grid/pub_str_grid.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

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
    std::unique_ptr<QTemporaryDir> dir;
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
        c.dir = std::make_unique<QTemporaryDir>();
        check(c.dir->isValid());
        // Draw a cell once so that the font caches the system keeps for the
        // whole run are filled before the first input.
        TPubStrGrid warm;
        warm.resize(64, 64);
        warm.SetCell(0, 0, QStringLiteral("W"));
        QImage picture(64, 64, QImage::Format_RGB32);
        QPainter p(&picture);
        warm.paintCells(p, picture.rect());
        return c;
    }();
    return ctx;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Context &ctx = context();
    const QString input = ctx.dir->filePath(QStringLiteral("input.txt"));
    check(writeFile(input, QByteArray(reinterpret_cast<const char *>(data), int(size))));

    TPubStrGrid grid;
    grid.setAutoSave(false);
    grid.resize(120, 120);
    const GridFileResult result = grid.LoadFromFile(input);
    if (!result.ok)
        check(!result.error.isEmpty());
    check(grid.colCount() >= 0 && grid.rowCount() >= 0);

    // Whatever was read still draws: a small picture of the top-left corner.
    QImage picture(64, 64, QImage::Format_RGB32);
    {
        QPainter p(&picture);
        grid.paintCells(p, picture.rect());
    }

    // And saves and reads back into another grid.
    grid.setAutoBackup(false);
    const QString copy = ctx.dir->filePath(QStringLiteral("copy.txt"));
    check(grid.SaveToFile(copy).ok);
    TPubStrGrid again;
    again.setAutoSave(false);
    const GridFileResult reread = again.LoadFromFile(copy);
    check(reread.ok);
    check(again.rowCount() == grid.rowCount() && again.colCount() == grid.colCount());
    return 0;
}
