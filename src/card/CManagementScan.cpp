#include "CManagementScan.h"

#include "CBlockReader.h"
#include "CChunk.h"
#include "CTextPool.h"
#include "ManagementFileFormat.h"

#include <QBuffer>
#include <algorithm>

namespace {

using namespace ManagementFileFormat;
#ifdef TESSALY_TINY_BLOCKS
constexpr qsizetype WriteBlock = 48; // the fuzzing build writes many small blocks
#else
constexpr qsizetype WriteBlock = 1024 * 1024;
#endif

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
    m_failure = NoFailure;
    m_superseded = 0;
    m_cards.clear();
    m_byId.clear();
    const qint64 size = file.size();
    CBlockReader reader(file, size);
    const bool scanned = Scan(reader, size);
    m_byId.clear();
    if (scanned && !reader.Failed())
        return true;
    if (m_failure == NoFailure || reader.Failed())
        m_failure = ReadFailed;
    // A file that could not be read must not look damaged: a repair would drop what was not read.
    m_state = Clean;
    m_cards.clear();
    return false;
}

bool CManagementScan::Scan(CBlockReader &reader, qint64 size)
{
    const char *header = reader.At(0, HeaderSize);
    if (!header || CChunk::ReadU32(header) != TagNMCD || CChunk::ReadU32(header + 8) != Version0001) {
        m_failure = reader.Failed() ? ReadFailed : NotManagementFile;
        return false;
    }
    const qint64 statedLength = CChunk::ReadU32(header + 4);
    const quint32 count = CChunk::ReadU32(header + 12);
    if (statedLength != size)
        Mark(Damaged);
    // Records past the stated length were appended after the header was last
    // written; a stated length past the end (a cut-off file) has no such tail.
    const qint64 tailStart = statedLength >= HeaderSize && statedLength < size ? statedLength : size;

    CTextPool pool;
    qint64 pos = HeaderSize;
    // Every record up to the end of the file is read, whatever the count says:
    // stepping over garbage one byte at a time moves on every time, so the walk ends.
    quint64 records = 0;
    while (pos < size) {
        if (size - pos < 8) {
            Mark(Damaged); // a cut-off record head
            break;
        }
        const char *head = reader.At(pos, 8);
        if (!head)
            return false;
        const quint32 tag = CChunk::ReadU32(head);
        const qint64 length = CChunk::ReadU32(head + 4);
        if (tag == TagNMDL) {
            if (length > size - pos - 8) {
                Mark(Damaged); // a length past the end: look for the next record
                pos += 1;
                continue;
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
                // Fewer bytes than the record claims: a torn length or a cut-off
                // record; whatever complete record follows is still found.
                Mark(Damaged);
                --records;
                pos += 1;
                continue;
            }
            const char *payload = reader.At(pos + 8, length);
            if (!payload)
                return false;
            auto card = std::make_unique<CCardData>();
            qsizetype chunkSize = 0;
            if (CChunk::DecodeCard(payload, qsizetype(length), card.get(), &chunkSize, &pool)) {
                if (chunkSize < length)
                    Mark(NeedsCompaction);
                Found found;
                found.card = std::move(card);
                found.cleanLength = qint32(chunkSize);
                found.fileOffset = qint32(pos);
                found.fileLength = qint32(length);
                m_cards.push_back(std::move(found));
                if (pos >= tailStart)
                    Supersede(qsizetype(m_cards.size()) - 1);
            } else {
                Mark(Damaged);
            }
            pos += 8 + length;
        } else {
            Mark(Damaged);
            pos += 1; // try again one byte further on
        }
    }
    if (records != count)
        Mark(Damaged);
    DropSuperseded();
    return true;
}

void CManagementScan::Supersede(qsizetype tailCard)
{
    if (m_byId.isEmpty()) {
        m_byId.reserve(qsizetype(m_cards.size()));
        for (qsizetype i = 0; i < tailCard; ++i)
            if (m_cards[size_t(i)].card)
                m_byId.insert(m_cards[size_t(i)].card->Id(), i);
    }
    const QString id = m_cards[size_t(tailCard)].card->Id();
    if (id.isEmpty())
        return;
    const auto it = m_byId.find(id);
    if (it != m_byId.end()) {
        // The older version of a card whose new version was appended but whose
        // old record was not marked dead yet.
        m_cards[size_t(*it)].card.reset();
        ++m_superseded;
        *it = tailCard;
    } else {
        m_byId.insert(id, tailCard);
    }
}

void CManagementScan::DropSuperseded()
{
    if (m_superseded > 0)
        m_cards.erase(std::remove_if(m_cards.begin(), m_cards.end(), [](const Found &f) { return !f.card; }),
                      m_cards.end());
    // The positions the cards have in the clean copy: no dead or damaged records, no left-over bytes.
    qint64 cleanPos = HeaderSize;
    for (Found &f : m_cards) {
        f.cleanOffset = qint32(cleanPos);
        cleanPos += 8 + f.cleanLength;
    }
}

bool CManagementScan::WriteCleanCopy(QIODevice &source, QIODevice &target) const
{
    qint64 total = HeaderSize;
    for (const Found &found : m_cards)
        total += 8 + found.cleanLength;
    QByteArray out;
    out.reserve(WriteBlock + 64);
    CChunk::AppendU32(out, TagNMCD);
    CChunk::AppendU32(out, quint32(total));
    CChunk::AppendU32(out, Version0001);
    CChunk::AppendU32(out, quint32(m_cards.size()));
    CBlockReader reader(source, source.size());
    for (const Found &found : m_cards) {
        const qint64 length = found.cleanLength;
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
