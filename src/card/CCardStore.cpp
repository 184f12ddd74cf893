#include "CCardStore.h"

#include "CCardFileWriter.h"
#include "CChunk.h"
#include "CIdentityKey.h"
#include "CManagementScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace {

constexpr char ImageExtension[] = "ovi";

bool SameIndexKeys(const CCardData &a, const CCardData &b)
{
    return a.YomiName() == b.YomiName() && a.CompanyYomi() == b.CompanyYomi() && a.GroupNo() == b.GroupNo();
}

bool Indexable(const CCardData &card)
{
    return card.GroupNo() >= 0 && card.GroupNo() < CCardStore::GroupSlots;
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
    return QFile::copy(path, name) ? name : QString();
}

} // namespace

CCardStore::CCardStore(StoreSettings *settings)
    : m_settings(settings ? settings : &m_ownSettings), m_ownSettings(StoreSettings::Defaults()),
      m_index([this](int group) { return !m_groupNames.value(group).isEmpty(); })
{
    Clear();
}

CCardStore::~CCardStore() = default;

// --- file -------------------------------------------------------------------

QString CCardStore::ImageFolderOf(const QString &managementFile)
{
    if (managementFile.isEmpty())
        return QString();
    const QString suffix = QFileInfo(managementFile).suffix();
    const QString base = suffix.isEmpty() ? managementFile : managementFile.chopped(suffix.size() + 1);
    return base + QStringLiteral("_Image");
}

QString CCardStore::CardImageName(const QString &id)
{
    return id.isEmpty() ? QString() : QStringLiteral("Card_") + id + u'.' + QLatin1String(ImageExtension);
}

QString CCardStore::PhotoImageName(const QString &id)
{
    return id.isEmpty() ? QString() : QStringLiteral("Photo_") + id + u'.' + QLatin1String(ImageExtension);
}

bool CCardStore::StartOpen(const QString &path)
{
    Clear();
    m_path = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_usable = false;
    m_report = OpenReport();
    return !m_path.isEmpty();
}

bool CCardStore::CreateNew(const QString &path)
{
    if (!StartOpen(path))
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray header;
    CChunk::AppendU32(header, CChunk::Tag("NMCD"));
    CChunk::AppendU32(header, 16);
    CChunk::AppendU32(header, CChunk::Tag("0001"));
    CChunk::AppendU32(header, 0);
    const bool written = file.write(header) == header.size() && file.flush();
    file.close();
    if (!written || !QDir().mkpath(ImageFolder()))
        return false;
    m_usable = true;
    m_settings->lastLoadedFile = m_path;
    return true;
}

bool CCardStore::Open(const QString &path)
{
    if (!StartOpen(path))
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (!QDir().mkpath(ImageFolder()))
        return false;

    CManagementScan scan;
    if (!scan.Run(file))
        return false;
    std::vector<CManagementScan::Found> &found = scan.Cards();

    m_report.repairState = scan.ScanState();
    if (scan.ScanState() != CManagementScan::Clean) {
        // The clean copy goes to a temporary file beside the management file and
        // is renamed over it, so the old file is never gone before the new one
        // is complete; a damaged file is kept as a backup first.
        QSaveFile save(m_path);
        if (!save.open(QIODevice::WriteOnly))
            return false;
        bool ok = scan.WriteCleanCopy(file, save);
        file.close();
        if (ok && scan.ScanState() == CManagementScan::Damaged) {
            m_report.backupPath = KeepBackup(m_path);
            ok = !m_report.backupPath.isEmpty();
        }
        if (ok)
            ok = save.commit();
        else
            save.cancelWriting();
        m_report.rewritten = ok;
        if (!ok) {
            // The file stays as it was: the cards keep their records there.
            if (!m_report.backupPath.isEmpty())
                QFile::remove(m_report.backupPath);
            m_report.backupPath.clear();
            for (CManagementScan::Found &f : found) {
                f.card->SetRecordOffset(f.fileOffset);
                f.card->SetRecordLength(f.fileLength);
            }
        }
    }
    file.close();

    QList<CCardData *> refused;
    m_cards.reserve(found.size());
    // No rehashing while the names and keys go in.
    m_slotsByName.reserve(qsizetype(found.size()));
    m_slotsByKey.reserve(qsizetype(found.size()));
    for (CManagementScan::Found &f : found) {
        CCardData *card = f.card.get();
        card->SetStoreIndex(int(m_cards.size()));
        m_cards.push_back(std::move(f.card));
        if (m_index.Insert(card)) {
            AddName(card);
            ++m_liveCount;
        } else {
            refused.append(card);
        }
    }
    found.clear();
    m_usable = true;
    if (!refused.isEmpty())
        DropRefused(refused);
    m_settings->lastLoadedFile = m_path;
    return true;
}

