#include "CPosixFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CPosixFile::~CPosixFile()
{
    Close();
}

int CPosixFile::Open(const QString &path, bool create)
{
    Close();
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO must not hang; it is refused below anyway.
    int flags = O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (create)
        flags |= O_CREAT;
    const int fd = ::open(name.constData(), flags, 0644);
    if (fd < 0)
        return errno;
    struct stat st;
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = errno;
    else if (!S_ISREG(st.st_mode))
        error = S_ISDIR(st.st_mode) ? EISDIR : NotRegularFile;
    if (error != 0) {
        ::close(fd);
        return error;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    return 0;
}

void CPosixFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int CPosixFile::WriteAt(qint64 pos, const char *data, qsizetype n)
{
    while (n > 0) {
        const ssize_t written = ::pwrite(m_fd, data, size_t(n), off_t(pos));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return EIO;
        data += written;
        n -= written;
        pos += written;
    }
    return 0;
}

int CPosixFile::ReadAt(qint64 pos, char *data, qsizetype n)
{
    while (n > 0) {
        const ssize_t got = ::pread(m_fd, data, size_t(n), off_t(pos));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return EIO;
        data += got;
        n -= got;
        pos += got;
    }
    return 0;
}

int CPosixFile::Sync()
{
    return ::fdatasync(m_fd) == 0 ? 0 : errno;
}

int CPosixFile::Truncate(qint64 size)
{
    return ::ftruncate(m_fd, off_t(size)) == 0 ? 0 : errno;
}

int CPosixFile::Identity(FileIdentity *identity)
{
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        return errno;
    identity->device = st.st_dev;
    identity->inode = st.st_ino;
    identity->size = st.st_size;
    identity->modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return 0;
}
