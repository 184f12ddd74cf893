#include "CCardStore.h"
#include "CCheckArray.h"
#include "StoreTestCards.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using StoreTestCards::Make;

TEST(CheckArrayTest, AddRemoveReuseAndOrder)
{
    CCheckArray list;
    EXPECT_EQ(list.AddItem(QStringLiteral("A")), 0);
    EXPECT_EQ(list.AddItem(QStringLiteral("B")), 1);
    EXPECT_EQ(list.AddItem(QStringLiteral("C")), 2);
    list.SwapPositions(0, 2);
    EXPECT_EQ(list.SlotAt(0), 2);
    EXPECT_EQ(list.PositionOfName(QStringLiteral("A")), 2);
    list.RemoveAt(2); // A, slot 0
    EXPECT_TRUE(list.GetItemName(0).isEmpty());
    EXPECT_TRUE(list.IsChanged(0));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.SlotCount(), 3);
    EXPECT_EQ(list.AddItem(QStringLiteral("D")), 0);
    EXPECT_EQ(list.Order(), QList<int>({2, 1, 0}));
    EXPECT_EQ(list.SlotAt(3), -1);
    EXPECT_TRUE(list.GetItemName(7).isEmpty());

    for (int i = 3; i < CCheckArray::MaxItems; ++i)
        EXPECT_EQ(list.AddItem(QStringLiteral("I%1").arg(i)), i);
    EXPECT_EQ(list.AddItem(QStringLiteral("21st")), -1);
    EXPECT_EQ(list.Count(), 20);
}

TEST(CheckArrayTest, LoadKeepsOnlyNamedSlotsInOrder)
{
    CCheckArray list;
    list.Load({QStringLiteral("A"), QString(), QStringLiteral("C")}, {2, 1, 0, 2, 9, 25});
    EXPECT_EQ(list.Order(), QList<int>({2, 0}));
    EXPECT_EQ(list.GetItemName(2), QStringLiteral("C"));
    EXPECT_FALSE(list.IsChanged(0));
    // Names are kept up to the highest used slot, with the free slot in between.
    list.RemoveAt(1);
    EXPECT_EQ(list.Names(), QStringList({QString(), QString(), QStringLiteral("C")}));
    CCheckArray copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Order(), list.Order());
}

namespace {

class ApplyCheckListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_store.CreateNew(m_dir.File(QStringLiteral("c.ovd"))));
        for (const char *name : {"X", "Y", "Z"})
            ASSERT_NE(m_store.AddCard(Make(QString::fromLatin1(name))), nullptr);
        CCheckArray list;
        list.AddItem(QStringLiteral("A"));
        list.AddItem(QStringLiteral("B"));
        list.SetSetAction(0);
        ASSERT_TRUE(m_store.ApplyCheckList(list));
    }

    int Marked(int slot)
    {
        int n = 0;
        for (int s = 0; s < m_store.Count(); ++s)
            n += m_store.CardAt(s)->CheckMark(slot) ? 1 : 0;
        return n;
    }

    TempDir m_dir;
    StoreSettings m_settings = StoreSettings::Defaults();
    CCardStore m_store{&m_settings};
};

} // namespace

TEST_F(ApplyCheckListTest, SetActionMarksEveryCardAndIsWritten)
{
    EXPECT_EQ(Marked(0), 3);
    EXPECT_TRUE(m_store.IsCheckItemInUse(0));
    EXPECT_FALSE(m_store.IsCheckItemInUse(1));
    EXPECT_FALSE(m_store.GetCheckList().IsSetAction(0));
    EXPECT_FALSE(m_store.GetCheckList().IsChanged(0));
    EXPECT_EQ(m_settings.checkNames, QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(m_settings.checkOrder, QList<int>({0, 1}));
    // Marks change in place: no record is appended.
    const QByteArray bytes = TempDir::ReadAll(m_store.Path());
    EXPECT_EQ(bytes.count("NMBK"), 3);
    EXPECT_EQ(bytes.count("NMDL"), 0);
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(m_store.Path()));
    for (int s = 0; s < 3; ++s)
        EXPECT_TRUE(reopened.CardAt(s)->CheckMark(0));
}

TEST_F(ApplyCheckListTest, DeleteThenAddReusesTheSlotUnmarked)
{
    CCheckArray edited = m_store.GetCheckList();
    edited.RemoveAt(0);
    EXPECT_EQ(edited.AddItem(QStringLiteral("C")), 0);
    ASSERT_TRUE(m_store.ApplyCheckList(edited));
    EXPECT_EQ(Marked(0), 0);
    EXPECT_EQ(m_store.GetCheckList().Order(), QList<int>({1, 0}));
}

TEST_F(ApplyCheckListTest, ToggledTwiceChangesNothing)
{
    const QByteArray before = TempDir::ReadAll(m_store.Path());
    CCheckArray edited = m_store.GetCheckList();
    edited.SetClearAction(0);
    edited.SetNoAction(0);
    edited.SetSetAction(1);
    edited.SetNoAction(1);
    ASSERT_TRUE(m_store.ApplyCheckList(edited));
    EXPECT_EQ(Marked(0), 3);
    EXPECT_EQ(TempDir::ReadAll(m_store.Path()), before);
}

TEST_F(ApplyCheckListTest, ItemAboveCountSurvivesARestart)
{
    CCheckArray edited = m_store.GetCheckList();
    edited.RemoveAt(0); // slot 0 freed, "B" stays in slot 1 while Count is 1
    ASSERT_TRUE(m_store.ApplyCheckList(edited));
    EXPECT_EQ(Marked(0), 0);
    CCardStore restarted(&m_settings);
    EXPECT_EQ(restarted.GetCheckList().Count(), 1);
    EXPECT_EQ(restarted.GetCheckList().GetItemName(1), QStringLiteral("B"));
}
