#include "web/web_page.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <cerrno>

namespace quarrin {

namespace {

// Text as it may stand in an element or a quoted attribute: NFC, control
// characters as blanks, the five markup characters escaped.
QString escaped(const QString &text)
{
    QString out;
    const QString normal = text.normalized(QString::NormalizationForm_C);
    out.reserve(normal.size());
    for (const QChar c : normal) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c.unicode() < 0x20 || c.unicode() == 0x7f ? QChar(u' ') : c;
        }
    }
    return out;
}

// A style sheet or script from the resources, without its indentation, its
// blank lines and its comment lines (the sources keep every comment on a
// line of its own, so nothing else is touched).
QByteArray compactSource(const char *resource)
{
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("web page: the built-in %s is missing", resource);
    QByteArray out;
    bool inComment = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (inComment || line.startsWith("/*")) {
            inComment = !line.endsWith("*/");
            continue;
        }
        if (line.isEmpty() || line.startsWith("//"))
            continue;
        out += line;
        out += '\n';
    }
    return out;
}

const QByteArray &pageStyle()
{
    static const QByteArray style = compactSource(":/web/page.css");
    return style;
}

const QByteArray &pageScript()
{
    static const QByteArray script = compactSource(":/web/page.js");
    return script;
}

// Every load is refused: the page is all there is.
const char kPolicy[] = "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'";

// The page's language: a puzzle's ISO 639-1 code ("en" when it has none).
QString pageLanguage(const QString &code)
{
    const QString trimmed = code.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("en") : escaped(trimmed);
}

// The attribute that marks the page's own English texts on a page in another
// language, so that a screen reader reads them as English.
QString englishText(const QString &language)
{
    return language == QLatin1String("en") ? QString() : QStringLiteral(" lang=\"en\"");
}

QString head(const QString &title, const QByteArray &style, const QString &language)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"%4\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
               "<meta http-equiv=\"Content-Security-Policy\" content=\"%1\">\n"
               "<meta name=\"generator\" content=\"Word Quarrin Generator\">\n"
               "<title>%2</title>\n<style>\n%3</style>\n</head>\n")
        .arg(QLatin1String(kPolicy), escaped(title), QString::fromUtf8(style), language);
}

bool isBlank(const QString &cell)
{
    return cell.trimmed().isEmpty();
}

// Whether the page may show the entry's place: it is drawn, stays in the
// grid and its letters there spell the word.
bool showsPlace(const WebPuzzle &puzzle, const WebPuzzle::Entry &e)
{
    if (!e.drawn || !puzzle.fits(e))
        return false;
    QString read;
    for (int k = 0; k < e.length; ++k)
        read += puzzle.cell(e.x + k * e.dx, e.y + k * e.dy);
    return read.toUpper() == e.word.trimmed().toUpper();
}

// A plain table of the letters; the script makes it an ARIA grid (role="grid",
// rows role="row", cells role="gridcell") once it can be played as one.
QString gridHtml(const WebPuzzle &puzzle)
{
    QString out = QStringLiteral("<table class=\"grid\" id=\"wq-grid\" aria-label=\"Letter grid, "
                                 "%1 columns, %2 rows\" aria-describedby=\"wq-help\">\n")
                      .arg(puzzle.columns)
                      .arg(puzzle.rows);
    // Unquoted numbers and no closing cell tags keep a 30x30 grid small; the
    // row's closing tag ends its last cell before the line break.
    for (int y = 1; y <= puzzle.rows; ++y) {
        out += QLatin1String("<tr>");
        for (int x = 1; x <= puzzle.columns; ++x) {
            const QString cell = puzzle.cell(x, y);
            out += QStringLiteral("<td data-x=%1 data-y=%2>").arg(x).arg(y);
            if (!isBlank(cell))
                out += escaped(cell);
        }
        out += QLatin1String("</tr>\n");
    }
    out += QLatin1String("</table>\n");
    return out;
}

