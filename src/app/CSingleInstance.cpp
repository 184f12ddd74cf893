#include "CSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char RaiseMessage[] = "raise\n";

// Opens the shared lock file. In a sticky folder (/tmp) O_CREAT on a file owned by another
// user is refused even when its mode would allow the open, so open the existing file first
// and create it only when it is missing.
int OpenShared(const QByteArray &path)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            ::fchmod(fd, 0666); // the umask must not keep other users out
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// The user id the holder wrote; -1 when not (yet) written.
long ReadHolder(int fd)
{
    char buf[32] = {};
    const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
    if (n <= 0)
        return -1;
    char *end = nullptr;
    const long uid = std::strtol(buf, &end, 10);
    return end != buf ? uid : -1;
}
} // namespace

CSingleInstance::CSingleInstance(QObject *parent) : QObject(parent)
{
}

CSingleInstance::~CSingleInstance()
{
    if (m_server)
        m_server->close();
    if (m_fd >= 0)
        ::close(m_fd); // also releases the lock
}

QString CSingleInstance::LockPath()
{
    return QDir::tempPath() + QStringLiteral("/Tessaly-ORVANE-instance.lock");
}

QString CSingleInstance::ServerName()
{
    return QStringLiteral("Tessaly-ORVANE-%1").arg(::getuid());
}

CSingleInstance::Result CSingleInstance::Acquire()
{
    const int fd = OpenShared(QFile::encodeName(LockPath()));
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? HeldByOtherUser : Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const QByteArray uid = QByteArray::number(static_cast<qlonglong>(::getuid())) + '\n';
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, uid.constData(), uid.size(), 0) != uid.size()) {
            ::close(fd);
            return Failed;
        }
        m_fd = fd;
        return Acquired;
    }
    // Held: the holder writes its user id right after locking; give it a moment.
    long holder = -1;
    for (int i = 0; i < 20 && holder < 0; ++i) {
        holder = ReadHolder(fd);
        if (holder < 0)
            QThread::msleep(50);
    }
    ::close(fd);
    return holder == static_cast<long>(::getuid()) ? HeldBySameUser : HeldByOtherUser;
}

bool CSingleInstance::Listen()
{
    // We hold the lock, so a socket file left behind belongs to a dead instance of ours.
    QLocalServer::removeServer(ServerName());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(ServerName()))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith("raise"))
                    emit RaiseRequested();
                socket->write("ok\n");
                socket->flush();
            });
        }
    });
    return true;
}

bool CSingleInstance::AskToRaise(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(RaiseMessage);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    const bool answered = socket.waitForReadyRead(timeoutMs);
    socket.disconnectFromServer();
    return answered;
}
