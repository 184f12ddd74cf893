#include "CCardMerge.h"
#include "CCardStore.h"
#include "TempDir.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

using transfer_test::U;

namespace {

// Cards of one person received on different days: the day says which is newest.
class CardMergeTest : public ::testing::Test
{
protected:
    TempDir dir;
    CCardStore store;

    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("cards.ovd"))));
        store.SetSyncWrites(false);
    }

    CCardData *Add(const char *name, const char *registered,
                   const std::function<void(CCardData &)> &fill = {})
    {
        CCardData card;
        card.SetName(U(name));
        card.SetRegisteredDate(QString::fromLatin1(registered));
        if (fill)
            fill(card);
        CCardData *stored = store.AddCard(card);
        EXPECT_NE(stored, nullptr);
        return stored;
    }
    void Picture(const CCardData *card, int picture, const QByteArray &bytes)
    {
        ASSERT_TRUE(TempDir::WriteAll(store.Images().PathOf(card->Id(), picture), bytes));
    }
    CCardData Reopened(const QString &id)
    {
        CCardStore fresh;
        EXPECT_TRUE(fresh.Open(store.Path()));
        for (int s = 0; s < fresh.Count(); ++s)
            if (fresh.CardAt(s)->Id() == id)
                return *fresh.CardAt(s);
        ADD_FAILURE() << "not in the file";
        return CCardData();
    }
};

} // namespace

// Every phone and mail of the group once, however it is written, with the
// kind and the writing of the newest card that has it; in the file after a reopen.
TEST_F(CardMergeTest, PhonesAndMailsAreMergedOnceAndTheMergeIsInTheFile)
{
    CCardData *oldest = Add("山田 太郎", "2019-04-01", [](CCardData &c) {
        c.SetPhone(0, {QStringLiteral("09011112222"), PhoneOffice});
        c.SetPhone(1, {QStringLiteral("03-3333-4444"), PhoneFax});
        c.SetMail(0, {QStringLiteral("Taro@Example.JP"), MailOffice});
        c.SetMail(1, {QStringLiteral("taro@home.example"), MailHome});
    });
    CCardData *middle = Add("山田太郎", "2021-04-01", [](CCardData &c) {
        c.SetPhone(0, {QStringLiteral("+81-90-1111-2222"), PhoneMobile});
        c.SetPhone(1, {QStringLiteral("03-3333-4444"), PhoneFax});
    });
    CCardData *newest = Add("山田 太郎", "2023-04-01", [](CCardData &c) {
        c.SetPhone(0, {QStringLiteral("03-9999-0000"), PhoneOffice});
        c.SetMail(0, {QStringLiteral("taro@example.jp"), MailOffice});
    });
    CCardData *other = Add("佐藤 花子", "2020-01-01");
    const QString newestId = newest->Id();

    CCardMerge merge({oldest, newest, middle}, store.Images());
    ASSERT_EQ(merge.Card(0), newest);
    ASSERT_EQ(merge.Card(2), oldest);
    EXPECT_EQ(merge.Main(), 0);
    ASSERT_EQ(merge.Phones().size(), 3);
    EXPECT_EQ(merge.Phones()[0].text, QStringLiteral("03-9999-0000"));
    EXPECT_EQ(merge.Phones()[1].text, QStringLiteral("+81-90-1111-2222"));
    EXPECT_EQ(merge.Phones()[1].kind, quint32(PhoneMobile));
    EXPECT_EQ(merge.Phones()[2].kind, quint32(PhoneFax));
    ASSERT_EQ(merge.Mails().size(), 2);
    EXPECT_EQ(merge.Mails()[0].text, QStringLiteral("taro@example.jp"));
    EXPECT_EQ(merge.Mails()[1].kind, quint32(MailHome));

    ASSERT_TRUE(merge.CanMerge());
    ASSERT_TRUE(store.MergeCards(merge.Plan()));
    EXPECT_EQ(store.LiveCount(), 2);
    const CCardData merged = Reopened(newestId);
    QStringList phones, mails;
    for (int i = 0; i < merged.PhoneCount(); ++i)
        phones << merged.Phone(i) + u'/' + QString::number(merged.PhoneKindAt(i));
    for (int i = 0; i < merged.MailCount(); ++i)
        mails << merged.Mail(i) + u'/' + QString::number(merged.MailKindAt(i));
    EXPECT_EQ(phones, QStringList({"03-9999-0000/3", "+81-90-1111-2222/0", "03-3333-4444/5"}));
    EXPECT_EQ(mails, QStringList({"taro@example.jp/2", "taro@home.example/1"}));
    EXPECT_EQ(merged.Name(), U("山田 太郎"));
    EXPECT_EQ(merged.RegisteredDateText(), QStringLiteral("2019-04-01")) << "known since the first card";
    EXPECT_EQ(Reopened(other->Id()).Name(), U("佐藤 花子"));
}

