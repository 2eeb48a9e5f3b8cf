// The command-line parser: the options table, operands, help and version,
// and the one-line message for every kind of mistake.

#include "cli/arg_parser.h"
#include "cli/commands.h"

#include <QTest>

using namespace quarrin::cli;

namespace {

// A table with one option of every kind, as later commands will use them.
ArgParser sampleParser()
{
    CommandSpec open;
    open.operands = QStringLiteral("FILE");
    open.maxOperands = 1;
    open.needsDisplay = true;
    open.options = {
        OptionSpec::toolkitOption(QStringLiteral("platform"), QStringLiteral("NAME"),
                                  QStringLiteral("window system")),
        OptionSpec::toolkitOption(QStringLiteral("reverse"), QString(),
                                  QStringLiteral("right to left")),
    };

    CommandSpec make;
    make.name = QStringLiteral("make");
    make.operands = QStringLiteral("WORD...");
    make.minOperands = 1;
    make.options = {
        OptionSpec::choice(QStringLiteral("size"), QChar(), {"15", "30"},
                           QStringLiteral("grid size")),
        OptionSpec::integer(QStringLiteral("seed"), QLatin1Char('s'), QStringLiteral("N"),
                            QStringLiteral("seed"), 0, 1000),
        OptionSpec::text(QStringLiteral("title"), QChar(), QStringLiteral("TEXT"),
                         QStringLiteral("title")),
        OptionSpec::flag(QStringLiteral("quiet"), QLatin1Char('q'), QStringLiteral("quiet")),
        OptionSpec::text(QStringLiteral("letters"), QChar(), QStringLiteral("LIST"),
                         QStringLiteral("letters")),
    };
    // A rule of the command's own on top of the value's kind.
    make.options.back().validate = [](const QString &v) {
        return v.contains(QLatin1Char(','))
                   ? QString()
                   : QStringLiteral("expected letters separated by commas");
    };
    return ArgParser(QStringLiteral("prog"), {open, make});
}

} // namespace

class TestArgParser : public QObject
{
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("values"); // "name=v1,v2;..." in option order
        QTest::addColumn<QStringList>("operands");
        QTest::addColumn<QString>("error");

        const int run = ParseResult::Run, help = ParseResult::Help, version = ParseResult::Version,
                  error = ParseResult::Error;
        QTest::newRow("nothing") << QStringList{} << run << ""
                                 << "" << QStringList{} << "";
        QTest::newRow("a file") << QStringList{"p.qrn"} << run << ""
                                << "" << QStringList{"p.qrn"} << "";
        QTest::newRow("a file after --") << QStringList{"--", "-odd.qrn"} << run << ""
                                         << "" << QStringList{"-odd.qrn"} << "";
        QTest::newRow("every kind of value")
            << QStringList{"make", "--size",    "30",  "-s",  "7", "--title=My Book",
                           "-q",   "--letters", "a,b", "CAT", "-"}
            << run << "make"
            << "letters=a,b;quiet=;seed=7;size=30;title=My Book" << QStringList{"CAT", "-"} << "";
        QTest::newRow("a repeated option keeps every value")
            << QStringList{"make", "--seed=1", "--seed", "2", "A"} << run << "make"
            << "seed=1,2" << QStringList{"A"} << "";
        QTest::newRow("range ends are allowed")
            << QStringList{"make", "--seed", "0", "--seed", "1000", "A"} << run << "make"
            << "seed=0,1000" << QStringList{"A"} << "";
        QTest::newRow("toolkit options with one dash or two")
            << QStringList{"-platform", "xcb", "p.qrn", "--reverse", "--platform=offscreen"} << run
            << ""
            << "platform=xcb,offscreen;reverse=" << QStringList{"p.qrn"} << "";
        QTest::newRow("help") << QStringList{"--help"} << help << ""
                              << "" << QStringList{} << "";
        QTest::newRow("short help of a command") << QStringList{"make", "-h"} << help << "make"
                                                 << "" << QStringList{} << "";
        QTest::newRow("help wins over a later mistake")
            << QStringList{"make", "--help", "--bogus"} << help << "make"
            << "" << QStringList{} << "";
        QTest::newRow("version") << QStringList{"--version"} << version << ""
                                 << "" << QStringList{} << "";

