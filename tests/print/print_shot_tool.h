#pragma once

// For the tools that take the print window screenshots: the output folder
// from the command line, and dialogs that ask nothing.

#include "print/print_dialogs.h"

#include <QDir>
#include <QString>

namespace quarrin::testing {

// Print dialogs that show nothing: a message goes to the log.
class QuietDialogs : public PrintDialogs
{
public:
    void message(QWidget *, const QString &text) override { qInfo("%s", qPrintable(text)); }
};

// The folder named first on the command line, else the current one.
inline QDir outputFolder(int argc, char **argv)
{
    return QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
}

} // namespace quarrin::testing
