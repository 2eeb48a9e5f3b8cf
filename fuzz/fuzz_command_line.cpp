// Feeds arbitrary bytes to the command-line parser as the program's
// arguments: the input split at every zero byte, each word read as the
// program reads its arguments. The parser runs against the program's own
// command table, with every option's kind and check (the directions, the
// fill's message, the numbers' ranges); nothing is run.
// A mistake must come with one line that says what is wrong (a word with a
// line break in it is named as it is); a command line
// that is read must name its command and keep that command's rules.

#include "cli/commands.h"

#include <cstdint>
#include <cstdlib>

using namespace quarrin::cli;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const ArgParser &parser()
{
    static const ArgParser p = makeParser();
    return p;
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
    QStringList arguments;
    const char *begin = reinterpret_cast<const char *>(data);
    const char *const end = begin + size;
    while (begin < end && arguments.size() < 64) {
        const char *stop = begin;
        while (stop < end && *stop != '\0')
            ++stop;
        arguments << QString::fromLocal8Bit(begin, int(stop - begin));
        begin = stop + 1;
    }
    const ParseResult result = parser().parse(arguments);
    switch (result.action) {
    case ParseResult::Error: {
        // One line, unless the word it names holds a line break itself.
        bool brokenWord = false;
        for (const QString &a : arguments)
            brokenWord = brokenWord || a.contains(QLatin1Char('\n'));
        check(!result.error.isEmpty() && (brokenWord || !result.error.contains(QLatin1Char('\n'))));
        break;
    }
    case ParseResult::Help:
        check(!parser().helpText(result.args.command).isEmpty());
        break;
    case ParseResult::Version:
        break;
    case ParseResult::Run: {
        const CommandSpec *command = result.args.command;
        check(command != nullptr);
        const int operands = int(result.args.operands.size());
        check(operands >= command->minOperands);
        check(command->maxOperands < 0 || operands <= command->maxOperands);
        for (auto it = result.args.values.cbegin(); it != result.args.values.cend(); ++it) {
            const OptionSpec *option = nullptr;
            for (const OptionSpec &o : command->options)
                if (o.name == it.key())
                    option = &o;
            check(option != nullptr && !it.value().isEmpty());
            for (const QString &value : it.value()) {
                if (option->kind == ValueKind::Integer) {
                    bool ok = false;
                    const int n = value.toInt(&ok);
                    check(ok && n >= option->minimum && n <= option->maximum);
                } else if (option->kind == ValueKind::Choice) {
                    check(option->choices.contains(value));
                }
                if (option->validate)
                    check(option->validate(value).isEmpty());
            }
        }
        break;
    }
    }
    return 0;
}
