#include "CCardFileWriter.h"
#include "CCardImageFiles.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "CManagementScan.h"
#include "FileSizeLimit.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sys/stat.h>

#include <gtest/gtest.h>

using StoreTestCards::Hex;
using StoreTestCards::Make;
using StoreTestCards::SetU32At;
using StoreTestCards::U32At;

namespace {

class ManagementFileTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    QString m_path = m_dir.File(QStringLiteral("cards.ovd"));

    // A file holding the given names, written through the store.
    QByteArray FileWith(const QStringList &names)
    {
        CCardStore store;
        EXPECT_TRUE(store.CreateNew(m_path));
        for (const QString &name : names)
            EXPECT_NE(store.AddCard(Make(name)), nullptr);
        return TempDir::ReadAll(m_path);
    }

    QStringList NamesAfterOpen(CCardStore &store)
    {
        QStringList names;
        for (int s = 0; s < store.Count(); ++s) {
            if (!store.CardAt(s)->Id().isEmpty())
                names << store.CardAt(s)->Name();
        }
        return names;
    }
};

} // namespace

TEST_F(ManagementFileTest, NewFileIsTheEmptyHeaderAndImageFolderExists)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    EXPECT_EQ(TempDir::ReadAll(m_path).toHex(), QByteArray("4e4d43441000000030303031"
                                                           "00000000"));
    EXPECT_EQ(store.ImageFolder(), m_dir.File(QStringLiteral("cards_Image")));
    EXPECT_TRUE(QFileInfo(store.ImageFolder()).isDir());
    EXPECT_EQ(CCardImageFiles::FileName(QStringLiteral("x"), CCardImageFiles::CardImage),
              QStringLiteral("Card_x.ovi"));
    EXPECT_EQ(CCardImageFiles::FileName(QStringLiteral("x"), CCardImageFiles::PersonPhoto),
              QStringLiteral("Photo_x.ovi"));
    EXPECT_TRUE(CCardImageFiles::FileName(QString(), CCardImageFiles::CardImage).isEmpty());
    EXPECT_EQ(CCardStore::ImageFolderOf(QStringLiteral("/a/office.ovd")), QStringLiteral("/a/office_Image"));
}

TEST_F(ManagementFileTest, AddingAppendsOneRecordAndRewritesTheHeader)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    CCardData *card = store.AddCard(Make(QStringLiteral("Ab")));
    ASSERT_NE(card, nullptr);
    const QByteArray chunk = CChunk::EncodeCard(*card);
    const QByteArray bytes = TempDir::ReadAll(m_path);
    ASSERT_EQ(bytes.size(), 16 + 8 + chunk.size());
    EXPECT_EQ(U32At(bytes, 4), quint32(bytes.size()));
    EXPECT_EQ(U32At(bytes, 12), 1u);
    EXPECT_EQ(bytes.mid(16, 4), QByteArray("NMBK"));
    EXPECT_EQ(U32At(bytes, 20), quint32(chunk.size()));
    EXPECT_EQ(bytes.mid(24), chunk);
    EXPECT_EQ(store.RecordOf(card).offset, 16);
    EXPECT_EQ(store.RecordOf(card).length, chunk.size());
}

TEST_F(ManagementFileTest, ShorterEditInPlaceThenCompactionWithoutBackup)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    CCardData data = Make(QStringLiteral("Ab"));
    data.SetMemo(QStringLiteral("a long memo that will be shortened"));
    CCardData *card = store.AddCard(data);
    ASSERT_NE(card, nullptr);
    const qint64 before = QFileInfo(m_path).size();
    CCardData shorter = *card;
    shorter.SetMemo(QStringLiteral("short"));
    ASSERT_NE(store.Replace(shorter, card), nullptr);
    EXPECT_EQ(QFileInfo(m_path).size(), before);
    EXPECT_EQ(store.RecordOf(card).offset, 16);

    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(reopened.LastOpenReport().repairState, 2);
    EXPECT_TRUE(reopened.LastOpenReport().backupPath.isEmpty());
    EXPECT_LT(QFileInfo(m_path).size(), before);
    EXPECT_EQ(reopened.CardAt(0)->Memo(), QStringLiteral("short"));
    EXPECT_EQ(QDir(m_dir.Path()).entryList({QStringLiteral("*.bak*")}).size(), 0);
    // A clean file is left alone the next time.
    CCardStore again;
    ASSERT_TRUE(again.Open(m_path));
    EXPECT_EQ(again.LastOpenReport().repairState, 0);
}

