#include "PrintFieldRules.h"

#include <gtest/gtest.h>

using namespace PrintFieldRules;

TEST(LengthField, KeepsDigitsAndTheFirstPointAndTruncatesToATenth)
{
    Length r = ReadLength(QStringLiteral("12.3.4x"), 7);
    EXPECT_EQ(r.value, 123);
    EXPECT_EQ(r.text, QStringLiteral("12.3"));
    r = ReadLength(QStringLiteral("12.39"), 5);
    EXPECT_EQ(r.value, 123); // truncated, not rounded
    r = ReadLength(QStringLiteral("a5b"), 3);
    EXPECT_EQ(r.value, 50);
    EXPECT_EQ(r.text, QStringLiteral("5.0"));
    r = ReadLength(QStringLiteral(".7"), 2);
    EXPECT_EQ(r.value, 7);
    EXPECT_EQ(r.text, QStringLiteral("0.7"));
    r = ReadLength(QStringLiteral("007.50"), 6);
    EXPECT_EQ(r.value, 75);
    EXPECT_EQ(r.text, QStringLiteral("7.5"));
    // Full-width digits are not digits here.
    EXPECT_EQ(ReadLength(QStringLiteral("１２"), 2).value, 0);
}

TEST(LengthField, EmptyReadsZeroAndHugeValuesStopAtTheLargestLength)
{
    Length r = ReadLength(QString(), 0);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(r.text, QStringLiteral("0.0"));
    r = ReadLength(QStringLiteral("99999999999999999999.9"), 3);
    EXPECT_EQ(r.value, MaxLength);
    EXPECT_EQ(r.text, QStringLiteral("99999.9"));
    EXPECT_EQ(LengthText(-5), QStringLiteral("0.0"));
    EXPECT_EQ(LengthText(1234), QStringLiteral("123.4"));
}

TEST(LengthField, TheCaretStaysBesideTheDigitsTyped)
{
    // "1|.0", then typing 2 gives "12|.0".
    Length r = ReadLength(QStringLiteral("12.0"), 2);
    EXPECT_EQ(r.caret, 2);
    // A second point typed before the decimals is dropped; the caret stays after the point.
    r = ReadLength(QStringLiteral("12..0"), 3);
    EXPECT_EQ(r.text, QStringLiteral("12.0"));
    EXPECT_EQ(r.caret, 3);
    // A decimal typed behind the first one is cut; the caret ends the text.
    r = ReadLength(QStringLiteral("12.34"), 5);
    EXPECT_EQ(r.text, QStringLiteral("12.3"));
    EXPECT_EQ(r.caret, 4);
    // An emptied field shows 0.0 with the caret behind the 0, so the next digit replaces it.
    r = ReadLength(QString(), 0);
    EXPECT_EQ(r.caret, 1);
    r = ReadLength(QStringLiteral("05.0"), 2);
    EXPECT_EQ(r.text, QStringLiteral("5.0"));
    EXPECT_EQ(r.caret, 1);
}

TEST(GridFields, EmptyOrZeroIsOneAndTheProductStaysWithinAHundred)
{
    EXPECT_EQ(ReadCount(QString()), 1);
    EXPECT_EQ(ReadCount(QStringLiteral("0")), 1);
    EXPECT_EQ(ReadCount(QStringLiteral("07")), 7);
    EXPECT_EQ(ReadCount(QStringLiteral("99999999999999")), MaxLabels);
    EXPECT_EQ(LimitGrid(20, 6), 16); // 100 ÷ 6
    EXPECT_EQ(LimitGrid(10, 10), 10);
    EXPECT_EQ(LimitGrid(11, 10), 10);
    EXPECT_EQ(LimitGrid(5, 100), 1);
    EXPECT_EQ(LimitGrid(2, 0), 2); // a damaged other count counts as 1
}

TEST(PageRangeFields, FromAndToFollowEachOtherAndTheCount)
{
    // From: empty or 0 is 1, never beyond to (an empty to is the count).
    EXPECT_EQ(FromPage(QString(), QStringLiteral("5"), 9), 1);
    EXPECT_EQ(FromPage(QStringLiteral("0"), QStringLiteral("5"), 9), 1);
    EXPECT_EQ(FromPage(QStringLiteral("7"), QStringLiteral("5"), 9), 5);
    EXPECT_EQ(FromPage(QStringLiteral("7"), QString(), 9), 7);
    EXPECT_EQ(FromPage(QStringLiteral("12"), QString(), 9), 9);
    // To: empty is the count, never below from, never beyond the count.
    EXPECT_EQ(ToPage(QString(), 3, 9), 9);
    EXPECT_EQ(ToPage(QStringLiteral("2"), 3, 9), 3);
    EXPECT_EQ(ToPage(QStringLiteral("40"), 3, 9), 9);
    EXPECT_EQ(ToPage(QStringLiteral("4"), 3, 9), 4);
}
