// Feeds arbitrary bytes to the readers of the user's word lists, all read
// from memory: the first byte chooses the reader, the rest is the file.
//   0  a --words file: one puzzle a line
//   1  a --pool file: one word a line; the second byte gives the puzzles
//      (1 to 8) and the third the words of each (1 to 16)
//   2  a blocked-word list, as the check and --clean read it
// Whatever is read must keep each reader's promises: words without blanks or
// commas and with their input lines in order, pool puzzles of different
// words, blocked words of A to Z only, each once.

#include "check/blocked_words.h"
#include "generate/puzzle_batch.h"
#include "puzzle/code_page.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QSet>

#include <cstdint>
#include <cstdlib>

using namespace quarrin;
using namespace quarrin::generate;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

InputResult read(const QByteArray &text, int reader, int count, int perPuzzle)
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly | QIODevice::Text);
    if (reader == 0)
        return readWordLists(in);
    LcgState random{std::uint32_t(text.size())};
    return readPool(in, count, perPuzzle, random);
}

void wordLists(const QByteArray &text)
{
    const InputResult result = read(text, 0, 0, 0);
    check(result.ok);
    int line = 0;
    for (const PuzzleWords &words : result.puzzles) {
        check(!words.empty());
        // one line a puzzle, its words all from that line
        check(words.front().line > line);
        line = words.front().line;
        // the words are split apart where the blanks and commas were
        static const QRegularExpression separator(QStringLiteral("[\\s,]"));
        for (const InputWord &w : words)
            check(w.line == line && !w.text.isEmpty() && !separator.match(w.text).hasMatch());
    }
}

void pool(const QByteArray &text, int count, int perPuzzle)
{
    const InputResult result = read(text, 1, count, perPuzzle);
    if (!result.ok) {
        check(!result.error.isEmpty() && result.puzzles.empty());
        return;
    }
    check(int(result.puzzles.size()) == count);
    for (const PuzzleWords &words : result.puzzles) {
        check(int(words.size()) == perPuzzle);
        QSet<QString> seen;
        for (const InputWord &w : words) {
            check(w.line > 0 && !w.text.isEmpty());
            seen.insert(upperCaseEachChar(w.text));
        }
        check(seen.size() == perPuzzle); // different words, whatever their case
    }
}

void blockedWords(const QByteArray &text)
{
    BlockedWords list;
    list.addText(QString::fromUtf8(text));
    QSet<QString> seen;
    for (const QString &word : list.words()) {
        check(!word.isEmpty());
        for (const QChar c : word)
            check(c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        seen.insert(word);
    }
    check(seen.size() == list.size());
    // Adding the same text again adds nothing.
    const int before = list.size();
    list.addText(QString::fromUtf8(text));
    check(list.size() == before);
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
    if (size == 0)
        return 0;
    const int reader = data[0] % 3;
    if (reader == 1) {
        if (size < 3)
            return 0;
        const QByteArray text =
            QByteArray::fromRawData(reinterpret_cast<const char *>(data + 3), int(size - 3));
        pool(text, 1 + data[1] % 8, 1 + data[2] % 16);
        return 0;
    }
    const QByteArray text =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (reader == 0)
        wordLists(text);
    else
        blockedWords(text);
    return 0;
}
