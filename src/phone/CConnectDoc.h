#pragma once

#include "CObexSerialPort.h"
#include "CSerialPortInfo.h"
#include "CSoftbankObexObject.h"
#include "IProgressSink.h"
#include "PhoneCounters.h"
#include "PhoneJob.h"
#include "PhoneProgress.h"
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
// a phone operation on its own copy of that state and reports through the
// signals below (queued to receivers on other threads, in order).
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

    // Hands the worker a copy of the state it needs; an operation on files
    // takes the selection with it. Does nothing (false) while a worker exists.
    bool StartWorker(Operation operation);
    // Waits without limit for the worker and takes back what it changed (the
    // counters, the present flags); with close set, asks it to stop first and
    // closes the connection afterwards.
    void StopWorker(bool close);
    // Raises the cancel flag and the abort byte; safe in a signal handler.
    void RequestStop();
    bool IsWorkerRunning() const;
    void CloseConnection();
    // The selected port must still be among the phone ports (rediscovered).
    bool CheckPhonePresent();
    bool CheckPhonePresent(IDeviceLister &lister);
    // Opens the name-card folder, lists its vCard files and disconnects.
    bool ListNameCards();
    // The move command's overwrite questions, before connecting: drops the
    // selected entries answered "いいえ"; false when the user cancelled.
    bool AskMoveOverwrites();
    void DeleteWorkFolder() const;
    // True when the last connect ended because the user stopped it.
    bool WasStoppedByUser() const;
    // The session of the selected port's kind.
    const CObexSerialPort &Session() const { return SessionFor(m_kind); }

    // The state below is set while no worker runs; a running worker keeps the
    // copy it started with.
    // The phone ports found, and the one to connect (its kind picks the session).
    void SetPorts(const QList<CSerialPortInfo> &ports, int selected);
    const QList<CSerialPortInfo> &Ports() const { return m_ports; }
    int SelectedPort() const { return m_selectedPort; }
    PortKind Kind() const { return m_kind; }
    void SetPassword(const QString &password) { m_password = password; }
    void SetWorkFolder(const QString &folder) { m_workFolder = folder; }
    void SetDestinationFolder(const QString &folder) { m_destinationFolder = folder; }
    // The phone's name-card files, every one of them on the phone.
    void SetEntries(const CSoftbankObexObjectArray &entries);
    const CSoftbankObexObjectArray &Entries() const { return m_entries; }
    // 1 for an entry still on the phone, 0 for one moved or deleted.
    const QList<int> &Present() const { return m_present; }
    // Entry indexes the next copy, move, delete or file import works on.
    void SetSelection(const QList<int> &entries) { m_selection = entries; }
    const QList<int> &Selection() const { return m_selection; }
    // What the last operation counted (PhoneCounter slots).
    const PhoneCounters &Counters() const { return m_counters; }
    void SetImporter(IPhoneImporter *importer) { m_importer = importer; }
    void SetOverwriteAsker(IOverwriteAsker *asker) { m_asker = asker; }

    // A file name from the phone that may be joined to a local folder.
    static bool IsSafeEntryName(const QString &name);

signals:
    // The connect worker: the number of steps, each step reached, and how it ended.
    void ConnectStarted(int steps);
    void ConnectStep(int step);
    void Connected();
    void ConnectFailed(PhoneFailure failure);
    // The other workers.
    void OperationText(const QString &text);
    void ItemText(const QString &name);
    void Range(int range, ProgressTarget target);
    void Position(int position, ProgressTarget target);
    void StopButton(bool enabled);
    void ItemChanged(PhoneItemChange change, int entry);
    void Done();

private:
    struct Fetched
    {
        QString path;
        int entry;
    };

    void SetRange(int range, ProgressTarget target) override { emit Range(range, target); }
    void SetPosition(int position, ProgressTarget target) override { emit Position(position, target); }
    CObexSerialPort &SessionFor(PortKind kind);
    const CObexSerialPort &SessionFor(PortKind kind) const;
    void Close(PortKind kind);

    // On the worker thread, with m_job only.
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

    QList<CSerialPortInfo> m_ports;
    int m_selectedPort = 0;
    PortKind m_kind = PortKind::NotPhone;
    QString m_password;
    QString m_workFolder;
    QString m_destinationFolder;
    CSoftbankObexObjectArray m_entries;
    QList<int> m_present;
    QList<int> m_selection;
    PhoneCounters m_counters{};
    IPhoneImporter *m_importer = nullptr;
    IOverwriteAsker *m_asker = nullptr;

    CObexSerialPort m_folderSession;
    CObexSerialPort m_sessionA; // kinds 1 and 3
    CObexSerialPort m_sessionB; // kind 2
    std::atomic_bool m_cancel{false};
    std::atomic_bool m_abort{false}; // the stop flag of all three sessions
    PhoneJob m_job;                  // the worker's while it exists
    QThread *m_worker = nullptr;
};
