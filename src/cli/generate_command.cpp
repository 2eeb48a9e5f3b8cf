// `word_quarrin generate [options]`: makes puzzles in bulk from word lists and
// writes them as puzzle files, with no display. Exit status 0 when done, 1
// when --strict found a word that broke a rule or found no place, or when a
// puzzle would hold no word (nothing is written then), 2 for a bad command
// line, an unreadable input or an output that cannot be written. The fill is
// clean unless --no-clean says otherwise (generate/puzzle_batch.h). --pdf also
// writes a puzzle book, --html a web page for each puzzle and an index of them.

#include "cli/book_options.h"
#include "cli/commands.h"
#include "files/puzzle_document.h"
#include "generate/puzzle_batch.h"
#include "puzzle/code_page.h"
#include "puzzle/puzzle_snapshot.h"
#include "web/web_folder.h"
#include "web/web_puzzle.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace quarrin::cli {

namespace {

using namespace quarrin::generate;
using generate::FillKind; // not the letter sampler's

QString checkFill(const QString &value)
{
    // What a message may hold depends on the format, and is checked once it is known.
    if ((value.startsWith(QLatin1String("message:")) && value.size() > 8) ||
        value == QLatin1String("random") || value == QLatin1String("none"))
        return QString();
    return QStringLiteral("expected random, none or message:TEXT");
}

// What a record file cannot hold of a message: a character it has no byte
// for would be saved as "?".
QString recordMessageProblem(const QString &message)
{
    for (const char32_t c : message.toUcs4()) {
        if (c > 0xFFFF || codePageByte(upperCaseChar(QChar(char16_t(c)))) < 0)
            return QStringLiteral("a puzzle file cannot hold the character \"%1\"")
                .arg(QString::fromUcs4(&c, 1));
    }
    return QString();
}

// The codes of --language, with their languages, for the help and a wrong code.
QString languageCodes()
{
    QStringList codes;
    for (const Language &l : Language::all())
        codes << QStringLiteral("%1 (%2)").arg(l.code(), l.englishName());
    return codes.join(QStringLiteral(", "));
}

QString checkLanguage(const QString &value)
{
    return Language::find(value) ? QString()
                                 : QStringLiteral("expected a language code: ") + languageCodes();
}

QString checkDirections(const QString &value)
{
    return parseDirections(value) ? QString()
                                  : QStringLiteral("expected easy, medium, hard or direction "
                                                   "names separated by commas");
}

// A bar on standard error, drawn once a run has taken a second, at most ten
// times a second.
class Progress
{
public:
    Progress(int total, bool quiet) : m_total(total), m_quiet(quiet) { m_clock.start(); }
    void update(int done)
    {
        if (m_quiet)
            return;
        const qint64 ms = m_clock.elapsed();
        if (ms < 1000 || (done < m_total && ms - m_lastDraw < 100))
            return;
        m_lastDraw = ms;
        constexpr int kWidth = 30;
        const int filled = m_total ? int(qint64(kWidth) * done / m_total) : kWidth;
        QTextStream err(stderr);
        err << "\r[" << QString(filled, QLatin1Char('#'))
            << QString(kWidth - filled, QLatin1Char(' ')) << "] " << done << '/' << m_total << "  "
            << QString::number(double(done) * 1000.0 / double(std::max<qint64>(ms, 1)), 'f', 0)
            << " puzzles/s";
        m_drawn = true;
    }
    void finish()
    {
        if (m_drawn)
            QTextStream(stderr) << '\n';
    }

private:
    QElapsedTimer m_clock;
    int m_total;
    bool m_quiet;
    qint64 m_lastDraw = -1000;
    bool m_drawn = false;
};

int usage(const QString &message)
{
    QTextStream(stderr) << commandName() << " generate: " << message << " (see " << commandName()
                        << " generate --help)\n";
    return kUsageError;
}

int runGenerate(const ParsedArgs &args)
{
    QTextStream err(stderr);
    const bool fromWords = args.has(QStringLiteral("words"));
    const bool fromPool = args.has(QStringLiteral("pool"));
    if (fromWords == fromPool)
        return usage(QStringLiteral("give either --words FILE or --pool FILE"));
    if (fromPool && (!args.has(QStringLiteral("count")) || !args.has(QStringLiteral("per-puzzle"))))
        return usage(QStringLiteral("--pool needs --count N and --per-puzzle K"));
    if (!fromPool && (args.has(QStringLiteral("count")) || args.has(QStringLiteral("per-puzzle"))))
        return usage(QStringLiteral("--count and --per-puzzle go with --pool"));
    if (!args.has(QStringLiteral("out")) && !args.has(QStringLiteral("pdf")) &&
        !args.has(QStringLiteral("html")))
        return usage(QStringLiteral("give --out DIR, --pdf FILE or --html DIR, or more than one"));
    if (args.has(QStringLiteral("no-answers")) && !args.has(QStringLiteral("html")))
        return usage(QStringLiteral("--no-answers goes with --html"));

    BatchOptions options;
    options.size = *GridSize::parse(args.value(QStringLiteral("size"), QStringLiteral("15")));
    // The letters: a record file holds A to Z and fills from its own pool, so
    // any other language or letter rule asks for documents.
    const Language &language =
        *Language::find(args.value(QStringLiteral("language"), QStringLiteral("en")));
    LetterRules rules;
    rules.keepAccents = !args.has(QStringLiteral("no-accents"));
    if (args.value(QStringLiteral("sharp-s")) == QLatin1String("capital"))
        rules.sharpS = SharpS::Capital;
    QStringList ownLetters; // the options that a record file cannot follow
    if (language != Language::english())
        ownLetters << QStringLiteral("--language ") + language.code();
    if (!rules.keepAccents)
        ownLetters << QStringLiteral("--no-accents");
    if (rules.sharpS == SharpS::Capital)
        ownLetters << QStringLiteral("--sharp-s capital");
    if (args.has(QStringLiteral("letters")))
        ownLetters << QStringLiteral("--letters ") + args.value(QStringLiteral("letters"));
    // Record files for the record sizes, documents for every other size and
    // for letters of their own.
    const QString format =
        args.value(QStringLiteral("format"), options.size.isFixed() && ownLetters.isEmpty()
                                                 ? QStringLiteral("qrn")
                                                 : QStringLiteral("ipuz"));
    const PuzzleFormat fileFormat =
        format == QLatin1String("ipuz") ? PuzzleFormat::Document : PuzzleFormat::Record;
    if (fileFormat == PuzzleFormat::Record && !options.size.isFixed())
        return usage(QStringLiteral("a %1 puzzle has no record file: record files hold 15x15 "
                                    "and 30x30 puzzles; leave out --format, or give --format ipuz")
                         .arg(options.size.text()));
    if (fileFormat == PuzzleFormat::Record && !ownLetters.isEmpty())
        return usage(QStringLiteral("record files hold the letters A to Z and fill from their own "
                                    "letter pool, so %1 needs puzzle documents; leave out "
                                    "--format, or give --format ipuz")
                         .arg(ownLetters.join(QStringLiteral(", "))));
    if (fileFormat == PuzzleFormat::Document) {
        options.alphabet = Alphabet(language, rules);
        options.letterFill = *fillKindFromName(
            args.value(QStringLiteral("letters"), fillKindName(quarrin::FillKind::Natural)));
    }
    options.dense = args.has(QStringLiteral("dense"));
    options.directions =
        *parseDirections(args.value(QStringLiteral("directions"), QStringLiteral("hard")));
    const QString fill = args.value(QStringLiteral("fill"), QStringLiteral("random"));
    if (fill == QLatin1String("none")) {
        options.fill = FillKind::None;
    } else if (fill.startsWith(QLatin1String("message:"))) {
        options.fill = FillKind::Message;
        options.message = fill.mid(8);
        // A document takes the letters of its alphabet, a record those of its code page.
        QString wrong;
        if (options.alphabet)
            messageInAlphabet(options.message, *options.alphabet, &wrong);
        else
            wrong = recordMessageProblem(options.message);
        if (!wrong.isEmpty())
            return usage(QStringLiteral("bad value '%1' for --fill: %2").arg(fill, wrong));
    }
    if (args.has(QStringLiteral("seed")))
        options.seed = std::uint32_t(args.intValue(QStringLiteral("seed")));
    if (args.has(QStringLiteral("clean")) && args.has(QStringLiteral("no-clean")))
        return usage(QStringLiteral("give --clean or --no-clean, not both"));
    options.clean = !args.has(QStringLiteral("no-clean")); // --clean is the default
    options.reportIncurable = args.has(QStringLiteral("clean"));
    const bool strict = args.has(QStringLiteral("strict"));
    const bool quiet = args.has(QStringLiteral("quiet"));

    // The input.
    const QString inputName =
        args.value(fromWords ? QStringLiteral("words") : QStringLiteral("pool"));
    QFile input;
    const bool opened =
        inputName == QLatin1String("-")
            ? input.open(stdin, QIODevice::ReadOnly | QIODevice::Text)
            : (input.setFileName(inputName), input.open(QIODevice::ReadOnly | QIODevice::Text));
    if (!opened) {
        err << commandName() << " generate: cannot read " << inputName << ": "
            << input.errorString() << '\n';
        return kUsageError;
    }
    PuzzleBatch batch(options);
    if (!batch.blockedWordsWarning().isEmpty())
        err << commandName() << " generate: " << batch.blockedWordsWarning() << '\n';
    InputResult read;
    if (fromWords) {
        read = readWordLists(input);
    } else {
        LcgState draw = batch.random().state();
        read = readPool(input, args.intValue(QStringLiteral("count")),
                        args.intValue(QStringLiteral("per-puzzle")), draw,
                        options.alphabet ? &*options.alphabet : nullptr);
    }
    if (!read.ok) {
        err << commandName() << " generate: " << inputName << ": " << read.error << '\n';
        return kUsageError;
    }
    if (read.puzzles.empty()) {
        err << commandName() << " generate: " << inputName << ": no word lists\n";
        return kUsageError;
    }

    // Every puzzle is made before any is written, so that --strict can
    // leave nothing behind. Each is kept as what will be written (its file's
    // bytes, its book page), not as a whole model: a large run stays small.
    const int count = int(read.puzzles.size());
    const bool toFiles = args.has(QStringLiteral("out"));
    const bool toBook = args.has(QStringLiteral("pdf"));
    const bool toHtml = args.has(QStringLiteral("html"));
    std::vector<QByteArray> files;
    std::vector<SheetPuzzle> sheets;
    std::vector<PuzzleSnapshot> webPuzzles;
    std::vector<Warning> warnings;
    std::vector<int> wordless; // puzzles that no word went into
    Progress progress(count, quiet);
    for (int k = 0; k < count; ++k) {
        PuzzleModel model(options.size, &batch.random());
        batch.make(read.puzzles[std::size_t(k)], model, k + 1, warnings);
        if (model.wordCount() == 0)
            wordless.push_back(k + 1);
        if (toFiles) {
            if (fileFormat == PuzzleFormat::Document) {
                PageSettings page;
                page.title = bookPuzzleTitle(args, read.titles.value(k), k + 1);
                files.push_back(
                    documentBytes(documentFromModel(model, batch.messageLetters(), &page)));
            } else {
                files.push_back(puzzleFileBytes(model));
            }
        }
        if (toBook) {
            // The book: each puzzle under its line's title or "TITLE N".
            PuzzleSnapshot snapshot;
            takeSnapshot(model, snapshot);
            sheets.push_back(sheetPuzzleFromSnapshot(
                snapshot, bookPuzzleTitle(args, read.titles.value(k), k + 1)));
        }
        if (toHtml) {
            // A page needs the letters, the words and their places only.
            PuzzleSnapshot snapshot;
            takeSnapshot(model, snapshot);
            snapshot.filled.clear();
            webPuzzles.push_back(std::move(snapshot));
        }
        progress.update(k + 1);
    }
    progress.finish();
    for (const Warning &w : warnings)
        err << commandName() << " generate: " << (strict ? "error" : "warning") << ": puzzle "
            << w.puzzle << ", " << w.text() << '\n';
    if (strict && !warnings.empty()) {
        err << commandName() << " generate: nothing written (--strict)\n";
        return 1;
    }
    // A page without a word is no puzzle.
    if (!wordless.empty()) {
        for (const int number : wordless)
            err << commandName() << " generate: error: puzzle " << number
                << ", no word could be placed\n";
        err << commandName() << " generate: nothing written\n";
        return 1;
    }

    // Every letter the book or the pages show must be one their font draws
    // (the pages name the book's font among theirs): checked before
    // anything is written.
    QStringList pageTitles; // the web pages': by the input line, or "TITLE N"
    if (toHtml) {
        for (int k = 0; k < count; ++k)
            pageTitles << bookPuzzleTitle(args, read.titles.value(k), k + 1);
    }
    const QString indexTitle = args.value(QStringLiteral("title"), QStringLiteral("Word Quarrin"));
    QString missing;
    QString missingIn;
    if (toBook) {
        missing = missingBookLetters(args, sheets);
        missingIn = args.value(QStringLiteral("pdf"));
    }
    if (missing.isEmpty() && toHtml) {
        QString text;
        QString headings = indexTitle;
        for (int k = 0; k < count; ++k) {
            const WebPuzzle page =
                webPuzzleFromSnapshot(webPuzzles[std::size_t(k)], pageTitles.at(k));
            text += page.cells.join(QString());
            for (const WebPuzzle::Entry &e : page.words)
                text += e.word + e.clue;
            headings += page.title;
        }
        text.remove(QLatin1Char(' '));
        headings.remove(QLatin1Char(' '));
        missing = missingLetters(bookOptions(args).style, text, headings);
        missingIn = args.value(QStringLiteral("html"));
    }
    if (!missing.isEmpty()) {
        err << commandName() << " generate: cannot write " << missingIn << ": " << missing
            << " Nothing written.\n";
        return kUsageError;
    }

    // The folder first: the book may be asked to go into it.
    const QString outDir = args.value(QStringLiteral("out"));
    if (toFiles && !QDir().mkpath(outDir)) {
        const QFileInfo in(outDir);
        err << commandName() << " generate: cannot make the folder " << outDir
            << (in.exists() && !in.isDir() ? ": a file of that name is in the way" : "") << '\n';
        return kUsageError;
    }
    if (toBook) {
        const QString error = writeBook(args, sheets, err);
        if (!error.isEmpty()) {
            err << commandName() << " generate: " << error << '\n';
            return kUsageError;
        }
    }
    if (toHtml) {
        WebPageOptions web;
        web.showAnswers = !args.has(QStringLiteral("no-answers"));
        // Titled like the book's pages: by the input line, or "TITLE N".
        const QString error = writeWebFolder(args.value(QStringLiteral("html")), webPuzzles,
                                             indexTitle, web, pageTitles);
        if (!error.isEmpty()) {
            err << commandName() << " generate: " << error << '\n';
            return kUsageError;
        }
    }
    if (!toFiles)
        return 0;
    const QDir dir(outDir);
    for (int k = 0; k < count; ++k) {
        const QString path = dir.filePath(puzzleFileName(options.size, k + 1, count, fileFormat));
        if (const auto error = writePuzzleFile(files[std::size_t(k)], path)) {
            err << commandName() << " generate: " << *error << '\n';
            return kUsageError;
        }
    }
    return 0;
}

} // namespace

