#include "sheetdriver.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // The tool draws with fonts but shows nothing: it must run where no display is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    SheetDriver::silenceToolkitNotices();
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("pictoloom-sheet"));
    QGuiApplication::setApplicationVersion(QStringLiteral(PICTOLOOM_VERSION_STRING));
    return SheetDriver::run(SheetDriver::nativeArguments(argc, argv));
}
