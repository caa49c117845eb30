#include "sourcecollector.h"

#include "ListFiles/listfiles.h"
#include "ListFiles/localpath.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

PathKind pathKind(const QString &path)
{
    struct stat status {};
    if (::stat(LocalPath::toNative(path).constData(), &status) != 0)
        return PathKind::Missing;
    return S_ISDIR(status.st_mode) ? PathKind::Folder : PathKind::File;
}

QString absolutePath(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    // QDir::currentPath() would lose the bytes of a folder name that is not UTF-8.
    char buffer[PATH_MAX];
    const QString current = ::getcwd(buffer, sizeof buffer) ? LocalPath::fromNative(buffer) : QDir::currentPath();
    return QDir::cleanPath(current + QLatin1Char('/') + path);
}

namespace {

void scanFolder(const QString &folder, const QString &extensions, bool subFolders, const QStringList &outputs,
                QStringList &files)
{
    QObject receiver;
    QEventLoop loop;
    const tListTarget target{&receiver, [&](const QString &path) {
                                 if (!outputs.contains(path))
                                     files.append(path);
                             }};
    // The scanner deletes itself; its end notice reaches this thread through the loop.
    new tListFiles(folder, target, extensions, true, subFolders, [&loop] { loop.quit(); });
    loop.exec();
    // The scanner has asked to be deleted; do it now rather than at exit.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

QStringList collectPictureFiles(const QStringList &sources, const QString &extensions, bool subFolders,
                                const QStringList &outputs)
{
    QStringList files;
    for (const QString &source : sources) {
        if (pathKind(source) == PathKind::Folder)
            scanFolder(source, extensions, subFolders, outputs, files);
        else
            files.append(source);
    }
    return files;
}