TEST_F(ManagementFileTest, LongerEditAppendsAndMarksTheOldRecordDead)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    CCardData *card = store.AddCard(Make(QStringLiteral("Ab")));
    ASSERT_NE(card, nullptr);
    CCardData longer = *card;
    longer.SetMemo(QStringLiteral("now with a memo"));
    ASSERT_NE(store.Replace(longer, card), nullptr);
    const QByteArray bytes = TempDir::ReadAll(m_path);
    EXPECT_EQ(U32At(bytes, 12), 2u);
    EXPECT_EQ(U32At(bytes, 4), quint32(bytes.size()));
    EXPECT_EQ(bytes.mid(16, 4), QByteArray("NMDL"));
    EXPECT_EQ(bytes.mid(store.RecordOf(card).offset, 4), QByteArray("NMBK"));

    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    ASSERT_EQ(reopened.Count(), 1);
    EXPECT_EQ(reopened.CardAt(0)->Memo(), QStringLiteral("now with a memo"));
    EXPECT_EQ(reopened.RecordOf(reopened.CardAt(0)).offset, 16);
}

TEST_F(ManagementFileTest, DeleteOnlyMarksDeadAndReopenDropsIt)
{
    FileWith({QStringLiteral("A"), QStringLiteral("B")});
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    const QByteArray before = TempDir::ReadAll(m_path);
    ASSERT_TRUE(store.Delete(store.CardAt(0)));
    QByteArray after = TempDir::ReadAll(m_path);
    EXPECT_EQ(after.mid(16, 4), QByteArray("NMDL"));
    after.replace(16, 4, "NMBK");
    EXPECT_EQ(after, before);

    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(NamesAfterOpen(reopened), QStringList({QStringLiteral("B")}));
    EXPECT_LT(QFileInfo(m_path).size(), before.size());
}

TEST_F(ManagementFileTest, WrongTagOrVersionIsRefusedAndNothingIsWritten)
{
    QByteArray bytes = FileWith({QStringLiteral("A")});
    QDir(m_dir.File(QStringLiteral("cards_Image"))).removeRecursively();
    for (int field : {0, 8}) {
        QByteArray bad = bytes;
        bad[field] = char(bad[field] + 1);
        ASSERT_TRUE(TempDir::WriteAll(m_path, bad));
        CCardStore store;
        EXPECT_FALSE(store.Open(m_path)) << field;
        EXPECT_EQ(store.LastError(), StoreError::NotManagementFile);
        EXPECT_EQ(StoreErrorText(store.LastError()), QString::fromUtf8("管理ファイルが不正です。"));
        EXPECT_EQ(store.Count(), 0);
        EXPECT_FALSE(store.IsUsable());
        EXPECT_EQ(store.AddCard(Make(QStringLiteral("X"))), nullptr);
        EXPECT_FALSE(store.ApplyCheckList(CCheckArray()));
        EXPECT_EQ(TempDir::ReadAll(m_path), bad) << "nothing may be written into a refused file";
        // A refused file gets no image folder beside it.
        EXPECT_FALSE(QFileInfo::exists(m_dir.File(QStringLiteral("cards_Image"))));
    }
    CCardStore missing;
    EXPECT_FALSE(missing.Open(m_dir.File(QStringLiteral("none.ovd"))));
    EXPECT_EQ(missing.LastError(), StoreError::Missing);
    EXPECT_FALSE(QFileInfo::exists(m_dir.File(QStringLiteral("none.ovd"))));
}

