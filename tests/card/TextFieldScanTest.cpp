#include "CCardData.h"
#include "CChunk.h"

#include <gtest/gtest.h>

namespace {

// A card chunk with one Id field holding the given bytes, starting at an
// offset that may leave its units unaligned.
QByteArray CardWithIdBytes(const QByteArray &field, int shift)
{
    QByteArray out(shift, 'p');
    CChunk::AppendU32(out, CChunk::Tag("CDDT"));
    CChunk::AppendU32(out, quint32(8 + field.size()));
    CChunk::AppendU32(out, CChunk::Tag("CIID"));
    CChunk::AppendU32(out, quint32(field.size()));
    out.append(field);
    return out;
}

} // namespace

TEST(TextFieldScanTest, TextEndsAtTheFirstZeroUnitWhereverItLies)
{
    const QString text = QStringLiteral("名刺ABCDEFGHIJKLM"); // 15 units
    for (int zeroAt = 0; zeroAt <= text.size(); ++zeroAt) {
        for (int shift = 0; shift < 2; ++shift) {
            for (int oddByte = 0; oddByte < 2; ++oddByte) {
                QByteArray field;
                for (QChar c : text) {
                    field.append(char(c.unicode() & 0xFF));
                    field.append(char(c.unicode() >> 8));
                }
                if (zeroAt < text.size()) {
                    field[2 * zeroAt] = '\0';
                    field[2 * zeroAt + 1] = '\0';
                }
                if (oddByte)
                    field.append('\x41'); // half a unit: ignored
                const QByteArray chunk = CardWithIdBytes(field, shift);
                CCardData card;
                ASSERT_TRUE(CChunk::DecodeCard(chunk.constData() + shift, chunk.size() - shift, &card));
                EXPECT_EQ(card.Id(), text.left(zeroAt)) << zeroAt << ' ' << shift << ' ' << oddByte;
            }
        }
    }
}

TEST(TextFieldScanTest, ZeroBytesInsideAUnitDoNotEndTheText)
{
    // U+0100 and U+0041 hold a zero byte each, in either half of the unit.
    const QByteArray field = QByteArray::fromHex("000141000001410000014100000141000000");
    const QByteArray chunk = CardWithIdBytes(field, 0);
    CCardData card;
    ASSERT_TRUE(CChunk::DecodeCard(chunk.constData(), chunk.size(), &card));
    EXPECT_EQ(card.Id(), QString::fromUtf16(u"\u0100A\u0100A\u0100A\u0100A"));
}
