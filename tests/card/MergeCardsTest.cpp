#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "CChunk.h"
#include "FailingFile.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSignalSpy>

#include <cerrno>
#include <gtest/gtest.h>

using StoreTestCards::Make;
using StoreTestCards::Snapshot;

namespace {

CCardData *Named(const CCardStore &store, const QString &name)
{
    for (int s = 0; s < store.Count(); ++s)
        if (store.CardAt(s)->Name() == name)
            return store.CardAt(s);
    return nullptr;
}

// Three cards of one person and one of another; the pictures are named after
// their owner so that a test can tell whose picture a card ends up with.
class MergeCardsTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    QString m_path = m_dir.File(QStringLiteral("cards.ovd"));
    QByteArray m_base;
    QMap<QString, QByteArray> m_pictures; // file name -> bytes

    void SetUp() override
    {
        CCardStore store;
        ASSERT_TRUE(store.CreateNew(m_path));
        for (const char *name : {"Old", "Mid", "New", "Other"}) {
            CCardData card =
                Make(QString::fromLatin1(name), QStringLiteral("ﾔﾏﾀﾞ"), QStringLiteral("03-1111-2222"));
            card.SetMemo(QStringLiteral("memo of %1").arg(QLatin1String(name)));
            ASSERT_NE(store.AddCard(card), nullptr);
        }
        const CCardImageFiles images = store.Images();
        Picture(store, "Old", CCardImageFiles::CardImage);
        Picture(store, "Mid", CCardImageFiles::PersonPhoto);
        Picture(store, "New", CCardImageFiles::CardImage);
        Picture(store, "Other", CCardImageFiles::CardImage);
        m_base = TempDir::ReadAll(m_path);
    }

    void Picture(CCardStore &store, const char *owner, int picture)
    {
        const QString path = store.Images().PathOf(Named(store, QString::fromLatin1(owner))->Id(), picture);
        const QByteArray bytes = QByteArray("picture of ") + owner + (picture ? " (photo)" : " (card)");
        ASSERT_TRUE(TempDir::WriteAll(path, bytes));
        m_pictures.insert(QFileInfo(path).fileName(), bytes);
    }

    // The image folder as file name -> bytes.
    QMap<QString, QByteArray> Folder(const CCardStore &store) const
    {
        QMap<QString, QByteArray> files;
        const QDir folder(store.ImageFolder());
        for (const QString &name : folder.entryList(QDir::Files))
            files.insert(name, TempDir::ReadAll(folder.filePath(name)));
        return files;
    }

    void Restore()
    {
        ASSERT_TRUE(TempDir::WriteAll(m_path, m_base));
        CCardStore store;
        ASSERT_TRUE(store.Open(m_path));
        QDir folder(store.ImageFolder());
        for (const QString &name : folder.entryList(QDir::Files))
            ASSERT_TRUE(folder.remove(name));
        for (auto it = m_pictures.cbegin(); it != m_pictures.cend(); ++it)
            ASSERT_TRUE(TempDir::WriteAll(folder.filePath(it.key()), it.value()));
    }

    // New's data with every phone and memo, Old's card image, Mid's photo.
    static CCardStore::Merge Plan(const CCardStore &store)
    {
        CCardStore::Merge merge;
        merge.main = Named(store, QStringLiteral("New"));
        merge.others = {Named(store, QStringLiteral("Old")), Named(store, QStringLiteral("Mid"))};
        merge.data = *merge.main;
        merge.data.SetName(QStringLiteral("Merged"));
        merge.data.SetMemo(
            QStringLiteral("memo of New\nmemo of Old\nmemo of Mid and more, to grow the record"));
        merge.data.SetPhone(1, {QStringLiteral("090-0000-1111"), PhoneMobile});
        merge.cardImageFrom = Named(store, QStringLiteral("Old"));
        merge.photoFrom = Named(store, QStringLiteral("Mid"));
        return merge;
    }
};

} // namespace

