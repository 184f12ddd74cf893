#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "FailingFile.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <cerrno>
#include <gtest/gtest.h>

using StoreTestCards::Make;
using StoreTestCards::Snapshot;

namespace {

std::string SnapshotOfFile(const QString &path)
{
    CCardStore fresh;
    EXPECT_TRUE(fresh.Open(path));
    return Snapshot(fresh);
}

CCardData *Named(CCardStore &store, const QString &name)
{
    for (int s = 0; s < store.Count(); ++s)
        if (store.CardAt(s)->Name() == name)
            return store.CardAt(s);
    return nullptr;
}

// One change of each kind the program makes, on a store holding A, B and C.
enum Change
{
    AddOne,
    EditInPlace,
    EditThatGrows,
    DeleteOne,
    DeleteTwo,
    EditThree,
    CheckListForAll,
    ChangeCount
};

bool MakeChange(CCardStore &store, Change change)
{
    switch (change) {
    case AddOne:
        return store.AddCard(Make(QStringLiteral("D"), QStringLiteral("ﾃﾞ"))) != nullptr;
    case EditInPlace: {
        CCardData data = *Named(store, QStringLiteral("A"));
        data.SetMemo(QStringLiteral("m"));
        return store.Replace(data, Named(store, QStringLiteral("A"))) != nullptr;
    }
    case EditThatGrows: {
        CCardData data = *Named(store, QStringLiteral("B"));
        data.SetMemo(QStringLiteral("a memo long enough to need a new record"));
        data.SetYomiName(QStringLiteral("ﾜ")); // moves it to another tab too
        return store.Replace(data, Named(store, QStringLiteral("B"))) != nullptr;
    }
    case DeleteOne:
        return store.Delete(Named(store, QStringLiteral("C")));
    case DeleteTwo:
        return store.DeleteCards({Named(store, QStringLiteral("A")), Named(store, QStringLiteral("C"))});
    case EditThree: {
        QList<CCardStore::CardChange> changes;
        for (const char *name : {"A", "B", "C"}) {
            CCardData *card = Named(store, QString::fromLatin1(name));
            CCardData data = *card;
            data.SetPrint(!data.Print());
            data.SetTitle(QStringLiteral("a title that makes the card longer"));
            changes.append({card, data});
        }
        return store.ReplaceCards(changes);
    }
    case CheckListForAll: {
        CCheckArray checks = store.GetCheckList();
        const int slot = checks.AddItem(QString::fromUtf8("年賀状"));
        checks.SetSetAction(slot);
        return store.ApplyCheckList(checks);
    }
    case ChangeCount:
        break;
    }
    return false;
}

class WriteFailureTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    QString m_path = m_dir.File(QStringLiteral("cards.ovd"));
    QByteArray m_base;
    QString m_picture;

    // The file and C's picture as SetUp left them.
    void Restore()
    {
        ASSERT_TRUE(TempDir::WriteAll(m_path, m_base));
        ASSERT_TRUE(TempDir::WriteAll(m_picture, "picture"));
    }

    void SetUp() override
    {
        CCardStore store;
        ASSERT_TRUE(store.CreateNew(m_path));
        // A has a memo to shorten in place; C has a picture to lose with it.
        CCardData a = Make(QStringLiteral("A"), QStringLiteral("ｱ"), QStringLiteral("03-1111"));
        a.SetMemo(QStringLiteral("a memo to shorten"));
        ASSERT_NE(store.AddCard(a), nullptr);
        ASSERT_NE(store.AddCard(Make(QStringLiteral("B"), QStringLiteral("ｲ"))), nullptr);
        CCardData *c = store.AddCard(Make(QStringLiteral("C"), QStringLiteral("ｳ")));
        ASSERT_NE(c, nullptr);
        m_picture = store.Images().PathOf(c->Id(), CCardImageFiles::CardImage);
        m_base = TempDir::ReadAll(m_path);
        Restore();
    }
};

} // namespace

