#include "CCardIndex.h"
#include "Cp932.h"

#include <gtest/gtest.h>

TEST(IndexTest, TabOfEveryRangeBoundary)
{
    const struct
    {
        char16_t first;
        int tab;
    } cases[] = {
        {0xFF71, 0},  {0xFF75, 0},  {0xFF67, 0},  {0xFF6B, 0}, {0xFF76, 1}, {0xFF7A, 1},  {0xFF7B, 2},
        {0xFF7F, 2},  {0xFF80, 3},  {0xFF84, 3},  {0xFF6F, 3}, {0xFF85, 4}, {0xFF89, 4},  {0xFF8A, 5},
        {0xFF8E, 5},  {0xFF8F, 6},  {0xFF93, 6},  {0xFF94, 7}, {0xFF96, 7}, {0xFF6C, 7},  {0xFF6E, 7},
        {0xFF97, 8},  {0xFF9B, 8},  {0xFF9C, 9},  {0xFF9D, 9}, {0xFF66, 9}, {u'A', 10},   {u'Z', 10},
        {u'a', 10},   {u'z', 10},   {u'@', 11},   {u'[', 11},  {u'0', 11},  {0xFF70, 11}, {0xFF9E, 11},
        {0xFF65, 11}, {0x3042, 11}, {0xFF21, 11},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CCardIndex::TabOf(QString(QChar(c.first)) + QStringLiteral("x")), c.tab) << int(c.first);
    EXPECT_EQ(CCardIndex::TabOf(QString()), 11);
}

TEST(IndexTest, Cp932KeysOrderByTheirBytes)
{
    EXPECT_EQ(Cp932::Encode(QStringLiteral("ｶﾞ①㈱髙")).toHex(), QByteArray("b6de8740878afbfc"));
    EXPECT_TRUE(Cp932::Encode(QString()).isEmpty());
    // Characters outside the code page become "?" and the rest is kept.
    EXPECT_EQ(Cp932::Encode(QStringLiteral("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(Cp932::Encode(QString(QChar(0xD800)) + QStringLiteral("c")), QByteArray("?c"));
    EXPECT_LT(Cp932::Encode(QStringLiteral("ｱ")), Cp932::Encode(QStringLiteral("熙")));
    EXPECT_LT(Cp932::Encode(QStringLiteral("熊")), Cp932::Encode(QStringLiteral("凜")));
    // Long texts grow the output buffer.
    EXPECT_EQ(Cp932::Encode(QStringLiteral("漢").repeated(500)).size(), 1000);
}
