#include "CConnectEntryOrder.h"

#include <gtest/gtest.h>

namespace {
QList<int> Sorted(const CSoftbankObexObjectArray &entries, CConnectEntryOrder::Column column, bool descending)
{
    QList<int> rows;
    for (int i = 0; i < entries.size(); ++i)
        rows.append(i);
    CConnectEntryOrder::Sort(rows, entries, column, descending);
    return rows;
}
} // namespace

TEST(EntryOrderTest, DateTextTakesTheFirstEightCharacters)
{
    EXPECT_EQ(CConnectEntryOrder::DateText(QStringLiteral("20070102T101010")), QStringLiteral("2007/01/02"));
    EXPECT_EQ(CConnectEntryOrder::DateText(QStringLiteral("2007")), QStringLiteral("2007//"));
    EXPECT_EQ(CConnectEntryOrder::DateText(QString()), QStringLiteral("//"));
}

TEST(EntryOrderTest, NamesByCodePageBytesSizesAsNumbersDatesAsText)
{
    // In UTF-16 一 (U+4E00) comes before 亜 (U+4E9C) and あ before Ａ; in code
    // page 932 亜 (889F) comes before 一 (88EA) and Ａ (8260) before あ (82A0).
    const CSoftbankObexObjectArray entries{{QStringLiteral("一.vcf"), QStringLiteral("20070102T0"), 10},
                                           {QStringLiteral("あ.vcf"), QStringLiteral("20061231T0"), 9},
                                           {QStringLiteral("亜.vcf"), QStringLiteral("20070102T1"), 100},
                                           {QStringLiteral("Ａ.vcf"), QStringLiteral("2007010"), 9},
                                           {QStringLiteral("b.vcf"), QStringLiteral("20080101"), 1}};
    EXPECT_EQ(Sorted(entries, CConnectEntryOrder::Name, false), (QList<int>{4, 3, 1, 2, 0}));
    EXPECT_EQ(Sorted(entries, CConnectEntryOrder::Name, true), (QList<int>{0, 2, 1, 3, 4}));
    // Equal sizes keep their listing order in both directions.
    EXPECT_EQ(Sorted(entries, CConnectEntryOrder::Size, false), (QList<int>{4, 1, 3, 0, 2}));
    EXPECT_EQ(Sorted(entries, CConnectEntryOrder::Size, true), (QList<int>{2, 0, 1, 3, 4}));
    // "2007/01/0" (a short value) sorts before "2007/01/02"; equal shown dates keep their order.
    EXPECT_EQ(Sorted(entries, CConnectEntryOrder::Created, false), (QList<int>{1, 3, 0, 2, 4}));

    QList<int> broken{0, 7};
    CConnectEntryOrder::Sort(broken, entries, CConnectEntryOrder::Size, false);
    EXPECT_EQ(broken, (QList<int>{0, 7})); // rows that name no entry leave the order alone
}
