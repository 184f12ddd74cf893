#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QStringView>

// Walks the lines of vCard or CSV text: either over raw bytes, decoded one block at a
// time (split at "\r\n", or at "\n" with an optional "\r" before it), or over a
// range of an already split list. A line view stays valid until the cursor has
// moved two blocks further, which covers every look-ahead the parser makes.
class LineCursor
{
public:
    enum class Breaks
    {
        CrLf,
        Lf
    };

    LineCursor(QByteArrayView bytes, bool utf8, Breaks breaks);
    // Reads the device a block at a time, so a large file is never held whole;
    // at most length bytes from its position when length is not negative.
    LineCursor(QIODevice *device, bool utf8, Breaks breaks, qint64 length = -1);
    LineCursor(const QStringList &lines, qsizetype first, qsizetype end);

    // The next line; false at the end.
    bool Next(QStringView &line);
    // The next line without consuming it.
    bool Peek(QStringView &line);
    // About how many input bytes the lines read so far took (exact at block ends).
    qint64 BytePosition() const;

private:
    bool Read(qsizetype &pos, QStringView &line);
    bool DecodeNextBlock();
    bool ReadNextBlock(QByteArrayView &block);
    void Decode(QByteArrayView block);

    QIODevice *m_device = nullptr;
    qint64 m_deviceLeft = -1;
    QByteArray m_buffer;
    QByteArray m_carry;
    QByteArrayView m_bytes;
    qsizetype m_bytePos = 0;
    bool m_utf8 = false;
    Breaks m_breaks = Breaks::CrLf;
    qint64 m_blockByteStart = 0;
    qint64 m_blockBytes = 0;
    qint64 m_bytesDone = 0;
    QString m_block;
    QString m_previousBlock;
    qsizetype m_pos = 0;

    const QStringList *m_lines = nullptr;
    qsizetype m_end = 0;
};
