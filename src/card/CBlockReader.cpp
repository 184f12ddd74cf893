#include "CBlockReader.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

CBlockReader::CBlockReader(QIODevice &device, qint64 size) : m_device(device), m_size(size)
{
}

const char *CBlockReader::At(qint64 pos, qint64 n)
{
    if (m_failed || pos < m_start || n < 0 || pos > m_size || n > m_size - pos)
        return nullptr;
    if (pos + n <= m_start + m_have)
        return m_buffer.constData() + (pos - m_start);

    qint64 kept = 0;
    if (pos < m_start + m_have) {
        kept = m_start + m_have - pos;
        std::memmove(m_buffer.data(), m_buffer.constData() + (pos - m_start), size_t(kept));
    } else if (!m_device.seek(pos)) {
        m_failed = true;
        return nullptr;
    }
    m_start = pos;
    const qint64 want = std::min(std::max(n, BlockSize), m_size - pos);
    if (m_buffer.size() < want)
        m_buffer.resize(qsizetype(want));
    while (kept < want) {
        const qint64 got = m_device.read(m_buffer.data() + kept, want - kept);
        if (got <= 0) {
            m_failed = true;
            m_have = 0;
            return nullptr;
        }
        kept += got;
    }
    m_have = kept;
    return m_buffer.constData();
}
