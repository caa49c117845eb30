#include "picture/filebytes.h"

#include "ListFiles/localpath.h"
#include "error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger files are not pictures anyone indexes; refusing them keeps a stray disk
// image from being read into memory.
constexpr qint64 MaxPictureFileBytes = qint64(2) << 30;

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QByteArray readPictureFile(const QString &path)
{
    // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
    const FileDescriptor fd(::open(LocalPath::toNative(path).constData(),
                                   O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        throw PictoloomError(systemReason(errno));

    struct stat info;
    if (::fstat(fd.get(), &info) != 0)
        throw PictoloomError(systemReason(errno));
    if (S_ISDIR(info.st_mode))
        throw PictoloomError(QStringLiteral("Is a folder, not a picture file"));
    if (!S_ISREG(info.st_mode))
        throw PictoloomError(QStringLiteral("Not a regular file"));
    if (info.st_size == 0)
        throw PictoloomError(QStringLiteral("The file is empty"));
    if (info.st_size > MaxPictureFileBytes)
        throw PictoloomError(QStringLiteral("The file is too large to be a picture"));

    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw PictoloomError(systemReason(errno));
        if (n == 0)
            break; // the file shrank while being read
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}