// Open says what is wrong instead of calling everything an invalid file, and
// never waits on something that is not a file.
TEST_F(ManagementFileTest, OpenTellsFoldersAndFifosApart)
{
    CCardStore store;
    ASSERT_TRUE(QDir().mkpath(m_dir.File(QStringLiteral("folder.ovd"))));
    EXPECT_FALSE(store.Open(m_dir.File(QStringLiteral("folder.ovd"))));
    EXPECT_EQ(store.LastError(), StoreError::Folder);
    const QString fifo = m_dir.File(QStringLiteral("fifo.ovd"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(store.Open(fifo));
    EXPECT_EQ(store.LastError(), StoreError::NotRegular);
    EXPECT_FALSE(store.CreateNew(m_dir.File(QStringLiteral("folder.ovd"))));
    EXPECT_NE(store.LastError(), StoreError::None);
    for (StoreError error : {StoreError::Missing, StoreError::Folder, StoreError::NotRegular,
                             StoreError::Unreadable, StoreError::ReadFailed, StoreError::ReadOnly,
                             StoreError::DiskFull, StoreError::WriteFailed, StoreError::ChangedElsewhere})
        EXPECT_FALSE(StoreErrorText(error).isEmpty());
}

TEST_F(ManagementFileTest, FailedOpenKeepsTheFileThatWasOpen)
{
    FileWith({QStringLiteral("A"), QStringLiteral("B")});
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    const QString other = m_dir.File(QStringLiteral("other.ovd"));
    ASSERT_TRUE(TempDir::WriteAll(other, QByteArray("not a management file at all")));
    EXPECT_FALSE(store.Open(other));
    EXPECT_EQ(store.LastError(), StoreError::NotManagementFile);
    EXPECT_EQ(store.Path(), QFileInfo(m_path).absoluteFilePath());
    EXPECT_EQ(NamesAfterOpen(store), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_FALSE(QFileInfo::exists(m_dir.File(QStringLiteral("other_Image"))));
    // Changes still go to the file that is open.
    ASSERT_NE(store.AddCard(Make(QStringLiteral("C"))), nullptr);
    EXPECT_EQ(TempDir::ReadAll(other), QByteArray("not a management file at all"));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(reopened.LiveCount(), 3);
}

TEST_F(ManagementFileTest, GarbageBetweenRecordsIsRepairedWithABackup)
{
    QByteArray bytes = FileWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    const qsizetype second = 16 + 8 + U32At(bytes, 20);
    bytes.insert(second, QByteArray("garbage!"));
    SetU32At(bytes, 4, quint32(bytes.size()));
    ASSERT_TRUE(TempDir::WriteAll(m_path, bytes));
    ASSERT_TRUE(TempDir::WriteAll(m_path + QStringLiteral(".bak0"), "older backup"));

    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    EXPECT_EQ(NamesAfterOpen(store),
              QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(store.LastOpenReport().repairState, 1);
    EXPECT_TRUE(store.LastOpenReport().rewritten);
    EXPECT_EQ(store.LastOpenReport().backupPath,
              QFileInfo(m_path).absoluteFilePath() + QStringLiteral(".bak1"));
    EXPECT_EQ(TempDir::ReadAll(m_path + QStringLiteral(".bak1")), bytes);
    EXPECT_EQ(TempDir::ReadAll(m_path + QStringLiteral(".bak0")), QByteArray("older backup"));
    const QByteArray repaired = TempDir::ReadAll(m_path);
    EXPECT_EQ(repaired.size(), bytes.size() - 8);
    EXPECT_EQ(U32At(repaired, 12), 3u);
    // The offsets kept in memory point at the repaired file's records.
    ASSERT_TRUE(store.ReloadCard(store.CardAt(2)));
    EXPECT_EQ(store.CardAt(2)->Name(), QStringLiteral("C"));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(m_dir.Path()).entryList(QDir::Files).size(), 3);
}

TEST_F(ManagementFileTest, TruncatedFilesOpenWithEveryCompleteCard)
{
    const QByteArray bytes = FileWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QList<qsizetype> ends;
    for (qsizetype pos = 16; pos < bytes.size(); pos += 8 + U32At(bytes, pos + 4))
        ends << pos + 8 + U32At(bytes, pos + 4);
    ASSERT_EQ(ends.size(), 3);
    const QStringList all{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        // Cut without fixing the header: the stated length is past the end, so the
        // file is damaged, and every complete record is still read.
        CManagementScan plain;
        if (cut < 16) {
            EXPECT_FALSE(plain.Run(bytes.left(cut))) << cut;
            continue;
        }
        ASSERT_TRUE(plain.Run(bytes.left(cut))) << cut;
        EXPECT_EQ(plain.ScanState(), cut == bytes.size() ? CManagementScan::Clean : CManagementScan::Damaged);

        QByteArray fixed = bytes.left(cut);
        SetU32At(fixed, 4, quint32(cut));
        const int complete =
            int(std::count_if(ends.begin(), ends.end(), [cut](qsizetype e) { return e <= cut; }));
        CManagementScan scan;
        ASSERT_TRUE(scan.Run(fixed)) << cut;
        ASSERT_EQ(int(scan.Cards().size()), complete) << cut;
        for (int i = 0; i < complete; ++i)
            EXPECT_EQ(scan.Cards()[size_t(i)].card->Name(), all[i]);
        const bool atRecordEnd = cut == 16 || ends.contains(cut);
        // A record end with the length fixed but the count left: damaged unless the count fits too.
        EXPECT_EQ(scan.ScanState() == CManagementScan::Clean, atRecordEnd && complete == 3) << cut;
        EXPECT_EQ(int(plain.Cards().size()), complete) << cut;

        // The whole open, with its repair, on a sample of the cuts (each one syncs a file).
        if (cut % 9 != 0 && !ends.contains(cut) && cut != bytes.size() - 1)
            continue;
        ASSERT_TRUE(TempDir::WriteAll(m_path, fixed));
        CCardStore store;
        ASSERT_TRUE(store.Open(m_path)) << cut;
        EXPECT_EQ(NamesAfterOpen(store), all.mid(0, complete)) << cut;
        CCardStore again;
        ASSERT_TRUE(again.Open(m_path)) << cut;
        EXPECT_EQ(NamesAfterOpen(again), all.mid(0, complete)) << cut;
        EXPECT_EQ(again.LastOpenReport().repairState, 0) << cut;
        for (const QString &name : QDir(m_dir.Path()).entryList({QStringLiteral("*.bak*")}))
            QFile::remove(m_dir.File(name));
    }
}

TEST_F(ManagementFileTest, HugeLengthsAndCountsDoNotOverreach)
{
    const QByteArray bytes = FileWith({QStringLiteral("A"), QStringLiteral("B")});
    const qsizetype second = 16 + 8 + U32At(bytes, 20);

    // A count that disagrees with the records is repaired, so that the next
    // append does not wrap it round to 0 and lose every card at the open after.
    QByteArray hugeCount = bytes;
    SetU32At(hugeCount, 12, 0xFFFFFFFFu);
    ASSERT_TRUE(TempDir::WriteAll(m_path, hugeCount));
    {
        CCardStore a;
        ASSERT_TRUE(a.Open(m_path));
        EXPECT_EQ(a.LiveCount(), 2);
        EXPECT_EQ(a.LastOpenReport().repairState, 1);
        EXPECT_EQ(U32At(TempDir::ReadAll(m_path), 12), 2u);
        ASSERT_NE(a.AddCard(Make(QStringLiteral("C"))), nullptr);
        CCardStore again;
        ASSERT_TRUE(again.Open(m_path));
        EXPECT_EQ(again.LiveCount(), 3);
        EXPECT_EQ(again.LastOpenReport().repairState, 0);
    }
    for (const QString &name : QDir(m_dir.Path()).entryList({QStringLiteral("*.bak*")}))
        QFile::remove(m_dir.File(name));
    // Even a writer on such a file refuses to wrap the count.
    ASSERT_TRUE(TempDir::WriteAll(m_path, hugeCount));
    {
        CCardFileWriter writer(m_path);
        qint32 offset = 0;
        EXPECT_FALSE(writer.AppendRecord(CChunk::EncodeCard(Make(QStringLiteral("D"))), &offset));
    }
    EXPECT_EQ(TempDir::ReadAll(m_path), hugeCount);

    QByteArray hugeRecord = bytes;
    SetU32At(hugeRecord, second + 4, 0x7FFFFFF0u);
    ASSERT_TRUE(TempDir::WriteAll(m_path, hugeRecord));
    CCardStore b;
    ASSERT_TRUE(b.Open(m_path));
    EXPECT_EQ(b.LiveCount(), 1);
    EXPECT_EQ(b.LastOpenReport().repairState, 1);
    EXPECT_FALSE(b.LastOpenReport().backupPath.isEmpty());

    // A field inside the first card claiming more bytes than its card has.
    QByteArray badField = bytes;
    SetU32At(badField, 24 + 8 + 4, 0xFFFFFF00u);
    ASSERT_TRUE(TempDir::WriteAll(m_path, badField));
    CCardStore c;
    ASSERT_TRUE(c.Open(m_path));
    EXPECT_EQ(NamesAfterOpen(c), QStringList({QStringLiteral("B")}));

    QByteArray zeroLength = bytes;
    SetU32At(zeroLength, 20, 0);
    zeroLength.remove(24, second - 24);
    SetU32At(zeroLength, 4, quint32(zeroLength.size()));
    ASSERT_TRUE(TempDir::WriteAll(m_path, zeroLength));
    CCardStore d;
    ASSERT_TRUE(d.Open(m_path));
    EXPECT_EQ(NamesAfterOpen(d), QStringList({QStringLiteral("B")}));
}

TEST_F(ManagementFileTest, RandomDamageNeverCrashesAndKeepsABackup)
{
    const QByteArray bytes = FileWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QRandomGenerator random(11);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = bytes;
        for (int i = 0; i < 4; ++i)
            damaged[16 + random.bounded(int(bytes.size() - 16))] = char(random.bounded(256));
        CManagementScan scan;
        ASSERT_TRUE(scan.Run(damaged));
        EXPECT_LE(scan.Cards().size(), 3u);
        if (round % 30 != 0)
            continue;

        ASSERT_TRUE(TempDir::WriteAll(m_path, damaged));
        CCardStore store;
        ASSERT_TRUE(store.Open(m_path));
        if (store.LastOpenReport().repairState == 1) {
            EXPECT_EQ(TempDir::ReadAll(store.LastOpenReport().backupPath), damaged);
        }
        // Whatever was loaded was written back and reads the same.
        CCardStore again;
        ASSERT_TRUE(again.Open(m_path));
        EXPECT_EQ(again.LiveCount(), store.LiveCount());
        for (const QString &name : QDir(m_dir.Path()).entryList({QStringLiteral("*.bak*")}))
            QFile::remove(m_dir.File(name));
    }
}

TEST_F(ManagementFileTest, CardWithAnUnusableGroupIsDroppedOnlyAfterABackup)
{
    CCardStore writer;
    ASSERT_TRUE(writer.CreateNew(m_path));
    ASSERT_NE(writer.AddCard(Make(QStringLiteral("A"))), nullptr);
    // Write a card with group 40 straight into the file, as a damaged file might hold it.
    CCardData odd = Make(QStringLiteral("Odd"));
    odd.Stamp();
    odd.SetGroupNo(40);
    {
        CCardFileWriter file(m_path);
        qint32 offset = 0;
        ASSERT_TRUE(file.AppendRecord(CChunk::EncodeCard(odd), &offset));
    }
    const QByteArray before = TempDir::ReadAll(m_path);

    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    EXPECT_EQ(NamesAfterOpen(store), QStringList({QStringLiteral("A")}));
    EXPECT_EQ(store.LastOpenReport().droppedCards, 1);
    const QString backup = store.LastOpenReport().backupPath;
    EXPECT_EQ(backup, QFileInfo(m_path).absoluteFilePath() + QStringLiteral(".bak0"));
    EXPECT_EQ(TempDir::ReadAll(backup), before);
    // The record is now dead in the file; the card survives in the backup.
    const QByteArray after = TempDir::ReadAll(m_path);
    EXPECT_EQ(after.count("NMDL"), 1);
    CCardStore fromBackup;
    EXPECT_TRUE(fromBackup.Open(backup));
    // The freed slot is reused first.
    CCardData *next = store.AddCard(Make(QStringLiteral("N")));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(store.SlotOf(next), 1);
}

TEST_F(ManagementFileTest, AppendThatCannotBeWrittenLeavesTheFileAsItWas)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    ASSERT_NE(store.AddCard(Make(QStringLiteral("A"))), nullptr);
    const QByteArray before = TempDir::ReadAll(m_path);
    CCardData b = Make(QStringLiteral("B"));
    b.Stamp();
    {
        CCardFileWriter file(m_path);
        FileSizeLimit full(rlim_t(before.size()) + 20); // the record head fits, the card does not
        qint32 offset = 0;
        EXPECT_FALSE(file.AppendRecord(CChunk::EncodeCard(b), &offset));
    }
    EXPECT_EQ(TempDir::ReadAll(m_path), before);
    // Another writer touched the file: the store writes nothing until it has read it again.
    EXPECT_EQ(store.AddCard(Make(QStringLiteral("C"))), nullptr);
    EXPECT_EQ(store.LastError(), StoreError::ChangedElsewhere);
    ASSERT_NE(store.AddCard(Make(QStringLiteral("C"))), nullptr);
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(reopened.LiveCount(), 2);
}

TEST_F(ManagementFileTest, BatchWritesThroughOneOpenedFile)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    {
        CCardFileWriter file(store.Path());
        ASSERT_TRUE(file.IsOpen());
        for (int i = 0; i < 50; ++i)
            ASSERT_NE(store.AddCard(Make(QStringLiteral("N%1").arg(i)), &file), nullptr);
        ASSERT_TRUE(store.Delete(store.CardAt(3), &file));
    }
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(reopened.LiveCount(), 49);
    EXPECT_EQ(reopened.LastOpenReport().repairState, 2);
    // A writer for another file is refused.
    CCardFileWriter other(m_dir.File(QStringLiteral("other.ovd")));
    EXPECT_EQ(reopened.AddCard(Make(QStringLiteral("X")), &other), nullptr);
}

