#pragma once

#include "CObexSerialPort.h"
#include "CSerialPortInfo.h"
#include "CSoftbankObexObject.h"
#include "IProgressSink.h"
#include "PhoneCounters.h"
#include "PortKind.h"

#include <QList>
#include <QObject>
#include <QString>
#include <atomic>

class IDeviceLister;
class IOverwriteAsker;
class IPhoneImporter;
class QThread;

// The user's connection with one phone: the chosen port, the three OBEX
// sessions, the name-card entries, and one worker thread at a time that runs
// a phone operation and reports through Message (queued to the receiver).
class CConnectDoc : public QObject, private IProgressSink
{
    Q_OBJECT

public:
    enum Operation
    {
        ConnectPhone,
        ImportPhoneBook,
        ImportFiles,
        Copy,
        Move,
        Delete
    };

    explicit CConnectDoc(const QString &workFolder, QObject *parent = nullptr);
    ~CConnectDoc() override;

    // Does nothing (false) while a worker exists.
    bool StartWorker(Operation operation);
    // Waits without limit for the worker; with close set, asks it to stop first
    // and closes the connection afterwards.
    void StopWorker(bool close);
    // Raises the cancel flag and the abort byte.
    void RequestStop();
    bool IsWorkerRunning() const;
    void CloseConnection();
    // The selected port must still be among the phone ports (rediscovered).
    bool CheckPhonePresent();
    bool CheckPhonePresent(IDeviceLister &lister);
    // Opens the name-card folder, lists its vCard files and disconnects.
    bool ListNameCards();
    // The move command's overwrite questions, before connecting: drops the
    // entries answered "いいえ"; false when the user cancelled.
    bool AskMoveOverwrites();
    void DeleteWorkFolder() const;
    // True when the last connect ended because the user stopped it.
    bool WasStoppedByUser();
    CObexSerialPort &Session();

    void SetImporter(IPhoneImporter *importer) { m_importer = importer; }
    void SetOverwriteAsker(IOverwriteAsker *asker) { m_asker = asker; }
    // A file name from the phone that may be joined to a local folder.
    static bool IsSafeEntryName(const QString &name);

    QList<CSerialPortInfo> ports;
    int selectedPort = 0;
    PortKind kind = PortKind::NotPhone;
    CObexSerialPort folderSession;
    CObexSerialPort sessionA; // kinds 1 and 3
    CObexSerialPort sessionB; // kind 2
    CSoftbankObexObjectArray entries;
    QList<int> present;
    QList<int> selection;
    std::atomic_bool cancel{false};
    std::atomic_bool abortFlag{false}; // the stop flag of all three sessions
    QString workFolder;
    QString destinationFolder;
    QString password;
    PhoneCounters counters{};

signals:
    void Message(int message, int param1, int param2, const QString &text);

private:
    struct Fetched
    {
        QString path;
        int entry;
    };

    void Post(int message, int param1 = 0, int param2 = 0, const QString &text = QString()) override;
    void Run(Operation operation);
    void ConnectWorker();
    void PhoneBookImportWorker();
    void FileImportWorker();
    void CopyWorker();
    void MoveWorker();
    void DeleteWorker();
    QList<Fetched> FetchSelected();
    bool CopyFile(const QString &from, const QString &to);
    void Finish(const QList<Fetched> &fetched);
    // Progress range and counters for a run over the selected entries.
    void BeginSelection();

    QThread *m_worker = nullptr;
    IPhoneImporter *m_importer = nullptr;
    IOverwriteAsker *m_asker = nullptr;
};
