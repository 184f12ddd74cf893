#include "CCardStore.h"

#include "CCardFileWriter.h"
#include "CChunk.h"
#include "CIdentityKey.h"
#include "CManagementScan.h"
#include "FolderSync.h"
#include "ManagementFileFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool SameIndexKeys(const CCardData &a, const CCardData &b)
{
    return a.YomiName() == b.YomiName() && a.CompanyYomi() == b.CompanyYomi() && a.GroupNo() == b.GroupNo();
}

// The first "%s.bak%d" name (0–255) not taken yet, or empty.
QString FreeBackupName(const QString &path)
{
    for (int n = 0; n < 256; ++n) {
        const QString name = QStringLiteral("%1.bak%2").arg(path).arg(n);
        if (!QFileInfo::exists(name))
            return name;
    }
    return QString();
}

// Keeps a copy of the file under the first free backup name; empty on failure.
QString KeepBackup(const QString &path)
{
    const QString name = FreeBackupName(path);
    if (name.isEmpty())
        return QString();
    // A real copy: the file itself may still be changed in place afterwards.
    if (!QFile::copy(path, name))
        return QString();
    FolderSync::SyncParentOf(name);
    return name;
}

FileIdentity IdentityOf(const QString &path)
{
    FileIdentity identity;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        identity.device = st.st_dev;
        identity.inode = st.st_ino;
        identity.size = st.st_size;
        identity.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }
    return identity;
}

// Opens the file for reading without ever waiting on a FIFO or device.
StoreError OpenForReading(const QString &path, QFile &file)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return errno == EACCES ? StoreError::Unreadable : StoreError::Missing;
    if (S_ISDIR(st.st_mode))
        return StoreError::Folder;
    if (!S_ISREG(st.st_mode))
        return StoreError::NotRegular;
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? StoreError::Unreadable : StoreError::ReadFailed;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return StoreError::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return StoreError::ReadFailed;
    }
    return StoreError::None;
}

} // namespace

// A file read and checked, its cards not yet taken over by the store.
struct CCardStore::Loaded
{
    std::vector<CManagementScan::Found> found;
    OpenReport report;
    FileIdentity identity;
};

// The writer of one change: the caller's batch writer, or one opened for this
// change alone, committed at its end and put back when the change failed.
class CCardStore::WriteScope
{
public:
    WriteScope(CCardStore &store, CCardFileWriter *given) : m_store(store), m_writer(given)
    {
        if (given) {
            if (!given->IsOpen() || given->Path() != store.m_path) {
                store.Fail(StoreError::WriteFailed);
                m_writer = nullptr;
            } else {
                // The batch changes the file until its commit tells the store what it left.
                store.m_identity = FileIdentity();
            }
        } else {
            m_own = store.OpenWriter();
            m_writer = m_own.get();
        }
    }
    CCardFileWriter *Writer() const { return m_writer; }

    // After the writes of one change; false (the change not made) when they
    // or the commit failed.
    bool Finish(bool written)
    {
        if (written && (!m_own || m_own->Commit())) {
            if (m_own)
                m_store.m_identity = m_own->Identity();
            return true;
        }
        m_store.Fail(m_writer->Error() == StoreError::None ? StoreError::WriteFailed : m_writer->Error());
        // A batch writer undoes a failed step itself; a change of our own is undone whole,
        // and when even that fails, memory is made to show what the file holds.
        if (m_own && m_own->RollBack()) {
            m_store.m_identity = m_own->Identity(); // putting it back touched the file too
        } else if (m_own) {
            const StoreError error = m_store.m_error;
            m_own.reset();
            m_store.ReadAgain();
            m_store.m_error = error;
        }
        return false;
    }

private:
    CCardStore &m_store;
    CCardFileWriter *m_writer;
    std::unique_ptr<CCardFileWriter> m_own;
};

CCardStore::BulkChange::BulkChange(CCardStore &store) : m_store(store)
{
    if (m_store.m_bulk.fetch_add(1) == 0)
        emit m_store.AboutToReset();
}