TEST_F(ManagementFileTest, ReloadCardReadsWhatIsStored)
{
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(m_path));
    CCardData data = Make(QStringLiteral("A"), QStringLiteral("ｱ"));
    data.SetMemo(QStringLiteral("mmmm"));
    CCardData *card = store.AddCard(data);
    ASSERT_NE(card, nullptr);
    CCardStore other;
    ASSERT_TRUE(other.Open(m_path));
    CCardData changed = *other.CardAt(0);
    changed.SetYomiName(QStringLiteral("ｶ"));
    changed.SetMemo(QStringLiteral("m"));
    ASSERT_NE(other.Replace(changed, other.CardAt(0)), nullptr);

    ASSERT_TRUE(store.ReloadCard(card));
    EXPECT_EQ(card->Memo(), QStringLiteral("m"));
    EXPECT_EQ(store.PositionInTab(card, 0, 1), 0);
    EXPECT_EQ(store.TabSize(0, 0), 0);
    // The other store wrote the file: this one refuses to write at record
    // positions it read before, and reads the file again instead.
    EXPECT_FALSE(store.Delete(card));
    EXPECT_EQ(store.LastError(), StoreError::ChangedElsewhere);
    ASSERT_EQ(store.LiveCount(), 1);
    EXPECT_TRUE(store.Delete(store.CardAt(0)));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(reopened.LiveCount(), 0);
}
