#include "ListFiles/listfiles.h"

#include "ListFiles/localpath.h"
#include "error.h"
#include "paths/pathrules.h"

#include <QDeadlineTimer>
#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QScopeGuard>
#include <QSet>
#include <QWaitCondition>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace {

// Held around every hand-over of every scanner, so appends of scans running
// side by side never interleave. The receiving thread never takes it.
QMutex AddLock;

// The scanners whose walk has not ended yet.
QMutex registryLock;
QSet<tListFiles *> runningScanners;
QWaitCondition walkEnded;

// Thrown when the list refuses an entry or is gone: the walk ends there.
struct WalkAborted
{
};

using DirHandle = std::unique_ptr<DIR, int (*)(DIR *)>;

} // namespace

tListFiles::tListFiles(const QString &path, const tListTarget &list, const QString &extensions,
                       bool fullPath, bool subFolders, EndNotice onTerminate)
    : FPath(path), FList(list), FExtensions(extensions), FFullPath(fullPath),
      FSubFolders(subFolders), FOnTerminate(std::move(onTerminate)), m_receiver(list.receiver)
{
    if (!list.receiver || !list.addFile)
        throw PictoloomError(QStringLiteral("The folder scanner was given no list to fill"));
    // Hand-overs and the end notice are queued to this object, so it must live
    // where the list lives; then the receiver guard is only read on its own thread.
    if (list.receiver->thread() != thread())
        moveToThread(list.receiver->thread());
    connect(this, &QThread::finished, this, &tListFiles::endNotice);
    {
        QMutexLocker lock(&registryLock);
        runningScanners.insert(this);
    }
    start();
    // No thread could be made: end as a scan that found nothing.
    if (!isRunning() && !isFinished()) {
        leaveRegistry();
        QMetaObject::invokeMethod(this, &tListFiles::endNotice, Qt::QueuedConnection);
    }
}

tListFiles::~tListFiles() = default;

void tListFiles::StopAll()
{
    QMutexLocker lock(&registryLock);
    for (tListFiles *scanner : std::as_const(runningScanners))
        scanner->requestInterruption();
}

bool tListFiles::AnyRunning()
{
    QMutexLocker lock(&registryLock);
    return !runningScanners.isEmpty();
}

void tListFiles::WaitAll(const std::function<void()> &processEvents)
{
    QMutexLocker lock(&registryLock);
    while (!runningScanners.isEmpty()) {
        lock.unlock();
        if (processEvents)
            processEvents();
        lock.relock();
        // A short sleep between rounds: a waiting hand-over is served by the
        // next round, and the end of the last walk wakes us at once.
        if (!runningScanners.isEmpty())
            walkEnded.wait(&registryLock, QDeadlineTimer(5));
    }
}

bool tListFiles::ExtensionMatches(const QString &lowerName, const QString &extensions)
{
    const QString extension = PathRules::extensionOf(lowerName);
    if (extension == QLatin1String("."))
        return false;
    if (extensions == QLatin1String("*"))
        return true;
    return !extension.isEmpty() && extensions.contains(extension, Qt::CaseSensitive);
}

bool tListFiles::IsSubFolder(const tDirEntry &entry)
{
    return entry.isDirectory && entry.name != "." && entry.name != "..";
}

void tListFiles::run()
{
    try {
        // An empty path would otherwise become "/" and walk the whole disk.
        if (!FPath.isEmpty()) {
            const QString folder = PathRules::withTrailingSeparator(FPath);
            ScanFolder(LocalPath::toNative(folder), FFullPath, FSubFolders);
        }
    } catch (...) {
        // The walk ends without a message; what was handed over stays in the list.
    }
    leaveRegistry();
}

void tListFiles::leaveRegistry()
{
    QMutexLocker lock(&registryLock);
    runningScanners.remove(this);
    walkEnded.wakeAll();
}

// folder ends with "/". Entries come in the order the file system lists them.
void tListFiles::ScanFolder(const QByteArray &folder, bool fullPath, bool subFolders)
{
    const DirHandle dir(opendir(folder.constData()), closedir);
    if (!dir)
        return;
    if (isInterruptionRequested())
        return;

    const int dirFd = dirfd(dir.get());
    struct stat self;
    if (fstat(dirFd, &self) != 0 || onWalkPath(self.st_dev, self.st_ino))
        return;
    m_walkPath.emplace_back(self.st_dev, self.st_ino);
    const auto leave = qScopeGuard([this] { m_walkPath.pop_back(); });

    const QString folderText = fullPath ? LocalPath::fromNative(folder) : QString();
    while (const dirent *found = readdir(dir.get())) {
        tDirEntry entry{QByteArray(found->d_name), found->d_type == DT_DIR};
        // Links and file systems that give no type need a look at the target;
        // a link that leads nowhere names nothing and is skipped.
        bool typeKnown = found->d_type != DT_LNK && found->d_type != DT_UNKNOWN;
        const auto lookAtTarget = [&] {
            struct stat target;
            if (fstatat(dirFd, found->d_name, &target, 0) != 0)
                return false;
            entry.isDirectory = S_ISDIR(target.st_mode);
            typeKnown = true;
            return true;
        };

        if (subFolders) {
            if (!typeKnown && !lookAtTarget())
                continue;
            if (IsSubFolder(entry)) {
                ScanFolder(folder + entry.name + '/', fullPath, subFolders);
                continue;
            }
        }
        if (entry.name.startsWith('.'))
            continue;
        const QString name = LocalPath::fromNative(entry.name);
        if (!ExtensionMatches(name.toLower(), FExtensions))
            continue;
        if (!typeKnown && !lookAtTarget())
            continue;
        AddFile(fullPath ? folderText + name : name);
    }
}

void tListFiles::AddFile(const QString &name)
{
    if (isInterruptionRequested())
        return;
    QMutexLocker lock(&AddLock);
    if (isInterruptionRequested())
        return;
    // Stays Failed if the call is dropped unrun (the receiving thread is going away).
    Delivery outcome = Delivery::Failed;
    QMetaObject::invokeMethod(
        this, [&] { outcome = deliver(name); }, Qt::BlockingQueuedConnection);
    if (outcome == Delivery::Failed)
        throw WalkAborted();
}

// Runs on the receiver's thread while the worker waits.
tListFiles::Delivery tListFiles::deliver(const QString &name)
{
    if (isInterruptionRequested())
        return Delivery::Skipped;
    if (!m_receiver)
        return Delivery::Failed;
    try {
        FList.addFile(name);
    } catch (...) {
        return Delivery::Failed;
    }
    return Delivery::Added;
}

// Runs on the receiver's thread after the walk.
void tListFiles::endNotice()
{
    deleteLater();
    if (m_receiver && FOnTerminate)
        FOnTerminate();
}

bool tListFiles::onWalkPath(dev_t device, ino_t inode) const
{
    return std::find(m_walkPath.cbegin(), m_walkPath.cend(), std::pair(device, inode))
        != m_walkPath.cend();
}