QString listHtml(const WebPuzzle &puzzle, const WebPageOptions &options, const QString &english)
{
    bool clues = false;
    for (const WebPuzzle::Entry &e : puzzle.words)
        clues = clues || !e.clue.trimmed().isEmpty();
    QString out = QStringLiteral("<section class=\"list\" aria-labelledby=\"wq-list\">\n"
                                 "<h2 id=\"wq-list\"%4>%1</h2>\n<%2 class=\"%3\">\n")
                      .arg(clues ? QLatin1String("Clues") : QLatin1String("Words"),
                           clues ? QLatin1String("ol") : QLatin1String("ul"),
                           clues ? QLatin1String("clues") : QLatin1String("words"), english);
    for (const WebPuzzle::Entry &e : puzzle.words) {
        const QString word = e.word.trimmed();
        if (word.isEmpty())
            continue;
        out += QStringLiteral("<li><span role=\"checkbox\" aria-checked=\"false\" "
                              "aria-readonly=\"true\" data-word=\"%1\"")
                   .arg(escaped(word));
        if (options.showAnswers && showsPlace(puzzle, e))
            out += QStringLiteral(" data-answer=\"%1 %2 %3 %4 %5\"")
                       .arg(e.x)
                       .arg(e.y)
                       .arg(e.dx)
                       .arg(e.dy)
                       .arg(e.length);
        // The text is struck through once found; a clue's word is not.
        const QString clue = e.clue.trimmed();
        out += QStringLiteral("><span class=\"text\">%1</span>")
                   .arg(escaped(clue.isEmpty() ? word : clue));
        if (!clue.isEmpty())
            out += QStringLiteral(" <span class=\"answer\">%1</span>").arg(escaped(word));
        out += QLatin1String("</span>\n");
    }
    out += QStringLiteral("</%1>\n</section>\n")
               .arg(clues ? QLatin1String("ol") : QLatin1String("ul"));
    return out;
}

bool hasAnswers(const WebPuzzle &puzzle)
{
    for (const WebPuzzle::Entry &e : puzzle.words)
        if (!e.word.trimmed().isEmpty() && showsPlace(puzzle, e))
            return true;
    return false;
}

int listedCount(const WebPuzzle &puzzle)
{
    int n = 0;
    for (const WebPuzzle::Entry &e : puzzle.words)
        n += e.word.trimmed().isEmpty() ? 0 : 1;
    return n;
}

} // namespace

QString WebPuzzle::cell(int x, int y) const
{
    if (x < 1 || y < 1 || x > columns || y > rows)
        return QString();
    const qsizetype index = qsizetype(y - 1) * columns + (x - 1);
    return index < cells.size() ? cells.at(index) : QString();
}

bool WebPuzzle::fits(const Entry &entry) const
{
    const auto inside = [this](int x, int y) {
        return x >= 1 && y >= 1 && x <= columns && y <= rows;
    };
    const bool step = entry.dx >= -1 && entry.dx <= 1 && entry.dy >= -1 && entry.dy <= 1 &&
                      (entry.dx != 0 || entry.dy != 0 || entry.length == 1);
    return step && entry.length > 0 && inside(entry.x, entry.y) &&
           inside(entry.x + (entry.length - 1) * entry.dx, entry.y + (entry.length - 1) * entry.dy);
}

QString webPuzzleId(const WebPuzzle &puzzle)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const auto add = [&hash](const QString &text) {
        hash.addData(text.normalized(QString::NormalizationForm_C).toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));
    };
    add(QString::number(puzzle.columns));
    add(QString::number(puzzle.rows));
    for (int y = 1; y <= puzzle.rows; ++y)
        for (int x = 1; x <= puzzle.columns; ++x)
            add(isBlank(puzzle.cell(x, y)) ? QString() : puzzle.cell(x, y));
    for (const WebPuzzle::Entry &e : puzzle.words)
        add(e.word);
    return QString::fromLatin1(hash.result().toHex().left(16));
}

QByteArray webPageHtml(const WebPuzzle &puzzle, const WebPageOptions &options)
{
    const bool answers = options.showAnswers && hasAnswers(puzzle);
    const int listed = listedCount(puzzle);
    const QString language = pageLanguage(puzzle.language);
    const QString english = englishText(language);
    QString page = head(puzzle.title, pageStyle(), language);
    page += QStringLiteral("<body>\n<main id=\"wq\" data-puzzle=\"%1\" data-columns=\"%2\" "
                           "data-rows=\"%3\" style=\"--cols:%2;--rows:%3\">\n<h1>%4</h1>\n")
                .arg(webPuzzleId(puzzle))
                .arg(puzzle.columns)
                .arg(puzzle.rows)
                .arg(escaped(puzzle.title));
    // The bar shows once the script runs: without it there is nothing to time.
    page +=
        QStringLiteral(
            "<div class=\"bar\" id=\"wq-bar\"%3 hidden>\n"
            "<span class=\"clock\" id=\"wq-clock\" role=\"timer\" aria-label=\"Time\">0:00</span>\n"
            "<span class=\"count\" id=\"wq-count\">0 of %1 found</span>\n"
            "<span class=\"tools\"><button type=\"button\" id=\"wq-restart\">Start again</button>%2"
            "</span>\n</div>\n")
            .arg(listed)
            .arg(answers ? QStringLiteral("\n<button type=\"button\" id=\"wq-answers\" "
                                          "aria-pressed=\"false\">Show answers</button>")
                         : QString())
            .arg(english);
    page += QStringLiteral(
                "<div class=\"confirm\" id=\"wq-confirm\" role=\"group\" "
                "aria-labelledby=\"wq-confirm-text\"%1 "
                "hidden>\n<p id=\"wq-confirm-text\">Clear your finds and the clock, and start "
                "this puzzle again?</p>\n<button type=\"button\" class=\"primary\" "
                "id=\"wq-confirm-yes\">Start again</button>\n<button type=\"button\" "
                "id=\"wq-confirm-no\">Keep playing</button>\n"
                "</div>\n<p class=\"finish\" id=\"wq-finish\" role=\"status\"%1></p>\n")
                .arg(english);
    page += QLatin1String("<div class=\"play\">\n<div class=\"board\"><div class=\"cells\">\n"
                          "<svg class=\"rings\" id=\"wq-rings\" aria-hidden=\"true\" "
                          "focusable=\"false\"></svg>\n");
    page += gridHtml(puzzle);
    page += QLatin1String("</div></div>\n");
    page += listHtml(puzzle, options, english);
    page += QStringLiteral(
                "</div>\n<p class=\"help\" id=\"wq-help\"%1>Drag from the first letter of a word "
                "to its last, or click or tap both ends. With the keyboard, the arrow keys move "
                "the cursor and Space or Enter marks each end; Esc lets go of a first end. A word "
                "counts read either way.</p>\n<noscript><p class=\"help\"%1>Playing needs "
                "JavaScript, which is off here; the grid and the list still print.</p></noscript>\n"
                "<div class=\"sr\" id=\"wq-say\" aria-live=\"polite\" aria-atomic=\"true\"%1>"
                "</div>\n</main>\n<script>\n")
                .arg(english);
    page += QString::fromUtf8(pageScript());
    page += QLatin1String("</script>\n</body>\n</html>\n");
    return page.toUtf8();
}

