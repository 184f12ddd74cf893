#include "CCardFileWriter.h"

#include "CChunk.h"

#include <QByteArray>

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
    if (!m_file.open(QIODevice::ReadWrite))
        return false;
    const qint64 size = m_file.size();
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

bool CCardFileWriter::MarkDead(qint32 recordOffset)
{
    if (!IsOpen() || recordOffset < 16 || recordOffset + 8 > m_file.size())
        return false;
    return m_file.seek(recordOffset) && m_file.write(U32(TagNMDL)) == 4;
}

bool CCardFileWriter::OverwritePayload(qint32 recordOffset, const QByteArray &chunk)
{
    if (!IsOpen() || recordOffset < 16 || recordOffset + 8 + chunk.size() > m_file.size())
        return false;
    return m_file.seek(recordOffset + 8) && m_file.write(chunk) == chunk.size();
}

bool CCardFileWriter::AppendRecord(const QByteArray &chunk, qint32 *recordOffset)
{
    if (!IsOpen())
        return false;
    const qint64 oldSize = m_file.size();
    const qint64 newSize = qMax<qint64>(oldSize, 16) + 8 + chunk.size();
    if (newSize > 0x7FFFFFFF)
        return false; // offsets are 32-bit signed
    const qint64 position = qMax<qint64>(oldSize, 16);

    QByteArray header = U32(TagNMCD);
    header += U32(quint32(newSize));
    header += U32(Version0001);
    header += U32(m_count + 1);
    QByteArray record = U32(TagNMBK);
    record += U32(quint32(chunk.size()));
    record += chunk;

    bool ok = m_file.seek(position) && m_file.write(record) == record.size() && m_file.seek(0) &&
              m_file.write(header) == header.size() && m_file.flush();
    if (!ok) {
        // Leave the file as it was: a longer tail than the header states would
        // make the whole file refused at the next open.
        m_file.resize(oldSize);
        if (oldSize >= 16) {
            QByteArray oldHeader = U32(TagNMCD) + U32(m_length) + U32(Version0001) + U32(m_count);
            m_file.seek(0);
            m_file.write(oldHeader);
        }
        m_file.flush();
        return false;
    }
    m_length = quint32(newSize);
    m_count += 1;
    *recordOffset = qint32(position);
    return true;
}