CCardStore::BulkChange::~BulkChange()
{
    if (m_store.m_bulk.fetch_sub(1) == 1)
        emit m_store.Reset();
}

CCardStore::CCardStore(StoreSettings *settings)
    : m_settings(settings ? settings : &m_ownSettings), m_ownSettings(StoreSettings::Defaults()),
      m_index([this](int group) { return !m_groupNames.value(group).isEmpty(); })
{
    ClearMemory();
    ResetGroups();
}

CCardStore::~CCardStore() = default;

bool CCardStore::Fail(StoreError error)
{
    m_error = error;
    return false;
}

void CCardStore::BeginReset()
{
    if (Notifying())
        emit AboutToReset();
}

void CCardStore::EndReset()
{
    if (Notifying())
        emit Reset();
}

// --- file -------------------------------------------------------------------

QString CCardStore::ImageFolderOf(const QString &managementFile)
{
    if (managementFile.isEmpty())
        return QString();
    const QString suffix = QFileInfo(managementFile).suffix();
    const QString base = suffix.isEmpty() ? managementFile : managementFile.chopped(suffix.size() + 1);
    return base + QStringLiteral("_Image");
}

bool CCardStore::CreateNew(const QString &path)
{
    if (path.isEmpty())
        return Fail(StoreError::Missing);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QByteArray header;
    CChunk::AppendU32(header, ManagementFileFormat::TagNMCD);
    CChunk::AppendU32(header, quint32(ManagementFileFormat::HeaderSize));
    CChunk::AppendU32(header, ManagementFileFormat::Version0001);
    CChunk::AppendU32(header, 0);
    // Written aside and renamed: a failure leaves whatever was there.
    QSaveFile file(absolute);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size() || !file.commit())
        return Fail(file.error() == QFileDevice::PermissionsError ? StoreError::ReadOnly
                                                                  : StoreError::WriteFailed);
    FolderSync::SyncParentOf(absolute);
    if (!QDir().mkpath(ImageFolderOf(absolute)))
        return Fail(StoreError::ImageFolder);

    BeginReset();
    ClearMemory();
    ResetGroups();
    m_path = absolute;
    m_report = OpenReport();
    m_identity = IdentityOf(absolute);
    m_usable = true;
    m_error = StoreError::None;
    m_settings->lastLoadedFile = m_path;
    EndReset();
    return true;
}

bool CCardStore::Open(const QString &path)
{
    if (path.isEmpty())
        return Fail(StoreError::Missing);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    Loaded loaded;
    if (!Load(absolute, loaded))
        return false;
    TakeOver(absolute, loaded);
    return true;
}

bool CCardStore::Load(const QString &path, Loaded &loaded)
{
    QFile file;
    if (const StoreError error = OpenForReading(path, file); error != StoreError::None)
        return Fail(error);
    CManagementScan scan;
    if (!scan.Run(file))
        return Fail(scan.LastFailure() == CManagementScan::NotManagementFile ? StoreError::NotManagementFile
                                                                             : StoreError::ReadFailed);
    // Only a file that is a management file gets an image folder beside it.
    if (!QDir().mkpath(ImageFolderOf(path)))
        return Fail(StoreError::ImageFolder);

    loaded.report.repairState = scan.ScanState();
    loaded.report.superseded = scan.SupersededCount();
    if (scan.ScanState() != CManagementScan::Clean) {
        // The clean copy goes to a temporary file beside the management file and
        // is renamed over it, so the old file is never gone before the new one
        // is complete; a damaged file is kept as a backup first.
        QSaveFile save(path);
        bool ok = save.open(QIODevice::WriteOnly) && scan.WriteCleanCopy(file, save);
        if (ok && scan.ScanState() == CManagementScan::Damaged) {
            loaded.report.backupPath = KeepBackup(path);
            ok = !loaded.report.backupPath.isEmpty();
        }
        if (ok)
            ok = save.commit();
        else
            save.cancelWriting();
        loaded.report.rewritten = ok;
        if (ok) {
            FolderSync::SyncParentOf(path);
        } else {
            // The file stays as it was (it may be read-only): the cards keep their records there.
            if (!loaded.report.backupPath.isEmpty())
                QFile::remove(loaded.report.backupPath);
            loaded.report.backupPath.clear();
            for (CManagementScan::Found &f : scan.Cards()) {
                f.cleanOffset = f.fileOffset;
                f.cleanLength = f.fileLength;
            }
        }
    }
    loaded.found = std::move(scan.Cards());
    file.close();
    loaded.identity = IdentityOf(path);
    return true;
}