QByteArray webIndexHtml(const QString &title, const std::vector<WebIndexEntry> &pages,
                        const QString &puzzlesLanguage)
{
    static const QByteArray style =
        "body{margin:0;background:#f3f5f8;color:#1b1f24;font:1rem/1.5 system-ui,-apple-system,"
        "\"Segoe UI\",Roboto,\"Noto Sans\",\"DejaVu Sans\",sans-serif}\n"
        "main{max-width:48rem;margin:0 auto;padding:1rem}\n"
        "h1{margin:0 0 .25rem;font-size:1.75rem;line-height:1.2;overflow-wrap:anywhere}\n"
        "p{margin:0 0 1rem;color:#4a5361}\n"
        "ol{margin:0;padding:0;list-style:none;display:grid;gap:.5rem}\n"
        "a{display:flex;flex-wrap:wrap;justify-content:space-between;gap:.25rem 1rem;"
        "padding:.75rem 1rem;border:1px solid #c5ccd6;border-radius:.5rem;background:#fff;"
        "color:#0b57d0;font-weight:600;text-decoration:none;overflow-wrap:anywhere}\n"
        "a:hover{border-color:#0b57d0}\n"
        "a:focus-visible{outline:3px solid #1b1f24;outline-offset:2px}\n"
        "a span{color:#4a5361;font-weight:400}\n"
        "@media print{body{background:#fff;color:#000}a{border:0;color:#000;padding:.25rem 0}}\n";
    const QString language = pageLanguage(puzzlesLanguage);
    const QString english = englishText(language);
    QString page = head(title, style, language);
    page += QStringLiteral("<body>\n<main>\n<h1>%1</h1>\n<p%3>%2</p>\n<ol>\n")
                .arg(escaped(title),
                     pages.size() == 1 ? QStringLiteral("1 puzzle")
                                       : QStringLiteral("%1 puzzles").arg(pages.size()),
                     english);
    for (const WebIndexEntry &p : pages) {
        const QString words =
            p.words == 1 ? QStringLiteral("1 word") : QStringLiteral("%1 words").arg(p.words);
        // Joined, not formatted: a title may hold "%1" of its own.
        page += QLatin1String("<li><a href=\"") +
                escaped(QString::fromLatin1(QUrl::toPercentEncoding(p.fileName, "/"))) +
                QLatin1String("\">") + escaped(p.title) +
                QStringLiteral(" <span%4>%1, %2 \u00d7 %3</span></a></li>\n")
                    .arg(words)
                    .arg(p.columns)
                    .arg(p.rows)
                    .arg(english);
    }
    page += QLatin1String("</ol>\n</main>\n</body>\n</html>\n");
    return page.toUtf8();
}

QString writeWebFile(const QString &path, const QByteArray &bytes)
{
    const auto failure = [&path](const QString &why) {
        return QStringLiteral("The web page could not be saved to \"%1\": %2")
            .arg(QFileInfo(path).absoluteFilePath(), why);
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    // A full disk may show only at the flush; committing then would put a
    // cut page in place of the old one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int error = errno;
        const QString why = error != 0 ? qt_error_string(error) : file.errorString();
        file.cancelWriting();
        return failure(why);
    }
    if (!file.commit())
        return failure(file.errorString());
    return QString();
}

} // namespace quarrin
