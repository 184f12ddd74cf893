#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using StoreTestCards::Make;
using StoreTestCards::U32At;

namespace {

class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_store.CreateNew(m_dir.File(QStringLiteral("s.ovd")))); }

    CCardData *Add(const QString &name, const QString &yomi = QString(), const QString &phone = QString())
    {
        CCardData *card = m_store.AddCard(Make(name, yomi, phone));
        EXPECT_NE(card, nullptr);
        return card;
    }

    QStringList TabNames(int row, int tab)
    {
        QStringList names;
        for (CCardData *card : m_store.TabCopy(row, tab))
            names << card->Name();
        return names;
    }

    TempDir m_dir;
    StoreSettings m_settings = StoreSettings::Defaults();
    CCardStore m_store{&m_settings};
};

} // namespace

TEST_F(StoreTest, DeletedSlotIsReusedFirstInFirstOut)
{
    Add(QStringLiteral("A"));
    CCardData *b = Add(QStringLiteral("B"));
    CCardData *c = Add(QStringLiteral("C"));
    ASSERT_TRUE(m_store.Delete(b));
    EXPECT_EQ(m_store.Count(), 3);
    EXPECT_TRUE(m_store.CardAt(1)->Id().isEmpty()); // placeholder stays
    ASSERT_TRUE(m_store.Delete(c));
    CCardData *d = Add(QStringLiteral("D"));
    EXPECT_EQ(d->StoreIndex(), 1);
    EXPECT_EQ(m_store.CardAt(1), d);
    EXPECT_EQ(Add(QStringLiteral("E"))->StoreIndex(), 2);
    EXPECT_EQ(Add(QStringLiteral("F"))->StoreIndex(), 3);
    const QByteArray bytes = TempDir::ReadAll(m_store.Path());
    EXPECT_EQ(U32At(bytes, 12), 6u);
    EXPECT_EQ(bytes.count("NMDL"), 2);
    EXPECT_EQ(m_settings.lastLoadedFile, QFileInfo(m_dir.File(QStringLiteral("s.ovd"))).absoluteFilePath());
}

TEST_F(StoreTest, AddingACopyOfAStoredCardLeavesTheOriginalRecordAlone)
{
    CCardData *a = Add(QStringLiteral("A"));
    CCardData copy = *a;
    copy.SetName(QStringLiteral("B"));
    CCardData *b = m_store.AddCard(copy);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(b->RecordOffset(), a->RecordOffset());
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_store.Path()));
    ASSERT_EQ(reopened.LiveCount(), 2);
    EXPECT_EQ(reopened.CardAt(0)->Name(), QStringLiteral("A"));
    EXPECT_EQ(reopened.CardAt(1)->Name(), QStringLiteral("B"));
}

TEST_F(StoreTest, TabsOfReadings)
{
    EXPECT_EQ(m_store.PositionInTab(Add(QStringLiteral("g"), QStringLiteral("ｶﾞｯｺｳ")), 0, 1), 0);
    EXPECT_EQ(m_store.PositionInTab(Add(QStringLiteral("v"), QStringLiteral("ｳﾞｨ")), 0, 0), 0);
    CCardData *none = Add(QStringLiteral("n"));
    EXPECT_TRUE(none->YomiName().isEmpty());
    EXPECT_EQ(m_store.PositionInTab(none, 0, 11), 0);
    EXPECT_EQ(m_store.PositionInTab(Add(QStringLiteral("d"), QStringLiteral("1ﾊﾞﾝ")), 0, 11), 1);
    EXPECT_EQ(m_store.TabSize(0, 13), 4);
    // Every card is also in row 1 (empty company reading) and row 2 (group 0).
    EXPECT_EQ(m_store.TabSize(1, 11), 4);
    EXPECT_EQ(m_store.TabSize(2, 0), 4);
    EXPECT_EQ(m_store.TabCount(0), 14);
    EXPECT_EQ(m_store.TabCount(2), 18);
}

