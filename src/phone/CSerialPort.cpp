#include "CSerialPort.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int PollSliceMs = 100;
}

CSerialPort::~CSerialPort()
{
    Close();
}

bool CSerialPort::Open(const QString &devicePath)
{
    if (m_fd >= 0)
        return false;
    m_cancelled = false;
    const QByteArray path = devicePath.toLocal8Bit();
    // Opened non-blocking so a line without carrier cannot hold the open;
    // writes are blocking again afterwards.
    m_fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return false;
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    termios settings{};
    if (::tcgetattr(m_fd, &settings) != 0) {
        m_isCommDevice = false;
        return false;
    }
    // A tty keeps unread bytes across close and reopen: an abandoned
    // exchange's answer must not be taken for the next one's.
    ::tcflush(m_fd, TCIFLUSH);
    return true;
}

bool CSerialPort::Configure(uint32_t readInterval)
{
    if (m_fd < 0)
        return false;
    termios settings{};
    if (::tcgetattr(m_fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::tcsetattr(m_fd, TCSANOW, &settings) != 0)
        return false;
    // Raise DTR and RTS; pseudo terminals refuse this, which is harmless.
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)::ioctl(m_fd, TIOCMBIS, &lines);
    Timeouts timeouts;
    timeouts.readInterval = readInterval;
    return SetTimeouts(timeouts);
}

bool CSerialPort::SetTimeouts(const Timeouts &timeouts)
{
    m_timeouts = timeouts;
    return m_fd >= 0;
}

bool CSerialPort::Write(const uint8_t *bytes, size_t length)
{
    if (m_fd < 0 || !bytes || length == 0)
        return false;
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::write(m_fd, bytes + done, length - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

bool CSerialPort::ReadExact(size_t count, uint8_t *destination)
{
    const uint64_t deadline = uint64_t(m_timeouts.readTotalMultiplier) * count + m_timeouts.readTotalConstant;
    QElapsedTimer clock;
    clock.start();
    size_t have = 0;
    while (!m_stop->load()) {
        if (m_fd < 0)
            return false;
        if (have >= count)
            return true;
        size_t want = count - have;
        if (m_isCommDevice) {
            int waiting = 0;
            if (::ioctl(m_fd, FIONREAD, &waiting) != 0)
                return false;
            want = std::min(want, size_t(std::max(waiting, 0)));
        }
        if (want > 0) {
            ssize_t n = ::read(m_fd, destination + have, want);
            if (n < 0 && errno != EINTR && errno != EAGAIN)
                return false;
            if (n > 0)
                have += size_t(n);
            if (have >= count)
                return true;
        }
        // Wake as soon as bytes arrive, but at least every slice to look at the stop flag.
        pollfd p{m_fd, POLLIN, 0};
        int ready = ::poll(&p, 1, PollSliceMs);
        if (ready > 0 && (p.revents & (POLLERR | POLLNVAL | POLLHUP)) && !(p.revents & POLLIN))
            return false; // the device went away
        if (deadline != 0 && uint64_t(clock.elapsed()) > deadline)
            return false;
    }
    m_cancelled = true;
    Close();
    return false;
}

void CSerialPort::Close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
