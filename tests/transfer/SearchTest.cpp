#include "CardSearch.h"

#include "CCardData.h"
#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "TempDir.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

using namespace transfer_test;

namespace {

class SearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd")));
        Add(U("山田 太郎"), U("山田商事"), 0, U("メモあり")); // 商事, 高
        Add(U("佐藤 花子"), U("佐藤商事"), 2, QString());     // 商事 only
        Add(U("鈴木 一郎"), U("鈴木工業"), 0, QString());     // 高 only
        Add(U("田中 ｶﾅ"), U("田中建設"), 3, U("ﾒﾓ"));         // neither
    }

    void Add(const QString &name, const QString &company, int importance, const QString &memo)
    {
        CCardData card;
        card.SetName(name);
        card.SetCompany(company, false);
        card.SetImportance(importance);
        card.SetMemo(memo);
        ASSERT_NE(store.AddCard(card), nullptr);
    }

    QStringList ResultNames()
    {
        QStringList names;
        for (CCardData *card : store.TabCopy(0, 12))
            names << card->Name();
        names.sort();
        return names;
    }

    static SearchCondition Text(int field, const QString &text)
    {
        SearchCondition c;
        c.field = field;
        c.text = text;
        return c;
    }
    static SearchCondition Choice(int field, int choice)
    {
        SearchCondition c;
        c.field = field;
        c.choice = choice;
        return c;
    }

    TempDir dir;
    CCardStore store;
};

} // namespace

TEST_F(SearchTest, AndOrOverCompanyAndImportance)
{
    const QList<SearchCondition> conditions{Text(3, U("商事")), SearchCondition(), Choice(20, 0)};
    EXPECT_EQ(CardSearch::RunSearch(store, conditions, SearchCombination::All), 1);
    EXPECT_EQ(ResultNames(), QStringList({U("山田 太郎")}));
    EXPECT_EQ(CardSearch::RunSearch(store, conditions, SearchCombination::Any), 3);
    EXPECT_EQ(ResultNames().size(), 3);
    EXPECT_FALSE(ResultNames().contains(U("田中 ｶﾅ")));
}

TEST_F(SearchTest, EmptyTextFindsEmptyFieldsAndNoWidthFolding)
{
    EXPECT_EQ(CardSearch::RunSearch(store, {Text(12, QString())}, SearchCombination::All), 2);
    EXPECT_EQ(ResultNames(), QStringList({U("佐藤 花子"), U("鈴木 一郎")}));
    EXPECT_EQ(CardSearch::RunSearch(store, {Text(1, U("カナ"))}, SearchCombination::All), 0);
    EXPECT_EQ(CardSearch::RunSearch(store, {Text(1, U("ｶﾅ"))}, SearchCombination::All), 1);
}

TEST_F(SearchTest, UnsetBirthdayNeverMatchesEvenInsideTheRange)
{
    SearchCondition birthday;
    birthday.field = 13;
    birthday.from.year = 1900;
    birthday.from.month = 1;
    birthday.from.day = 1;
    birthday.to.year = 2100;
    birthday.to.month = 12;
    birthday.to.day = 31;
    EXPECT_EQ(CardSearch::RunSearch(store, {birthday}, SearchCombination::All), 0);
    CCardData card;
    card.SetName(U("誕生日あり"));
    card.SetBirthday("1980/05/05");
    ASSERT_NE(store.AddCard(card), nullptr);
    EXPECT_EQ(CardSearch::RunSearch(store, {birthday}, SearchCombination::All), 1);
}

TEST_F(SearchTest, NoUsedRowAndFieldTable)
{
    EXPECT_FALSE(CardSearch::AnyUsed({SearchCondition(), SearchCondition()}));
    EXPECT_EQ(CardSearch::NoConditionMessage().text, U("検索条件が設定されていません。"));
    EXPECT_EQ(SearchCondition::FieldIdOf(7), int(FieldPhones));
    EXPECT_EQ(SearchCondition::FieldIdOf(17), int(FieldGroupNo));
    EXPECT_EQ(SearchCondition::FieldIdOf(18), int(FieldCheckMarks));
    EXPECT_EQ(SearchCondition::FieldIdOf(19), int(FieldPrint));
    EXPECT_EQ(SearchCondition::FieldIdOf(21), int(FieldFixed));
    EXPECT_EQ(SearchCondition::FieldIdOf(22), -1);
    EXPECT_EQ(SearchCondition::KindOf(12), SearchCondition::Text);
    EXPECT_EQ(SearchCondition::KindOf(16), SearchCondition::DateRange);
}

TEST_F(SearchTest, QuickFindWrapsAroundAndIgnoresMemo)
{
    QList<CCardData *> list = store.TabCopy(0, 13);
    ASSERT_EQ(list.size(), 4);
    int first = CardSearch::QuickFind(list, -1, U("商事"));
    ASSERT_GE(first, 0);
    const int second = CardSearch::QuickFind(list, first, U("商事"));
    ASSERT_GE(second, 0);
    EXPECT_NE(second, first);
    EXPECT_EQ(CardSearch::QuickFind(list, second, U("商事")), first);
    EXPECT_EQ(CardSearch::QuickFind(list, -1, U("メモあり")), -1);
    EXPECT_EQ(CardSearch::QuickFindNotFoundMessage(U("メモあり")).text,
              U("メモありを含むデータは見つかりません。"));
    EXPECT_EQ(CardSearch::QuickFind({}, -1, U("x")), -1);
}

TEST(SearchHistory, NewestFirstAtMostFive)
{
    QStringList history;
    for (const char *w : {"a", "b", "c", "d", "e", "f"})
        CardSearch::RememberWord(history, w);
    EXPECT_EQ(history, QStringList({"f", "e", "d", "c", "b"}));
    CardSearch::RememberWord(history, "c");
    EXPECT_EQ(history, QStringList({"c", "f", "e", "d", "b"}));
    CardSearch::RememberWord(history, "c");
    CardSearch::RememberWord(history, "");
    EXPECT_EQ(history.size(), 5);
}

// A large store is searched on two threads; the result must be what one
// thread finds, in slot order (cards without a reading keep that order in the tab).
TEST(SearchLargeStore, SplitSearchFindsEveryMatchInSlotOrder)
{
    TempDir dir;
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd")));
    {
        CCardFileWriter file(store.Path());
        for (int i = 0; i < 9000; ++i) {
            CCardData card;
            card.SetName(QStringLiteral("N%1").arg(i, 5, 10, QChar(u'0')));
            card.SetCompany(i % 3 == 0 ? U("株式会社北") : U("南有限会社"), false);
            card.SetImportance(i % 4);
            ASSERT_NE(store.AddCard(card, &file), nullptr);
        }
    }
    SearchCondition company;
    company.field = 3;
    company.text = U("株式会社");
    SearchCondition importance;
    importance.field = 20;
    importance.choice = 2;
    QStringList expected;
    for (int i = 0; i < 9000; ++i)
        if (i % 3 == 0 && i % 4 == 2)
            expected << QStringLiteral("N%1").arg(i, 5, 10, QChar(u'0'));

    EXPECT_EQ(CardSearch::RunSearch(store, {company, importance}, SearchCombination::All), expected.size());
    QStringList found;
    for (CCardData *card : store.TabCopy(0, 12))
        found << card->Name();
    EXPECT_EQ(found, expected);
}
