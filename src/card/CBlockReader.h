#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

#ifdef TESSALY_TINY_BLOCKS
// The fuzzing build reaches every block edge with inputs of a few hundred bytes.
inline constexpr qint64 BlockReaderBlockSize = 32;
#else
inline constexpr qint64 BlockReaderBlockSize = 4 * 1024 * 1024;
#endif

// Reads a device front to back in blocks of a few megabytes, so that a large
// file is never held whole. Positions only move forward; a range that reaches
// past the block read so far carries its start over into the next block.
class CBlockReader
{
public:
    static constexpr qint64 BlockSize = BlockReaderBlockSize;

    // size: the bytes the device holds; nothing past it is ever asked for.
    CBlockReader(QIODevice &device, qint64 size);

    // The n bytes at pos, valid until the next call; null when pos + n lies past
    // the size, pos lies before an earlier range, or the device fails to read.
    const char *At(qint64 pos, qint64 n);
    bool Failed() const { return m_failed; }

private:
    QIODevice &m_device;
    qint64 m_size;
    QByteArray m_buffer;
    qint64 m_start = 0; // file position of m_buffer[0]
    qint64 m_have = 0;  // bytes of m_buffer read
    bool m_failed = false;
};
