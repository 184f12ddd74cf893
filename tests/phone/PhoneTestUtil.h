#pragma once

#include "CBuffer.h"
#include "PortKind.h"

#include <QByteArray>
#include <QList>
#include <QMetaObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <atomic>
#include <thread>

class CConnectDoc;

// Points the document at one port of the given kind, selected.
void UseSinglePort(CConnectDoc &doc, const QString &path, PortKind kind);

// "80 00 07" -> bytes.
QByteArray Hex(const char *text);
QByteArray Utf16Name(const QString &name); // UTF-16BE plus 00 00
QByteArray ToBytes(const CBuffer &buffer);
// The content the simulator serves for a file of that name.
QByteArray SimVCard(const QString &name);

// The phone simulator running as a child process on its own pseudo-terminal.
class SimulatedPhone
{
public:
    explicit SimulatedPhone(const QStringList &args);
    ~SimulatedPhone();
    QString Path() const { return m_path; }
    // Waits until the phone has received a request it leaves unanswered (a
    // silent option); false when none came in time.
    bool WaitForUnanswered(int timeoutMs = 60000);

private:
    QProcess m_process;
    QString m_path;
};

// Everything a document reports, in order, one line per signal: its name and
// arguments ("ConnectStep 2", "ItemText b.vcf", "ItemChanged Moved 3", "Done").
class PhoneEventLog
{
public:
    explicit PhoneEventLog(CConnectDoc &doc);
    ~PhoneEventLog();
    PhoneEventLog(const PhoneEventLog &) = delete;
    PhoneEventLog &operator=(const PhoneEventLog &) = delete;

    QStringList lines;
    // The rest of each line that starts with these words, in order.
    QStringList Of(const QString &words) const;
    QString Last() const { return lines.isEmpty() ? QString() : lines.last(); }
    void Clear();
    // Handles events until a worker's last report (Connected, ConnectFailed or
    // Done) has come since the last Clear; false when it did not come in time.
    bool WaitForEnd(int timeoutMs = 60000);

private:
    void Add(const QString &line, bool last = false);

    QList<QMetaObject::Connection> m_connections;
    bool m_ended = false;
};

// A pseudo-terminal whose other end the test drives itself: it records each
// request packet and answers with scripted bytes.
class ScriptedPeer
{
public:
    ScriptedPeer();
    ~ScriptedPeer();
    QString Path() const { return m_path; }
    // Answers the next requests in order, on a background thread.
    void Script(const QList<QByteArray> &answers);
    // Waits for the script to end; returns the requests received.
    QList<QByteArray> Received();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::thread m_thread;
    QList<QByteArray> m_received;
};