// A disk that fills up or fails at any single write, sync or truncate of any
// change: the change is refused, memory is what a fresh open of the file
// shows, and (the file not being broken for good) that is the state before.
TEST_F(WriteFailureTest, AFailedChangeLeavesMemoryAsTheFileHoldsIt)
{
    struct Mode
    {
        const char *name;
        int error;
        bool persistent;
        bool onlyGrowing;
        bool truncateWorks;
        StoreError expected;
        bool undone; // the change is put back whole
    };
    const Mode modes[] = {{"one ENOSPC", ENOSPC, false, false, true, StoreError::DiskFull, true},
                          {"disk full", ENOSPC, true, true, true, StoreError::DiskFull, true},
                          {"one EIO", EIO, false, false, true, StoreError::WriteFailed, true},
                          {"failing writes", EIO, true, false, true, StoreError::WriteFailed, false},
                          {"broken disk", EIO, true, false, false, StoreError::WriteFailed, false}};
    for (const Mode &mode : modes) {
        for (int change = 0; change < ChangeCount; ++change) {
            for (int failAt = 1;; ++failAt) {
                SCOPED_TRACE(testing::Message() << mode.name << ", change " << change << ", call " << failAt);
                Restore();
                CCardStore store;
                ASSERT_TRUE(store.Open(m_path));
                const std::string before = Snapshot(store);
                FileFaultPlan plan;
                plan.failAt = failAt;
                plan.error = mode.error;
                plan.persistent = mode.persistent;
                plan.truncateWorks = mode.truncateWorks;
                plan.onlyGrowing = mode.onlyGrowing;
                store.SetFileFactory(FailingFile::Factory(&plan));
                const bool done = MakeChange(store, Change(change));
                EXPECT_EQ(done, plan.injected == 0);
                if (plan.calls < failAt)
                    break; // every call of the change has had its turn to fail
                if (done)
                    continue;
                EXPECT_EQ(store.LastError(), mode.expected);
                EXPECT_EQ(Snapshot(store), SnapshotOfFile(m_path));
                if (change == DeleteOne || change == DeleteTwo) {
                    // A card that is still there keeps its picture.
                    const CCardData *c = Named(store, QStringLiteral("C"));
                    if (c) {
                        EXPECT_TRUE(store.Images().Exists(c->Id(), CCardImageFiles::CardImage));
                    }
                }
                // Unless the disk is broken for good, the change is undone whole,
                // and the store goes on writing once the disk is well again.
                // No card is ever lost: each is there as it was or as the change made it.
                {
                    CCardStore fresh;
                    ASSERT_TRUE(fresh.Open(m_path));
                    for (const char *name : {"A", "B", "C"})
                        EXPECT_TRUE(Named(fresh, QString::fromLatin1(name)) || change == DeleteOne ||
                                    change == DeleteTwo)
                            << name;
                }
                if (mode.undone) {
                    EXPECT_EQ(SnapshotOfFile(m_path), before);
                    plan.failAt = 0;
                    EXPECT_TRUE(MakeChange(store, Change(change)));
                    EXPECT_EQ(store.LastError(), StoreError::None);
                    EXPECT_EQ(Snapshot(store), SnapshotOfFile(m_path));
                }
                ASSERT_LT(failAt, 40) << "a change that never ends";
            }
        }
    }
}

