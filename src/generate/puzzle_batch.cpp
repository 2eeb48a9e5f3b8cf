#include "generate/puzzle_batch.h"

#include "check/clean_fill_model.h"
#include "files/puzzle_file.h"
#include "puzzle/code_page.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace quarrin::generate {

namespace {

// Input lines, with blank lines and '#' comments left out, and their numbers.
template <typename Visit> void forEachInputLine(QIODevice &in, Visit visit)
{
    // Read to the end first: a pipe or a terminal has no size, and says it is
    // at its end before anything has arrived.
    const QByteArray bytes = in.readAll();
    QTextStream text(bytes);
    int number = 0;
    while (!text.atEnd()) {
        const QString line = text.readLine();
        ++number;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        visit(trimmed, number);
    }
}

bool lettersOnly(const QString &word)
{
    for (const QChar c : word) {
        if (!c.isLetter())
            return false;
    }
    return true;
}

// The editor's word box takes A to Z alone; the puzzle check reads no other
// letter, and a puzzle file cannot hold most of them.
bool plainLettersOnly(const QString &word)
{
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')))
            return false;
    }
    return true;
}

// The clock of a seeded run: the same ticks for the same seed.
RandomGenerator::Clock seededClock(std::uint32_t seed)
{
    auto state = std::make_shared<std::uint64_t>(seed);
    return [state] {
        // splitmix64: well spread values from a counter
        std::uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
}

// What separates the words of a line of a --words file.
const QRegularExpression &wordSeparators()
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    return separators;
}

} // namespace

InputResult readWordLists(QIODevice &in)
{
    InputResult result;
    forEachInputLine(in, [&](const QString &line, int number) {
        // "Farm animals: cow, pig": the title before the first colon
        const int colon = int(line.indexOf(QLatin1Char(':')));
        PuzzleWords words;
        for (const QString &w : line.mid(colon + 1).split(wordSeparators(), Qt::SkipEmptyParts))
            words.push_back({w, number});
        // A line of commas alone is as blank as an empty one.
        if (words.empty())
            return;
        result.puzzles.push_back(std::move(words));
        result.titles << (colon < 0 ? QString() : line.left(colon).trimmed());
    });
    return result;
}

InputResult readPool(QIODevice &in, int count, int perPuzzle, LcgState &random,
                     const Alphabet *alphabet)
{
    InputResult result;
    std::vector<InputWord> pool;
    QStringList seen;
    int lines = 0;
    int linesOfSeveral = 0;
    forEachInputLine(in, [&](const QString &line, int number) {
        ++lines;
        if (line.split(wordSeparators(), Qt::SkipEmptyParts).size() > 1)
            ++linesOfSeveral;
        // Words go in upper-cased, so "cat" and "Cat" are the same word.
        QString word = alphabet ? alphabet->lettersOf(line) : QString();
        if (word.isEmpty()) // refused, or no alphabet: told apart as typed
            word = upperCaseEachChar(line);
        if (!seen.contains(word)) {
            seen << word;
            pool.push_back({line, number});
        }
    });
    // Most lines holding several words: puzzles of a --words file, whose
    // lines as words would each break the word rules in every puzzle.
    if (linesOfSeveral * 2 > lines) {
        result.ok = false;
        result.error = QStringLiteral(
            "looks like a --words file (lines of several words); a pool holds one word a line");
        return result;
    }
    if (int(pool.size()) < perPuzzle) {
        result.ok = false;
        result.error = QStringLiteral("the pool holds %1 different words, fewer than %2")
                           .arg(pool.size())
                           .arg(perPuzzle);
        return result;
    }
    for (int p = 0; p < count; ++p) {
        // The first perPuzzle places of a partial shuffle.
        std::vector<InputWord> order = pool;
        PuzzleWords words;
        for (int k = 0; k < perPuzzle; ++k) {
            const int pick = k + random.below(int(order.size()) - k);
            std::swap(order[std::size_t(k)], order[std::size_t(pick)]);
            words.push_back(order[std::size_t(k)]);
        }
        result.puzzles.push_back(std::move(words));
    }
    return result;
}

QString Warning::text() const
{
    if (line == 0) // about the whole puzzle, not one input word
        return reason;
    return QStringLiteral("line %1: '%2': %3").arg(line).arg(word, reason);
}

