#include "CCardImageFiles.h"
#include "CCardIndex.h"
#include "CCardListModel.h"
#include "CDuplicatesDlg.h"
#include "CMergeCardsDlg.h"
#include "FailingFile.h"
#include "RecordingMessageBox.h"
#include "StoreError.h"
#include "TestStore.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QString U(const char *text)
{
    return QString::fromUtf8(text);
}

// Cards of known age: the registration day says which is newest.
CCardData *Add(TestStore &t, const char *name, const char *registered, const char *phone = nullptr,
               const std::function<void(CCardData &)> &fill = {})
{
    CCardData card;
    card.SetName(U(name));
    card.SetRegisteredDate(QString::fromLatin1(registered));
    if (phone)
        card.SetPhone(0, {QString::fromLatin1(phone), PhoneMobile});
    if (fill)
        fill(card);
    return t.store.AddCard(card);
}

CCardData *Named(const CCardStore &store, const QString &name)
{
    for (int s = 0; s < store.Count(); ++s)
        if (!store.CardAt(s)->Id().isEmpty() && store.CardAt(s)->Name() == name)
            return store.CardAt(s);
    return nullptr;
}

// Waits for the search the dialog runs now (or ran already).
bool WaitForSearch(CDuplicatesDlg &dialog, QSignalSpy &finished)
{
    return !dialog.IsSearching() && finished.size() > 0 ? true : finished.wait(10000);
}

QStringList Column(const QTreeWidget *list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

} // namespace

// The list shows each group with its reasons and, for the chosen group, its
// cards newest first; it searches again by itself when the store changes.
TEST(DuplicatesDlgTest, ListsTheGroupsAndFollowsTheStore)
{
    TestStore t;
    RecordingMessageBox messages;
    Add(t, "山田 太郎", "2020-01-01", "03-1111-2222");
    Add(t, "山田　太郎", "2022-01-01");
    Add(t, "佐藤 花子", "2021-01-01", "090-3333-4444");
    Add(t, "Hanako Sato", "2023-01-01", "+81-90-3333-4444");
    Add(t, "鈴木 一郎", "2023-01-01", "090-5555-6666");

    CDuplicatesDlg dialog(t.store, messages);
    QSignalSpy finished(&dialog, &CDuplicatesDlg::SearchFinished);
    EXPECT_EQ(dialog.Status()->text(), U("検索中..."));
    ASSERT_TRUE(WaitForSearch(dialog, finished));
    EXPECT_EQ(dialog.Status()->text(), U("2 グループ（名刺 4 件）"));
    EXPECT_EQ(Column(dialog.GroupList(), 0), QStringList({U("Hanako Sato"), U("山田　太郎")}));
    EXPECT_EQ(Column(dialog.GroupList(), 2),
              QStringList({U("電話番号が同じ「+81-90-3333-4444」"), U("名前が同じ「山田　太郎」")}));
    dialog.GroupList()->setCurrentItem(dialog.GroupList()->topLevelItem(1));
    EXPECT_EQ(Column(dialog.CardList(), 0), QStringList({U("山田　太郎"), U("山田 太郎")}));
    EXPECT_EQ(Column(dialog.CardList(), 6), QStringList({U("2022-01-01"), U("2020-01-01")}));
    EXPECT_TRUE(dialog.MergeButton()->isEnabled());

    // A third card of 鈴木 一郎's arrives: the list lets go of the old groups and finds three.
    finished.clear();
    Add(t, "鈴木一郎", "2024-01-01");
    EXPECT_EQ(dialog.GroupList()->topLevelItemCount(), 0);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(dialog.Groups().size(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// From the list to the written file: the merge window opens on the chosen
// group, nothing is merged before the user confirms, and afterwards the store,
// the file, the card list and the duplicate list all show the merged card.
TEST(DuplicatesDlgTest, MergingAGroupWritesItAndEveryViewFollows)
{
    TestStore t;
    RecordingMessageBox messages;
    CCardData *old = Add(t, "山田 太郎", "2020-01-01", "090-1111-2222", [](CCardData &c) {
        c.SetTitle(U("課長"));
        c.SetMail(0, {QStringLiteral("taro@old.example"), MailOffice});
    });
    CCardData *recent = Add(t, "山田太郎", "2023-01-01", "09011112222", [](CCardData &c) {
        c.SetTitle(U("部長"));
        c.SetPhone(1, {QStringLiteral("03-9999-0000"), PhoneOffice});
    });
    Add(t, "佐藤 花子", "2021-01-01");
    ASSERT_TRUE(TempDir::WriteAll(t.store.Images().PathOf(old->Id(), CCardImageFiles::PersonPhoto), "photo"));
    const QString recentId = recent->Id();
    CCardListModel list;
    list.SetStore(&t.store);
    list.SetTab(0, CCardIndex::AllTabOf(0));
    ASSERT_EQ(list.rowCount(), 3);

    CDuplicatesDlg dialog(t.store, messages);
    QSignalSpy finished(&dialog, &CDuplicatesDlg::SearchFinished);
    ASSERT_TRUE(WaitForSearch(dialog, finished));
    ASSERT_EQ(dialog.Groups().size(), 1);
    int opened = 0;
    dialog.SetMergeRunner([&](CMergeCardsDlg &merge) {
        ++opened;
        EXPECT_TRUE(merge.ChoiceButton(CCardMerge::ChooseTitle, 0)->isChecked()) << "the newest card's value";
        merge.ChoiceButton(CCardMerge::ChooseTitle, 1)->click(); // 課長, the older card's
        merge.ChoiceButton(CCardMerge::ChooseName, 1)->click();
        EXPECT_TRUE(merge.ChoiceButton(CCardMerge::ChoosePersonPhoto, 1)->isChecked()) << "the only photo";
        EXPECT_EQ(merge.PhoneList()->count(), 2) << "090-1111-2222 once";
        EXPECT_EQ(merge.MailList()->count(), 1);
        merge.PhoneList()->item(1)->setCheckState(Qt::Unchecked); // 03-9999-0000 goes
        messages.answers = {QMessageBox::No};
        merge.MergeButton()->click();
        EXPECT_EQ(merge.result(), 0) << "not merged without a yes";
        EXPECT_EQ(t.store.LiveCount(), 3);
        messages.answers = {QMessageBox::Yes};
        merge.MergeButton()->click();
        EXPECT_EQ(merge.result(), int(QDialog::Accepted));
        return merge.result();
    });
    finished.clear();
    dialog.MergeButton()->click();
    ASSERT_EQ(opened, 1);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].caption, U("名刺の結合"));
    EXPECT_TRUE(messages.shown[1].text.startsWith(U("2件の名刺を1件に結合します。")))
        << messages.shown[1].text.toStdString();
    EXPECT_EQ(messages.shown[1].icon, QMessageBox::Question);

    EXPECT_EQ(t.store.LiveCount(), 2);
    EXPECT_EQ(list.rowCount(), 2);
    const CCardData *merged = Named(t.store, U("山田 太郎"));
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(merged->Id(), recentId);
    EXPECT_EQ(merged->Title(), U("課長"));
    EXPECT_EQ(merged->PhoneCount(), 1);
    EXPECT_EQ(merged->Mail(0), QStringLiteral("taro@old.example"));
    EXPECT_EQ(TempDir::ReadAll(t.store.Images().PathOf(recentId, CCardImageFiles::PersonPhoto)), "photo");
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(t.Path()));
    EXPECT_EQ(reopened.LiveCount(), 2);
    ASSERT_NE(Named(reopened, U("山田 太郎")), nullptr);
    EXPECT_EQ(Named(reopened, U("山田 太郎"))->Title(), U("課長"));

    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(dialog.Groups().isEmpty());
    EXPECT_EQ(dialog.Status()->text(), U("重複している可能性のある名刺は見つかりませんでした。"));
    EXPECT_FALSE(dialog.MergeButton()->isEnabled());
}