// The order that keeps every card once: the new record is on disk before the
// old one is marked dead, the dead mark before the header counts the new one.
TEST_F(WriteFailureTest, WritesAndSyncsComeInTheOrderThatSurvivesAPowerCut)
{
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    FileFaultPlan plan;
    store.SetFileFactory(FailingFile::Factory(&plan));
    CCardData *b = Named(store, QStringLiteral("B"));
    const qint32 oldOffset = store.RecordOf(b).offset;
    CCardData data = *b;
    data.SetMemo(QStringLiteral("longer than before"));
    ASSERT_NE(store.Replace(data, b), nullptr);
    QByteArray order;
    for (const FileFaultPlan::Call &call : plan.log)
        order += call.kind;
    EXPECT_EQ(order, QByteArray("wswsws"));
    ASSERT_EQ(plan.log.size(), 6);
    EXPECT_EQ(plan.log[0].position, m_base.size());
    EXPECT_EQ(plan.log[0].bytes.left(4), QByteArray("NMBK"));
    EXPECT_EQ(plan.log[2].position, oldOffset);
    EXPECT_EQ(plan.log[2].bytes, QByteArray("NMDL"));
    EXPECT_EQ(plan.log[4].position, 0);
    EXPECT_EQ(plan.log[4].bytes.left(4), QByteArray("NMCD"));

    // An edit in place and a deletion are one write each, then made durable.
    plan.log.clear();
    CCardData shorter = *Named(store, QStringLiteral("A"));
    shorter.SetMemo(QString());
    ASSERT_NE(store.Replace(shorter, Named(store, QStringLiteral("A"))), nullptr);
    ASSERT_TRUE(store.Delete(Named(store, QStringLiteral("C"))));
    order.clear();
    for (const FileFaultPlan::Call &call : plan.log)
        order += call.kind;
    EXPECT_EQ(order, QByteArray("wsws"));

    // Without syncing (tests and benchmarks) the writes stay in the same order.
    plan.log.clear();
    store.SetSyncWrites(false);
    ASSERT_NE(store.AddCard(Make(QStringLiteral("E"))), nullptr);
    order.clear();
    for (const FileFaultPlan::Call &call : plan.log)
        order += call.kind;
    EXPECT_EQ(order, QByteArray("ww"));
}

// Another program (tessaly-cli, a second copy) rewrote the file: the record
// positions in memory mean nothing there any more, so nothing is written.
TEST_F(WriteFailureTest, AFileChangedElsewhereIsReadAgainBeforeAnyWrite)
{
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    QSignalSpy resets(&store, &CCardStore::Reset);
    {
        CCardStore other;
        ASSERT_TRUE(other.Open(m_path));
        ASSERT_TRUE(other.Delete(Named(other, QStringLiteral("A"))));
        CCardStore compacting;
        ASSERT_TRUE(compacting.Open(m_path)); // the dead record goes: every offset moves
    }
    const QByteArray rewritten = TempDir::ReadAll(m_path);
    CCardData *b = Named(store, QStringLiteral("B"));
    CCardData data = *b;
    data.SetMemo(QStringLiteral("m"));
    EXPECT_EQ(store.Replace(data, b), nullptr);
    EXPECT_EQ(store.LastError(), StoreError::ChangedElsewhere);
    EXPECT_EQ(TempDir::ReadAll(m_path), rewritten);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(Snapshot(store), SnapshotOfFile(m_path));
    EXPECT_EQ(Named(store, QStringLiteral("A")), nullptr);
    // Now it knows the file again.
    data = *Named(store, QStringLiteral("B"));
    data.SetMemo(QStringLiteral("m"));
    EXPECT_NE(store.Replace(data, Named(store, QStringLiteral("B"))), nullptr);
    EXPECT_EQ(Snapshot(store), SnapshotOfFile(m_path));
}

// A change is made in memory (and told) only after the file holds it.
TEST_F(WriteFailureTest, ListenersHearOfAChangeOnlyWhenItIsInTheFile)
{
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    QSignalSpy added(&store, &CCardStore::CardAdded);
    QSignalSpy replaced(&store, &CCardStore::CardReplaced);
    QSignalSpy deleted(&store, &CCardStore::CardDeleted);
    FileFaultPlan plan;
    plan.failAt = 1;
    plan.persistent = true;
    store.SetFileFactory(FailingFile::Factory(&plan));
    EXPECT_FALSE(MakeChange(store, AddOne));
    EXPECT_FALSE(MakeChange(store, EditThatGrows));
    EXPECT_FALSE(MakeChange(store, DeleteOne));
    EXPECT_EQ(added.count() + replaced.count() + deleted.count(), 0);
    EXPECT_EQ(store.LiveCount(), 3);

    plan.failAt = 0;
    ASSERT_TRUE(MakeChange(store, EditThatGrows));
    ASSERT_EQ(replaced.count(), 1);
    EXPECT_TRUE(replaced.at(0).at(1).toBool()); // its reading moved it
    ASSERT_TRUE(MakeChange(store, DeleteOne));
    ASSERT_EQ(deleted.count(), 1);
    // The picture went with the card, after the file held the deletion.
    EXPECT_EQ(QDir(store.ImageFolder()).entryList(QDir::Files).size(), 0);
}
