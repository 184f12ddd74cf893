#include "CConnectDoc.h"

#include "CPortTable.h"
#include "CUdevDeviceLister.h"
#include "CWorkFolder.h"
#include "IOverwriteAsker.h"
#include "IPhoneImporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>
#include <utility>

namespace {

QByteArray Bytes(const CBuffer &buffer)
{
    return QByteArray(reinterpret_cast<const char *>(buffer.Data()), qsizetype(buffer.Length()));
}

bool WriteNewFile(const QString &path, const CBuffer &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = Bytes(data);
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

CConnectDoc::CConnectDoc(const QString &folder, QObject *parent) : QObject(parent), m_workFolder(folder)
{
    m_folderSession.SetStopFlag(&m_abort);
    m_sessionA.SetStopFlag(&m_abort);
    m_sessionB.SetStopFlag(&m_abort);
}

CConnectDoc::~CConnectDoc()
{
    StopWorker(true);
}

bool CConnectDoc::IsSafeEntryName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

const CObexSerialPort &CConnectDoc::SessionFor(PortKind kind) const
{
    switch (kind) {
    case PortKind::FolderBrowsing:
        return m_folderSession;
    case PortKind::OtherObex:
        return m_sessionB;
    default:
        return m_sessionA;
    }
}

CObexSerialPort &CConnectDoc::SessionFor(PortKind kind)
{
    return const_cast<CObexSerialPort &>(std::as_const(*this).SessionFor(kind));
}

void CConnectDoc::SetPorts(const QList<CSerialPortInfo> &ports, int selected)
{
    m_ports = ports;
    m_selectedPort = selected;
    m_kind = ports.value(selected).kind;
}

void CConnectDoc::SetEntries(const CSoftbankObexObjectArray &entries)
{
    m_entries = entries;
    m_present = QList<int>(entries.size(), 1);
}

bool CConnectDoc::StartWorker(Operation operation)
{
    if (m_worker)
        return false;
    m_cancel = false;
    m_abort = false;
    m_job.port = m_ports.value(m_selectedPort);
    m_job.kind = m_kind;
    m_job.password = m_password;
    m_job.workFolder = m_workFolder;
    m_job.destinationFolder = m_destinationFolder;
    m_job.entries = m_entries;
    // The files an operation works on are its own; the next command picks anew.
    const bool onFiles = operation != ConnectPhone && operation != ImportPhoneBook;
    m_job.selection = onFiles ? std::exchange(m_selection, {}) : QList<int>();
    m_job.importer = m_importer;
    m_job.asker = m_asker;
    m_job.counters = m_counters;
    m_job.present = m_present;
    m_worker = QThread::create([this, operation] { Run(operation); });
    m_worker->start();
    return true;
}

void CConnectDoc::RequestStop()
{
    // The abort byte is raised even while no port is open: a worker that is
    // about to open one would otherwise wait on a silent phone for ever, and
    // whether a port is open cannot be read safely from this thread. The next
    // worker starts with both flags cleared.
    m_cancel = true;
    m_abort = true;
}

bool CConnectDoc::IsWorkerRunning() const
{
    return m_worker && m_worker->isRunning();
}

void CConnectDoc::StopWorker(bool close)
{
    if (m_worker) {
        if (close && m_worker->isRunning())
            RequestStop();
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
        m_counters = m_job.counters;
        m_present = m_job.present;
    }
    if (close)
        CloseConnection();
}

bool CConnectDoc::WasStoppedByUser() const
{
    return Session().IsCancelled();
}

void CConnectDoc::CloseConnection()
{
    Close(m_kind);
}

void CConnectDoc::Close(PortKind kind)
{
    if (kind == PortKind::FolderBrowsing)
        m_folderSession.CloseFolder();
    else if (kind != PortKind::NotPhone)
        SessionFor(kind).ClosePhoneBook();
}

bool CConnectDoc::CheckPhonePresent()
{
    CUdevDeviceLister lister;
    return CheckPhonePresent(lister);
}

bool CConnectDoc::CheckPhonePresent(IDeviceLister &lister)
{
    QList<CSerialPortInfo> phones;
    return CPortTable::RefreshPorts(lister) && CPortTable::GetPhonePorts(phones) &&
           phones.contains(m_ports.value(m_selectedPort));
}

bool CConnectDoc::ListNameCards()
{
    CSoftbankObexObjectArray listed;
    const bool ok = m_folderSession.OpenNameCardFolder() && m_folderSession.ListVCards(listed);
    SetEntries(ok ? listed : CSoftbankObexObjectArray());
    CloseConnection();
    return ok;
}

bool CConnectDoc::AskMoveOverwrites()
{
    const bool batch = m_selection.size() > 1;
    bool all = false;
    QList<int> kept;
    for (int index : std::as_const(m_selection)) {
        const QString name = m_entries[index].name;
        const QString path = QDir(m_destinationFolder).filePath(name);
        if (!all && IsSafeEntryName(name) && QFileInfo::exists(path) && m_asker) {
            switch (m_asker->AskOverwrite(path, batch)) {
            case IOverwriteAsker::Cancel:
                m_selection.clear();
                return false;
            case IOverwriteAsker::No:
                continue;
            case IOverwriteAsker::YesToAll:
                all = true;
                break;
            case IOverwriteAsker::Yes:
                break;
            }
        }
        kept.append(index);
    }
    m_selection = kept;
    return true;
}

void CConnectDoc::DeleteWorkFolder() const
{
    CWorkFolder::Remove(m_workFolder);
}

void CConnectDoc::Run(Operation operation)
{
    switch (operation) {
    case ConnectPhone:
        ConnectWorker();
        break;
    case ImportPhoneBook:
        PhoneBookImportWorker();
        break;
    case ImportFiles:
        FileImportWorker();
        break;
    case Copy:
        CopyWorker();
        break;
    case Move:
        MoveWorker();
        break;
    case Delete:
        DeleteWorker();
        break;
    }
}

void CConnectDoc::ConnectWorker()
{
    CObexSerialPort &session = SessionFor(m_job.kind);
    session.SetStopFlag(&m_abort);
    auto fail = [&](PhoneFailure failure) {
        emit ConnectFailed(session.IsCancelled() ? PhoneFailure::StoppedByUser : failure);
    };
    CBuffer info;
    if (m_job.kind == PortKind::FolderBrowsing) {
        emit ConnectStarted(3);
        if (!session.ConnectFolder(m_job.port, m_job.password))
            return fail(PhoneFailure::Connect);
        emit ConnectStep(1);
        if (!session.GetDeviceInfo(info))
            return fail(PhoneFailure::DeviceInfo);
        emit ConnectStep(2);
        if (!session.OpenNameCardFolder())
            return fail(PhoneFailure::NameCardFolder);
        emit ConnectStep(3);
    } else {
        emit ConnectStarted(2);
        if (!session.ConnectPhoneBook(m_job.port, m_job.password))
            return fail(PhoneFailure::Connect);
        emit ConnectStep(1);
        if (!session.GetDeviceInfo(info))
            return fail(PhoneFailure::DeviceInfo);
        emit ConnectStep(2);
    }
    QThread::msleep(100);
    emit Connected();
}

void CConnectDoc::PhoneBookImportWorker()
{
    emit OperationText(QStringLiteral("電話帳データ取得中..."));
    PhoneCounters &counters = m_job.counters;
    counters.fill(0);
    IPhoneImporter *importer = m_job.importer;
    if (importer)
        importer->ResetRememberedAnswer();
    CBuffer phoneBook;
    if (!SessionFor(m_job.kind).GetPhoneBook(phoneBook, this)) {
        Close(m_job.kind);
        emit Done();
        return;
    }
    // The phone is released before any card is touched.
    Close(m_job.kind);
    QThread::msleep(100);
    emit OperationText(QStringLiteral("解析中..."));
    emit Position(0, ProgressTarget::BarOnly);
    const int count = importer ? importer->CountVCards(Bytes(phoneBook), m_job.kind, m_cancel) : -1;
    if (count > 1) {
        emit OperationText(QStringLiteral("インポート中..."));
        emit Range(count - 1, ProgressTarget::Both);
        emit Position(0, ProgressTarget::Both);
        emit StopButton(true);
        // The first card of a phone book is the owner's own entry.
        for (int i = 1; i < count && !m_cancel; ++i) {
            importer->ImportPhoneBookCard(i, counters);
            emit Position(i, ProgressTarget::Both);
        }
    }
    emit Done();
}

QList<CConnectDoc::Fetched> CConnectDoc::FetchSelected()
{
    emit OperationText(QStringLiteral("ファイル取得中..."));
    BeginSelection();
    const QList<int> &selection = m_job.selection;
    QList<Fetched> fetched;
    for (qsizetype i = 0; i < selection.size() && !m_cancel; ++i) {
        const int index = selection[i];
        const QString &name = m_job.entries[index].name;
        emit ItemText(name);
        CBuffer data;
        if (!m_folderSession.GetFile(name, data)) {
            if (m_folderSession.IsCancelled())
                break; // the user's stop is not a failed file
            ++m_job.counters[PhoneCounter::Failed];
        } else {
            QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("ovdxXXXXXX")));
            file.setAutoRemove(false);
            const QByteArray bytes = Bytes(data);
            if (file.open() && file.write(bytes) == bytes.size() && file.flush()) {
                fetched.append({file.fileName(), index});
            } else {
                file.remove();
                ++m_job.counters[PhoneCounter::Failed];
            }
        }
        emit Position(int(i + 1), ProgressTarget::Both);
    }
    Close(m_job.kind);
    return fetched;
}

