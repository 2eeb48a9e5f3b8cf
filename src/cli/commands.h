#pragma once

// The program's commands, and the entry point that reads the command line.
//
// Each command is one CommandSpec in commandTable(); adding a command means
// writing its spec function (options and a run function) and listing it there.
// Commands other than the program itself run with only a QCoreApplication:
// they need no display and show no window.

#include "cli/arg_parser.h"

namespace quarrin::cli {

// The name the program goes by, which also names its configuration folder.
QString programName();
QString programVersion();
// The word the help and the error lines use for the program.
QString commandName();

// `word_quarrin [FILE]`: opens the editor, loading FILE when given.
CommandSpec openCommand();
// `word_quarrin check FILE...`: checks puzzle files.
CommandSpec checkCommand();
// `word_quarrin generate [options]`: makes puzzles in bulk from word lists.
CommandSpec generateCommand();
// `word_quarrin convert IN OUT`: a record file to a puzzle document and back.
CommandSpec convertCommand();

const std::vector<CommandSpec> &commandTable();
ArgParser makeParser();

struct Invocation
{
    bool startWindows = false;    // run the windows; otherwise exit with `exitStatus`
    QString file;                 // the puzzle to open in the editor, if any
    QStringList toolkitArguments; // window-system options for the toolkit
    int exitStatus = 0;
};

// Reads the command line. Help, version, a bad command line and every
// command but the editor run here, printing to standard output and error.
Invocation dispatch(int argc, char **argv);

} // namespace quarrin::cli
