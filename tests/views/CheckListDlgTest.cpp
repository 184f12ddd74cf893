#include "CCardStore.h"
#include "CEditCheckListDlg.h"
#include "EditMessageRecorder.h"
#include "TempDir.h"
#include "Utf8.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CheckListDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("cards.ovd"))));
        CCheckArray checks;
        checks.AddItem(U("A"));
        checks.AddItem(U("B"));
        ASSERT_TRUE(store.ApplyCheckList(checks));
        for (const char *name : {"one", "two", "three"}) {
            CCardData card;
            card.SetName(QString::fromLatin1(name));
            card.SetCheckMark(0, true);
            ASSERT_NE(store.AddCard(card), nullptr);
        }
    }

    void Add(CEditCheckListDlg &dialog, const QString &text)
    {
        dialog.TextBox()->setText(text);
        dialog.AddItem();
    }

    TempDir dir;
    StoreSettings settings = StoreSettings::Defaults();
    CCardStore store{&settings};
    EditMessageRecorder messages;
};

} // namespace

TEST_F(CheckListDlgTest, DeletingAnItemInUseAsksAndClearsMarksOnEveryCard)
{
    CEditCheckListDlg dialog(&store, &messages);
    dialog.List()->setCurrentRow(0);
    messages.answer = QMessageBox::No;
    dialog.DeleteItem();
    EXPECT_EQ(dialog.List()->count(), 2);

    messages.answer = QMessageBox::Yes;
    dialog.DeleteItem();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, U("この項目を使用中の名刺データがあります。削除しますか？"));
    EXPECT_EQ(messages.shown[1].caption, U("削除確認"));
    EXPECT_EQ(messages.shown[1].icon, QMessageBox::Warning);
    EXPECT_EQ(messages.shown[1].defaultButton, QMessageBox::No);
    ASSERT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->currentRow(), 0); // the item now at the same place is selected
    EXPECT_TRUE(store.IsCheckItemInUse(0));    // nothing reaches the cards before OK

    ASSERT_TRUE(dialog.Apply());
    EXPECT_FALSE(store.IsCheckItemInUse(0));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(store.Path()));
    for (int slot = 0; slot < reopened.Count(); ++slot)
        EXPECT_FALSE(reopened.CardAt(slot)->CheckMark(0));
    EXPECT_EQ(settings.checkOrder, QList<int>{1});
}

TEST_F(CheckListDlgTest, DeletingAnUnusedItemAsksNothing)
{
    CEditCheckListDlg dialog(&store, &messages);
    dialog.List()->setCurrentRow(1);
    dialog.DeleteItem();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->currentRow(), 0); // the last item when nothing follows
}

