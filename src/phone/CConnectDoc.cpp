#include "CConnectDoc.h"

#include "CPortTable.h"
#include "CUdevDeviceLister.h"
#include "CWorkFolder.h"
#include "IOverwriteAsker.h"
#include "IPhoneImporter.h"
#include "PhoneMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

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

CConnectDoc::CConnectDoc(const QString &folder, QObject *parent) : QObject(parent), workFolder(folder)
{
    folderSession.SetStopFlag(&abortFlag);
    sessionA.SetStopFlag(&abortFlag);
    sessionB.SetStopFlag(&abortFlag);
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

CObexSerialPort &CConnectDoc::Session()
{
    switch (kind) {
    case PortKind::FolderBrowsing:
        return folderSession;
    case PortKind::OtherObex:
        return sessionB;
    default:
        return sessionA;
    }
}

void CConnectDoc::Post(int message, int param1, int param2, const QString &text)
{
    emit Message(message, param1, param2, text);
}

bool CConnectDoc::StartWorker(Operation operation)
{
    if (m_worker)
        return false;
    cancel = false;
    abortFlag = false;
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
    cancel = true;
    abortFlag = true;
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
    }
    if (close)
        CloseConnection();
}

bool CConnectDoc::WasStoppedByUser()
{
    return Session().IsCancelled();
}

void CConnectDoc::CloseConnection()
{
    if (kind == PortKind::FolderBrowsing)
        folderSession.CloseFolder();
    else if (kind != PortKind::NotPhone)
        Session().ClosePhoneBook();
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
           phones.contains(ports.value(selectedPort));
}

bool CConnectDoc::ListNameCards()
{
    bool ok = folderSession.OpenNameCardFolder() && folderSession.ListVCards(entries);
    if (!ok)
        entries.clear();
    present = QList<int>(entries.size(), 1);
    CloseConnection();
    return ok;
}