// The newest card's value is preselected, the next newest one's where it has
// none; any card's value can be chosen, and is taken exactly as it is stored.
TEST_F(CardMergeTest, TheNewestValuesArePreselectedAndAnyCanBeChosen)
{
    const QString longName = QString(40, QChar(u'長'));
    CCardData *older = Add("", "2020-01-01", [&](CCardData &c) {
        c.SetName(longName); // 32 + 8 in the parts, all 40 in the name
        c.SetCompany(U("東京商事株式会社"), false);
        c.SetTitle(U("課長"));
        c.SetDepartment(U("営業部"));
        c.SetAddress(U("日本 東京都 千代田区 丸の内1-1 第一ビル"));
        c.SetGroupNo(3);
        c.SetImportance(0);
    });
    CCardData *newer = Add("長長", "2020-01-01", [](CCardData &c) {
        CardDate received;
        received.year = 2024;
        received.month = 2;
        received.day = 1;
        received.second = 1;
        c.SetReceivedDate(received);
        c.SetCompany(U("東京商事株式会社"), false);
        c.SetTitle(U("部長"));
        c.SetGroupNo(5);
    });
    CCardMerge merge({older, newer}, store.Images());
    ASSERT_EQ(merge.Card(0), newer) << "received later";
    EXPECT_EQ(merge.Chosen(CCardMerge::ChooseTitle), 0);
    EXPECT_EQ(merge.Chosen(CCardMerge::ChooseDepartment), 1) << "the newest card has none";
    EXPECT_EQ(merge.Chosen(CCardMerge::ChooseAddress), 1);
    EXPECT_EQ(merge.Chosen(CCardMerge::ChooseGroup), 0);
    EXPECT_FALSE(merge.HasValue(CCardMerge::ChooseDepartment, 0));

    merge.SetChosen(CCardMerge::ChooseName, 1);
    merge.SetChosen(CCardMerge::ChooseImportance, 1);
    const CCardStore::Merge plan = merge.Plan();
    EXPECT_EQ(plan.main, newer);
    EXPECT_EQ(plan.others, QList<CCardData *>({older}));
    EXPECT_EQ(plan.data.Name(), longName);
    EXPECT_EQ(plan.data.LastName(), longName.left(32));
    EXPECT_EQ(plan.data.FirstName(), longName.mid(32));
    EXPECT_EQ(plan.data.Title(), U("部長"));
    EXPECT_EQ(plan.data.Department(), U("営業部"));
    EXPECT_EQ(plan.data.Street(), U("丸の内1-1"));
    EXPECT_EQ(plan.data.Address(), U("日本 東京都 千代田区 丸の内1-1 第一ビル"));
    EXPECT_EQ(plan.data.GroupNo(), 5);
    EXPECT_EQ(plan.data.Importance(), 0);
    EXPECT_EQ(plan.data.ReceivedDateText(), QStringLiteral("2024-02-01"));
}

// Every distinct memo text is kept, newest first; a memo too long for the card
// must be shortened before anything can be merged.
TEST_F(CardMergeTest, TheMemoKeepsEveryDistinctTextAndMustFit)
{
    CCardData *a = Add("A", "2020-01-01", [](CCardData &c) { c.SetMemo(U("展示会にて名刺交換")); });
    CCardData *b = Add("A", "2021-01-01", [](CCardData &c) { c.SetMemo(U(" 展示会にて名刺交換 ")); });
    CCardData *c = Add("A", "2022-01-01", [](CCardData &c) { c.SetMemo(U("取引開始")); });
    CCardData *d = Add("A", "2023-01-01");
    CCardMerge merge({a, b, c, d}, store.Images());
    EXPECT_EQ(merge.Memo(), U("取引開始\n展示会にて名刺交換"));
    EXPECT_TRUE(merge.CanMerge());

    CCardData *e = Add("A", "2024-01-01", [](CCardData &c) { c.SetMemo(QString(250, u'x')); });
    CCardMerge tooLong({a, c, e}, store.Images());
    EXPECT_FALSE(tooLong.MemoFits());
    EXPECT_FALSE(tooLong.CanMerge());
    tooLong.SetMemo(QString(256, u'y'));
    EXPECT_TRUE(tooLong.CanMerge());
    EXPECT_EQ(tooLong.Plan().data.Memo(), QString(256, u'y'));
}

