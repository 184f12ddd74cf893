#include "CardDate.h"

#include <gtest/gtest.h>

TEST(CardDate, TextOnlyWhenSet)
{
    CardDate d;
    d.year = 2026;
    d.month = 3;
    d.day = 7;
    EXPECT_EQ(d.Text(), QString());
    d.second = 1;
    EXPECT_EQ(d.Text(), QString("2026-03-07"));
}