// The merged card takes the main card's place and identity, the others are gone
// with their pictures, and a reopen of the file shows exactly that.
TEST_F(MergeCardsTest, TheMergedCardReplacesTheMainOneAndTheOthersGoWithTheirPictures)
{
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    const QString newId = Named(store, QStringLiteral("New"))->Id();
    const QString oldId = Named(store, QStringLiteral("Old"))->Id();
    const QString midId = Named(store, QStringLiteral("Mid"))->Id();
    QSignalSpy replaced(&store, &CCardStore::CardReplaced);
    QSignalSpy deleted(&store, &CCardStore::CardDeleted);
    QSignalSpy pictures(&store, &CCardStore::PicturesChanged);

    ASSERT_TRUE(store.MergeCards(Plan(store)));
    EXPECT_EQ(store.LiveCount(), 2);
    EXPECT_EQ(replaced.size(), 1);
    EXPECT_EQ(deleted.size(), 2);
    EXPECT_EQ(pictures.size(), 1);
    const CCardData *merged = Named(store, QStringLiteral("Merged"));
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(merged->Id(), newId);
    EXPECT_EQ(merged->PhoneCount(), 2);

    const CCardImageFiles images = store.Images();
    EXPECT_EQ(TempDir::ReadAll(images.PathOf(newId, CCardImageFiles::CardImage)), "picture of Old (card)");
    EXPECT_EQ(TempDir::ReadAll(images.PathOf(newId, CCardImageFiles::PersonPhoto)), "picture of Mid (photo)");
    // Nothing of the deleted cards or of the replaced picture is left behind.
    const QStringList left = QDir(store.ImageFolder()).entryList(QDir::Files);
    EXPECT_EQ(left.size(), 3) << left.join(u' ').toStdString();
    for (const QString &name : left)
        EXPECT_FALSE(name.contains(oldId) || name.contains(midId)) << name.toStdString();

    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_path));
    EXPECT_EQ(Snapshot(reopened), Snapshot(store));
    EXPECT_EQ(Named(reopened, QStringLiteral("Old")), nullptr);
    EXPECT_EQ(Named(reopened, QStringLiteral("Mid")), nullptr);
    ASSERT_NE(Named(reopened, QStringLiteral("Merged")), nullptr);
    EXPECT_EQ(Named(reopened, QStringLiteral("Merged"))->Memo(), merged->Memo());
}

// A card whose chosen picture source has none ends without that picture; a
// main card keeping its own keeps it untouched.
TEST_F(MergeCardsTest, APictureSourceWithoutThePictureLeavesNone)
{
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    const QString newId = Named(store, QStringLiteral("New"))->Id();
    CCardStore::Merge merge = Plan(store);
    merge.cardImageFrom = nullptr;                         // New keeps its own card image
    merge.photoFrom = Named(store, QStringLiteral("Old")); // Old has no photo
    ASSERT_TRUE(store.MergeCards(merge));
    const CCardImageFiles images = store.Images();
    EXPECT_EQ(TempDir::ReadAll(images.PathOf(newId, CCardImageFiles::CardImage)), "picture of New (card)");
    EXPECT_FALSE(images.Exists(newId, CCardImageFiles::PersonPhoto));
}

// A plan that names a card twice, a card of no group or no other card is refused untouched.
TEST_F(MergeCardsTest, AnInconsistentPlanIsRefusedBeforeAnythingChanges)
{
    CCardStore store;
    ASSERT_TRUE(store.Open(m_path));
    const std::string before = Snapshot(store);
    const auto folder = Folder(store);
    CCardData outside = *Named(store, QStringLiteral("Other"));

    CCardStore::Merge twice = Plan(store);
    twice.others << twice.main;
    CCardStore::Merge none = Plan(store);
    none.others.clear();
    CCardStore::Merge foreignPicture = Plan(store);
    foreignPicture.photoFrom = Named(store, QStringLiteral("Other"));
    CCardStore::Merge notStored = Plan(store);
    notStored.others << &outside;
    CCardStore::Merge badGroup = Plan(store);
    badGroup.data.SetGroupNo(99);
    for (const CCardStore::Merge *merge : {&twice, &none, &foreignPicture, &notStored, &badGroup}) {
        EXPECT_FALSE(store.MergeCards(*merge));
        EXPECT_EQ(store.LastError(), StoreError::WriteFailed);
    }
    EXPECT_EQ(Snapshot(store), before);
    EXPECT_EQ(TempDir::ReadAll(m_path), m_base);
    EXPECT_EQ(Folder(store), folder);
}

