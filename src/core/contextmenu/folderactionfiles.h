#pragma once

#include <QString>

// The texts of the file managers' folder actions that start a program with the
// folder as its first argument. Each quotes the program path as its format
// requires; field codes stay unquoted.
namespace FolderActionFiles {

// An argument of a desktop-entry Exec line as it stands in the file: in double
// quotes with " ` $ \ escaped, "%" doubled, then escaped as a string value.
QString desktopExecArgument(const QString &argument);

// A POSIX shell word in single quotes.
QString shellWord(const QString &text);

QString kdeServiceMenu(const QString &programPath, const QString &entryName,
                       const QString &caption);
QString nautilusScript(const QString &programPath, const QString &caption);
QString nemoAction(const QString &programPath, const QString &caption);
QString fileManagerAction(const QString &programPath, const QString &entryName,
                          const QString &caption);

} // namespace FolderActionFiles
