// Writes sample pages of the sheet layout for looking at and for the
// documentation (not a test):
//   sheet_shot <out-dir>
// worksheet-a4.pdf, worksheet-6x9.pdf (clues, name line), worksheet-large.pdf
// (large print), worksheet-12x20.pdf and worksheet-25x8.pdf, and the books
// book-6x9.pdf (title page, contents, keys four to a page), book-keys1.pdf,
// book-keys9.pdf, book-large.pdf and book-two-up.pdf.

#include "sheet/sheet_book.h"
#include "sheet/sheet_document.h"
#include "sheet/sheet_paper.h"
#include "sheet_fixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace quarrin;
using namespace quarrin::testing;

namespace {

bool save(const QDir &out, const QString &name, const std::function<bool(QIODevice &)> &write)
{
    QFile file(out.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || !write(file)) {
        std::fprintf(stderr, "sheet_shot: %s could not be written\n", qPrintable(name));
        return false;
    }
    return true;
}

QPageLayout paper(const QString &name)
{
    return QPageLayout(*parseTrimSize(name), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

std::vector<SheetPuzzle> bookPuzzles(int count)
{
    std::vector<SheetPuzzle> puzzles;
    for (int k = 1; k <= count; ++k)
        puzzles.push_back(farmPuzzle(QStringLiteral("Farm animals %1").arg(k)));
    return puzzles;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(out.path());
    bool ok = true;
    SheetStyle plain;
    SheetStyle named;
    named.nameLine = true;
    SheetStyle large;
    large.largePrint = true;
    large.nameLine = true;
    const SheetPuzzle tall = sheetPuzzle(QStringLiteral("Tall 12 x 20"), 12, 20,
                                         {{"GIRAFFE", 2, 1, Direction::Down},
                                          {"ЖИРАФ", 5, 18, Direction::UpRight},
                                          {"ΑΣΤΡΟ", 11, 0, Direction::DownLeft},
                                          {"ÑANDÚ", 0, 19, Direction::Right}},
                                         QStringLiteral("ABCDÉFGHIJKLMNÑOPΑΣЖИ"));
    const SheetPuzzle wide = sheetPuzzle(QStringLiteral("Wide 25 x 8"), 25, 8,
                                         {{"CROCODILE", 0, 0, Direction::Right},
                                          {"HIPPOPOTAMUS", 24, 7, Direction::Left},
                                          {"EMU", 3, 2, Direction::DownRight}});
    ok &= save(out, "worksheet-a4.pdf",
               [&](QIODevice &d) { return writeWorksheetPdf(d, farmPuzzle(), plain, paper("a4")); });
    ok &= save(out, "worksheet-6x9.pdf", [&](QIODevice &d) {
        return writeWorksheetPdf(d, farmPuzzleWithClues(), named, paper("6x9in"));
    });
    ok &= save(out, "worksheet-large.pdf",
               [&](QIODevice &d) { return writeWorksheetPdf(d, farmPuzzle(), large, paper("a4")); });
    ok &= save(out, "worksheet-12x20.pdf",
               [&](QIODevice &d) { return writeWorksheetPdf(d, tall, plain, paper("a4")); });
    ok &= save(out, "worksheet-25x8.pdf",
               [&](QIODevice &d) { return writeWorksheetPdf(d, wide, plain, paper("letter")); });

    BookOptions book;
    book.trim = *parseTrimSize(QStringLiteral("6x9in"));
    book.title = QStringLiteral("Farm Puzzles");
    book.titlePage = true;
    book.contents = true;
    ok &= save(out, "book-6x9.pdf",
               [&](QIODevice &d) { return writeSheetBookPdf(d, bookPuzzles(12), book); });
    BookOptions one = book;
    one.keysPerPage = 1;
    ok &= save(out, "book-keys1.pdf",
               [&](QIODevice &d) { return writeSheetBookPdf(d, bookPuzzles(3), one); });
    BookOptions nine = book;
    nine.keysPerPage = 9;
    nine.trim = QPageSize(QPageSize::A4);
    ok &= save(out, "book-keys9.pdf",
               [&](QIODevice &d) { return writeSheetBookPdf(d, bookPuzzles(10), nine); });
    BookOptions big = book;
    big.style.largePrint = true;
    big.bleed = true;
    ok &= save(out, "book-large.pdf",
               [&](QIODevice &d) { return writeSheetBookPdf(d, bookPuzzles(4), big); });
    BookOptions twoUp = book;
    twoUp.perPage = 2;
    twoUp.trim = *parseTrimSize(QStringLiteral("8.5x11in"));
    ok &= save(out, "book-two-up.pdf",
               [&](QIODevice &d) { return writeSheetBookPdf(d, bookPuzzles(4), twoUp); });
    return ok ? 0 : 1;
}