bool CConnectDoc::AskMoveOverwrites()
{
    const bool batch = selection.size() > 1;
    bool all = false;
    QList<int> kept;
    for (int index : std::as_const(selection)) {
        const QString name = entries[index].name;
        const QString path = QDir(destinationFolder).filePath(name);
        if (!all && IsSafeEntryName(name) && QFileInfo::exists(path) && m_asker) {
            switch (m_asker->AskOverwrite(path, batch)) {
            case IOverwriteAsker::Cancel:
                selection.clear();
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
    selection = kept;
    return true;
}

void CConnectDoc::DeleteWorkFolder() const
{
    CWorkFolder::Remove(workFolder);
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
    CObexSerialPort &session = Session();
    session.SetStopFlag(&abortFlag);
    const CSerialPortInfo port = ports.value(selectedPort);
    auto fail = [&](int code) {
        Post(PhoneMessage::ConnectFailed, session.IsCancelled() ? int(PhoneMessage::StoppedByUser) : code);
    };
    CBuffer info;
    if (kind == PortKind::FolderBrowsing) {
        Post(PhoneMessage::ConnectStart, 3);
        if (!session.ConnectFolder(port, password))
            return fail(PhoneMessage::ConnectFailure);
        Post(PhoneMessage::ConnectStep, 1);
        if (!session.GetDeviceInfo(info))
            return fail(PhoneMessage::DeviceInfoFailure);
        Post(PhoneMessage::ConnectStep, 2);
        if (!session.OpenNameCardFolder())
            return fail(PhoneMessage::NameCardFolderFailure);
        Post(PhoneMessage::ConnectStep, 3);
    } else {
        Post(PhoneMessage::ConnectStart, 2);
        if (!session.ConnectPhoneBook(port, password))
            return fail(PhoneMessage::ConnectFailure);
        Post(PhoneMessage::ConnectStep, 1);
        if (!session.GetDeviceInfo(info))
            return fail(PhoneMessage::DeviceInfoFailure);
        Post(PhoneMessage::ConnectStep, 2);
    }
    QThread::msleep(100);
    Post(PhoneMessage::Connected);
}

void CConnectDoc::PhoneBookImportWorker()
{
    Post(PhoneMessage::OperationText, 0, 0, QStringLiteral("電話帳データ取得中..."));
    counters.fill(0);
    if (m_importer)
        m_importer->ResetRememberedAnswer();
    CBuffer phoneBook;
    if (!Session().GetPhoneBook(phoneBook, this)) {
        CloseConnection();
        Post(PhoneMessage::Done);
        return;
    }
    // The phone is released before any card is touched.
    CloseConnection();
    QThread::msleep(100);
    Post(PhoneMessage::OperationText, 0, 0, QStringLiteral("解析中..."));
    Post(PhoneMessage::Position, 0, PhoneMessage::BarOnly);
    const int count = m_importer ? m_importer->CountVCards(Bytes(phoneBook), kind, cancel) : -1;
    if (count > 1) {
        Post(PhoneMessage::OperationText, 0, 0, QStringLiteral("インポート中..."));
        Post(PhoneMessage::Range, count - 1, PhoneMessage::Both);
        Post(PhoneMessage::Position, 0, PhoneMessage::Both);
        Post(PhoneMessage::StopButton, 1);
        // The first card of a phone book is the owner's own entry.
        for (int i = 1; i < count && !cancel; ++i) {
            m_importer->ImportPhoneBookCard(i, counters);
            Post(PhoneMessage::Position, i, PhoneMessage::Both);
        }
    }
    Post(PhoneMessage::Done);
}

QList<CConnectDoc::Fetched> CConnectDoc::FetchSelected()
{
    Post(PhoneMessage::OperationText, 0, 0, QStringLiteral("ファイル取得中..."));
    BeginSelection();
    QList<Fetched> fetched;
    for (qsizetype i = 0; i < selection.size() && !cancel; ++i) {
        const int index = selection[i];
        Post(PhoneMessage::ItemText, 0, 0, entries[index].name);
        CBuffer data;
        if (!folderSession.GetFile(entries[index].name, data)) {
            if (folderSession.IsCancelled())
                break; // the user's stop is not a failed file
            ++counters[PhoneCounter::Failed];
        } else {
            QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("ovdxXXXXXX")));
            file.setAutoRemove(false);
            const QByteArray bytes = Bytes(data);
            if (file.open() && file.write(bytes) == bytes.size() && file.flush()) {
                fetched.append({file.fileName(), index});
            } else {
                file.remove();
                ++counters[PhoneCounter::Failed];
            }
        }
        Post(PhoneMessage::Position, int(i + 1), PhoneMessage::Both);
    }
    CloseConnection();
    return fetched;
}

void CConnectDoc::Finish(const QList<Fetched> &fetched)
{
    QThread::msleep(100);
    for (const Fetched &f : fetched)
        QFile::remove(f.path);
    selection.clear();
    Post(PhoneMessage::Done);
}

void CConnectDoc::FileImportWorker()
{
    const QList<Fetched> fetched = FetchSelected();
    if (!cancel && m_importer) {
        Post(PhoneMessage::OperationText, 0, 0, QStringLiteral("インポート中..."));
        Post(PhoneMessage::Range, int(fetched.size()), PhoneMessage::Both);
        Post(PhoneMessage::Position, 0, PhoneMessage::Both);
        for (qsizetype i = 0; i < fetched.size() && !cancel; ++i) {
            const CSoftbankObexObject &entry = entries[fetched[i].entry];
            Post(PhoneMessage::ItemText, 0, 0, entry.name);
            bool ok = m_importer->ImportVCardSource(fetched[i].path, workFolder, entry.name,
                                                    entry.created.left(8), counters);
            ++counters[ok ? PhoneCounter::Succeeded : PhoneCounter::Failed];
            Post(PhoneMessage::Position, int(i + 1), PhoneMessage::Both);
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
        if (cancel) {
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
    if (!cancel) {
        Post(PhoneMessage::OperationText, 0, 0, QStringLiteral("コピー中..."));
        Post(PhoneMessage::Range, int(fetched.size()), PhoneMessage::Both);
        Post(PhoneMessage::Position, 0, PhoneMessage::Both);
        const bool batch = selection.size() > 1;
        bool all = false;
        for (qsizetype i = 0; i < fetched.size() && !cancel; ++i) {
            const QString name = entries[fetched[i].entry].name;
            Post(PhoneMessage::ItemText, 0, 0, name);
            const QString destination = QDir(destinationFolder).filePath(name);
            bool skip = false;
            if (IsSafeEntryName(name) && QFileInfo::exists(destination) && !all && m_asker) {
                IOverwriteAsker::Answer answer = m_asker->AskOverwrite(destination, batch);
                if (answer == IOverwriteAsker::Cancel)
                    break;
                skip = answer == IOverwriteAsker::No;
                all = answer == IOverwriteAsker::YesToAll;
            }
            if (skip) {
                ++counters[PhoneCounter::Skipped];
            } else if (IsSafeEntryName(name) && CopyFile(fetched[i].path, destination)) {
                ++counters[PhoneCounter::Succeeded];
                Post(PhoneMessage::ItemChanged, PhoneMessage::Copied, fetched[i].entry);
            } else {
                ++counters[PhoneCounter::Failed];
            }
            Post(PhoneMessage::Position, int(i + 1), PhoneMessage::Both);
        }
    }
    Finish(fetched);
}

void CConnectDoc::BeginSelection()
{
    Post(PhoneMessage::Range, int(selection.size()), PhoneMessage::Both);
    Post(PhoneMessage::Position, 0, PhoneMessage::Both);
    counters.fill(0);
    counters[PhoneCounter::Items] = int(selection.size());
}

void CConnectDoc::MoveWorker()
{
    BeginSelection();
    for (qsizetype i = 0; i < selection.size() && !cancel; ++i) {
        const int index = selection[i];
        const QString name = entries[index].name;
        Post(PhoneMessage::ItemText, 0, 0, name);
        const QString destination = QDir(destinationFolder).filePath(name);
        CBuffer data;
        if (!IsSafeEntryName(name)) {
            ++counters[PhoneCounter::Failed];
        } else if (!folderSession.GetFile(name, data)) {
            if (folderSession.IsCancelled())
                break;
            ++counters[PhoneCounter::Failed];
        } else if (!WriteNewFile(destination, data)) {
            QFile::remove(destination);
            ++counters[PhoneCounter::Failed];
        } else if (folderSession.DeleteFile(name)) {
            present[index] = 0;
            ++counters[PhoneCounter::Succeeded];
            Post(PhoneMessage::ItemChanged, PhoneMessage::Moved, index);
        } else {
            // The file stays on the phone, so the copy must not stay here too.
            QFile::remove(destination);
            ++counters[PhoneCounter::Failed];
        }
        Post(PhoneMessage::Position, int(i + 1), PhoneMessage::Both);
    }
    Finish({});
}

void CConnectDoc::DeleteWorker()
{
    BeginSelection();
    for (qsizetype i = 0; i < selection.size() && !cancel; ++i) {
        const int index = selection[i];
        Post(PhoneMessage::ItemText, 0, 0, entries[index].name);
        QThread::msleep(1);
        if (folderSession.DeleteFile(entries[index].name)) {
            present[index] = 0;
            ++counters[PhoneCounter::Succeeded];
            Post(PhoneMessage::ItemChanged, PhoneMessage::Deleted, index);
        } else {
            ++counters[PhoneCounter::Failed];
        }
        Post(PhoneMessage::Position, int(i + 1), PhoneMessage::Both);
        QThread::msleep(1);
    }
    Finish({});
}