TEST_F(StoreTest, CompanyPrefixIsLeftOutOfTabAndOrder)
{
    CCardData data = Make(QStringLiteral("K"));
    data.SetCompanyYomi(QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬﾔﾏﾀﾞ"));
    CCardData *k = m_store.AddCard(data);
    CCardData other = Make(QStringLiteral("Y"));
    other.SetCompanyYomi(QStringLiteral("ﾔﾏｱ"));
    CCardData *y = m_store.AddCard(other);
    ASSERT_TRUE(k && y);
    ASSERT_TRUE(m_store.SetSortKind(1, 7, 1));
    EXPECT_EQ(TabNames(1, 7), QStringList({QStringLiteral("Y"), QStringLiteral("K")}));
    EXPECT_EQ(m_store.TabSize(1, 1), 0);
}

TEST_F(StoreTest, MemoChangeKeepsPlaceReadingChangeMoves)
{
    Add(QStringLiteral("A"), QStringLiteral("ｱｲ"));
    CCardData *b = Add(QStringLiteral("B"), QStringLiteral("ｱｲ"));
    Add(QStringLiteral("C"), QStringLiteral("ｱｲ"));
    CCardData memo = *b;
    memo.SetMemo(QStringLiteral("note"));
    ASSERT_EQ(m_store.Replace(memo, b), b);
    EXPECT_EQ(TabNames(0, 0), QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    // Same key again after a reading change: the card goes after its equals.
    CCardData yomi = *b;
    yomi.SetYomiName(QStringLiteral("ｶｲ"));
    ASSERT_EQ(m_store.Replace(yomi, b), b);
    EXPECT_EQ(TabNames(0, 0), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(TabNames(0, 1), QStringList({QStringLiteral("B")}));
    yomi.SetYomiName(QStringLiteral("ｱｲ"));
    ASSERT_EQ(m_store.Replace(yomi, b), b);
    EXPECT_EQ(TabNames(0, 0), QStringList({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B")}));
    EXPECT_EQ(TabNames(0, 13), TabNames(0, 0));
}

TEST_F(StoreTest, FindDuplicateKinds)
{
    CCardData *first = Add(QStringLiteral("Same"), QString(), QStringLiteral("111"));
    CCardData *second = Add(QStringLiteral("Same"), QString(), QStringLiteral("222"));
    Add(QStringLiteral("Other"), QString(), QStringLiteral("222"));
    int kind = -1;
    EXPECT_EQ(
        m_store.FindDuplicate(Make(QStringLiteral("Same"), QString(), QStringLiteral("333")), false, &kind),
        0);
    EXPECT_EQ(kind, CCardStore::DuplicateSameName);
    EXPECT_EQ(
        m_store.FindDuplicate(Make(QStringLiteral("Same"), QString(), QStringLiteral("222")), false, &kind),
        1);
    EXPECT_EQ(kind, CCardStore::DuplicateIdentical);
    EXPECT_EQ(m_store.FindDuplicate(Make(QStringLiteral("None")), false, &kind), -1);
    EXPECT_EQ(kind, CCardStore::DuplicateNone);

    // Only the first same-named card is tested for Fixed.
    CCardData fixedSecond = *second;
    fixedSecond.SetFixed(true);
    ASSERT_NE(m_store.Replace(fixedSecond, second), nullptr);
    EXPECT_EQ(
        m_store.FindDuplicate(Make(QStringLiteral("Same"), QString(), QStringLiteral("333")), true, &kind),
        0);
    EXPECT_EQ(kind, CCardStore::DuplicateSameName);

    CCardData fixed = *first;
    fixed.SetFixed(true);
    ASSERT_NE(m_store.Replace(fixed, first), nullptr);
    EXPECT_EQ(
        m_store.FindDuplicate(Make(QStringLiteral("Same"), QString(), QStringLiteral("333")), true, &kind),
        0);
    EXPECT_EQ(kind, CCardStore::DuplicateIdentical);
    EXPECT_EQ(
        m_store.FindDuplicate(Make(QStringLiteral("Same"), QString(), QStringLiteral("333")), false, &kind),
        0);
    EXPECT_EQ(kind, CCardStore::DuplicateSameName);
    // A deleted card is no longer found.
    ASSERT_TRUE(m_store.Delete(first));
    EXPECT_EQ(m_store.FindDuplicate(Make(QStringLiteral("Same")), false, &kind), 1);
    EXPECT_EQ(kind, CCardStore::DuplicateSameName);
}

TEST_F(StoreTest, SortKindsAreStable)
{
    const char *names[] = {"P1", "N1", "P2", "N2"};
    for (int i = 0; i < 4; ++i) {
        CCardData card = Make(QString::fromLatin1(names[i]), QStringLiteral("ｱ"));
        card.SetPrint(names[i][0] == 'P');
        card.SetTitle(i == 0 ? QStringLiteral("熙") : QStringLiteral("ｱ"));
        card.SetDepartment(i == 3 ? QStringLiteral("凜") : QStringLiteral("熊"));
        ASSERT_NE(m_store.AddCard(card), nullptr);
    }
    EXPECT_FALSE(m_store.SetSortKind(0, 0, 7));
    EXPECT_FALSE(m_store.SetSortKind(0, 14, 0));
    ASSERT_TRUE(m_store.SetSortKind(0, 0, 6));
    EXPECT_EQ(TabNames(0, 0), QStringList({"N1", "N2", "P1", "P2"}));
    // CP932 byte order: ｱ (B1) before 熙 (EA A4), though 熙 comes first in UTF-16.
    ASSERT_TRUE(m_store.SetSortKind(0, 0, 4));
    EXPECT_EQ(TabNames(0, 0), QStringList({"N1", "N2", "P2", "P1"}));
    // 熊 (8C 46) before 凜 (EA A3).
    ASSERT_TRUE(m_store.SetSortKind(0, 0, 5));
    EXPECT_EQ(TabNames(0, 0), QStringList({"N1", "P2", "P1", "N2"}));
    EXPECT_EQ(m_store.SortKind(0, 0), 5);
    // A new card goes after its equals.
    CCardData late = Make(QStringLiteral("L"), QStringLiteral("ｱ"));
    late.SetDepartment(QStringLiteral("熊"));
    ASSERT_NE(m_store.AddCard(late), nullptr);
    EXPECT_EQ(TabNames(0, 0), QStringList({"N1", "P2", "P1", "L", "N2"}));
}

TEST_F(StoreTest, AllCardsTabIsTheConcatenationAgainAfterAChange)
{
    Add(QStringLiteral("Z"), QStringLiteral("ﾜ"));
    Add(QStringLiteral("A"), QStringLiteral("ｱ"));
    Add(QStringLiteral("X"), QString());
    EXPECT_EQ(TabNames(0, 13), QStringList({"A", "Z", "X"}));
    ASSERT_TRUE(m_store.SetSortKind(0, 13, 6));
    ASSERT_TRUE(m_store.SetSortKind(0, 13, 0));
    EXPECT_EQ(TabNames(0, 13), QStringList({"X", "A", "Z"}));
    Add(QStringLiteral("K"), QStringLiteral("ｶ"));
    EXPECT_EQ(TabNames(0, 13), QStringList({"A", "K", "Z", "X"}));
}

TEST_F(StoreTest, SearchResults)
{
    CCardData *a = Add(QStringLiteral("A"), QStringLiteral("ｲ"));
    CCardData *b = Add(QStringLiteral("B"), QStringLiteral("ｱ"));
    m_store.AddSearchResult(a);
    m_store.AddSearchResult(b);
    EXPECT_EQ(TabNames(0, 12), QStringList({"B", "A"}));
    EXPECT_EQ(TabNames(2, 16), QStringList({"B", "A"}));
    ASSERT_TRUE(m_store.SetSortKind(2, 16, 6));
    ASSERT_TRUE(m_store.SetSortKind(0, 12, 6));
    ASSERT_TRUE(m_store.Delete(b));
    EXPECT_EQ(TabNames(1, 12), QStringList({"A"}));
    m_store.ClearSearchResults();
    EXPECT_EQ(m_store.TabSize(0, 12), 0);
    EXPECT_EQ(m_store.SortKind(2, 16), 0);
    EXPECT_EQ(m_store.SortKind(0, 12), 6);
}

TEST_F(StoreTest, GroupsAndTheirTabs)
{
    EXPECT_EQ(CCardStore::GroupCount(), 16);
    EXPECT_EQ(m_store.GetGroupName(0), QStringLiteral("ｸﾞﾙｰﾌﾟなし"));
    EXPECT_EQ(m_store.GetGroupName(15), QStringLiteral("ｸﾞﾙｰﾌﾟ15"));
    EXPECT_EQ(m_store.GetGroupName(18), m_store.GetGroupName(0));
    EXPECT_EQ(m_store.GetGroupIcon(3), 3);
    EXPECT_EQ(m_store.GetGroupIcon(-1), 0);

    CCardData g3 = Make(QStringLiteral("G3"));
    g3.SetGroupNo(3);
    CCardData *card = m_store.AddCard(g3);
    CCardData g17 = Make(QStringLiteral("G17"));
    g17.SetGroupNo(17);
    ASSERT_NE(m_store.AddCard(g17), nullptr);
    CCardData g18 = Make(QStringLiteral("G18"));
    g18.SetGroupNo(18);
    EXPECT_EQ(m_store.AddCard(g18), nullptr);
    EXPECT_EQ(m_store.Count(), 2);
    EXPECT_EQ(TabNames(2, 3), QStringList({"G3"}));
    EXPECT_EQ(TabNames(2, 0), QStringList({"G17"}));

    m_store.SetGroupName(3, QString());
    EXPECT_EQ(TabNames(2, 0), QStringList({"G17", "G3"}));
    EXPECT_EQ(m_settings.groupNames[3], QString());
    m_store.SetGroupName(3, QStringLiteral("取引先"));
    EXPECT_EQ(TabNames(2, 3), QStringList({"G3"}));
    EXPECT_EQ(m_settings.groupNames[3], QStringLiteral("取引先"));
    m_store.SetGroupIcon(3, 20);
    EXPECT_EQ(m_settings.groupIcons[3], 20);
    EXPECT_TRUE(m_store.Delete(card));
}
