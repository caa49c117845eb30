#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>

#include <sys/types.h>

#include <functional>
#include <utility>
#include <vector>

// The list a scanner fills. The list belongs to the receiver's thread, so the
// scanner never touches it: it asks that thread to run addFile and waits until
// it has run. addFile may throw to refuse an entry; that ends the walk.
struct tListTarget
{
    QObject *receiver = nullptr;
    std::function<void(const QString &path)> addFile;
};

// One directory entry as the walk sees it: the name's raw bytes and whether
// it leads to a folder (links followed).
struct tDirEntry
{
    QByteArray name;
    bool isDirectory = false;
};

// Finds the files of one folder (and, if asked, of all its sub-folders) whose
// names pass the extension test, and hands them one by one to a list.
//
// Create it with new: it starts at once and deletes itself after its end notice,
// so the creator must not keep its pointer. The receiver's thread runs every
// hand-over and the end notice; it must keep processing events while scans run.
// Never wait() for a scanner on that thread: the scanner may be waiting on it.
// To stop scans (closing the window), call StopAll() and then WaitAll().
class tListFiles final : public QThread
{
    Q_OBJECT

public:
    using EndNotice = std::function<void()>;

    // Throws PictoloomError when list lacks its receiver or addFile. onTerminate runs on the
    // receiver's thread once the walk is over, however it ended, unless the
    // receiver is gone by then.
    tListFiles(const QString &path, const tListTarget &list, const QString &extensions,
               bool fullPath, bool subFolders, EndNotice onTerminate = {});

    // Asks every running scanner to stop; returns at once. A stopped scanner
    // hands over nothing more and looks into no folder it opens afterwards.
    static void StopAll();
    // Whether any scanner is still walking.
    static bool AnyRunning();
    // Returns when no scanner is walking any more. processEvents is called
    // between checks and must run the receivers' pending events (the window
    // passes QCoreApplication::processEvents), so no hand-over is left waiting.
    static void WaitAll(const std::function<void()> &processEvents);

    // The file-name test: lowerName's extension (from its last ".", as long as
    // no "/" follows) must occur in extensions as typed. An extension of just "."
    // never passes; the list "*" passes every other name, even without extension.
    static bool ExtensionMatches(const QString &lowerName, const QString &extensions);
    // A folder other than "." and "..".
    static bool IsSubFolder(const tDirEntry &entry);

protected:
    void run() override;

private:
    ~tListFiles() override;

    void ScanFolder(const QByteArray &folder, bool fullPath, bool subFolders);
    enum class Delivery { Added, Skipped, Failed };

    void AddFile(const QString &name);
    Delivery deliver(const QString &name);
    void endNotice();
    void leaveRegistry();
    bool onWalkPath(dev_t device, ino_t inode) const;

    QString FPath;
    tListTarget FList;
    QString FExtensions;
    bool FFullPath;
    bool FSubFolders;
    EndNotice FOnTerminate;

    // Guards the receiver; read only on its thread, where it is destroyed.
    QPointer<QObject> m_receiver;
    // The folders from the start folder down to the one being listed, so that
    // a link leading back up is not walked again.
    std::vector<std::pair<dev_t, ino_t>> m_walkPath;
};
