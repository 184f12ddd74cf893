#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running program per machine. A lock file in the system temporary folder that every
// user can open is held with flock (the kernel drops it when the process dies, so a crash
// never blocks a later start); the holder writes its user id into the file. A second start
// by the same user asks the running one over a per-user local socket to come to the front.
class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    enum Result
    {
        Acquired,
        HeldBySameUser,
        HeldByOtherUser,
        Failed
    };

    explicit CSingleInstance(QObject *parent = nullptr);
    ~CSingleInstance() override;

    static QString LockPath();
    static QString ServerName();

    Result Acquire();
    // Starts listening for raise requests (call after Acquire succeeded).
    bool Listen();
    // Asks the running instance of this user to come to the front; true when it answered.
    static bool AskToRaise(int timeoutMs = 3000);

signals:
    void RaiseRequested();

private:
    int m_fd = -1;
    QLocalServer *m_server = nullptr;
};