        QTest::newRow("unknown option") << QStringList{"--frob"} << error << ""
                                        << "" << QStringList{} << "unknown option '--frob'";
        QTest::newRow("unknown short option")
            << QStringList{"make", "-x", "A"} << error << "make"
            << "" << QStringList{} << "unknown option '-x' for make";
        QTest::newRow("toolkit option after a command")
            << QStringList{"make", "-platform", "xcb", "A"} << error << "make"
            << "" << QStringList{} << "unknown option '-platform' for make";
        QTest::newRow("toolkit option without its value")
            << QStringList{"-platform"} << error << ""
            << "" << QStringList{} << "option -platform needs a value (NAME)";
        QTest::newRow("option of another command")
            << QStringList{"--seed", "1"} << error << ""
            << "" << QStringList{} << "unknown option '--seed'";
        QTest::newRow("bad choice")
            << QStringList{"make", "--size", "20", "A"} << error << "make"
            << "" << QStringList{} << "bad value '20' for --size: expected 15, 30";
        QTest::newRow("not a number")
            << QStringList{"make", "--seed", "x1", "A"} << error << "make"
            << "" << QStringList{} << "bad value 'x1' for --seed: expected a whole number";
        QTest::newRow("number out of range")
            << QStringList{"make", "--seed=1001", "A"} << error << "make"
            << "" << QStringList{}
            << "bad value '1001' for --seed: expected a whole number from 0 to 1000";
        QTest::newRow("negative number") << QStringList{"make", "-s", "-1", "A"} << error << "make"
                                         << "" << QStringList{}
                                         << "bad value '-1' for --seed: expected a whole number "
                                            "from 0 to 1000";
        QTest::newRow("a command's own rule")
            << QStringList{"make", "--letters", "abc", "A"} << error << "make"
            << "" << QStringList{}
            << "bad value 'abc' for --letters: expected letters separated by commas";
        QTest::newRow("missing value")
            << QStringList{"make", "A", "--title"} << error << "make"
            << "" << QStringList{} << "option --title needs a value (TEXT)";
        QTest::newRow("value on a flag")
            << QStringList{"make", "--quiet=yes", "A"} << error << "make"
            << "" << QStringList{} << "option --quiet takes no value";
        QTest::newRow("missing operand") << QStringList{"make", "--quiet"} << error << "make"
                                         << "" << QStringList{} << "make needs WORD...";
        QTest::newRow("too many operands") << QStringList{"a.qrn", "b.qrn"} << error << ""
                                           << "" << QStringList{} << "unexpected argument 'b.qrn'";
    }
    void table()
    {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, command);
        QFETCH(QString, values);
        QFETCH(QStringList, operands);
        QFETCH(QString, error);

        const ArgParser parser = sampleParser();
        const ParseResult r = parser.parse(args);
        QCOMPARE(int(r.action), action);
        QCOMPARE(r.error, error);
        QVERIFY(!r.error.contains(QLatin1Char('\n')));
        QVERIFY(r.args.command);
        QCOMPARE(r.args.command->name, command);
        if (action != ParseResult::Run)
            return;
        QStringList got;
        for (auto it = r.args.values.cbegin(); it != r.args.values.cend(); ++it)
            got << it.key() + QLatin1Char('=') + it.value().join(QLatin1Char(','));
        QCOMPARE(got.join(QLatin1Char(';')), values);
        QCOMPARE(r.args.operands, operands);
    }

    void toolkitArgumentsKeepTheirOrder()
    {
        const ParseResult r =
            sampleParser().parse({"--platform", "xcb", "-reverse", "p.qrn", "-platform=wayland"});
        QCOMPARE(r.action, ParseResult::Run);
        QCOMPARE(r.args.toolkitArguments,
                 (QStringList{"-platform", "xcb", "-reverse", "-platform", "wayland"}));
    }

    void valuesReadBack()
    {
        const ParseResult r = sampleParser().parse({"make", "-s", "5", "--seed", "9", "A"});
        QCOMPARE(r.args.intValue(QStringLiteral("seed")), 9);
        QCOMPARE(r.args.value(QStringLiteral("size"), QStringLiteral("15")), QStringLiteral("15"));
        QVERIFY(!r.args.has(QStringLiteral("quiet")));
    }

    void helpListsEveryCommandAndOption()
    {
        const ArgParser parser = sampleParser();
        const QString all = parser.helpText();
        QVERIFY(all.contains(QStringLiteral("prog [OPTIONS] [FILE]")));
        QVERIFY(all.contains(QStringLiteral("-platform NAME")));
        QVERIFY(all.contains(QStringLiteral("-reverse")));
        QVERIFY(all.contains(QStringLiteral("prog make [OPTIONS] WORD...")));
        QVERIFY(all.contains(QStringLiteral("--version")));
        const QString make = parser.helpText(parser.command(QStringLiteral("make")));
        for (const char *line : {"--size 15|30", "-s, --seed N", "--title TEXT", "-q, --quiet"})
            QVERIFY2(make.contains(QLatin1String(line)), line);
    }

    // The program's own table: the editor with a file, and `check`.
    void programTable_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("startWindows");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("toolkit");
        QTest::newRow("no arguments") << QStringList{} << true << "" << 0 << QStringList{};
        QTest::newRow("a file") << QStringList{"puzzle.qrn2"} << true << "puzzle.qrn2" << 0
                                << QStringList{};
        QTest::newRow("a file and toolkit options")
            << QStringList{"-style", "Fusion", "puzzle.qrn", "-platform", "offscreen"} << true
            << "puzzle.qrn" << 0 << QStringList{"-style", "Fusion", "-platform", "offscreen"};
        QTest::newRow("help") << QStringList{"--help"} << false << "" << 0 << QStringList{};
        QTest::newRow("version") << QStringList{"--version"} << false << "" << 0 << QStringList{};
        QTest::newRow("unknown option")
            << QStringList{"--nope"} << false << "" << 2 << QStringList{};
        QTest::newRow("check without files")
            << QStringList{"check"} << false << "" << 2 << QStringList{};
    }
    void programTable()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, startWindows);
        QFETCH(QString, file);
        QFETCH(int, status);
        QFETCH(QStringList, toolkit);
        std::vector<QByteArray> storage{QByteArray("word_quarrin")};
        for (const QString &a : args)
            storage.push_back(a.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &b : storage)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        const Invocation inv = dispatch(int(storage.size()), argv.data());
        QCOMPARE(inv.startWindows, startWindows);
        QCOMPARE(inv.file, file);
        QCOMPARE(inv.exitStatus, status);
        QCOMPARE(inv.toolkitArguments, toolkit);
    }
};

QTEST_APPLESS_MAIN(TestArgParser)
#include "test_arg_parser.moc"
