#include "CManagementScan.h"

#include "CBlockReader.h"
#include "CChunk.h"
#include "CTextPool.h"

#include <QBuffer>

namespace {

constexpr quint32 TagNMCD = CChunk::Tag("NMCD");
constexpr quint32 TagNMBK = CChunk::Tag("NMBK");
constexpr quint32 TagNMDL = CChunk::Tag("NMDL");
constexpr quint32 Version0001 = CChunk::Tag("0001");
constexpr qint64 HeaderSize = 16;
constexpr qsizetype WriteBlock = 1024 * 1024;

} // namespace

void CManagementScan::Mark(State state)
{
    // Damage wins over compaction.
    if (m_state == Clean || state == Damaged)
        m_state = state;
}

bool CManagementScan::Run(const QByteArray &file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return Run(buffer);
}

bool CManagementScan::Run(QIODevice &file)
{
    m_state = Clean;
    m_cards.clear();
    const qint64 size = file.size();
    CBlockReader reader(file, size);
    if (Scan(reader, size) && !reader.Failed())
        return true;
    // A file that could not be read must not look damaged: a repair would drop what was not read.
    m_state = Clean;
    m_cards.clear();
    return false;
}

bool CManagementScan::Scan(CBlockReader &reader, qint64 size)
{
    const char *header = reader.At(0, HeaderSize);
    if (!header || CChunk::ReadU32(header) != TagNMCD || CChunk::ReadU32(header + 4) != quint64(size) ||
        CChunk::ReadU32(header + 8) != Version0001)
        return false;

    const quint32 count = CChunk::ReadU32(header + 12);
    CTextPool pool;
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
        const char *head = reader.At(pos, 8);
        if (!head)
            return false;
        const quint32 tag = CChunk::ReadU32(head);
        const qint64 length = CChunk::ReadU32(head + 4);
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
            const char *payload = reader.At(pos + 8, length);
            if (!payload)
                return false;
            auto card = std::make_unique<CCardData>();
            qsizetype chunkSize = 0;
            if (CChunk::DecodeCard(payload, qsizetype(length), card.get(), &chunkSize, &pool)) {
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

bool CManagementScan::WriteCleanCopy(QIODevice &source, QIODevice &target) const
{
    qint64 total = HeaderSize;
    for (const Found &found : m_cards)
        total += 8 + found.card->RecordLength();
    QByteArray out;
    out.reserve(WriteBlock + 64);
    CChunk::AppendU32(out, TagNMCD);
    CChunk::AppendU32(out, quint32(total));
    CChunk::AppendU32(out, Version0001);
    CChunk::AppendU32(out, quint32(m_cards.size()));
    CBlockReader reader(source, source.size());
    for (const Found &found : m_cards) {
        const qint64 length = found.card->RecordLength();
        const char *payload = reader.At(qint64(found.fileOffset) + 8, length);
        if (!payload)
            return false;
        CChunk::AppendU32(out, TagNMBK);
        CChunk::AppendU32(out, quint32(length));
        out.append(payload, qsizetype(length));
        if (out.size() >= WriteBlock) {
            if (target.write(out) != out.size())
                return false;
            out.resize(0); // keeps the capacity
        }
    }
    return target.write(out) == out.size();
}
