// `word_quarrin check FILE...`: loads each puzzle file as the editor would and
// prints its problems. Exit status 0 when every file is clean, 1 when a
// problem was found, 2 when a file cannot be read. A document is read in its
// own language: its alphabet reads the words, and the blocked words are that
// language's (the built-in list and the user's blocked-words-CODE.txt).

#include "check/puzzle_check.h"
#include "cli/commands.h"
#include "files/puzzle_document.h"
#include "files/puzzle_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace quarrin::cli {

namespace {

// The file's size tells its grid: a 30x30 record, or else the 15x15 editor,
// whose loader names what is wrong with anything else.
GridSize sizeOfFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() == sizeSpec(GridSize::Large).recordBytes ? GridSize::Large
                                                                                 : GridSize::Small;
}

// A path that is neither a file nor a folder (a named pipe, a shell's
// <(...)) has no size to tell its grid by and can be read only once: its
// bytes are read here, and their count tells the grid. False for anything
// else, which the load reads itself.
bool readPipe(const QString &path, QByteArray *bytes)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile() || info.isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return true;
}

// Prints a file's problems; 1 when there were any.
int report(QTextStream &out, const QString &path, const CheckReport &report)
{
    if (report.clean()) {
        out << path << ": no problems\n";
        return 0;
    }
    for (const QString &line : report.lines())
        out << path << ": " << line << '\n';
    return 1;
}

// The check of each alphabet met, made when first needed; a user's list that
// cannot be read is said once.
class Checks
{
public:
    explicit Checks(QTextStream &err) : m_err(err) {}
    const PuzzleCheck &of(const Alphabet &alphabet)
    {
        const Key key{alphabet.language().code(), alphabet.rules().keepAccents,
                      alphabet.rules().sharpS == SharpS::Capital};
        std::unique_ptr<PuzzleCheck> &check = m_checks[key];
        if (!check) {
            QString warning;
            check = std::make_unique<PuzzleCheck>(BlockedWords::standard(alphabet, &warning));
            if (!warning.isEmpty()) {
                m_err << commandName() << ": " << warning << '\n';
                m_err.flush();
            }
        }
        return *check;
    }

private:
    using Key = std::tuple<QString, bool, bool>;
    QTextStream &m_err;
    std::map<Key, std::unique_ptr<PuzzleCheck>> m_checks;
};

int runCheck(const ParsedArgs &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    Checks checks(err);
    // The English list is read first, as it always was, so that a warning
    // about it comes before any file's lines.
    const PuzzleCheck &check = checks.of(Alphabet());
    RandomGenerator random;
    int status = 0;
    for (const QString &path : args.operands) {
        QByteArray piped;
        const bool pipe = readPipe(path, &piped);
        // A puzzle document, by its name or, read from a pipe, by its JSON.
        if (isDocumentFileName(path) || (pipe && piped.trimmed().startsWith('{'))) {
            PuzzleDocument document;
            FileResult loaded;
            if (pipe) {
                QBuffer in(&piped);
                in.open(QIODevice::ReadOnly);
                loaded = readDocument(in, &document, path);
            } else {
                loaded = loadDocument(path, &document);
            }
            std::optional<PuzzleModel> model;
            if (loaded.ok) {
                // A document editor's model: it holds the document's letters.
                model.emplace(document.size, &random);
                model->setLetters(document.alphabet(), document.fill);
                loaded = applyDocument(document, *model);
            }
            if (!loaded.ok) {
                out.flush();
                err << path << ": " << loaded.error << '\n';
                err.flush();
                status = 2;
                continue;
            }
            status = std::max(status, report(out, path, checks.of(model->alphabet()).run(*model)));
            continue;
        }
        const GridSize size = !pipe ? sizeOfFile(path)
                              : piped.size() == sizeSpec(GridSize::Large).recordBytes
                                  ? GridSize::Large
                                  : GridSize::Small;
        PuzzleModel model(size, &random);
        PuzzleFile file(size);
        FileResult loaded;
        if (pipe) {
            QBuffer in(&piped);
            in.open(QIODevice::ReadOnly);
            loaded = file.load(model, in, path);
        } else {
            loaded = file.load(model, path);
        }
        if (!loaded.ok) {
            out.flush();
            err << path << ": " << loaded.error << '\n';
            err.flush();
            status = 2;
            continue;
        }
        // What the editor shows after a load.
        if (model.spec().trimPositionsAfterLoad)
            model.trimPositionLines();
        status = std::max(status, report(out, path, check.run(model)));
    }
    return status;
}

} // namespace

CommandSpec checkCommand()
{
    CommandSpec c;
    c.name = QStringLiteral("check");
    c.operands = QStringLiteral("FILE...");
    c.summary = QStringLiteral(
        "Checks puzzle files and documents (.ipuz): every listed word must read exactly once, at "
        "its listed place and not inside another word, and no blocked word "
        "may read in the grid. Prints \"FILE: no problems\" or one line per "
        "problem; exits 0 when all are clean, 1 when a problem was found, 2 "
        "when a file cannot be read. Blocked words are the built-in list plus "
        "the user's own, one a line, in "
        "$XDG_CONFIG_HOME/Word Quarrin Generator/blocked-words.txt; a document "
        "in another language is read in its alphabet, against that language's "
        "list and the user's blocked-words-CODE.txt beside it (blocked-words-ru.txt "
        "for Russian).");
    c.minOperands = 1;
    c.run = runCheck;
    return c;
}

} // namespace quarrin::cli