void CCardStore::TakeOver(const QString &path, Loaded &loaded)
{
    BeginReset();
    m_bulk.fetch_add(1); // no per-card signals while the cards go in
    ClearMemory();
    ResetGroups();
    m_path = path;
    m_report = loaded.report;
    m_identity = loaded.identity;
    m_usable = true;
    m_error = StoreError::None;

    QList<CCardData *> refused;
    m_cards.reserve(loaded.found.size());
    m_records.reserve(loaded.found.size());
    m_slotOf.reserve(qsizetype(loaded.found.size()));
    // No rehashing while the names and keys go in.
    m_slotsByName.reserve(qsizetype(loaded.found.size()));
    m_slotsByKey.reserve(qsizetype(loaded.found.size()));
    for (CManagementScan::Found &f : loaded.found) {
        CCardData *card = f.card.get();
        const int slot = int(m_cards.size());
        m_slotOf.insert(card, slot);
        m_cards.push_back(std::move(f.card));
        m_records.push_back({f.cleanOffset, f.cleanLength});
        if (m_index.Insert(card)) {
            AddName(card, slot);
            ++m_liveCount;
        } else {
            refused.append(card);
        }
    }
    loaded.found.clear();
    if (!refused.isEmpty())
        DropRefused(refused);
    m_settings->lastLoadedFile = m_path;
    m_bulk.fetch_sub(1);
    EndReset();
}

bool CCardStore::ReadAgain()
{
    Loaded loaded;
    if (Load(m_path, loaded)) {
        TakeOver(m_path, loaded);
        return true;
    }
    // Nothing trustworthy is left to show or to write to.
    BeginReset();
    ClearMemory();
    m_usable = false;
    m_identity = FileIdentity();
    EndReset();
    return false;
}

void CCardStore::DropRefused(const QList<CCardData *> &refused)
{
    // Their records are marked dead only once a copy of the file holds them.
    if (m_report.backupPath.isEmpty())
        m_report.backupPath = KeepBackup(m_path);
    // Written directly: when this fails the records stay live and the next open drops them again.
    CCardFileWriter writer;
    writer.SetSync(m_sync);
    const bool open = !m_report.backupPath.isEmpty() &&
                      writer.Open(m_path, FileIdentity(), m_factory ? m_factory() : nullptr);
    for (CCardData *card : refused) {
        const int slot = SlotOf(card);
        RecordPlace &record = m_records[size_t(slot)];
        if (open && record.offset > 0)
            writer.MarkDead(record.offset);
        card->SetId(QString());
        record = RecordPlace();
        m_freeSlots.enqueue(slot);
        ++m_report.droppedCards;
    }
    if (open && writer.Commit())
        m_identity = writer.Identity();
}

std::unique_ptr<CCardFileWriter> CCardStore::OpenWriter()
{
    if (!m_usable) {
        Fail(StoreError::NoFile);
        return nullptr;
    }
    auto writer = std::make_unique<CCardFileWriter>();
    writer->SetSync(m_sync);
    if (!writer->Open(m_path, m_identity, m_factory ? m_factory() : nullptr)) {
        const StoreError error = writer->Error();
        // Another program rewrote the file: our record positions mean nothing
        // there any more, so memory follows the file before anything is written.
        if (error == StoreError::ChangedElsewhere)
            ReadAgain();
        Fail(error);
        return nullptr;
    }
    return writer;
}

