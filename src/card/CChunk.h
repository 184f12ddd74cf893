#pragma once

#include <QByteArray>
#include <QtGlobal>

class CCardData;
class CTextPool;

// The tagged chunk encoding of one card in the management file: a 4-byte tag,
// a little-endian 32-bit data length, then the data (field chunks for a card).
class CChunk
{
public:
    // A tag as the 32-bit value of its four bytes read little-endian.
    static constexpr quint32 Tag(const char (&text)[5])
    {
        return quint32(quint8(text[0])) | quint32(quint8(text[1])) << 8 | quint32(quint8(text[2])) << 16 |
               quint32(quint8(text[3])) << 24;
    }

    // The whole "CDDT" chunk of a card (no data for a card without an Id).
    static QByteArray EncodeCard(const CCardData &card);
    // Decodes the "CDDT" chunk at the start of data (size bytes available).
    // On success the card holds exactly what is stored and *chunkSize (if
    // given) the chunk's size including its 8-byte head. With a pool, text
    // that cards tend to repeat is shared through it.
    static bool DecodeCard(const char *data, qsizetype size, CCardData *card, qsizetype *chunkSize = nullptr,
                           CTextPool *pool = nullptr);

    static quint32 ReadU32(const char *p);
    static void AppendU32(QByteArray &out, quint32 value);
};