void CConnectDoc::Finish(const QList<Fetched> &fetched)
{
    QThread::msleep(100);
    for (const Fetched &f : fetched)
        QFile::remove(f.path);
    emit Done();
}

void CConnectDoc::FileImportWorker()
{
    const QList<Fetched> fetched = FetchSelected();
    if (!m_cancel && m_job.importer) {
        emit OperationText(QStringLiteral("インポート中..."));
        emit Range(int(fetched.size()), ProgressTarget::Both);
        emit Position(0, ProgressTarget::Both);
        for (qsizetype i = 0; i < fetched.size() && !m_cancel; ++i) {
            const CSoftbankObexObject &entry = m_job.entries[fetched[i].entry];
            emit ItemText(entry.name);
            bool ok = m_job.importer->ImportVCardSource(fetched[i].path, m_job.workFolder, entry.name,
                                                        entry.created.left(8), m_job.counters);
            ++m_job.counters[ok ? PhoneCounter::Succeeded : PhoneCounter::Failed];
            emit Position(int(i + 1), ProgressTarget::Both);
        }
    }
    Finish(fetched);
}

bool CConnectDoc::CopyFile(const QString &from, const QString &to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    char chunk[64 * 1024];
    for (;;) {
        if (m_cancel) {
            out.remove();
            return false;
        }
        qint64 n = in.read(chunk, sizeof chunk);
        if (n < 0 || (n > 0 && out.write(chunk, n) != n)) {
            out.remove();
            return false;
        }
        if (n == 0)
            return out.flush();
    }
}