TEST_F(CheckListDlgTest, AddRefusesDuplicatesEmptyTextAndATwentyFirstItem)
{
    CEditCheckListDlg dialog(&store, &messages);
    Add(dialog, U("A"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, U("同じ項目は設定できません。"));
    EXPECT_EQ(messages.shown[0].caption, U("チェックリスト項目編集"));
    Add(dialog, QString());
    EXPECT_EQ(dialog.List()->count(), 2);

    for (int i = 0; i < 18; ++i)
        Add(dialog, QStringLiteral("item%1").arg(i));
    EXPECT_EQ(dialog.List()->count(), 20);
    EXPECT_TRUE(dialog.TextBox()->text().isEmpty());
    EXPECT_EQ(dialog.List()->currentRow(), 19);
    Add(dialog, U("extra"));
    EXPECT_EQ(dialog.List()->count(), 20);
    EXPECT_EQ(dialog.Edited().Count(), 20);
}

TEST_F(CheckListDlgTest, CheckAllTwiceLeavesCardsUnchangedOnceSetsEveryCard)
{
    {
        CEditCheckListDlg dialog(&store, &messages);
        dialog.List()->setCurrentRow(1);
        dialog.ToggleCheckAll();
        dialog.ToggleCheckAll();
        ASSERT_TRUE(dialog.Apply());
        EXPECT_FALSE(store.IsCheckItemInUse(1));
    }
    CEditCheckListDlg dialog(&store, &messages);
    dialog.List()->setCurrentRow(1);
    dialog.ToggleCheckAll();
    ASSERT_TRUE(dialog.Apply());
    for (int slot = 0; slot < store.Count(); ++slot)
        EXPECT_TRUE(store.CardAt(slot)->CheckMark(1));

    CEditCheckListDlg reset(&store, &messages);
    reset.List()->setCurrentRow(0);
    reset.ToggleResetAll();
    ASSERT_TRUE(reset.Apply());
    EXPECT_FALSE(store.IsCheckItemInUse(0));
}

TEST_F(CheckListDlgTest, InPlaceRenameRefusesDuplicatesAndEmptyText)
{
    CEditCheckListDlg dialog(&store, &messages);
    QListWidgetItem *item = dialog.List()->item(1);
    item->setText(U("A"));
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(item->text(), U("B"));
    item->setText(QString());
    EXPECT_EQ(item->text(), U("B"));
    item->setText(U("請求書送付"));
    EXPECT_EQ(dialog.Edited().GetItemName(1), U("請求書送付"));

    dialog.List()->setCurrentRow(1);
    dialog.MoveUp();
    EXPECT_EQ(dialog.Edited().SlotAt(0), 1);
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    EXPECT_EQ(store.GetCheckList().SlotAt(0), 0); // the store sees nothing before OK
}

// Enter in the name box adds the item as 追加 does and leaves the dialog open for the next.
TEST_F(CheckListDlgTest, EnterInTheNameBoxAddsAndKeepsTheDialogOpen)
{
    CEditCheckListDlg dialog(&store, &messages);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.TextBox()->setFocus();
    for (const char *name : {"C", "D"}) {
        QTest::keyClicks(dialog.TextBox(), QString::fromLatin1(name));
        QTest::keyClick(dialog.TextBox(), Qt::Key_Return);
        ASSERT_TRUE(dialog.isVisible()) << name;
    }
    QTest::keyClick(dialog.TextBox(), Qt::Key_Enter); // empty box: nothing added, still open
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(dialog.List()->count(), 4);
    EXPECT_EQ(dialog.List()->item(3)->text(), U("D"));
    EXPECT_EQ(dialog.List()->currentRow(), 3);
    EXPECT_TRUE(dialog.TextBox()->text().isEmpty());
}

// A pending 全名刺チェック or 全名刺リセット carries its own mark in the row until OK.
TEST_F(CheckListDlgTest, PendingWholeListActionsAreMarkedInTheirRows)
{
    const auto image = [](const QIcon &icon) { return icon.pixmap(16, 16).toImage(); };
    const auto coloured = [](const QImage &mark) {
        int count = 0;
        for (int y = 0; y < mark.height(); ++y)
            for (int x = 0; x < mark.width(); ++x)
                count += qAlpha(mark.pixel(x, y)) > 128;
        return count;
    };
    EXPECT_EQ(coloured(image(CEditCheckListDlg::ActionMark(0))), 0);
    EXPECT_GT(coloured(image(CEditCheckListDlg::ActionMark(1))), 20);
    EXPECT_GT(coloured(image(CEditCheckListDlg::ActionMark(2))), 20);
    EXPECT_NE(image(CEditCheckListDlg::ActionMark(1)), image(CEditCheckListDlg::ActionMark(2)));

    CEditCheckListDlg dialog(&store, &messages);
    dialog.List()->setCurrentRow(0);
    dialog.ToggleCheckAll();
    dialog.List()->setCurrentRow(1);
    dialog.ToggleResetAll();
    EXPECT_EQ(image(dialog.List()->item(0)->icon()), image(CEditCheckListDlg::ActionMark(1)));
    EXPECT_EQ(image(dialog.List()->item(1)->icon()), image(CEditCheckListDlg::ActionMark(2)));
    dialog.ToggleResetAll(); // taken back: the mark goes
    EXPECT_EQ(coloured(image(dialog.List()->item(1)->icon())), 0);
    EXPECT_EQ(image(dialog.List()->item(0)->icon()), image(CEditCheckListDlg::ActionMark(1)));
}