void CCardStore::Abandon(CCardFileWriter &writer)
{
    Fail(writer.Error() == StoreError::None ? StoreError::WriteFailed : writer.Error());
    if (writer.RollBack()) {
        m_identity = writer.Identity();
    } else {
        const StoreError error = m_error;
        ReadAgain();
        m_error = error;
    }
}

bool CCardStore::CommitWriter(CCardFileWriter &writer)
{
    if (writer.Commit()) {
        m_identity = writer.Identity();
        return true;
    }
    const StoreError error = writer.Error();
    writer.RollBack();
    ReadAgain();
    return Fail(error);
}

bool CCardStore::WriteVersion(const CCardData &version, qint32 offset, qint32 length, CCardFileWriter &writer,
                              qint32 *newOffset, qint32 *newLength)
{
    const bool hasRecord = offset > 0 && length > 0;
    const QByteArray chunk = CChunk::EncodeCard(version);
    if (hasRecord && chunk.size() <= length) {
        if (!writer.OverwritePayload(offset, chunk))
            return false;
        *newOffset = offset;
        *newLength = length;
        return true;
    }
    // Checked first: once appended, the new record must not be left without the old one's end.
    if (hasRecord && !writer.HasRecordAt(offset))
        return false;
    if (!writer.AppendRecord(chunk, newOffset))
        return false;
    *newLength = qint32(chunk.size());
    return !hasRecord || writer.MarkDead(offset);
}

bool CCardStore::ReloadCard(CCardData *card)
{
    const qint32 offset = RecordOf(card).offset;
    if (!m_usable || !IsStored(card) || offset <= 0)
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return false;
    const QByteArray head = file.read(8);
    if (head.size() != 8 || CChunk::ReadU32(head.constData()) != ManagementFileFormat::TagNMBK)
        return false;
    const qint64 length = CChunk::ReadU32(head.constData() + 4);
    if (length > file.size() - file.pos())
        return false;
    const QByteArray payload = file.read(length);
    CCardData stored(*card);
    if (payload.size() != length || !CChunk::DecodeCard(payload.constData(), payload.size(), &stored) ||
        stored.Id().isEmpty() || !Indexable(stored))
        return false;

    // Keep the index and the name table in step with what the file holds.
    const bool move = !SameIndexKeys(*card, stored);
    if (move && !m_index.Remove(card))
        return false;
    const int slot = SlotOf(card);
    RemoveName(card, slot);
    *card = std::move(stored);
    if (move)
        m_index.Insert(card); // cannot fail: the group was checked above
    AddName(card, slot);
    if (Notifying())
        emit CardReplaced(card, move);
    return true;
}

// --- cards --------------------------------------------------------------------

CCardData *CCardStore::CardAt(int slot) const
{
    return slot >= 0 && slot < Count() ? m_cards[size_t(slot)].get() : nullptr;
}

CCardStore::RecordPlace CCardStore::RecordOf(const CCardData *card) const
{
    const int slot = SlotOf(card);
    return slot >= 0 ? m_records[size_t(slot)] : RecordPlace();
}

bool CCardStore::Indexable(const CCardData &card) const
{
    return card.GroupNo() >= 0 && card.GroupNo() < GroupSlots;
}

namespace {

void InsertSlot(QList<int> &slotList, int slot)
{
    slotList.insert(std::lower_bound(slotList.begin(), slotList.end(), slot), slot);
}

template <typename Key> void RemoveSlot(QHash<Key, QList<int>> &table, const Key &key, int slot)
{
    const auto it = table.find(key);
    if (it == table.end())
        return;
    const auto at = std::lower_bound(it->begin(), it->end(), slot);
    if (at != it->end() && *at == slot)
        it->erase(at);
    if (it->isEmpty())
        table.erase(it);
}

} // namespace

