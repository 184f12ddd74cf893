#include "CCardStore.h"
#include "CDuplicateFinder.h"
#include "CImportEngine.h"
#include "DuplicateKeys.h"
#include "TempDir.h"
#include "TransferTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using transfer_test::U;

namespace {

class AddEverything : public IOverwriteConfirm
{
public:
    OverwriteAnswer AskOverwrite(const CCardData &, const CCardData &, const QString &) override
    {
        return AnswerAddAll;
    }
};

CCardData Person(const char *name, const char *reading, const char *company, QStringList phones = {},
                 QStringList mails = {})
{
    CCardData card;
    card.SetName(U(name));
    card.SetYomiName(U(reading));
    card.SetCompany(U(company), false);
    for (const QString &phone : phones)
        card.SetPhone(card.PhoneCount(), {phone, PhoneMobile});
    for (const QString &mail : mails)
        card.SetMail(card.MailCount(), {mail, MailOffice});
    return card;
}

// The group that holds a slot, or null.
const DuplicateGroup *GroupOf(const QList<DuplicateGroup> &groups, int slot)
{
    for (const DuplicateGroup &group : groups)
        if (group.cardSlots.contains(slot))
            return &group;
    return nullptr;
}

bool HasReason(const DuplicateGroup &group, DuplicateRule rule)
{
    for (const DuplicateReason &reason : group.reasons)
        if (reason.rule == rule)
            return true;
    return false;
}

// 500 cards of the shared workload generator (gen_workload.py -n 500 --only
// vcf30: common names, so some namesakes among them), with duplicates planted.
class DuplicateFinderTest : public ::testing::Test
{
protected:
    TempDir dir;
    CCardStore store;

    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("cards.ovd"))));
        store.SetSyncWrites(false);
        AddEverything answer;
        CImportEngine engine(store, ImportOptions(), &answer);
        ImportCounters counters;
        ASSERT_TRUE(engine.BeginRun());
        ASSERT_TRUE(engine.ImportVCardSource(QStringLiteral(TESSALY_TEST_DATA "/transfer/workload-500.vcf"),
                                             dir.Path(), QStringLiteral("workload.vcf"),
                                             QStringLiteral("2024/06/01"), counters));
        ASSERT_TRUE(engine.EndRun());
        ASSERT_EQ(store.LiveCount(), 500);
    }

    CCardData *Find(const char *name) const
    {
        for (int s = 0; s < store.Count(); ++s)
            if (store.CardAt(s)->Name() == U(name))
                return store.CardAt(s);
        return nullptr;
    }
    int Add(const CCardData &card)
    {
        CCardData *stored = store.AddCard(card);
        EXPECT_NE(stored, nullptr);
        return store.SlotOf(stored);
    }
    QList<DuplicateGroup> Groups() const { return CDuplicateFinder::Find(CDuplicateFinder::Snapshot(store)); }
};

} // namespace

// Texts that differ only in what the user does not see as different share a key;
// texts that differ in substance, or too short to tell, do not.
TEST(DuplicateKeysTest, VariantsShareAKeyAndDifferentTextsDoNot)
{
    using namespace DuplicateKeys;
    EXPECT_EQ(NameKey(U("山田 太郎")), NameKey(U("山田　太郎")));
    EXPECT_EQ(NameKey(U("山田 太郎")), NameKey(U("山田太郎")));
    EXPECT_EQ(NameKey(U("Ｊｏｈｎ Ｓｍｉｔｈ")), NameKey(U("John Smith")));
    EXPECT_NE(NameKey(U("山田 太郎")), NameKey(U("山田 次郎")));
    EXPECT_EQ(ReadingKey(U("ﾔﾏﾀﾞ ﾀﾛｳ")), ReadingKey(U("ヤマダタロウ")));
    EXPECT_EQ(ReadingKey(U("ｶﾞｸ")), ReadingKey(U("ガク")));

    for (const char *form :
         {"株式会社東京商事", "東京商事株式会社", "㈱東京商事", "（株）東京商事", "東京商事"})
        EXPECT_EQ(CompanyKey(U(form)), U("東京商事")) << form;
    EXPECT_NE(CompanyKey(U("東京商事")), CompanyKey(U("東京物産")));

    for (const char *number :
         {"090-1234-5678", "09012345678", "+81-90-1234-5678", "+81 (0)90 1234 5678", "(090)1234-5678"})
        EXPECT_EQ(PhoneKey(U(number)), U("9012345678")) << number;
    EXPECT_NE(PhoneKey(U("090-1234-5678")), PhoneKey(U("090-1234-5679")));
    EXPECT_NE(PhoneKey(U("+1-415-555-0100")), PhoneKey(U("415-555-0100"))) << "only Japan's code is known";
    EXPECT_TRUE(PhoneKey(U("110")).isEmpty());
    EXPECT_TRUE(PhoneKey(U("内線 1234")).isEmpty());

    EXPECT_EQ(MailKey(QStringLiteral("Taro.Yamada@Example.CO.JP")),
              MailKey(QStringLiteral("taro.yamada@example.co.jp")));
    EXPECT_NE(MailKey(QStringLiteral("taro@example.jp")), MailKey(QStringLiteral("hanako@example.jp")));
    for (const char *notAddress : {"", "taro", "@example.jp", "taro@"})
        EXPECT_TRUE(MailKey(QString::fromLatin1(notAddress)).isEmpty()) << notAddress;
}

