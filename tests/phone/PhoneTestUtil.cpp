#include "PhoneTestUtil.h"

#include "CConnectDoc.h"

#include <QFile>
#include <QTest>
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
    // Generous: an interpreter starts slowly on a loaded machine.
    if (m_process.waitForStarted(60000)) {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(60000)) {
        }
        m_path = QString::fromUtf8(m_process.readLine()).trimmed();
    }
}

bool SimulatedPhone::WaitForUnanswered(int timeoutMs)
{
    for (;;) {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(timeoutMs))
                return false;
        if (m_process.readLine().trimmed() == "unanswered")
            return true;
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
        if (::poll(&p, 1, 60000) <= 0)
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
    doc.SetPorts({info}, 0);
}

namespace {

QString TargetName(ProgressTarget target)
{
    switch (target) {
    case ProgressTarget::Both:
        return QStringLiteral("Both");
    case ProgressTarget::CounterOnly:
        return QStringLiteral("CounterOnly");
    case ProgressTarget::BarOnly:
        return QStringLiteral("BarOnly");
    }
    return QStringLiteral("?");
}

QString FailureName(PhoneFailure failure)
{
    switch (failure) {
    case PhoneFailure::Connect:
        return QStringLiteral("Connect");
    case PhoneFailure::DeviceInfo:
        return QStringLiteral("DeviceInfo");
    case PhoneFailure::NameCardFolder:
        return QStringLiteral("NameCardFolder");
    case PhoneFailure::StoppedByUser:
        return QStringLiteral("StoppedByUser");
    }
    return QStringLiteral("?");
}

QString ChangeName(PhoneItemChange change)
{
    switch (change) {
    case PhoneItemChange::Copied:
        return QStringLiteral("Copied");
    case PhoneItemChange::Moved:
        return QStringLiteral("Moved");
    case PhoneItemChange::Deleted:
        return QStringLiteral("Deleted");
    }
    return QStringLiteral("?");
}

} // namespace

PhoneEventLog::PhoneEventLog(CConnectDoc &doc)
{
    // The document is the context: the worker's signals are queued to this thread.
    const auto n = [](int value) { return QString::number(value); };
    m_connections = {
        QObject::connect(&doc, &CConnectDoc::ConnectStarted, &doc,
                         [=, this](int steps) { Add("ConnectStarted " + n(steps)); }),
        QObject::connect(&doc, &CConnectDoc::ConnectStep, &doc,
                         [=, this](int step) { Add("ConnectStep " + n(step)); }),
        QObject::connect(&doc, &CConnectDoc::Connected, &doc, [this] { Add("Connected", true); }),
        QObject::connect(&doc, &CConnectDoc::ConnectFailed, &doc,
                         [this](PhoneFailure f) { Add("ConnectFailed " + FailureName(f), true); }),
        QObject::connect(&doc, &CConnectDoc::OperationText, &doc,
                         [this](const QString &text) { Add("OperationText " + text); }),
        QObject::connect(&doc, &CConnectDoc::ItemText, &doc,
                         [this](const QString &name) { Add("ItemText " + name); }),
        QObject::connect(
            &doc, &CConnectDoc::Range, &doc,
            [=, this](int range, ProgressTarget t) { Add("Range " + n(range) + " " + TargetName(t)); }),
        QObject::connect(&doc, &CConnectDoc::Position, &doc,
                         [=, this](int position, ProgressTarget t) {
                             Add("Position " + n(position) + " " + TargetName(t));
                         }),
        QObject::connect(&doc, &CConnectDoc::StopButton, &doc,
                         [this](bool enabled) { Add(enabled ? "StopButton on" : "StopButton off"); }),
        QObject::connect(&doc, &CConnectDoc::ItemChanged, &doc,
                         [=, this](PhoneItemChange change, int entry) {
                             Add("ItemChanged " + ChangeName(change) + " " + n(entry));
                         }),
        QObject::connect(&doc, &CConnectDoc::Done, &doc, [this] { Add("Done", true); }),
    };
}

PhoneEventLog::~PhoneEventLog()
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        QObject::disconnect(c);
}

void PhoneEventLog::Add(const QString &line, bool last)
{
    lines.append(line);
    m_ended = m_ended || last;
}

QStringList PhoneEventLog::Of(const QString &words) const
{
    QStringList out;
    for (const QString &line : lines) {
        if (line == words)
            out.append(QString());
        else if (line.startsWith(words + QLatin1Char(' ')))
            out.append(line.mid(words.size() + 1));
    }
    return out;
}

void PhoneEventLog::Clear()
{
    lines.clear();
    m_ended = false;
}

bool PhoneEventLog::WaitForEnd(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_ended; }, timeoutMs);
}