// Both tables follow the card's current Name and phones: callers remove a card
// before changing it and add it again afterwards.
void CCardStore::AddName(const CCardData *card, int slot)
{
    InsertSlot(m_slotsByName[card->Name()], slot);
    InsertSlot(m_slotsByKey[CIdentityKey::Of(*card)], slot);
}

void CCardStore::RemoveName(const CCardData *card, int slot)
{
    RemoveSlot(m_slotsByName, card->Name(), slot);
    RemoveSlot(m_slotsByKey, CIdentityKey::Of(*card), slot);
}

CCardData *CCardStore::Insert(std::unique_ptr<CCardData> card, RecordPlace record)
{
    CCardData *stored = card.get();
    int slot;
    if (!m_freeSlots.isEmpty()) {
        slot = m_freeSlots.dequeue();
        m_slotOf.remove(m_cards[size_t(slot)].get());
        m_cards[size_t(slot)] = std::move(card);
        m_records[size_t(slot)] = record;
    } else {
        slot = Count();
        m_cards.push_back(std::move(card));
        m_records.push_back(record);
    }
    m_slotOf.insert(stored, slot);
    m_index.Insert(stored); // cannot fail: callers check the group first
    AddName(stored, slot);
    ++m_liveCount;
    return stored;
}

CCardData *CCardStore::AddCard(const CCardData &card, CCardFileWriter *file)
{
    return AddCard(CCardData(card), file);
}

CCardData *CCardStore::AddCard(CCardData &&card, CCardFileWriter *file)
{
    if (!m_usable) {
        Fail(StoreError::NoFile);
        return nullptr;
    }
    auto copy = std::make_unique<CCardData>(std::move(card));
    copy->Stamp();
    if (!Indexable(*copy)) {
        Fail(StoreError::WriteFailed);
        return nullptr;
    }
    WriteScope scope(*this, file);
    if (!scope.Writer())
        return nullptr;
    RecordPlace record;
    if (!scope.Finish(WriteVersion(*copy, 0, 0, *scope.Writer(), &record.offset, &record.length)))
        return nullptr;
    CCardData *stored = Insert(std::move(copy), record);
    m_error = StoreError::None;
    if (Notifying())
        emit CardAdded(stored);
    return stored;
}

CCardData *CCardStore::Replace(const CCardData &data, CCardData *stored, CCardFileWriter *file)
{
    if (!m_usable || !IsStored(stored) || !Indexable(data)) {
        Fail(m_usable ? StoreError::WriteFailed : StoreError::NoFile);
        return nullptr;
    }
    CCardData version(data);
    version.Stamp();
    // The card stays the same card: its pictures and every older record of it
    // go by its Id, whatever data was put into it.
    version.SetId(stored->Id());
    WriteScope scope(*this, file);
    if (!scope.Writer())
        return nullptr;
    const RecordPlace old = RecordOf(stored);
    RecordPlace record;
    if (!scope.Finish(
            WriteVersion(version, old.offset, old.length, *scope.Writer(), &record.offset, &record.length)))
        return nullptr;

    Apply(stored, std::move(version), record);
    m_error = StoreError::None;
    return stored;
}

void CCardStore::Apply(CCardData *stored, CCardData &&version, RecordPlace record)
{
    const bool move = !SameIndexKeys(version, *stored);
    if (move)
        m_index.Remove(stored);
    const int slot = SlotOf(stored);
    RemoveName(stored, slot);
    *stored = std::move(version);
    m_records[size_t(slot)] = record;
    if (move)
        m_index.Insert(stored); // cannot fail: the group was checked before writing
    AddName(stored, slot);
    if (Notifying())
        emit CardReplaced(stored, move);
}

bool CCardStore::IsStored(const CCardData *card) const
{
    return SlotOf(card) >= 0 && !card->Id().isEmpty();
}