std::optional<DirectionSet> parseDirections(const QString &text)
{
    DirectionSet set;
    const auto add = [&set](std::initializer_list<Direction> ds) {
        for (Direction d : ds)
            set.set(d);
    };
    if (text == QLatin1String("easy")) {
        add({Direction::Down, Direction::Right});
        return set;
    }
    if (text == QLatin1String("medium")) {
        add({Direction::Down, Direction::Right, Direction::DownRight, Direction::UpRight});
        return set;
    }
    if (text == QLatin1String("hard"))
        return DirectionSet::all();
    for (const QString &name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto d = directionFromName(name.trimmed());
        if (!d)
            return std::nullopt;
        set.set(*d);
    }
    if (set.isEmpty())
        return std::nullopt;
    return set;
}

QString messageInAlphabet(const QString &message, const Alphabet &alphabet, QString *error)
{
    QStringList runs;
    for (const QString &run : message.split(QLatin1Char(' '))) {
        if (run.isEmpty()) {
            runs << run;
            continue;
        }
        const PuzzleWord letters = alphabet.word(run);
        if (!letters.ok()) {
            if (error)
                *error = letters.message;
            return QString();
        }
        runs << letters.letters;
    }
    return runs.join(QLatin1Char(' '));
}

PuzzleBatch::PuzzleBatch(const BatchOptions &options) : m_options(options)
{
    if (options.alphabet && options.fill == FillKind::Message) {
        // The command has checked the message; a refused one writes nothing.
        m_options.message = messageInAlphabet(options.message, *options.alphabet, nullptr);
    }
    if (options.clean) {
        m_check = std::make_unique<PuzzleCheck>(BlockedWords::standard(
            options.alphabet ? *options.alphabet : Alphabet(), &m_blockedWordsWarning));
        m_fillMatcher = std::make_unique<BlockedWordMatcher>(m_check->blocked().words());
    }
    if (options.seed) {
        m_random.setClock(seededClock(*options.seed));
        m_random.setSeed(*options.seed);
    }
}

void PuzzleBatch::place(const PuzzleWords &words, PuzzleModel &model, int puzzleNumber,
                        std::vector<Warning> &warnings)
{
    const SizeSpec &spec = model.spec();
    const auto warn = [&](const InputWord &w, const QString &reason) {
        warnings.push_back({puzzleNumber, w.line, w.text, reason});
    };
    AddWordRequest add;
    add.randomPosition = true;
    add.allowed = m_options.directions;
    model.setPlacementRule(PlacementRule::DrawsThenSearch);
    // Dense placement takes the words that keep the rules all at once.
    std::vector<const InputWord *> together;
    for (const InputWord &w : words) {
        qsizetype length = w.text.size();
        if (model.hasAlphabet()) {
            // The word as the puzzle writes it, which may be longer (ß -> SS).
            const PuzzleWord letters = model.wordLetters(w.text);
            if (letters.status == PuzzleWord::Status::NotInAlphabet) {
                warn(w, QStringLiteral("the letter \"%1\" is not in the %2 alphabet")
                            .arg(letters.refused, model.alphabet().language().englishName()));
                continue;
            }
            if (!letters.ok()) {
                warn(w, QStringLiteral("not letters only"));
                continue;
            }
            length = letters.letters.size();
        } else if (!lettersOnly(w.text)) {
            warn(w, QStringLiteral("not letters only"));
            continue;
        } else if (!plainLettersOnly(w.text)) {
            warn(w, QStringLiteral("a letter other than A to Z"));
            continue;
        }
        if (length > spec.maxWordLength) {
            warn(w, QStringLiteral("longer than %1 letters").arg(spec.maxWordLength));
            continue;
        }
        if (model.wordCount() + int(together.size()) >= spec.maxWords) {
            warn(w, QStringLiteral("more than %1 words in the puzzle").arg(spec.maxWords));
            continue;
        }
        if (m_options.dense) {
            together.push_back(&w);
            continue;
        }
        add.word = w.text;
        if (!model.addWord(add).placed)
            warn(w, QStringLiteral("found no place"));
    }
    if (!together.empty()) {
        QStringList texts;
        for (const InputWord *w : together)
            texts << w->text;
        const std::vector<bool> placed = model.placeTogether(texts, m_options.directions);
        for (std::size_t k = 0; k < together.size(); ++k)
            if (!placed[k])
                warn(*together[k], QStringLiteral("found no place"));
    }
    m_messageLetters = 0;
    if (m_options.fill == FillKind::Message) {
        // What the message fill is about to write, for a document's record of it.
        const int takes = std::min(model.messageCapacity(), 255);
        m_messageLetters =
            int(upperCaseEachChar(m_options.message.left(takes)).remove(QLatin1Char(' ')).size());
    }
}