void CConnectDoc::CopyWorker()
{
    const QList<Fetched> fetched = FetchSelected();
    if (!m_cancel) {
        emit OperationText(QStringLiteral("コピー中..."));
        emit Range(int(fetched.size()), ProgressTarget::Both);
        emit Position(0, ProgressTarget::Both);
        PhoneCounters &counters = m_job.counters;
        const bool batch = m_job.selection.size() > 1;
        bool all = false;
        for (qsizetype i = 0; i < fetched.size() && !m_cancel; ++i) {
            const QString name = m_job.entries[fetched[i].entry].name;
            emit ItemText(name);
            const QString destination = QDir(m_job.destinationFolder).filePath(name);
            bool skip = false;
            if (IsSafeEntryName(name) && QFileInfo::exists(destination) && !all && m_job.asker) {
                IOverwriteAsker::Answer answer = m_job.asker->AskOverwrite(destination, batch);
                if (answer == IOverwriteAsker::Cancel)
                    break;
                skip = answer == IOverwriteAsker::No;
                all = answer == IOverwriteAsker::YesToAll;
            }
            if (skip) {
                ++counters[PhoneCounter::Skipped];
            } else if (IsSafeEntryName(name) && CopyFile(fetched[i].path, destination)) {
                ++counters[PhoneCounter::Succeeded];
                emit ItemChanged(PhoneItemChange::Copied, fetched[i].entry);
            } else {
                ++counters[PhoneCounter::Failed];
            }
            emit Position(int(i + 1), ProgressTarget::Both);
        }
    }
    Finish(fetched);
}

void CConnectDoc::BeginSelection()
{
    const int count = int(m_job.selection.size());
    emit Range(count, ProgressTarget::Both);
    emit Position(0, ProgressTarget::Both);
    m_job.counters.fill(0);
    m_job.counters[PhoneCounter::Items] = count;
}

void CConnectDoc::MoveWorker()
{
    BeginSelection();
    const QList<int> &selection = m_job.selection;
    PhoneCounters &counters = m_job.counters;
    for (qsizetype i = 0; i < selection.size() && !m_cancel; ++i) {
        const int index = selection[i];
        const QString name = m_job.entries[index].name;
        emit ItemText(name);
        const QString destination = QDir(m_job.destinationFolder).filePath(name);
        CBuffer data;
        if (!IsSafeEntryName(name)) {
            ++counters[PhoneCounter::Failed];
        } else if (!m_folderSession.GetFile(name, data)) {
            if (m_folderSession.IsCancelled())
                break;
            ++counters[PhoneCounter::Failed];
        } else if (!WriteNewFile(destination, data)) {
            QFile::remove(destination);
            ++counters[PhoneCounter::Failed];
        } else if (m_folderSession.DeleteFile(name)) {
            m_job.present[index] = 0;
            ++counters[PhoneCounter::Succeeded];
            emit ItemChanged(PhoneItemChange::Moved, index);
        } else {
            // The file stays on the phone, so the copy must not stay here too.
            QFile::remove(destination);
            ++counters[PhoneCounter::Failed];
        }
        emit Position(int(i + 1), ProgressTarget::Both);
    }
    Finish({});
}

void CConnectDoc::DeleteWorker()
{
    BeginSelection();
    const QList<int> &selection = m_job.selection;
    for (qsizetype i = 0; i < selection.size() && !m_cancel; ++i) {
        const int index = selection[i];
        emit ItemText(m_job.entries[index].name);
        QThread::msleep(1);
        if (m_folderSession.DeleteFile(m_job.entries[index].name)) {
            m_job.present[index] = 0;
            ++m_job.counters[PhoneCounter::Succeeded];
            emit ItemChanged(PhoneItemChange::Deleted, index);
        } else {
            ++m_job.counters[PhoneCounter::Failed];
        }
        emit Position(int(i + 1), ProgressTarget::Both);
        QThread::msleep(1);
    }
    Finish({});
}