CommandSpec generateCommand()
{
    CommandSpec c;
    c.name = QStringLiteral("generate");
    c.summary = QStringLiteral(
        "Makes puzzles in bulk from word lists, with no window, and writes them as "
        "puzzle-001.qrn (.qrn2 for 30x30, .ipuz for other sizes or with --format ipuz), ... "
        "in the --out folder. Each word goes in by the editor's random Add Word, and where "
        "its draws miss, into a place found by trying every cell and direction; a word that "
        "is not letters A to Z only (for documents: letters of the --language's alphabet), "
        "too long, over the word limit or fits nowhere is left out with a warning naming its "
        "input line (with --strict: exit 1 and nothing written); a puzzle that no word "
        "went into is an error (exit 1, nothing written). The random fill is clean: no "
        "blocked word of the puzzle check reads outside the words' own letters, and a puzzle "
        "whose words spell one themselves is placed again, or reported (with --strict: "
        "exit 1) when that fails too; --no-clean fills as the editor's command does. Exit 2 "
        "for a bad "
        "command line, an unreadable input, an output that cannot be written, or a letter "
        "that the book's font cannot draw.");
    c.maxOperands = 0;
    OptionSpec directions = OptionSpec::text(
        QStringLiteral("directions"), QChar(), QStringLiteral("easy|medium|hard|LIST"),
        QStringLiteral("the editor presets' directions, or names such as Right,Down "
                       "(default hard)"));
    directions.validate = checkDirections;
    OptionSpec fill = OptionSpec::text(QStringLiteral("fill"), QChar(),
                                       QStringLiteral("random|none|message:TEXT"),
                                       QStringLiteral("how the blanks are filled (default "
                                                      "random; a message is followed by "
                                                      "random letters)"));
    fill.validate = checkFill;
    QStringList codes;
    for (const Language &l : Language::all())
        codes << l.code();
    OptionSpec language =
        OptionSpec::text(QStringLiteral("language"), QChar(), QStringLiteral("CODE"),
                         QStringLiteral("the words' alphabet and the fill's letters: ") +
                             codes.join(QStringLiteral(", ")) +
                             QStringLiteral(" (default en; any other makes documents)"));
    language.validate = checkLanguage;
    OptionSpec size = OptionSpec::text(
        QStringLiteral("size"), QChar(), QStringLiteral("N|WxH"),
        QStringLiteral("the grid: 15 or 30 (record files), or any W columns by H rows from 5 "
                       "to 50, such as 20 or 12x20 (documents; default 15)"));
    size.validate = [](const QString &value) {
        return GridSize::parse(value) ? QString()
                                      : QStringLiteral("expected a side or WxH, each from 5 to 50");
    };
    c.options = {
        OptionSpec::text(QStringLiteral("words"), QChar(), QStringLiteral("FILE"),
                         QStringLiteral("one puzzle per line, words separated by blanks or "
                                        "commas; '-' reads standard input")),
        OptionSpec::text(QStringLiteral("pool"), QChar(), QStringLiteral("FILE"),
                         QStringLiteral("one word per line, drawn from for every puzzle")),
        OptionSpec::integer(QStringLiteral("count"), QChar(), QStringLiteral("N"),
                            QStringLiteral("with --pool: how many puzzles"), 1, 1000000),
        OptionSpec::integer(QStringLiteral("per-puzzle"), QChar(), QStringLiteral("K"),
                            QStringLiteral("with --pool: different words in each puzzle"), 1, 1000),
        size,
        OptionSpec::choice(QStringLiteral("format"), QChar(),
                           {QStringLiteral("qrn"), QStringLiteral("ipuz")},
                           QStringLiteral("record files (.qrn, .qrn2; 15x15 and 30x30 only) or "
                                          "puzzle documents (.ipuz; the default for other "
                                          "sizes)")),
        OptionSpec::flag(QStringLiteral("dense"), QChar(),
                         QStringLiteral("place the longest words first where they share "
                                        "letters, taking back words in the way")),
        directions,
        fill,
        language,
        OptionSpec::flag(QStringLiteral("no-accents"), QChar(),
                         QStringLiteral("letters lose their accents (É is E, "
                                        "Ä is A); documents only")),
        OptionSpec::choice(QStringLiteral("sharp-s"), QChar(),
                           {QStringLiteral("ss"), QStringLiteral("capital")},
                           QStringLiteral("German \u00df written SS or as the capital \u1e9e "
                                          "(default ss); documents only")),
        OptionSpec::choice(
            QStringLiteral("letters"), QChar(),
            {fillKindName(quarrin::FillKind::Natural), fillKindName(quarrin::FillKind::Uniform)},
            QStringLiteral("the fill's letters: as often as the language uses "
                           "them, or every letter alike (default natural); "
                           "documents only")),
        OptionSpec::integer(QStringLiteral("seed"), QChar(), QStringLiteral("N"),
                            QStringLiteral("the same seed and input give the same files "
                                           "(default: the clock, as in the editor)"),
                            0, INT_MAX),
        OptionSpec::text(QStringLiteral("title"), QChar(), QStringLiteral("TEXT"),
                         QStringLiteral("the puzzles' title")),
        OptionSpec::text(QStringLiteral("out"), QChar(), QStringLiteral("DIR"),
                         QStringLiteral("the folder the puzzle files go to")),
        OptionSpec::text(QStringLiteral("pdf"), QChar(), QStringLiteral("FILE"),
                         QStringLiteral("a puzzle book: one puzzle a page, titled by its "
                                        "line (\"Farm: cow, pig\") or \"TITLE 1\", ..., "
                                        "the answer keys at the back")),
        OptionSpec::text(QStringLiteral("html"), QChar(), QStringLiteral("DIR"),
                         QStringLiteral("a web page per puzzle that plays in any browser "
                                        "(puzzle-001.html, ...) and index.html linking them")),
        OptionSpec::flag(QStringLiteral("no-answers"), QChar(),
                         QStringLiteral("with --html: leave \"Show answers\" out of the pages")),
        OptionSpec::flag(QStringLiteral("clean"), QChar(),
                         QStringLiteral("as by default, refill until the puzzle check is "
                                        "clean, and warn also of what no fill can cure (a "
                                        "word inside another)")),
        OptionSpec::flag(QStringLiteral("no-clean"), QChar(),
                         QStringLiteral("fill once with random letters, as the editor's "
                                        "command does without Keep Fill Clean")),
        OptionSpec::flag(QStringLiteral("strict"), QChar(),
                         QStringLiteral("a word left out is an error: exit 1, nothing written")),
        OptionSpec::flag(QStringLiteral("quiet"), QChar(),
                         QStringLiteral("no progress bar on standard error")),
    };
    addBookOptions(c.options);
    c.run = runGenerate;
    // Web pages too: their letters are checked against the book's font.
    c.drawsPages = [](const ParsedArgs &args) {
        return args.has(QStringLiteral("pdf")) || args.has(QStringLiteral("html"));
    };
    return c;
}

} // namespace quarrin::cli
