#include "paths/atomicfile.h"

#include "ListFiles/localpath.h"
#include "error.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void cannotCreate(const QString &path, int error)
{
    throw PictoloomError(QStringLiteral("Cannot create file \"%1\". %2")
                             .arg(path, QString::fromStdString(std::generic_category().message(error))));
}

// Closes the descriptor and, until released, removes the temporary file.
struct TemporaryFile
{
    QByteArray name;
    int fd = -1;
    ~TemporaryFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (!name.isEmpty())
            ::unlink(name.constData());
    }
};

// QFile spells names as UTF-8, so a name holding other bytes (see LocalPath)
// would come out as another name. Such a file is written with the name's own
// bytes, through a temporary file in the same folder renamed over it.
void writeNativeFile(const QByteArray &bytes, const QString &path)
{
    const QByteArray native = LocalPath::toNative(path);
    TemporaryFile temp;
    // A short name of its own, so that a name at the length limit still gets one.
    temp.name = native.left(native.lastIndexOf('/') + 1) + ".pictoloom-XXXXXX";
    temp.fd = ::mkstemp(temp.name.data());
    if (temp.fd < 0) {
        temp.name.clear();
        cannotCreate(path, errno);
    }
    // mkstemp makes the file private; a copy is as readable as QSaveFile would make it.
    if (::fchmod(temp.fd, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH) != 0)
        cannotCreate(path, errno);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(temp.fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            cannotCreate(path, n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (::fsync(temp.fd) != 0 || ::close(std::exchange(temp.fd, -1)) != 0)
        cannotCreate(path, errno);
    if (::rename(temp.name.constData(), native.constData()) != 0)
        cannotCreate(path, errno);
    temp.name.clear();
}

} // namespace

void WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (QFile::encodeName(path) != LocalPath::toNative(path))
        return writeNativeFile(bytes, path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw PictoloomError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw PictoloomError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
}
