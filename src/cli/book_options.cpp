#include "cli/book_options.h"

#include "cli/commands.h"
#include "language/glyph_coverage.h"
#include "sheet/sheet_layout.h"
#include "sheet/sheet_paper.h"

#include <QBuffer>
#include <QSaveFile>

namespace quarrin::cli {

namespace {

QString checkPaper(const QString &value)
{
    return parseTrimSize(value) ? QString() : QStringLiteral("expected ") + trimSizeNames();
}

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

} // namespace

void addBookOptions(std::vector<OptionSpec> &options)
{
    OptionSpec paper = OptionSpec::text(
        QStringLiteral("paper"), QChar(), QStringLiteral("SIZE"),
        text("the book's paper or trim size: a4, letter, a5, 6x9in, 7x10in, 8x10in, 8.25x11in, "
             "8.5x11in, or any WxHin or WxHmm (default: a4 or letter after the locale)"));
    paper.validate = checkPaper;
    OptionSpec keys =
        OptionSpec::choice(QStringLiteral("keys-per-page"), QChar(),
                           {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"),
                            QStringLiteral("6"), QStringLiteral("9")},
                           text("answer keys to a page in the solutions section (default 4)"));
    OptionSpec perPage = OptionSpec::choice(
        QStringLiteral("per-page"), QChar(), {QStringLiteral("1"), QStringLiteral("2")},
        text("puzzles to a page; 2 only while the grids stay legible (default 1)"));
    options.push_back(paper);
    options.push_back(OptionSpec::flag(QStringLiteral("bleed"), QChar(),
                                       text("pages 0.125 in larger on their three outer edges, "
                                            "for a printer that trims")));
    options.push_back(OptionSpec::flag(QStringLiteral("title-page"), QChar(),
                                       text("a title page first, with the --title")));
    options.push_back(OptionSpec::flag(QStringLiteral("toc"), QChar(),
                                       text("a table of contents: each puzzle's title and page")));
    options.push_back(perPage);
    options.push_back(keys);
    options.push_back(OptionSpec::flag(QStringLiteral("large-print"), QChar(),
                                       text("grid letters of at least 16 pt (grids up to 15x15), "
                                            "the word lists at least 14 pt")));
    options.push_back(OptionSpec::flag(QStringLiteral("no-padding"), QChar(),
                                       text("no blank pages to make the count even and at least "
                                            "24, as print-on-demand services ask")));
}

BookOptions bookOptions(const ParsedArgs &args)
{
    BookOptions book;
    const std::optional<QPageSize> trim = parseTrimSize(args.value(QStringLiteral("paper")));
    book.trim = trim ? *trim : localePaper();
    book.bleed = args.has(QStringLiteral("bleed"));
    book.titlePage = args.has(QStringLiteral("title-page"));
    book.contents = args.has(QStringLiteral("toc"));
    book.perPage = args.value(QStringLiteral("per-page"), QStringLiteral("1")).toInt();
    book.keysPerPage = args.value(QStringLiteral("keys-per-page"), QStringLiteral("4")).toInt();
    book.style.largePrint = args.has(QStringLiteral("large-print"));
    book.pad = !args.has(QStringLiteral("no-padding"));
    book.title = args.value(QStringLiteral("title"), QStringLiteral("Word Search Puzzles"));
    return book;
}

QString bookPuzzleTitle(const ParsedArgs &args, const QString &lineTitle, int number)
{
    if (!lineTitle.isEmpty())
        return lineTitle;
    return args.value(QStringLiteral("title"), QStringLiteral("Word Quarrin")) + QLatin1Char(' ') +
           QString::number(number);
}

QString missingLetters(const SheetStyle &style, const QString &text, const QString &headings)
{
    const QString regular = missingGlyphsMessage(sheetFont(style, 12), text + headings);
    if (!regular.isEmpty())
        return regular;
    return missingGlyphsMessage(sheetFont(style, 12, true), headings);
}

QString missingBookLetters(const ParsedArgs &args, const std::vector<SheetPuzzle> &puzzles)
{
    const BookOptions options = bookOptions(args);
    QString text;
    QString headings = options.title;
    for (const SheetPuzzle &p : puzzles) {
        // The grid and the list show their letters in the style's case.
        text += inCase(p.letters.join(QString()), options.style.letterCase) +
                inCase(p.words.join(QString()), options.style.letterCase) + p.clues.join(QString());
        headings += p.title;
    }
    // Letters that are not drawn need no glyph.
    text.remove(QLatin1Char(' '));
    headings.remove(QLatin1Char(' '));
    return missingLetters(options.style, text, headings);
}

QString writeBook(const ParsedArgs &args, const std::vector<SheetPuzzle> &puzzles, QTextStream &err)
{
    const QString path = args.value(QStringLiteral("pdf"));
    const BookOptions options = bookOptions(args);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BookReport report;
    if (!writeSheetBookPdf(buffer, puzzles, options, &report))
        return QStringLiteral("cannot write %1: the pages could not be drawn").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() ||
        !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    // What the book's make-up changed is said unless the run is to be quiet.
    if (args.has(QStringLiteral("quiet")))
        return QString();
    const QString prefix =
        commandName() + QStringLiteral(" generate: ") + path + QStringLiteral(": ");
    if (options.perPage == 2 && report.perPage == 1)
        err << prefix
            << "two puzzles to a page would make the grids too small to read on this paper; "
               "one puzzle a page\n";
    if (report.blankPages > 0)
        err << prefix << report.blankPages
            << (report.blankPages == 1 ? " blank page" : " blank pages")
            << " added at the end to make " << report.pages
            << " pages (an even count, and at least " << kLeastBookPages << ")\n";
    return QString();
}

} // namespace quarrin::cli