// A card taken out leaves the window; with one card left, or a memo too long
// for the card, there is nothing to merge until the user changes it.
TEST(DuplicatesDlgTest, TakingCardsOutAndALongMemoHoldTheMergeBack)
{
    TestStore t;
    RecordingMessageBox messages;
    QList<CCardData *> cards;
    for (const char *day : {"2020-01-01", "2021-01-01", "2022-01-01"})
        cards << Add(t, "山田 太郎", day, nullptr,
                     [&](CCardData &c) { c.SetMemo(QString(120, QChar(char16_t(u'a' + cards.size())))); });
    CMergeCardsDlg merge(t.store, cards, messages);
    EXPECT_EQ(merge.MemoCount()->text(), U("362/256文字"));
    EXPECT_FALSE(merge.MergeButton()->isEnabled());
    merge.RemoveButton(0)->click(); // the newest
    EXPECT_EQ(merge.Merge().CardCount(), 2);
    EXPECT_EQ(merge.MainButton(2), nullptr);
    EXPECT_EQ(merge.MemoEdit()->toPlainText(), QString(120, u'b') + u'\n' + QString(120, u'a'));
    EXPECT_TRUE(merge.MergeButton()->isEnabled());
    merge.MemoEdit()->setPlainText(QString(300, u'x'));
    EXPECT_FALSE(merge.MergeButton()->isEnabled());
    merge.MemoEdit()->setPlainText(QStringLiteral("short"));
    EXPECT_TRUE(merge.MergeButton()->isEnabled());
    merge.RemoveButton(1)->click();
    EXPECT_EQ(merge.Merge().CardCount(), 1);
    EXPECT_FALSE(merge.MergeButton()->isEnabled());
    EXPECT_FALSE(merge.RemoveButton(0)->isEnabled());
    merge.MergeButton()->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(t.store.LiveCount(), 3);
}

// A disk that refuses the merge: the user is told why, the window stays with
// every card as it was, and the merge goes through once the disk is well.
TEST(DuplicatesDlgTest, ARefusedWriteIsToldAndLeavesTheGroupAsItWas)
{
    TestStore t;
    RecordingMessageBox messages;
    QList<CCardData *> cards{Add(t, "山田 太郎", "2020-01-01", "090-1111-2222"),
                             Add(t, "山田太郎", "2023-01-01", "03-9999-0000")};
    FileFaultPlan plan;
    plan.failAt = 1;
    t.store.SetFileFactory(FailingFile::Factory(&plan));
    CMergeCardsDlg merge(t.store, cards, messages);
    merge.MergeButton()->click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, StoreErrorText(StoreError::DiskFull));
    EXPECT_EQ(messages.shown[1].icon, QMessageBox::Warning);
    EXPECT_EQ(merge.result(), 0);
    EXPECT_EQ(t.store.LiveCount(), 2);
    EXPECT_EQ(cards[0]->Name(), U("山田 太郎"));
    EXPECT_EQ(cards[1]->Name(), U("山田太郎"));
    EXPECT_EQ(cards[0]->PhoneCount(), 1);
    EXPECT_EQ(cards[1]->Phone(0), QStringLiteral("03-9999-0000"));
    CCardStore reopened;
    ASSERT_TRUE(reopened.Open(t.Path()));
    EXPECT_EQ(reopened.LiveCount(), 2);

    plan.failAt = 0;
    merge.MergeButton()->click();
    EXPECT_EQ(merge.result(), int(QDialog::Accepted));
    EXPECT_EQ(t.store.LiveCount(), 1);
}
