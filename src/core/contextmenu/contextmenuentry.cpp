#include "contextmenu/contextmenuentry.h"

#include "contextmenu/folderactionfiles.h"
#include "error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

QString dataHome()
{
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(configured) ? configured
                                            : QDir::homePath() + QStringLiteral("/.local/share");
}

struct EntryFile
{
    QString path;
    QString content;
    bool executable;
};

QList<EntryFile> entryFiles(const QString &programPath, const QString &entryName,
                            const QString &caption)
{
    using namespace FolderActionFiles;
    const QString base = dataHome();
    return {
        {base + QStringLiteral("/kio/servicemenus/") + entryName + QStringLiteral(".desktop"),
         kdeServiceMenu(programPath, entryName, caption), true},
        {base + QStringLiteral("/nautilus/scripts/") + caption,
         nautilusScript(programPath, caption), true},
        {base + QStringLiteral("/nemo/actions/") + entryName + QStringLiteral(".nemo_action"),
         nemoAction(programPath, caption), false},
        {base + QStringLiteral("/file-manager/actions/") + entryName + QStringLiteral(".desktop"),
         fileManagerAction(programPath, entryName, caption), false},
    };
}

bool writeEntryFile(const EntryFile &file)
{
    if (!QDir().mkpath(QFileInfo(file.path).absolutePath()))
        return false;
    QSaveFile out(file.path);
    const QByteArray bytes = file.content.toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return false;
    if (!file.executable)
        return true;
    // KDE runs only service menus the user marked executable, Nautilus only
    // executable scripts.
    return QFile::setPermissions(file.path, QFile::permissions(file.path) | QFile::ExeOwner
                                     | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace

QStringList contextMenuEntryFiles(const QString &entryName, const QString &caption)
{
    QStringList paths;
    for (const EntryFile &file : entryFiles(QString(), entryName, caption))
        paths.append(file.path);
    return paths;
}

bool ContextMenuEntryExists(const QString &entryName, const QString &caption)
{
    const QStringList paths = contextMenuEntryFiles(entryName, caption);
    return std::any_of(paths.cbegin(), paths.cend(),
                       [](const QString &path) { return QFileInfo(path).isFile(); });
}

int ToggleContextMenuEntry(const QString &programPath, const QString &entryName,
                           const QString &caption)
{
    if (ContextMenuEntryExists(entryName, caption)) {
        for (const QString &path : contextMenuEntryFiles(entryName, caption))
            QFile::remove(path);
        return 0;
    }

    QString failed;
    for (const EntryFile &file : entryFiles(programPath, entryName, caption)) {
        if (!writeEntryFile(file) && failed.isEmpty())
            failed = file.path;
    }
    if (!failed.isEmpty())
        throw PictoloomError(QStringLiteral("Failed to set data for '%1'").arg(failed));
    return -1;
}