void CCardStore::DropRefused(const QList<CCardData *> &refused)
{
    // Their records are marked dead only once a copy of the file holds them.
    if (m_report.backupPath.isEmpty())
        m_report.backupPath = KeepBackup(m_path);
    const bool kept = !m_report.backupPath.isEmpty();
    CCardFileWriter writer;
    if (kept)
        writer.Open(m_path);
    for (CCardData *card : refused) {
        card->SetId(QString());
        m_freeSlots.enqueue(card->StoreIndex());
        if (kept)
            WriteCard(card->StoreIndex(), &writer);
        ++m_report.droppedCards;
    }
}

bool CCardStore::WriteCard(int storeIndex, CCardFileWriter *file)
{
    CCardData *card = CardAt(storeIndex);
    if (!m_usable || !card)
        return false;
    CCardFileWriter own;
    CCardFileWriter *writer = file;
    if (writer) {
        if (!writer->IsOpen() || writer->Path() != m_path)
            return false;
    } else {
        if (!own.Open(m_path))
            return false;
        writer = &own;
    }

    const qint32 offset = card->RecordOffset();
    const qint32 length = card->RecordLength();
    const bool hasRecord = offset > 0 && length > 0;
    if (card->Id().isEmpty()) {
        if (offset <= 0)
            return true;
        if (!writer->MarkDead(offset))
            return false;
        card->SetRecordOffset(0);
        card->SetRecordLength(0);
        return true;
    }

    const QByteArray chunk = CChunk::EncodeCard(*card);
    if (hasRecord && chunk.size() <= length)
        return writer->OverwritePayload(offset, chunk);

    qint32 newOffset = 0;
    if (!writer->AppendRecord(chunk, &newOffset))
        return false;
    card->SetRecordOffset(newOffset);
    card->SetRecordLength(qint32(chunk.size()));
    return !hasRecord || writer->MarkDead(offset);
}

bool CCardStore::ReloadCard(CCardData *card)
{
    if (!m_usable || !card || CardAt(card->StoreIndex()) != card || card->Id().isEmpty() ||
        card->RecordOffset() <= 0)
        return false;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(card->RecordOffset()))
        return false;
    const QByteArray head = file.read(8);
    if (head.size() != 8 || CChunk::ReadU32(head.constData()) != CChunk::Tag("NMBK"))
        return false;
    const qint64 length = CChunk::ReadU32(head.constData() + 4);
    if (length > file.size() - file.pos())
        return false;
    const QByteArray payload = file.read(length);
    CCardData stored(*card);
    stored.SetStoreIndex(card->StoreIndex());
    if (payload.size() != length || !CChunk::DecodeCard(payload.constData(), payload.size(), &stored) ||
        stored.Id().isEmpty() || !Indexable(stored))
        return false;

    // Keep the index and the name table in step with what the file holds.
    const bool move = !SameIndexKeys(*card, stored);
    if (move && !m_index.Remove(card))
        return false;
    RemoveName(card);
    const int slot = card->StoreIndex();
    *card = stored;
    card->SetStoreIndex(slot);
    if (move)
        m_index.Insert(card); // cannot fail: the group was checked above
    AddName(card);
    return true;
}

// --- cards --------------------------------------------------------------------

