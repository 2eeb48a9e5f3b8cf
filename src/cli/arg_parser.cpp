#include "cli/arg_parser.h"

namespace quarrin::cli {

QString ParsedArgs::value(const QString &option, const QString &fallback) const
{
    const auto it = values.constFind(option);
    return it == values.cend() || it->isEmpty() ? fallback : it->last();
}

int ParsedArgs::intValue(const QString &option, int fallback) const
{
    bool ok = false;
    const int v = value(option).toInt(&ok);
    return ok ? v : fallback;
}

ArgParser::ArgParser(QString program, std::vector<CommandSpec> commands)
    : m_program(std::move(program)), m_commands(std::move(commands))
{
}

const CommandSpec *ArgParser::command(const QString &name) const
{
    for (const CommandSpec &c : m_commands) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

namespace {

bool isHelp(const QString &w)
{
    return w == QLatin1String("--help") || w == QLatin1String("-h");
}

QString dashed(const OptionSpec &o)
{
    return (o.toolkit ? QStringLiteral("-") : QStringLiteral("--")) + o.name;
}

// Words of `text` in lines of at most 79 columns, each line indented.
QString wrapped(const QString &text, int indent)
{
    QString out;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > 79) {
            out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
    return out;
}

} // namespace

const OptionSpec *ArgParser::findOption(const CommandSpec &command, const QString &word) const
{
    const bool twoDashes = word.startsWith(QLatin1String("--"));
    for (const OptionSpec &o : command.options) {
        const bool matches =
            twoDashes   ? word.mid(2) == o.name
            : o.toolkit ? word.mid(1) == o.name
                        : !o.shortName.isNull() && word.size() == 2 && word.at(1) == o.shortName;
        if (matches)
            return &o;
    }
    return nullptr;
}

std::optional<QString> ArgParser::checkValue(const OptionSpec &option, const QString &value) const
{
    switch (option.kind) {
    case ValueKind::None:
    case ValueKind::Text:
        return std::nullopt;
    case ValueKind::Integer: {
        bool ok = false;
        const qlonglong v = value.toLongLong(&ok);
        if (!ok || value.trimmed() != value)
            return QStringLiteral("bad value '%1' for %2: expected a whole number")
                .arg(value, dashed(option));
        if (v < option.minimum || v > option.maximum) {
            QString range;
            if (option.minimum != INT_MIN && option.maximum != INT_MAX)
                range = QStringLiteral("from %1 to %2").arg(option.minimum).arg(option.maximum);
            else if (option.minimum != INT_MIN)
                range = QStringLiteral("of at least %1").arg(option.minimum);
            else
                range = QStringLiteral("of at most %1").arg(option.maximum);
            return QStringLiteral("bad value '%1' for %2: expected a whole number %3")
                .arg(value, dashed(option), range);
        }
        return std::nullopt;
    }
    case ValueKind::Choice:
        if (option.choices.contains(value))
            return std::nullopt;
        return QStringLiteral("bad value '%1' for %2: expected %3")
            .arg(value, dashed(option), option.choices.join(QStringLiteral(", ")));
    }
    return std::nullopt;
}

ParseResult ArgParser::parse(const QStringList &arguments) const
{
    ParseResult result;
    int i = 0;
    const CommandSpec *chosen = nullptr;
    // A first word that names a command chooses it; anything else belongs to
    // the program itself.
    if (!arguments.isEmpty() && !arguments.first().startsWith(QLatin1Char('-')) &&
        !arguments.first().isEmpty()) {
        chosen = command(arguments.first());
        if (chosen)
            ++i;
    }
    if (!chosen)
        chosen = command(QString());
    result.args.command = chosen;
    const auto fail = [&result](const QString &message) {
        result.action = ParseResult::Error;
        result.error = message;
        return result;
    };
    if (!chosen)
        return fail(QStringLiteral("no command given"));

    bool operandsOnly = false;
    for (; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (operandsOnly || word == QLatin1String("-") || !word.startsWith(QLatin1Char('-'))) {
            result.args.operands << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            operandsOnly = true;
            continue;
        }
        if (isHelp(word)) {
            result.action = ParseResult::Help;
            return result;
        }
        if (word == QLatin1String("--version")) {
            result.action = ParseResult::Version;
            return result;
        }
        QString name = word;
        std::optional<QString> inlineValue;
        if (word.size() > 2) {
            const int eq = int(word.indexOf(QLatin1Char('=')));
            if (eq >= 0) {
                name = word.left(eq);
                inlineValue = word.mid(eq + 1);
            }
        }
        const OptionSpec *option = findOption(*chosen, name);
        if (!option) {
            if (chosen->name.isEmpty())
                return fail(QStringLiteral("unknown option '%1'").arg(name));
            return fail(QStringLiteral("unknown option '%1' for %2").arg(name, chosen->name));
        }
        if (option->kind == ValueKind::None) {
            if (inlineValue)
                return fail(QStringLiteral("option %1 takes no value").arg(dashed(*option)));
            result.args.values[option->name] << QString();
            if (option->toolkit)
                result.args.toolkitArguments << dashed(*option);
            continue;
        }
        QString value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(++i);
        } else {
            return fail(QStringLiteral("option %1 needs a value (%2)")
                            .arg(dashed(*option), option->valueName));
        }
        if (const auto problem = checkValue(*option, value))
            return fail(*problem);
        if (option->validate) {
            const QString wrong = option->validate(value);
            if (!wrong.isEmpty())
                return fail(
                    QStringLiteral("bad value '%1' for %2: %3").arg(value, dashed(*option), wrong));
        }
        result.args.values[option->name] << value;
        if (option->toolkit)
            result.args.toolkitArguments << dashed(*option) << value;
    }

    const int count = int(result.args.operands.size());
    const QString who = chosen->name.isEmpty() ? m_program : chosen->name;
    if (count < chosen->minOperands)
        return fail(QStringLiteral("%1 needs %2").arg(who, chosen->operands));
    if (chosen->maxOperands >= 0 && count > chosen->maxOperands)
        return fail(QStringLiteral("unexpected argument '%1'")
                        .arg(result.args.operands.at(chosen->maxOperands)));
    return result;
}

QString ArgParser::helpText(const CommandSpec *only) const
{
    QString text;
    const auto usage = [this](const CommandSpec &c) {
        QStringList parts{m_program};
        if (!c.name.isEmpty())
            parts << c.name;
        if (!c.options.empty())
            parts << QStringLiteral("[OPTIONS]");
        if (!c.operands.isEmpty())
            parts << (c.minOperands == 0 ? QStringLiteral("[%1]").arg(c.operands) : c.operands);
        return parts.join(QLatin1Char(' '));
    };
    const auto optionLines = [](const std::vector<OptionSpec> &options) {
        QStringList left;
        QStringList right;
        for (const OptionSpec &o : options) {
            QString l = o.shortName.isNull() ? QStringLiteral("    ")
                                             : QStringLiteral("-%1, ").arg(o.shortName);
            l += dashed(o);
            if (o.kind != ValueKind::None)
                l += QLatin1Char(' ') + o.valueName;
            left << l;
            right << o.help;
        }
        int width = 0;
        for (const QString &l : left)
            width = std::max(width, int(l.size()));
        QString out;
        for (int k = 0; k < left.size(); ++k)
            out += QStringLiteral("  %1  %2\n").arg(left[k].leftJustified(width), right[k]);
        return out;
    };
    const std::vector<OptionSpec> common{
        OptionSpec::flag(QStringLiteral("help"), QLatin1Char('h'),
                         QStringLiteral("show this help and exit")),
        OptionSpec::flag(QStringLiteral("version"), QChar(),
                         QStringLiteral("show the version and exit")),
    };

    if (only) {
        text += QStringLiteral("Usage: %1\n\n%2").arg(usage(*only), wrapped(only->summary, 0));
        if (!only->options.empty())
            text += QStringLiteral("\nOptions:\n") + optionLines(only->options);
        return text;
    }
    text += QStringLiteral("Usage:\n");
    for (const CommandSpec &c : m_commands)
        text += QStringLiteral("  %1\n").arg(usage(c));
    text += QStringLiteral("  %1 --help | --version\n\n").arg(m_program);
    for (const CommandSpec &c : m_commands)
        text += QStringLiteral("%1\n%2").arg(usage(c), wrapped(c.summary, 4));
    text += QStringLiteral("\nOptions:\n") + optionLines(common);
    if (const CommandSpec *program = command(QString()); program && !program->options.empty())
        text += QStringLiteral("\nOptions of %1 [FILE]:\n").arg(m_program) +
                optionLines(program->options);
    text +=
        QStringLiteral("\nSee '%1 COMMAND --help' for the options of a command.\n").arg(m_program);
    return text;
}

} // namespace quarrin::cli
