#include "CCardFileWriter.h"

#include "CChunk.h"

#include <QByteArray>

#include <cerrno>
#include <unistd.h>

namespace {

constexpr quint32 TagNMCD = CChunk::Tag("NMCD");
constexpr quint32 TagNMBK = CChunk::Tag("NMBK");
constexpr quint32 TagNMDL = CChunk::Tag("NMDL");
constexpr quint32 Version0001 = CChunk::Tag("0001");

QByteArray U32(quint32 value)
{
    QByteArray out;
    CChunk::AppendU32(out, value);
    return out;
}

QByteArray Header(quint32 length, quint32 count)
{
    QByteArray header = U32(TagNMCD);
    header += U32(length);
    header += U32(Version0001);
    header += U32(count);
    return header;
}

} // namespace

CCardFileWriter::CCardFileWriter(const QString &path)
{
    Open(path);
}

CCardFileWriter::~CCardFileWriter()
{
    Close();
}

bool CCardFileWriter::Open(const QString &path)
{
    Close();
    m_path = path;
    m_file.setFileName(path);
    // Unbuffered: appends go straight to the descriptor as positioned writes.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    const qint64 size = m_file.size();
    m_size = size;
    if (size == 0) {
        m_length = 16;
        m_count = 0;
        return true;
    }
    const QByteArray header = m_file.read(16);
    if (header.size() != 16 || CChunk::ReadU32(header.constData()) != TagNMCD ||
        CChunk::ReadU32(header.constData() + 8) != Version0001) {
        m_file.close();
        return false;
    }
    m_length = CChunk::ReadU32(header.constData() + 4);
    m_count = CChunk::ReadU32(header.constData() + 12);
    return true;
}

void CCardFileWriter::Close()
{
    if (m_file.isOpen())
        m_file.close();
}

bool CCardFileWriter::WriteAt(qint64 position, const char *data, qsizetype size)
{
    const int fd = m_file.handle();
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size_t(size), off_t(position));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
        position += written;
    }
    return true;
}

bool CCardFileWriter::MarkDead(qint32 recordOffset)
{
    if (!IsOpen() || recordOffset < 16 || recordOffset + 8 > m_size)
        return false;
    const QByteArray tag = U32(TagNMDL);
    return WriteAt(recordOffset, tag.constData(), tag.size());
}

bool CCardFileWriter::OverwritePayload(qint32 recordOffset, const QByteArray &chunk)
{
    if (!IsOpen() || recordOffset < 16 || recordOffset + 8 + chunk.size() > m_size)
        return false;
    return WriteAt(recordOffset + 8, chunk.constData(), chunk.size());
}

bool CCardFileWriter::AppendRecord(const QByteArray &chunk, qint32 *recordOffset)
{
    if (!IsOpen())
        return false;
    const qint64 oldSize = m_size;
    const qint64 position = qMax<qint64>(oldSize, 16);
    const qint64 newSize = position + 8 + chunk.size();
    if (newSize > 0x7FFFFFFF)
        return false; // offsets are 32-bit signed

    QByteArray record;
    record.reserve(8 + chunk.size());
    CChunk::AppendU32(record, TagNMBK);
    CChunk::AppendU32(record, quint32(chunk.size()));
    record += chunk;
    const QByteArray header = Header(quint32(newSize), m_count + 1);
    // The record first, then the header that counts it: one write each.
    if (!WriteAt(position, record.constData(), record.size()) ||
        !WriteAt(0, header.constData(), header.size())) {
        // Leave the file as it was: a longer tail than the header states would
        // make the whole file refused at the next open.
        m_file.resize(oldSize);
        if (oldSize >= 16) {
            const QByteArray oldHeader = Header(m_length, m_count);
            WriteAt(0, oldHeader.constData(), oldHeader.size());
        }
        return false;
    }
    m_size = newSize;
    m_length = quint32(newSize);
    m_count += 1;
    *recordOffset = qint32(position);
    return true;
}