void PuzzleBatch::make(const PuzzleWords &words, PuzzleModel &model, int puzzleNumber,
                       std::vector<Warning> &warnings)
{
    if (m_options.alphabet && !model.hasAlphabet())
        model.setLetters(*m_options.alphabet, m_options.letterFill);
    if (!m_check || m_options.fill == FillKind::None) {
        place(words, model, puzzleNumber, warnings);
        if (m_options.fill == FillKind::Message)
            model.fillMessage(m_options.message);
        if (m_options.fill != FillKind::None)
            model.fillRandom();
        return;
    }

    // Clean: every try of the refill is a clean fill, which leaves no blocked
    // word through a filled letter; the same refill as the editor's check
    // window also cures a listed word that the fill spells again. A blocked
    // word on word and message letters alone no fill can cure: the words are
    // placed again, with the generator's next draws.
    const RefillFill cleanFill = [this](PuzzleModel &m) {
        fillRandomClean(m, m.random(), *m_fillMatcher);
    };
    for (int placement = 1;; ++placement) {
        std::vector<Warning> placing;
        if (placement > 1)
            model.clear();
        place(words, model, puzzleNumber, placing);
        const RefillResult result =
            refill(model, *m_check, m_options.message, kRefillTries, cleanFill);
        if (!result.refilled) {
            // No try was clean: one more fill, so that no blank is left.
            if (m_options.fill == FillKind::Message)
                model.fillMessage(m_options.message);
            cleanFill(model);
        }
        const bool blockedOnWords =
            std::any_of(result.incurable.begin(), result.incurable.end(),
                        [](const Problem &p) { return p.kind == ProblemKind::BlockedWord; });
        if (blockedOnWords && placement < kCleanPlacements)
            continue;
        warnings.insert(warnings.end(), placing.begin(), placing.end());
        // Only a blocked word is worth a word unless every problem was asked for.
        const bool report =
            m_options.reportIncurable ? !result.clean || !result.incurable.empty() : blockedOnWords;
        if (report) {
            const QString placed =
                blockedOnWords ? QStringLiteral("the words spell a blocked word in each of %1 "
                                                "placements; ")
                                     .arg(kCleanPlacements)
                               : QString();
            warnings.push_back({puzzleNumber, 0, QString(), placed + result.summary});
        }
        return;
    }
}

QString puzzleFileName(GridSize size, int number, int count, PuzzleFormat format)
{
    const int width = std::max(3, int(QString::number(count).size()));
    return QStringLiteral("puzzle-%1%2")
        .arg(number, width, 10, QLatin1Char('0'))
        .arg(format == PuzzleFormat::Document ? QStringLiteral(".ipuz")
                                              : sizeSpec(size).fileExtension);
}

QByteArray puzzleFileBytes(PuzzleModel &model)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PuzzleFile writer(model.spec().size);
    if (!writer.save(model, buffer).ok)
        return QByteArray();
    QByteArray bytes = buffer.buffer();
    bytes.squeeze(); // no room to grow kept for each of many puzzles
    return bytes;
}

std::optional<QString> writePuzzleFile(const QByteArray &bytes, const QString &path)
{
    // Written whole under a hidden name in the same folder, then renamed over
    // the final name, so that an interrupted run leaves no cut file under it.
    // (The editor's save also syncs the disk before the rename; a thousand
    // such syncs would take seconds, and an interrupted run is what matters
    // here.)
    if (bytes.isEmpty())
        return QStringLiteral("cannot write %1: the puzzle could not be encoded").arg(path);
    const QFileInfo info(path);
    const QString part =
        info.dir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".part"));
    QFile file(part);
    const auto failed = [&](const QString &why) {
        // Removed by name: removing through the file would first try to
        // write what is left in its buffer, fail again and keep the file.
        file.close();
        QFile::remove(part);
        return QStringLiteral("cannot write %1: %2").arg(path, why);
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A failed flush leaves the file's error text empty ("Unknown
        // error"); the system's reason (a full disk, say) is in errno.
        const int reason = errno;
        return failed(reason != 0 ? qt_error_string(reason) : file.errorString());
    }
    file.close();
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    return std::nullopt;
}

} // namespace quarrin::generate