// A card taken out of the group gives up its values, its numbers and its place
// as main card; what the user chose among the others stays chosen.
TEST_F(CardMergeTest, ACardTakenOutLeavesNothingOfItsOwn)
{
    CCardData *a = Add("A", "2020-01-01", [](CCardData &c) {
        c.SetTitle(U("主任"));
        c.SetPhone(0, {QStringLiteral("090-1000-0001"), PhoneMobile});
        c.SetMemo(QStringLiteral("a"));
    });
    CCardData *b = Add("A", "2021-01-01", [](CCardData &c) {
        c.SetTitle(U("係長"));
        c.SetPhone(0, {QStringLiteral("090-1000-0002"), PhoneMobile});
        c.SetPhone(1, {QStringLiteral("090-1000-0003"), PhoneMobile});
        c.SetMemo(QStringLiteral("b"));
    });
    CCardData *c = Add("A", "2022-01-01", [](CCardData &c) {
        c.SetTitle(U("課長"));
        c.SetPhone(0, {QStringLiteral("090-1000-0004"), PhoneMobile});
        c.SetCheckMark(3, true);
    });
    CCardMerge merge({a, b, c}, store.Images());
    merge.SetChosen(CCardMerge::ChooseTitle, 2); // 主任, on a
    merge.SetPhoneKept(2, false);                // 090-1000-0003, on b
    EXPECT_TRUE(merge.CheckMark(3));
    merge.Remove(0); // c, the newest and main card
    ASSERT_EQ(merge.CardCount(), 2);
    EXPECT_EQ(merge.Card(0), b);
    EXPECT_EQ(merge.Main(), 0);
    EXPECT_EQ(merge.Chosen(CCardMerge::ChooseTitle), 1);
    EXPECT_EQ(merge.Memo(), QStringLiteral("b\na"));
    EXPECT_FALSE(merge.CheckMark(3));
    const CCardStore::Merge plan = merge.Plan();
    EXPECT_EQ(plan.main, b);
    EXPECT_EQ(plan.others, QList<CCardData *>({a}));
    EXPECT_EQ(plan.data.Title(), U("主任"));
    QStringList phones;
    for (int i = 0; i < plan.data.PhoneCount(); ++i)
        phones << plan.data.Phone(i);
    EXPECT_EQ(phones, QStringList({"090-1000-0002", "090-1000-0001"}));

    merge.Remove(0);
    EXPECT_FALSE(merge.CanMerge()) << "one card is no merge";
}

// The pictures of the newest card that has them, each with its own turn; the
// main card can be any card of the group.
TEST_F(CardMergeTest, PicturesComeFromTheNewestCardThatHasThemWithTheirTurns)
{
    CCardData *a = Add("A", "2020-01-01", [](CCardData &c) {
        c.SetImageRotationOf(0, 1);
        c.SetImageRotationOf(1, 2);
    });
    CCardData *b = Add("A", "2021-01-01", [](CCardData &c) { c.SetImageRotationOf(1, 3); });
    CCardData *c = Add("A", "2022-01-01");
    Picture(a, CCardImageFiles::CardImage, "card of a");
    Picture(a, CCardImageFiles::PersonPhoto, "photo of a");
    Picture(b, CCardImageFiles::PersonPhoto, "photo of b");
    CCardMerge merge({a, b, c}, store.Images());
    EXPECT_EQ(merge.Chosen(CCardMerge::ChooseCardImage), 2);
    EXPECT_EQ(merge.Chosen(CCardMerge::ChoosePersonPhoto), 1);
    merge.SetMain(2); // a
    CCardStore::Merge plan = merge.Plan();
    EXPECT_EQ(plan.main, a);
    EXPECT_EQ(plan.cardImageFrom, nullptr) << "the main card's own";
    EXPECT_EQ(plan.photoFrom, b);
    EXPECT_EQ(plan.data.ImageRotationOf(0), 1);
    EXPECT_EQ(plan.data.ImageRotationOf(1), 3);

    const QString id = a->Id();
    ASSERT_TRUE(store.MergeCards(plan));
    EXPECT_EQ(TempDir::ReadAll(store.Images().PathOf(id, CCardImageFiles::CardImage)), "card of a");
    EXPECT_EQ(TempDir::ReadAll(store.Images().PathOf(id, CCardImageFiles::PersonPhoto)), "photo of b");
    EXPECT_EQ(Reopened(id).ImageRotationOf(1), 3);
}