CCardData *CCardStore::CardAt(int slot) const
{
    return slot >= 0 && slot < Count() ? m_cards[size_t(slot)].get() : nullptr;
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
void CCardStore::AddName(CCardData *card)
{
    InsertSlot(m_slotsByName[card->Name()], card->StoreIndex());
    InsertSlot(m_slotsByKey[CIdentityKey::Of(*card)], card->StoreIndex());
}

void CCardStore::RemoveName(CCardData *card)
{
    RemoveSlot(m_slotsByName, card->Name(), card->StoreIndex());
    RemoveSlot(m_slotsByKey, CIdentityKey::Of(*card), card->StoreIndex());
}

CCardData *CCardStore::AddCard(const CCardData &card, CCardFileWriter *file)
{
    return m_usable ? AddCard(CCardData(card), file) : nullptr;
}

CCardData *CCardStore::AddCard(CCardData &&card, CCardFileWriter *file)
{
    if (!m_usable)
        return nullptr;
    auto copy = std::make_unique<CCardData>(std::move(card));
    // A copy of a stored card must not take over that card's record.
    copy->SetRecordOffset(0);
    copy->SetRecordLength(0);
    CCardData *stored = copy.get();
    int slot;
    if (!m_freeSlots.isEmpty()) {
        slot = m_freeSlots.dequeue();
        m_cards[size_t(slot)] = std::move(copy);
        stored->SetStoreIndex(slot);
        stored->Stamp();
        if (!m_index.Insert(stored)) {
            stored->SetId(QString());
            m_freeSlots.enqueue(slot);
            return nullptr;
        }
    } else {
        slot = Count();
        stored->SetStoreIndex(slot);
        stored->Stamp();
        m_cards.push_back(std::move(copy));
        if (!m_index.Insert(stored)) {
            m_cards.pop_back();
            return nullptr;
        }
    }
    AddName(stored);
    ++m_liveCount;
    return WriteCard(slot, file) ? stored : nullptr;
}

CCardData *CCardStore::Replace(const CCardData &data, CCardData *stored, CCardFileWriter *file)
{
    if (!m_usable || !stored || CardAt(stored->StoreIndex()) != stored || stored->Id().isEmpty() ||
        !Indexable(data))
        return nullptr;
    const bool move = !SameIndexKeys(data, *stored);
    if (move && !m_index.Remove(stored))
        return nullptr;
    RemoveName(stored);
    const int slot = stored->StoreIndex();
    const qint32 offset = stored->RecordOffset();
    const qint32 length = stored->RecordLength();
    *stored = data;
    stored->SetStoreIndex(slot);
    stored->Stamp();
    stored->SetRecordOffset(offset);
    stored->SetRecordLength(length);
    if (move)
        m_index.Insert(stored); // cannot fail: the group was checked above
    AddName(stored);
    return WriteCard(slot, file) ? stored : nullptr;
}

bool CCardStore::Delete(CCardData *stored, CCardFileWriter *file)
{
    if (!m_usable || !stored || CardAt(stored->StoreIndex()) != stored || stored->Id().isEmpty())
        return false;
    if (!m_index.Remove(stored))
        return false;
    RemoveName(stored);
    stored->SetId(QString());
    --m_liveCount;
    m_freeSlots.enqueue(stored->StoreIndex());
    return WriteCard(stored->StoreIndex(), file);
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

void CCardStore::Clear()
{
    m_index.Clear();
    m_cards.clear();
    m_freeSlots.clear();
    m_slotsByName.clear();
    m_slotsByKey.clear();
    m_liveCount = 0;

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

// --- groups and check lists ---------------------------------------------------

QString CCardStore::GetGroupName(int n) const
{
    return n >= 0 && n < GroupSlots ? m_groupNames[n] : m_groupNames[0];
}

void CCardStore::SetGroupName(int n, const QString &name)
{
    if (n < 0 || n >= GroupSlots)
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
}

int CCardStore::GetGroupIcon(int n) const
{
    return n >= 0 && n < GroupSlots ? m_groupIcons[n] : 0;
}

void CCardStore::SetGroupIcon(int n, int icon)
{
    if (n < 0 || n >= GroupSlots)
        return;
    m_groupIcons[n] = icon;
    if (n < StoreSettings::GroupCount) {
        while (m_settings->groupIcons.size() < StoreSettings::GroupCount)
            m_settings->groupIcons << StoreSettings::Defaults().groupIcons[m_settings->groupIcons.size()];
        m_settings->groupIcons[n] = icon;
    }
}

bool CCardStore::ApplyCheckList(const CCheckArray &edited)
{
    if (!m_usable)
        return false;
    m_checkList.Assign(edited);
    m_settings->checkNames = m_checkList.Names();
    m_settings->checkOrder = m_checkList.Order();

    QList<bool> changed(Count(), false);
    bool any = false;
    for (int slot = 0; slot < m_checkList.SlotCount(); ++slot) {
        bool mark;
        if (m_checkList.IsSetAction(slot))
            mark = true;
        else if (m_checkList.IsClearAction(slot) || m_checkList.IsChanged(slot))
            mark = false;
        else
            continue;
        for (int s = 0; s < Count(); ++s) {
            CCardData *card = m_cards[size_t(s)].get();
            if (!card->Id().isEmpty() && card->CheckMark(slot) != mark) {
                card->SetCheckMark(slot, mark);
                changed[s] = true;
                any = true;
            }
        }
        m_checkList.ClearPending(slot);
    }
    if (!any)
        return true;
    CCardFileWriter writer(m_path);
    if (!writer.IsOpen())
        return false;
    bool ok = true;
    for (int s = 0; s < Count(); ++s) {
        if (changed[s])
            ok = WriteCard(s, &writer) && ok;
    }
    return ok;
}

bool CCardStore::IsCheckItemInUse(int slot) const
{
    for (const auto &card : m_cards) {
        if (!card->Id().isEmpty() && card->CheckMark(slot))
            return true;
    }
    return false;
}