bool CCardStore::WriteAndApply(std::vector<std::pair<CCardData *, CCardData>> &versions, bool stamp)
{
    if (!m_usable)
        return Fail(StoreError::NoFile);
    for (auto &[stored, version] : versions) {
        if (!IsStored(stored) || !Indexable(version))
            return Fail(StoreError::WriteFailed);
        if (stamp)
            version.Stamp();
        version.SetId(stored->Id());
    }
    if (versions.empty())
        return true;
    std::unique_ptr<CCardFileWriter> writer = OpenWriter();
    if (!writer)
        return false;
    std::vector<RecordPlace> records(versions.size());
    for (size_t i = 0; i < versions.size(); ++i) {
        const RecordPlace old = RecordOf(versions[i].first);
        if (!WriteVersion(versions[i].second, old.offset, old.length, *writer, &records[i].offset,
                          &records[i].length)) {
            Abandon(*writer);
            return false;
        }
    }
    if (!CommitWriter(*writer))
        return false;
    // Many at once are told as one change rather than card by card.
    std::unique_ptr<BulkChange> bulk = versions.size() > 64 ? std::make_unique<BulkChange>(*this) : nullptr;
    for (size_t i = 0; i < versions.size(); ++i)
        Apply(versions[i].first, std::move(versions[i].second), records[i]);
    m_error = StoreError::None;
    return true;
}

bool CCardStore::ReplaceCards(const QList<CardChange> &changes)
{
    std::vector<std::pair<CCardData *, CCardData>> versions;
    versions.reserve(size_t(changes.size()));
    for (const CardChange &change : changes)
        versions.emplace_back(change.stored, change.data);
    return WriteAndApply(versions, true);
}

bool CCardStore::SetPicture(CCardData *stored, int picture, const QString &source)
{
    if (!IsStored(stored))
        return Fail(StoreError::WriteFailed);
    if (!Images().Replace(stored->Id(), picture, source))
        return Fail(StoreError::ImageFiles);
    emit PicturesChanged(stored);
    return true;
}

bool CCardStore::RemovePicture(CCardData *stored, int picture)
{
    if (!IsStored(stored))
        return Fail(StoreError::WriteFailed);
    if (!Images().Remove(stored->Id(), picture))
        return Fail(StoreError::ImageFiles);
    emit PicturesChanged(stored);
    return true;
}

bool CCardStore::SwapPictures(CCardData *stored)
{
    if (!IsStored(stored))
        return Fail(StoreError::WriteFailed);
    const CCardImageFiles images = Images();
    if (!images.Swap(stored->Id()))
        return Fail(StoreError::ImageFiles);
    CCardData changed(*stored);
    changed.SetImageRotationOf(CCardImageFiles::CardImage,
                               stored->ImageRotationOf(CCardImageFiles::PersonPhoto));
    changed.SetImageRotationOf(CCardImageFiles::PersonPhoto,
                               stored->ImageRotationOf(CCardImageFiles::CardImage));
    if (changed.ImageRotation() != stored->ImageRotation()) {
        const QString id = stored->Id();
        if (!Replace(changed, stored)) {
            // The turns could not be stored: the pictures go back where they were.
            const StoreError error = m_error;
            images.Swap(id);
            return Fail(error);
        }
    }
    emit PicturesChanged(stored);
    return true;
}

void CCardStore::Forget(CCardData *stored)
{
    const int slot = SlotOf(stored);
    m_index.Remove(stored);
    RemoveName(stored, slot);
    stored->SetId(QString());
    m_records[size_t(slot)] = RecordPlace();
    --m_liveCount;
    m_freeSlots.enqueue(slot);
}

bool CCardStore::Delete(CCardData *stored, CCardFileWriter *file)
{
    if (!file)
        return DeleteCards({stored});
    if (!m_usable || !IsStored(stored))
        return Fail(m_usable ? StoreError::WriteFailed : StoreError::NoFile);
    WriteScope scope(*this, file);
    if (!scope.Writer())
        return false;
    const qint32 offset = RecordOf(stored).offset;
    if (!scope.Finish(offset <= 0 || scope.Writer()->MarkDead(offset)))
        return false;
    Forget(stored);
    m_error = StoreError::None;
    if (Notifying())
        emit CardDeleted(stored);
    return true;
}

