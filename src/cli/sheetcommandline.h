#pragma once

#include "sheetjob.h"

#include <QString>
#include <QStringList>

// The command line of pictoloom-sheet turned into a job. Every option's range
// and default are the window's; a settings file, when named, replaces those
// defaults before the other options are applied.
struct SheetCommandLine
{
    enum Outcome { Run, ShowHelp, ShowVersion, UsageError };
    Outcome outcome = Run;
    QString text; // the help, the version or the usage error
    SheetJob job;
};

// arguments[0] is the program name. Relative paths are taken against the
// current folder.
SheetCommandLine parseSheetCommandLine(const QStringList &arguments);
