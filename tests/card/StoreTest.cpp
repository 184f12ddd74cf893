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
    EXPECT_EQ(m_store.SlotOf(d), 1);
    EXPECT_EQ(m_store.CardAt(1), d);
    EXPECT_EQ(m_store.SlotOf(Add(QStringLiteral("E"))), 2);
    EXPECT_EQ(m_store.SlotOf(Add(QStringLiteral("F"))), 3);
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
    // The copy is no stored card: it cannot stand in for the original.
    EXPECT_EQ(m_store.SlotOf(&copy), -1);
    EXPECT_EQ(m_store.RecordOf(&copy).offset, 0);
    EXPECT_EQ(m_store.Replace(copy, &copy), nullptr);
    EXPECT_FALSE(m_store.Delete(&copy));
    CCardData *b = m_store.AddCard(copy);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(m_store.RecordOf(b).offset, m_store.RecordOf(a).offset);
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_store.Path()));
    ASSERT_EQ(reopened.LiveCount(), 2);
    EXPECT_EQ(reopened.CardAt(0)->Name(), QStringLiteral("A"));
    EXPECT_EQ(reopened.CardAt(1)->Name(), QStringLiteral("B"));
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
    m_store.SetSearchResults({a, b});
    EXPECT_EQ(TabNames(0, 12), QStringList({"B", "A"}));
    EXPECT_EQ(TabNames(2, 16), QStringList({"B", "A"}));
    ASSERT_TRUE(m_store.SetSortKind(2, 16, 6));
    ASSERT_TRUE(m_store.SetSortKind(0, 12, 6));
    ASSERT_TRUE(m_store.Delete(b));
    EXPECT_EQ(TabNames(1, 12), QStringList({"A"}));
    m_store.SetSearchResults({});
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
