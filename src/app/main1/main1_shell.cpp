// The folder context-menu entry and the readme.
#include "main1/main1.h"

#include "contextmenu/contextmenuentry.h"
#include "widgets/ledlamp.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString ReadmeName = QStringLiteral("pictoloom.rtf");

// Beside the program while it runs from its build folder; once installed, in
// the data folder next to its bin folder, or anywhere on the data path.
QString readmePath()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QStringList candidates{
        programFolder.filePath(ReadmeName),
        programFolder.filePath(QStringLiteral("../share/pictoloom/") + ReadmeName),
        QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("pictoloom/") + ReadmeName),
    };
    for (const QString &path : candidates) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return {};
}

} // namespace

void TForm1::TntButton4Click()
{
    // The lamp shows what the toggle did, not a fresh look at the disk. When a
    // file cannot be written the error leaves the lamp as it was.
    JvLED1->setOn(ToggleContextMenuEntry(QCoreApplication::applicationFilePath()) != 0);
}

void TForm1::TntButton7Click()
{
    const QString path = readmePath();
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool TForm1::ContextMenuEntryExists()
{
    return ::ContextMenuEntryExists();
}
