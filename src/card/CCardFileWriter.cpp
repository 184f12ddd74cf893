#include "CCardFileWriter.h"

#include "CChunk.h"
#include "ManagementFileFormat.h"

#include <cerrno>
#include <limits>

namespace {

using namespace ManagementFileFormat;
constexpr qint64 MaxFileSize = 0x7FFFFFFF; // record offsets are 32-bit signed

QByteArray U32(quint32 value)
{
    QByteArray out;
    CChunk::AppendU32(out, value);
    return out;
}

} // namespace

CCardFileWriter::CCardFileWriter(const QString &path, std::unique_ptr<CPosixFile> file)
{
    Open(path, FileIdentity(), std::move(file));
}

CCardFileWriter::~CCardFileWriter()
{
    Close();
}

bool CCardFileWriter::Fail(int error)
{
    m_error = error == 0 ? StoreError::WriteFailed : WriteErrorOf(error);
    return false;
}

bool CCardFileWriter::Open(const QString &path, const FileIdentity &expected,
                           std::unique_ptr<CPosixFile> file)
{
    Close();
    m_path = path;
    m_error = StoreError::None;
    m_file = file ? std::move(file) : std::make_unique<CPosixFile>();
    if (const int error = m_file->Open(path, true))
        return Fail(error);
    FileIdentity now;
    if (const int error = m_file->Identity(&now)) {
        m_file->Close();
        return Fail(error);
    }
    if (expected.IsKnown() && !(now == expected)) {
        m_file->Close();
        m_error = StoreError::ChangedElsewhere;
        return false;
    }
    m_identity = now;
    m_size = now.size;
    if (now.size == 0) {
        m_headerOnDisk = false;
        m_size = HeaderSize;
        m_count = 0;
    } else {
        char header[HeaderSize];
        const int error = now.size < HeaderSize ? 0 : m_file->ReadAt(0, header, HeaderSize);
        if (now.size < HeaderSize || error != 0 || CChunk::ReadU32(header) != TagNMCD ||
            CChunk::ReadU32(header + 8) != Version0001) {
            m_file->Close();
            m_error = error != 0 ? StoreError::ReadFailed : StoreError::NotManagementFile;
            return false;
        }
        m_headerOnDisk = true;
        m_count = CChunk::ReadU32(header + 12);
    }
    m_committedSize = m_size;
    m_committedCount = m_count;
    m_dirty = false;
    m_pendingDead.clear();
    m_writtenDead.clear();
    m_overwritten.clear();
    return true;
}

void CCardFileWriter::Close()
{
    if (IsOpen() && HasPending() && !Commit())
        RollBack();
    if (m_file)
        m_file->Close();
}

bool CCardFileWriter::HasPending() const
{
    return m_dirty || !m_pendingDead.isEmpty();
}

bool CCardFileWriter::SyncNow()
{
    if (!m_sync)
        return true;
    const int error = m_file->Sync();
    return error == 0 || Fail(error);
}

bool CCardFileWriter::WriteHeader(quint32 length, quint32 count)
{
    QByteArray header = U32(TagNMCD);
    header += U32(length);
    header += U32(Version0001);
    header += U32(count);
    const int error = m_file->WriteAt(0, header.constData(), header.size());
    if (error != 0)
        return Fail(error);
    m_headerOnDisk = true;
    return true;
}

bool CCardFileWriter::OverwritePayload(qint32 recordOffset, const QByteArray &chunk)
{
    if (!IsOpen())
        return Fail(EBADF);
    const qint64 position = qint64(recordOffset) + 8;
    if (recordOffset < HeaderSize || position + chunk.size() > m_size)
        return Fail(EINVAL);
    // Kept so that RollBack can put the old card back.
    Overwritten undo{position, QByteArray(chunk.size(), Qt::Uninitialized)};
    if (const int error = m_file->ReadAt(position, undo.before.data(), undo.before.size()))
        return Fail(error);
    if (const int error = m_file->WriteAt(position, chunk.constData(), chunk.size())) {
        m_file->WriteAt(position, undo.before.constData(), undo.before.size());
        return Fail(error);
    }
    m_overwritten.append(std::move(undo));
    m_dirty = true;
    return true;
}

