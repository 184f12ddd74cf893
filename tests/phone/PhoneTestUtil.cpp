#include "PhoneTestUtil.h"

#include "CConnectDoc.h"

#include <QFile>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray Utf16Name(const QString &name)
{
    QByteArray out;
    for (QChar c : name) {
        out.append(char(c.unicode() >> 8));
        out.append(char(c.unicode() & 0xFF));
    }
    out.append(2, '\0');
    return out;
}

QByteArray ToBytes(const CBuffer &buffer)
{
    return QByteArray(reinterpret_cast<const char *>(buffer.Data()), qsizetype(buffer.Length()));
}

QByteArray SimVCard(const QString &name)
{
    return "BEGIN:VCARD\r\nVERSION:2.1\r\nN:" + name.toUtf8() + "\r\nEND:VCARD\r\n";
}

SimulatedPhone::SimulatedPhone(const QStringList &args)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The system interpreter starts fastest; version-manager shims add a second.
    const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStringLiteral("python3");
    m_process.start(python, QStringList{QStringLiteral(PHONE_SIM)} + args);
    if (m_process.waitForStarted(5000)) {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
        }
        m_path = QString::fromUtf8(m_process.readLine()).trimmed();
    }
}

SimulatedPhone::~SimulatedPhone()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(2000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

ScriptedPeer::ScriptedPeer()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) {
        termios t{};
        ::tcgetattr(m_slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(m_slave, TCSANOW, &t);
        m_path = QString::fromLocal8Bit(name);
    }
}

ScriptedPeer::~ScriptedPeer()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

static bool ReadFull(int fd, QByteArray &out, qsizetype count)
{
    while (out.size() < count) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            return false;
        char chunk[4096];
        ssize_t n = ::read(fd, chunk, size_t(std::min<qsizetype>(count - out.size(), sizeof chunk)));
        if (n <= 0)
            return false;
        out.append(chunk, n);
    }
    return true;
}

void ScriptedPeer::Script(const QList<QByteArray> &answers)
{
    m_thread = std::thread([this, answers] {
        for (const QByteArray &answer : answers) {
            QByteArray request;
            if (!ReadFull(m_master, request, 3))
                return;
            const qsizetype length = (uchar(request[1]) << 8) | uchar(request[2]);
            if (!ReadFull(m_master, request, std::max<qsizetype>(length, 3)))
                return;
            m_received.append(request);
            if (!answer.isEmpty() && ::write(m_master, answer.constData(), size_t(answer.size())) < 0)
                return;
        }
    });
}

QList<QByteArray> ScriptedPeer::Received()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_received;
}

void UseSinglePort(CConnectDoc &doc, const QString &path, PortKind kind)
{
    CSerialPortInfo info;
    info.devicePath = path;
    info.kind = kind;
    doc.ports = {info};
    doc.selectedPort = 0;
    doc.kind = kind;
}
