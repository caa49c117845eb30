#pragma once

#include <QStringList>

// The tool's run from the command line to the written files. Exit status:
// 0 done (also when some pictures could not be read), 1 the sheet or the page
// could not be made or written, 2 bad usage.
namespace SheetDriver {

enum ExitStatus { Success = 0, Failure = 1, BadUsage = 2 };

// Keeps the toolkit's own notices (such as a missing XDG_RUNTIME_DIR) off
// stderr, which carries only what the tool reports. Call before the application.
void silenceToolkitNotices();

// argv as the program received it, every byte kept (see LocalPath).
QStringList nativeArguments(int argc, char *argv[]);

// Needs a running QGuiApplication.
int run(const QStringList &arguments);

} // namespace SheetDriver