// The planted duplicates are found, each group says why, and the workload's
// own namesakes are the only other groups.
TEST_F(DuplicateFinderTest, PlantedDuplicatesAreFoundWithTheirReasons)
{
    const QList<DuplicateGroup> before = Groups();
    for (const DuplicateGroup &group : before) {
        // Among the generated cards only namesakes (and their shared addresses) join.
        EXPECT_TRUE(HasReason(group, DuplicateRule::SameName)) << group.ReasonsText().toStdString();
        const CCardData *first = store.CardAt(group.cardSlots.front());
        for (int slot : group.cardSlots)
            EXPECT_EQ(DuplicateKeys::NameKey(store.CardAt(slot)->Name()),
                      DuplicateKeys::NameKey(first->Name()));
    }

    // The same person with a new title: a later card of the same company, without phones.
    CCardData *takeuchi = Find("竹内 美咲");
    ASSERT_NE(takeuchi, nullptr);
    CCardData promoted = Person("竹内 美咲", "ﾀｹｳﾁ ﾐｻｷ", "光精工株式会社");
    promoted.SetTitle(U("部長"));
    const int promotedSlot = Add(promoted);
    // Width and space variants of another name, at another company.
    CCardData *yamashita = Find("山下 拓也");
    ASSERT_NE(yamashita, nullptr);
    const int noSpace = Add(Person("山下拓也", "", "大和物産"));
    const int wideSpace = Add(Person("山下　拓也", "", ""));
    // A shared mobile written another way, on a card with the name in Latin letters.
    const QString mobile = yamashita->Phone(0);
    ASSERT_TRUE(mobile.startsWith(u'0'));
    const int latin = Add(Person("Takuya Yamashita", "", "", {QStringLiteral("+81-") + mobile.mid(1)}));
    // The same reading at the same company, written with another 斎藤, and one at another company.
    const int saito1 = Add(Person("斉藤 光太郎", "ｻｲﾄｳ ｺｳﾀﾛｳ", "株式会社北斗精工"));
    const int saito2 = Add(Person("斎藤 光太郎", "ｻｲﾄｳ ｺｳﾀﾛｳ", "北斗精工株式会社"));
    const int saito3 = Add(Person("齋藤 光太郎", "ｻｲﾄｳ ｺｳﾀﾛｳ", "青葉運輸"));
    // Thirty different people who all give the company's switchboard and address.
    QList<int> staff;
    for (int i = 0; i < 30; ++i) {
        staff << Add(Person(QStringLiteral("社員 %1号").arg(i + 1).toUtf8().constData(), "", "東洋商事",
                            {QStringLiteral("03-5555-%1").arg(1000 + i), QStringLiteral("03-5555-0000")},
                            {QStringLiteral("info@toyo-shoji.co.jp")}));
    }

    const QList<DuplicateGroup> groups = Groups();
    const DuplicateGroup *title = GroupOf(groups, promotedSlot);
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->cardSlots.contains(store.SlotOf(takeuchi)));
    EXPECT_EQ(title->cardSlots.front(), promotedSlot) << "the newest card comes first";
    EXPECT_TRUE(HasReason(*title, DuplicateRule::SameName));
    EXPECT_TRUE(HasReason(*title, DuplicateRule::SameReadingAndCompany));

    const DuplicateGroup *variants = GroupOf(groups, store.SlotOf(yamashita));
    ASSERT_NE(variants, nullptr);
    for (int slot : {noSpace, wideSpace, latin})
        EXPECT_TRUE(variants->cardSlots.contains(slot)) << slot;
    EXPECT_TRUE(HasReason(*variants, DuplicateRule::SamePhone));
    EXPECT_TRUE(variants->ReasonsText().contains(U("電話番号が同じ「+81-") + mobile.mid(1) + U("」")))
        << variants->ReasonsText().toStdString();

    const DuplicateGroup *saito = GroupOf(groups, saito1);
    ASSERT_NE(saito, nullptr);
    EXPECT_EQ(saito->cardSlots.size(), 2);
    EXPECT_TRUE(saito->cardSlots.contains(saito2));
    EXPECT_EQ(saito->reasons.size(), 1);
    EXPECT_EQ(saito->reasons[0].rule, DuplicateRule::SameReadingAndCompany);
    EXPECT_EQ(GroupOf(groups, saito3), nullptr);

    for (int slot : staff)
        EXPECT_EQ(GroupOf(groups, slot), nullptr) << "a switchboard number joins no one";
    // The three new groups come beside the workload's own, which stay as they were.
    EXPECT_EQ(groups.size(), before.size() + 3);
}