bool CCardStore::DeleteCards(const QList<CCardData *> &cards)
{
    if (!m_usable)
        return Fail(StoreError::NoFile);
    for (const CCardData *card : cards)
        if (!IsStored(card))
            return Fail(StoreError::WriteFailed);
    if (cards.isEmpty())
        return true;
    // The pictures go aside first and come back unless the file holds the deletion.
    const CCardImageFiles images = Images();
    QStringList ids;
    for (const CCardData *card : cards) {
        if (!images.Park(card->Id())) {
            for (const QString &id : std::as_const(ids))
                images.Unpark(id);
            return Fail(StoreError::ImageFiles);
        }
        ids << card->Id();
    }
    std::unique_ptr<CCardFileWriter> writer = OpenWriter();
    bool ok = writer != nullptr;
    for (const CCardData *card : cards)
        ok = ok && (RecordOf(card).offset <= 0 || writer->MarkDead(RecordOf(card).offset));
    if (ok) {
        ok = CommitWriter(*writer);
    } else if (writer) {
        Abandon(*writer);
    }
    if (!ok) {
        for (const QString &id : std::as_const(ids))
            images.Unpark(id);
        return false;
    }
    for (const QString &id : std::as_const(ids))
        images.Drop(id);
    // Many at once are told as one change rather than card by card.
    std::unique_ptr<BulkChange> bulk = cards.size() > 64 ? std::make_unique<BulkChange>(*this) : nullptr;
    for (CCardData *card : cards) {
        Forget(card);
        if (Notifying())
            emit CardDeleted(card);
    }
    m_error = StoreError::None;
    return true;
}

int CCardStore::FindDuplicate(const CCardData &card, bool skipFixed, int *kind) const
{
    // The answer a walk over all live slots in order would give: a same-named
    // Fixed card stops it at once under skipFixed, otherwise the first
    // identical card wins over the first same-named one.
    int slot = -1;
    int result = DuplicateNone;
    const auto byName = m_slotsByName.constFind(card.Name());
    if (byName != m_slotsByName.cend()) {
        slot = byName->front();
        result = DuplicateSameName;
        if (skipFixed && m_cards[size_t(slot)]->Fixed()) {
            result = DuplicateIdentical;
        } else {
            const auto byKey = m_slotsByKey.constFind(CIdentityKey::Of(card));
            if (byKey != m_slotsByKey.cend()) {
                // Usually the front one; others only after a key collision.
                for (int s : *byKey) {
                    if (m_cards[size_t(s)]->IsIdentical(card)) {
                        slot = s;
                        result = DuplicateIdentical;
                        break;
                    }
                }
            }
        }
    }
    if (kind)
        *kind = result;
    return slot;
}

void CCardStore::ClearMemory()
{
    m_index.Clear();
    m_cards.clear();
    m_records.clear();
    m_slotOf.clear();
    m_freeSlots.clear();
    m_slotsByName.clear();
    m_slotsByKey.clear();
    m_liveCount = 0;
}

void CCardStore::ResetGroups()
{
    const StoreSettings defaults = StoreSettings::Defaults();
    m_groupNames.clear();
    m_groupIcons.clear();
    for (int n = 0; n < GroupSlots; ++n) {
        if (n < StoreSettings::GroupCount) {
            m_groupNames << (n < m_settings->groupNames.size() ? m_settings->groupNames[n]
                                                               : defaults.groupNames[n]);
            m_groupIcons << (n < m_settings->groupIcons.size() ? m_settings->groupIcons[n]
                                                               : defaults.groupIcons[n]);
        } else {
            m_groupNames << QString();
            m_groupIcons << 0;
        }
    }
    m_checkList.Load(m_settings->checkNames, m_settings->checkOrder);
}

