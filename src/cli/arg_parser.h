#pragma once

// The one argument parser of the program's command line.
//
// Every command is a row of a table (CommandSpec): its name, its operands and
// its options (OptionSpec), each option with the kind of value it takes. The
// parser reads `PROGRAM [COMMAND] [OPTION|OPERAND]...` against that table:
//   --name VALUE, --name=VALUE, -n VALUE   an option with a value
//   --name, -n                             a flag
//   -name VALUE, -name                     a window-system option, handed on
//                                          to the toolkit as given
//   --                                     every later word is an operand
//   -                                      an operand (standard input)
// -h/--help and --version are known to every command. The command with the
// empty name is the program itself: `PROGRAM FILE` opens the editor.
// A mistake gives one line that names the offending word; nothing runs.
//
// The parser has no widget code and needs no application object.

#include <QMap>
#include <QString>
#include <QStringList>

#include <climits>
#include <functional>
#include <optional>
#include <vector>

namespace quarrin::cli {

enum class ValueKind
{
    None,    // a flag
    Text,    // any text
    Integer, // a whole number between minimum and maximum
    Choice,  // one of `choices`
};

struct OptionSpec
{
    QString name;    // long name without the dashes: "seed" for --seed
    QChar shortName; // optional: 's' for -s
    ValueKind kind = ValueKind::None;
    QString valueName;     // shown in the help: "N", "FILE"
    QString help;          // one line
    QStringList choices;   // ValueKind::Choice
    int minimum = INT_MIN; // ValueKind::Integer
    int maximum = INT_MAX;
    // An option of the window toolkit (-platform, -style, ...): spelt with one
    // dash as well as two, and collected for the toolkit rather than read.
    bool toolkit = false;
    // A further rule for the value, after its kind's own: returns what is
    // wrong with it ("expected easy, medium, hard or direction names"), or
    // nothing. The parser turns it into "bad value 'V' for --name: ...".
    std::function<QString(const QString &value)> validate;

    // One maker per kind, so a table row reads as what it is.
    static OptionSpec flag(const QString &name, QChar shortName, const QString &help)
    {
        OptionSpec o;
        o.name = name;
        o.shortName = shortName;
        o.help = help;
        return o;
    }
    static OptionSpec text(const QString &name, QChar shortName, const QString &valueName,
                           const QString &help)
    {
        OptionSpec o = flag(name, shortName, help);
        o.kind = ValueKind::Text;
        o.valueName = valueName;
        return o;
    }
    static OptionSpec integer(const QString &name, QChar shortName, const QString &valueName,
                              const QString &help, int minimum = INT_MIN, int maximum = INT_MAX)
    {
        OptionSpec o = text(name, shortName, valueName, help);
        o.kind = ValueKind::Integer;
        o.minimum = minimum;
        o.maximum = maximum;
        return o;
    }
    static OptionSpec toolkitOption(const QString &name, const QString &valueName,
                                    const QString &help)
    {
        OptionSpec o =
            valueName.isEmpty() ? flag(name, QChar(), help) : text(name, QChar(), valueName, help);
        o.toolkit = true;
        return o;
    }
    static OptionSpec choice(const QString &name, QChar shortName, const QStringList &choices,
                             const QString &help)
    {
        OptionSpec o = text(name, shortName, choices.join(QLatin1Char('|')), help);
        o.kind = ValueKind::Choice;
        o.choices = choices;
        return o;
    }
};

struct ParsedArgs;
struct CommandSpec
{
    QString name;     // empty: the program itself
    QString operands; // shown in the help: "FILE..."
    QString summary;  // one line
    int minOperands = 0;
    int maxOperands = -1; // -1: any number
    std::vector<OptionSpec> options;
    bool needsDisplay = false; // runs the windows (only the program itself)
    // Draws pages without a window (fonts, a PDF): runs with a GUI application
    // on the offscreen platform rather than a core one. Asked of the parsed
    // command line; unset means no.
    std::function<bool(const ParsedArgs &)> drawsPages;
    // Runs the command after a successful parse; returns the exit status.
    std::function<int(const ParsedArgs &)> run;
};

struct ParsedArgs
{
    const CommandSpec *command = nullptr;
    QMap<QString, QStringList> values; // by option name; a flag gets one empty text per use
    QStringList operands;
    // Toolkit options as given, values included, in order.
    QStringList toolkitArguments;

    bool has(const QString &option) const { return values.contains(option); }
    // The last value given, or the fallback.
    QString value(const QString &option, const QString &fallback = QString()) const;
    // An Integer option's value (already checked by the parser), or the fallback.
    int intValue(const QString &option, int fallback = 0) const;
};

struct ParseResult
{
    enum Action
    {
        Run,
        Help,    // print helpText(args.command) and exit 0
        Version, // print the version and exit 0
        Error,   // print `error` and exit 2
    };
    Action action = Run;
    ParsedArgs args;
    QString error; // one line, without the program name
};

// The exit status of a bad command line.
inline constexpr int kUsageError = 2;

class ArgParser
{
public:
    ArgParser(QString program, std::vector<CommandSpec> commands);

    // `arguments` without the program name.
    ParseResult parse(const QStringList &arguments) const;

    // The program's help, or one command's help when `command` is given.
    QString helpText(const CommandSpec *command = nullptr) const;
    const CommandSpec *command(const QString &name) const;
    const QString &program() const { return m_program; }

private:
    const OptionSpec *findOption(const CommandSpec &command, const QString &word) const;
    std::optional<QString> checkValue(const OptionSpec &option, const QString &value) const;

    QString m_program;
    std::vector<CommandSpec> m_commands;
};

} // namespace quarrin::cli