// A number joins cards while few different names carry it; the same person
// many times over is still one name.
TEST_F(DuplicateFinderTest, ANumberOnMoreThanAFewDifferentNamesIsACompanyNumber)
{
    const QString home = QStringLiteral("045-111-2222");
    QList<int> family;
    for (const char *name : {"横浜 一郎", "横浜 花子", "横浜 翼"})
        family << Add(Person(name, "", "", {home}));
    QList<int> scans;
    for (int i = 0; i < 6; ++i)
        scans << Add(Person("川崎 修", "", "", {QStringLiteral("044-333-4444")}));
    QList<int> office;
    for (const char *name : {"千葉 一", "千葉 二", "千葉 三", "千葉 四"})
        office << Add(Person(name, "", "", {QStringLiteral("043-555-6666")}));

    const QList<DuplicateGroup> groups = Groups();
    const DuplicateGroup *three = GroupOf(groups, family[0]);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->cardSlots.size(), 3);
    const DuplicateGroup *same = GroupOf(groups, scans[0]);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->cardSlots.size(), 6);
    EXPECT_TRUE(HasReason(*same, DuplicateRule::SamePhone));
    for (int slot : office)
        EXPECT_EQ(GroupOf(groups, slot), nullptr);
}

// A large store is searched in two halves at once: cards join across the halves as within one.
TEST(DuplicateFinderLargeTest, CardsJoinAcrossTheHalvesOfALargeSearch)
{
    QList<CDuplicateFinder::Entry> entries;
    for (int i = 0; i < 24000; ++i) {
        CDuplicateFinder::Entry entry;
        entry.slot = i;
        entry.name = QStringLiteral("Person %1").arg(i);
        entry.phones << QStringLiteral("090-%1").arg(10000000 + i);
        entry.mails << QStringLiteral("p%1@example.jp").arg(i);
        entries << entry;
    }
    entries[20000].phones << QStringLiteral("+81-90-10000005");       // shares with 5
    entries[12000].name = QStringLiteral("Ｐｅｒｓｏｎ　１１９９９"); // the name of 11999
    entries[23999].mails[0] = QStringLiteral("P3@Example.JP");        // and 3's address
    const QList<DuplicateGroup> groups = CDuplicateFinder::Find(entries);
    ASSERT_EQ(groups.size(), 3);
    QList<QList<int>> members;
    for (const DuplicateGroup &group : groups) {
        QList<int> sorted = group.cardSlots;
        std::sort(sorted.begin(), sorted.end());
        members << sorted;
    }
    std::sort(members.begin(), members.end());
    EXPECT_EQ(members, QList<QList<int>>({{3, 23999}, {5, 20000}, {11999, 12000}}));
}

// Stamps keep no second, so within one minute their milliseconds say nothing about
// which card came first: the card added later leads its group, whatever they read.
TEST_F(DuplicateFinderTest, OfTwoCardsStampedInOneMinuteTheOneAddedLaterLeads)
{
    CardDate stamp = CardDate::NowUtc(true);
    stamp.milliseconds = 900;
    CCardData first = Person("鰐淵 乙葉", "ﾜﾆﾌﾞﾁ ｵﾄﾊ", "株式会社みなと");
    first.SetRegisteredDateValue(stamp);
    const int firstSlot = Add(first);
    stamp.milliseconds = 40; // the next second's reading, in the same minute
    CCardData second = Person("鰐淵 乙葉", "ﾜﾆﾌﾞﾁ ｵﾄﾊ", "株式会社みなと");
    second.SetRegisteredDateValue(stamp);
    const int secondSlot = Add(second);

    const QList<DuplicateGroup> groups = Groups();
    const DuplicateGroup *group = GroupOf(groups, secondSlot);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->cardSlots, (QList<int>{secondSlot, firstSlot}));
}