bool CCardFileWriter::AppendRecord(const QByteArray &chunk, qint32 *recordOffset)
{
    if (!IsOpen())
        return Fail(EBADF);
    if (m_count == std::numeric_limits<quint32>::max())
        return Fail(EFBIG);
    const qint64 position = qMax(m_size, HeaderSize);
    const qint64 newSize = position + 8 + chunk.size();
    if (newSize > MaxFileSize)
        return Fail(EFBIG);
    if (!m_headerOnDisk && !WriteHeader(quint32(HeaderSize), 0))
        return false;

    QByteArray record;
    record.reserve(8 + chunk.size());
    CChunk::AppendU32(record, TagNMBK);
    CChunk::AppendU32(record, quint32(chunk.size()));
    record += chunk;
    if (const int error = m_file->WriteAt(position, record.constData(), record.size())) {
        m_file->Truncate(m_size); // a partial record is cut off again
        return Fail(error);
    }
    m_size = newSize;
    m_count += 1;
    m_dirty = true;
    *recordOffset = qint32(position);
    return true;
}

bool CCardFileWriter::HasRecordAt(qint32 recordOffset) const
{
    return IsOpen() && recordOffset >= HeaderSize && qint64(recordOffset) + 8 <= m_size;
}

bool CCardFileWriter::MarkDead(qint32 recordOffset)
{
    if (!IsOpen())
        return Fail(EBADF);
    if (!HasRecordAt(recordOffset))
        return Fail(EINVAL);
    m_pendingDead.append(recordOffset);
    return true;
}

bool CCardFileWriter::Commit()
{
    if (!IsOpen())
        return Fail(EBADF);
    if (!HasPending())
        return true;
    const bool appended = m_size != m_committedSize || m_count != m_committedCount;
    if (!m_pendingDead.isEmpty()) {
        // The new versions must be on disk before the old ones die.
        if (appended && !SyncNow())
            return false;
        const QByteArray dead = U32(TagNMDL);
        for (qint32 offset : std::as_const(m_pendingDead)) {
            if (const int error = m_file->WriteAt(offset, dead.constData(), dead.size()))
                return Fail(error);
            m_writtenDead.append(offset);
        }
        m_pendingDead.clear();
    }
    if (appended) {
        // Dead marks before the header: once the header counts the new records,
        // a reopen no longer lets them replace the older ones.
        if (!m_writtenDead.isEmpty() && !SyncNow())
            return false;
        if (!WriteHeader(quint32(m_size), m_count))
            return false;
        m_headerCounts = true;
    }
    if (!SyncNow())
        return false;
    m_committedSize = m_size;
    m_committedCount = m_count;
    m_dirty = false;
    m_headerCounts = false;
    m_writtenDead.clear();
    m_overwritten.clear();
    if (const int error = m_file->Identity(&m_identity))
        return Fail(error);
    return true;
}

bool CCardFileWriter::RollBack()
{
    if (!IsOpen())
        return false;
    // A header that already counts the new records goes back first, so that
    // they are past the stated length again; when even that fails, the file
    // holds the change whole and is left so.
    if (m_headerCounts && !WriteHeader(quint32(m_committedSize), m_committedCount)) {
        m_file->Identity(&m_identity);
        return false;
    }
    m_headerCounts = false;
    bool ok = true;
    for (qsizetype i = m_overwritten.size() - 1; i >= 0; --i) {
        const Overwritten &undo = m_overwritten[i];
        ok = m_file->WriteAt(undo.position, undo.before.constData(), undo.before.size()) == 0 && ok;
    }
    const QByteArray live = U32(TagNMBK);
    bool revived = true;
    for (qint32 offset : std::as_const(m_writtenDead))
        revived = m_file->WriteAt(offset, live.constData(), live.size()) == 0 && revived;
    // The new records may go only when every old record they replace is live
    // again: otherwise they are the only copy, and a reopen finds them past
    // the stated length.
    if (m_size > m_committedSize && revived) {
        ok = m_file->Truncate(m_committedSize) == 0 && ok;
        if (m_headerOnDisk)
            ok = WriteHeader(quint32(m_committedSize), m_committedCount) && ok;
    }
    ok = revived && (!m_sync || m_file->Sync() == 0) && ok;
    m_size = m_committedSize;
    m_count = m_committedCount;
    m_dirty = false;
    m_pendingDead.clear();
    m_writtenDead.clear();
    m_overwritten.clear();
    m_file->Identity(&m_identity);
    return ok;
}
