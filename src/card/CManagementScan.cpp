#include "CManagementScan.h"

#include "CChunk.h"

namespace {

constexpr quint32 TagNMCD = CChunk::Tag("NMCD");
constexpr quint32 TagNMBK = CChunk::Tag("NMBK");
constexpr quint32 TagNMDL = CChunk::Tag("NMDL");
constexpr quint32 Version0001 = CChunk::Tag("0001");
constexpr qint64 HeaderSize = 16;

} // namespace

void CManagementScan::Mark(State state)
{
    // Damage wins over compaction.
    if (m_state == Clean || state == Damaged)
        m_state = state;
}

bool CManagementScan::Run(const QByteArray &file)
{
    m_state = Clean;
    m_cards.clear();
    const char *data = file.constData();
    const qint64 size = file.size();
    if (size < HeaderSize || CChunk::ReadU32(data) != TagNMCD || CChunk::ReadU32(data + 4) != quint64(size) ||
        CChunk::ReadU32(data + 8) != Version0001)
        return false;

    const quint32 count = CChunk::ReadU32(data + 12);
    qint64 pos = HeaderSize;
    qint64 cleanPos = HeaderSize;
    // Only records count against the header's count: stepping over garbage one
    // byte at a time must not use up the count before the good records behind
    // it are reached. Every step moves on, so a huge count ends at the end of the file.
    quint32 records = 0;
    while (records < count && pos < size) {
        if (size - pos < 8) {
            Mark(Damaged); // a cut-off record head
            pos = size;
            break;
        }
        const quint32 tag = CChunk::ReadU32(data + pos);
        const qint64 length = CChunk::ReadU32(data + pos + 4);
        if (tag == TagNMDL) {
            if (length > size - pos - 8) {
                Mark(Damaged); // the file ends inside a dead record
                pos = size;
                break;
            }
            Mark(NeedsCompaction);
            pos += 8 + length;
            ++records;
        } else if (tag == TagNMBK) {
            ++records;
            if (length == 0) {
                Mark(Damaged);
                pos += 8;
                continue;
            }
            if (length >= size || length > size - pos - 8) {
                Mark(Damaged); // fewer bytes than the record claims
                pos = size;
                break;
            }
            auto card = std::make_unique<CCardData>();
            qsizetype chunkSize = 0;
            if (CChunk::DecodeCard(data + pos + 8, qsizetype(length), card.get(), &chunkSize)) {
                card->SetRecordOffset(qint32(cleanPos));
                card->SetRecordLength(qint32(chunkSize));
                cleanPos += 8 + chunkSize;
                if (chunkSize < length)
                    Mark(NeedsCompaction);
                Found found;
                found.card = std::move(card);
                found.fileOffset = qint32(pos);
                found.fileLength = qint32(length);
                m_cards.push_back(std::move(found));
            } else {
                Mark(Damaged);
            }
            pos += 8 + length;
        } else {
            Mark(Damaged);
            pos += 1; // try again one byte further on
        }
    }
    // Bytes after the last counted record belong to no record: keep them in the backup.
    if (pos < size)
        Mark(Damaged);
    return true;
}

QByteArray CManagementScan::CleanCopy(const QByteArray &file) const
{
    qint64 total = HeaderSize;
    for (const Found &found : m_cards)
        total += 8 + found.card->RecordLength();
    QByteArray out;
    out.reserve(total);
    CChunk::AppendU32(out, TagNMCD);
    CChunk::AppendU32(out, quint32(total));
    CChunk::AppendU32(out, Version0001);
    CChunk::AppendU32(out, quint32(m_cards.size()));
    for (const Found &found : m_cards) {
        CChunk::AppendU32(out, TagNMBK);
        CChunk::AppendU32(out, quint32(found.card->RecordLength()));
        out.append(file.constData() + found.fileOffset + 8, found.card->RecordLength());
    }
    return out;
}
