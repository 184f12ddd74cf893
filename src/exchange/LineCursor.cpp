#include "LineCursor.h"

#include "Cp932.h"

#include <QStringDecoder>

#include <cstring>

namespace {
// Decoding a block at a time keeps memory near the input's size for big files.
#ifdef TESSALY_TINY_BLOCKS
constexpr qsizetype BlockSize = 16; // the fuzzing build reaches block edges with small inputs
#else
constexpr qsizetype BlockSize = 1 << 20;
#endif
} // namespace

LineCursor::LineCursor(QByteArrayView bytes, bool utf8, Breaks breaks)
    : m_bytes(bytes), m_utf8(utf8), m_breaks(breaks)
{
}

LineCursor::LineCursor(QIODevice *device, bool utf8, Breaks breaks, qint64 length)
    : m_device(device), m_utf8(utf8), m_breaks(breaks), m_deviceLeft(length)
{
}

LineCursor::LineCursor(const QStringList &lines, qsizetype first, qsizetype end)
    : m_pos(qBound<qsizetype>(0, first, lines.size())), m_lines(&lines),
      m_end(qBound<qsizetype>(0, end, lines.size()))
{
}

bool LineCursor::Next(QStringView &line)
{
    return Read(m_pos, line);
}

bool LineCursor::Peek(QStringView &line)
{
    qsizetype pos = m_pos;
    return Read(pos, line);
}

// Blocks end right after a line break, so no line spans two blocks. Line-break
// bytes never occur inside a Shift_JIS or UTF-8 character.
bool LineCursor::DecodeNextBlock()
{
    QByteArrayView block;
    if (m_device ? !ReadNextBlock(block) : m_bytePos >= m_bytes.size())
        return false;
    if (!m_device) {
        qsizetype end = qMin(m_bytePos + BlockSize, m_bytes.size());
        if (end < m_bytes.size()) {
            const QByteArrayView tail = m_bytes.sliced(end - 1);
            const qsizetype found = m_breaks == Breaks::Lf ? tail.indexOf('\n') : tail.indexOf("\r\n");
            end = found < 0 ? m_bytes.size() : end - 1 + found + (m_breaks == Breaks::Lf ? 1 : 2);
        }
        block = m_bytes.sliced(m_bytePos, end - m_bytePos);
        m_bytePos = end;
    }
    Decode(block);
    return true;
}

bool LineCursor::ReadNextBlock(QByteArrayView &block)
{
    // The bytes carried over start the buffer. Both buffers keep their memory
    // from block to block: freeing and taking a megabyte per block leaves the
    // allocator holding ever more of it.
    m_buffer.resize(m_carry.size());
    if (!m_carry.isEmpty())
        memcpy(m_buffer.data(), m_carry.constData(), size_t(m_carry.size()));
    m_carry.resize(0);
    bool atEnd = false;
    qsizetype cut = -1;
    while (cut < 0 && !atEnd) {
        const qsizetype before = m_buffer.size();
        m_buffer.resize(before + BlockSize);
        const qint64 wanted = m_deviceLeft < 0 ? BlockSize : qMin<qint64>(BlockSize, m_deviceLeft);
        const qint64 got = wanted > 0 ? m_device->read(m_buffer.data() + before, wanted) : 0;
        if (got > 0 && m_deviceLeft > 0)
            m_deviceLeft -= got;
        m_buffer.resize(before + qMax<qint64>(got, 0));
        atEnd = got <= 0;
        // Search from just before the new bytes for a "\r\n" split by the previous read.
        const QByteArrayView fresh = QByteArrayView(m_buffer).sliced(qMax<qsizetype>(before - 1, 0));
        const qsizetype found = m_breaks == Breaks::Lf ? fresh.lastIndexOf('\n') : fresh.lastIndexOf("\r\n");
        if (found >= 0)
            cut = qMax<qsizetype>(before - 1, 0) + found + (m_breaks == Breaks::Lf ? 1 : 2);
    }
    if (m_buffer.isEmpty())
        return false;
    if (atEnd || cut < 0)
        cut = m_buffer.size();
    m_carry.resize(m_buffer.size() - cut);
    if (!m_carry.isEmpty())
        memcpy(m_carry.data(), m_buffer.constData() + cut, size_t(m_carry.size()));
    block = QByteArrayView(m_buffer).first(cut);
    return true;
}

qint64 LineCursor::BytePosition() const
{
    if (m_block.isEmpty())
        return m_bytesDone;
    return m_blockByteStart + qint64(double(m_blockBytes) * double(m_pos) / double(m_block.size()));
}

void LineCursor::Decode(QByteArrayView block)
{
    m_blockByteStart = m_bytesDone;
    m_blockBytes = block.size();
    m_bytesDone += block.size();
    // The two buffers take turns, so their memory is reused from block to block.
    m_previousBlock.swap(m_block);
    if (m_utf8) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        m_block.resize(decoder.requiredSpace(block.size()));
        const QChar *end = decoder.appendToBuffer(m_block.data(), block);
        m_block.truncate(end - m_block.constData());
    } else {
        Cp932::Decode(block, m_block);
    }
}

bool LineCursor::Read(qsizetype &pos, QStringView &line)
{
    if (m_lines) {
        if (pos >= m_end)
            return false;
        line = m_lines->at(pos++);
        return true;
    }
    while (pos >= m_block.size()) {
        if (!DecodeNextBlock())
            return false;
        pos = 0;
        m_pos = 0; // a peek that loads a block moves the cursor to its start too
    }
    const QStringView text(m_block);
    qsizetype end;
    qsizetype next;
    if (m_breaks == Breaks::Lf) {
        end = text.indexOf(u'\n', pos);
        next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
    } else {
        end = text.indexOf(u'\r', pos);
        while (end >= 0 && (end + 1 >= text.size() || text[end + 1] != u'\n'))
            end = text.indexOf(u'\r', end + 1);
        next = end < 0 ? text.size() : end + 2;
        if (end < 0)
            end = text.size();
    }
    line = text.sliced(pos, end - pos);
    if (m_breaks == Breaks::Lf && line.endsWith(u'\r'))
        line.chop(1);
    pos = next;
    return true;
}
