#include "CBlockReader.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

using StoreTestCards::Make;

namespace {

QByteArray Pattern(qint64 size)
{
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

void AppendRecord(QByteArray &file, const char (&tag)[5], const QByteArray &payload)
{
    CChunk::AppendU32(file, CChunk::Tag(tag));
    CChunk::AppendU32(file, quint32(payload.size()));
    file.append(payload);
}

// A management file of more than two read blocks: cards with long memos and
// a shared company, every fifth record followed by a dead one.
QByteArray LargeFile(int cards)
{
    QByteArray file(16, '\0');
    const QString memo = QString(3000, QChar(u'メ'));
    for (int n = 0; n < cards; ++n) {
        CCardData card = Make(QStringLiteral("名前%1").arg(n));
        card.SetCompany(QStringLiteral("株式会社共通"), false);
        card.SetMemo(QString::number(n) + u':' + memo);
        card.SetPhone(0, {QStringLiteral("03-0000-%1").arg(n), PhoneKind(n % 3)});
        card.Stamp();
        AppendRecord(file, "NMBK", CChunk::EncodeCard(card));
        if (n % 5 == 0)
            AppendRecord(file, "NMDL", QByteArray(100 + n % 7, 'x'));
    }
    QByteArray header;
    CChunk::AppendU32(header, CChunk::Tag("NMCD"));
    CChunk::AppendU32(header, quint32(file.size()));
    CChunk::AppendU32(header, CChunk::Tag("0001"));
    CChunk::AppendU32(header, quint32(cards + (cards + 4) / 5));
    file.replace(0, 16, header);
    return file;
}

} // namespace

TEST(BlockReadingTest, RangesAcrossBlocksReadTheRightBytes)
{
    const qint64 block = CBlockReader::BlockSize;
    const QByteArray bytes = Pattern(2 * block + block / 2);
    QBuffer buffer;
    buffer.setData(bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    CBlockReader reader(buffer, bytes.size());

    const auto same = [&](qint64 pos, qint64 n) {
        const char *p = reader.At(pos, n);
        return p && QByteArray(p, qsizetype(n)) == bytes.mid(qsizetype(pos), qsizetype(n));
    };
    EXPECT_TRUE(same(0, 16));
    EXPECT_TRUE(same(block - 3, 10));                   // straddles the first block's end
    EXPECT_TRUE(same(block + 5, block + 100));          // longer than a block
    EXPECT_TRUE(same(2 * block + 1000, 8));             // past everything read: a seek
    EXPECT_TRUE(same(bytes.size() - 4, 4));             // the last bytes
    EXPECT_EQ(reader.At(bytes.size() - 4, 5), nullptr); // one byte too many
    EXPECT_EQ(reader.At(0, 4), nullptr);                // positions only move forward
    EXPECT_FALSE(reader.Failed());
}

TEST(BlockReadingTest, ADeviceThatStopsEarlyFailsTheRead)
{
    QBuffer buffer;
    buffer.setData(Pattern(100));
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    CBlockReader reader(buffer, 200); // claims more than the device holds
    EXPECT_EQ(reader.At(50, 100), nullptr);
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.At(60, 1), nullptr);
}

TEST(BlockReadingTest, LargeFileOpensWholeAndCompactsAcrossBlocks)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("large.ovd"));
    const int count = 11000;
    const QByteArray bytes = LargeFile(count);
    ASSERT_GT(bytes.size(), 2 * CBlockReader::BlockSize);
    ASSERT_TRUE(TempDir::WriteAll(path, bytes));

    CCardStore store;
    ASSERT_TRUE(store.Open(path));
    EXPECT_EQ(store.LastOpenReport().repairState, 2);
    EXPECT_TRUE(store.LastOpenReport().rewritten);
    ASSERT_EQ(store.LiveCount(), count);
    for (int n = 0; n < count; n += 97) {
        const CCardData *card = store.CardAt(n);
        EXPECT_EQ(card->Name(), QStringLiteral("名前%1").arg(n));
        EXPECT_TRUE(card->Memo().startsWith(QString::number(n) + u':'));
        EXPECT_EQ(card->Company(), QStringLiteral("株式会社共通"));
        EXPECT_EQ(card->PhoneKindAt(0), quint32(n % 3));
    }

    // The compacted file holds every card at the offsets the cards were given.
    const QByteArray compacted = TempDir::ReadAll(path);
    EXPECT_EQ(qsizetype(StoreTestCards::U32At(compacted, 4)), compacted.size());
    CCardStore again;
    ASSERT_TRUE(again.Open(path));
    EXPECT_EQ(again.LastOpenReport().repairState, 0);
    ASSERT_EQ(again.LiveCount(), count);
    for (int n = 0; n < count; n += 97) {
        EXPECT_EQ(again.CardAt(n)->Memo(), store.CardAt(n)->Memo());
        EXPECT_EQ(again.RecordOf(again.CardAt(n)).offset, store.RecordOf(store.CardAt(n)).offset);
    }

    // Cards that read equal text stay independent of each other.
    CCardData changed = *again.CardAt(1);
    changed.SetCompany(QStringLiteral("別会社"), false);
    changed.SetPhone(0, {changed.Phone(0), PhoneHome});
    ASSERT_NE(again.Replace(changed, again.CardAt(1)), nullptr);
    EXPECT_EQ(again.CardAt(1)->PhoneKindAt(0), 2u);
    EXPECT_EQ(again.CardAt(2)->Company(), QStringLiteral("株式会社共通"));
    EXPECT_EQ(again.CardAt(4)->PhoneKindAt(0), 1u); // read the same kinds as card 1 did
}