// A disk that fails at any one write, sync or truncate of the merge: the merge
// is refused, and every card of the group is there as it was, in memory, in
// the file and in its pictures.
TEST_F(MergeCardsTest, AFailedWriteLeavesEveryCardOfTheGroupAsItWas)
{
    for (int error : {ENOSPC, EIO}) {
        for (int failAt = 1;; ++failAt) {
            SCOPED_TRACE(testing::Message() << "errno " << error << ", call " << failAt);
            Restore();
            CCardStore store;
            ASSERT_TRUE(store.Open(m_path));
            const std::string before = Snapshot(store);
            const auto folder = Folder(store);
            FileFaultPlan plan;
            plan.failAt = failAt;
            plan.error = error;
            store.SetFileFactory(FailingFile::Factory(&plan));
            const bool done = store.MergeCards(Plan(store));
            if (plan.calls < failAt) {
                EXPECT_TRUE(done); // every call has had its turn to fail
                break;
            }
            ASSERT_FALSE(done);
            EXPECT_EQ(store.LastError(), error == ENOSPC ? StoreError::DiskFull : StoreError::WriteFailed);
            EXPECT_EQ(Snapshot(store), before);
            EXPECT_EQ(Folder(store), folder);
            CCardStore fresh;
            ASSERT_TRUE(fresh.Open(m_path));
            EXPECT_EQ(Snapshot(fresh), before);
            // The store goes on: the same merge succeeds once the disk is well.
            plan.failAt = 0;
            EXPECT_TRUE(store.MergeCards(Plan(store)));
            ASSERT_LT(failAt, 40) << "a merge that never ends";
        }
    }
}

// A disk that breaks for good in the middle cannot even be put back: then the
// file holds each card as it was or as the merge made it, never neither, and
// every card that is still there has its pictures; memory shows the file.
TEST_F(MergeCardsTest, ABrokenDiskLosesNoCardAndNoPictureOfACardStillThere)
{
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE(testing::Message() << "broken from call " << failAt);
        Restore();
        CCardStore store;
        ASSERT_TRUE(store.Open(m_path));
        QMap<QString, QString> ids; // name -> id before the merge
        for (const char *name : {"Old", "Mid", "New", "Other"})
            ids.insert(QString::fromLatin1(name), Named(store, QString::fromLatin1(name))->Id());
        FileFaultPlan plan;
        plan.failAt = failAt;
        plan.error = EIO;
        plan.persistent = true;
        plan.truncateWorks = false;
        store.SetFileFactory(FailingFile::Factory(&plan));
        const bool done = store.MergeCards(Plan(store));
        if (plan.calls < failAt) {
            EXPECT_TRUE(done);
            break;
        }
        ASSERT_FALSE(done);
        CCardStore fresh;
        ASSERT_TRUE(fresh.Open(m_path));
        EXPECT_EQ(Snapshot(store), Snapshot(fresh));
        const bool merged = Named(fresh, QStringLiteral("Merged")) != nullptr;
        EXPECT_TRUE(merged || Named(fresh, QStringLiteral("New")));
        for (const char *name : {"Old", "Mid"})
            EXPECT_TRUE(merged || Named(fresh, QString::fromLatin1(name))) << name;

        // Pictures: every card still there has its own, and the merged card has
        // those chosen for it once another card of the group is gone.
        const CCardImageFiles images = store.Images();
        const bool landed = !Named(fresh, QStringLiteral("Old")) || !Named(fresh, QStringLiteral("Mid"));
        EXPECT_TRUE(!landed || merged);
        for (const char *name : {"Old", "Mid", "Other"}) {
            const QString id = ids.value(QString::fromLatin1(name));
            if (!Named(fresh, QString::fromLatin1(name)))
                continue;
            for (int picture : {CCardImageFiles::CardImage, CCardImageFiles::PersonPhoto}) {
                const QString file = CCardImageFiles::FileName(id, picture);
                EXPECT_EQ(TempDir::ReadAll(images.PathOf(id, picture)), m_pictures.value(file)) << name;
            }
        }
        const QString newId = ids.value(QStringLiteral("New"));
        EXPECT_EQ(TempDir::ReadAll(images.PathOf(newId, CCardImageFiles::CardImage)),
                  landed ? "picture of Old (card)" : "picture of New (card)");
        EXPECT_EQ(TempDir::ReadAll(images.PathOf(newId, CCardImageFiles::PersonPhoto)),
                  landed ? QByteArray("picture of Mid (photo)") : QByteArray());
        for (const QString &name : QDir(store.ImageFolder()).entryList(QDir::Files))
            EXPECT_TRUE(name.endsWith(QLatin1String(".ovi"))) << "left behind: " << name.toStdString();
        ASSERT_LT(failAt, 40) << "a merge that never ends";
    }
}