int CCardStore::TabOf(const QString &reading)
{
    return CCardIndex::TabOf(reading);
}

void CCardStore::SetSearchResults(const QList<CCardData *> &cards)
{
    m_index.ClearSearchResults();
    for (CCardData *card : cards)
        m_index.AddSearchResult(card);
    if (Notifying())
        emit SearchResultsChanged();
}

// --- groups and check lists ---------------------------------------------------

QString CCardStore::GetGroupName(int n) const
{
    return n >= 0 && n < GroupSlots ? m_groupNames[n] : m_groupNames[0];
}

void CCardStore::SetGroupName(int n, const QString &name)
{
    if (n < 0 || n >= GroupSlots || m_groupNames[n] == name)
        return;
    const bool wasNamed = !m_groupNames[n].isEmpty();
    m_groupNames[n] = name;
    if (n < StoreSettings::GroupCount) {
        while (m_settings->groupNames.size() < StoreSettings::GroupCount)
            m_settings->groupNames << StoreSettings::Defaults().groupNames[m_settings->groupNames.size()];
        m_settings->groupNames[n] = name;
    }
    if (wasNamed != !name.isEmpty())
        m_index.GroupNameChanged(n);
    if (Notifying())
        emit GroupsChanged();
}

int CCardStore::GetGroupIcon(int n) const
{
    return n >= 0 && n < GroupSlots ? m_groupIcons[n] : 0;
}

void CCardStore::SetGroupIcon(int n, int icon)
{
    if (n < 0 || n >= GroupSlots || m_groupIcons[n] == icon)
        return;
    m_groupIcons[n] = icon;
    if (n < StoreSettings::GroupCount) {
        while (m_settings->groupIcons.size() < StoreSettings::GroupCount)
            m_settings->groupIcons << StoreSettings::Defaults().groupIcons[m_settings->groupIcons.size()];
        m_settings->groupIcons[n] = icon;
    }
    if (Notifying())
        emit GroupsChanged();
}

bool CCardStore::ApplyCheckList(const CCheckArray &edited)
{
    if (!m_usable)
        return Fail(StoreError::NoFile);
    CCheckArray definitions;
    definitions.Assign(edited);

    // The marks every card gets, found before anything is written.
    std::vector<std::pair<CCardData *, CCardData>> versions;
    std::vector<int> versionOf(size_t(Count()), -1);
    QList<int> handled;
    for (int slot = 0; slot < definitions.SlotCount(); ++slot) {
        bool mark;
        if (definitions.IsSetAction(slot))
            mark = true;
        else if (definitions.IsClearAction(slot) || definitions.IsChanged(slot))
            mark = false;
        else
            continue;
        handled << slot;
        for (int s = 0; s < Count(); ++s) {
            CCardData *card = m_cards[size_t(s)].get();
            if (card->Id().isEmpty() || card->CheckMark(slot) == mark)
                continue;
            if (versionOf[size_t(s)] < 0) {
                versionOf[size_t(s)] = int(versions.size());
                versions.emplace_back(card, *card);
            }
            versions[size_t(versionOf[size_t(s)])].second.SetCheckMark(slot, mark);
        }
    }
    // Marks carried by the list's definitions are bookkeeping, not an edit of the card.
    if (!WriteAndApply(versions, false))
        return false;
    for (int slot : std::as_const(handled))
        definitions.ClearPending(slot);
    m_checkList.Assign(definitions);
    m_settings->checkNames = m_checkList.Names();
    m_settings->checkOrder = m_checkList.Order();
    m_error = StoreError::None;
    if (Notifying())
        emit CheckListChanged();
    return true;
}

bool CCardStore::IsCheckItemInUse(int slot) const
{
    for (const auto &card : m_cards) {
        if (!card->Id().isEmpty() && card->CheckMark(slot))
            return true;
    }
    return false;
}
