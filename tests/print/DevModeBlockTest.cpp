#include "DevModeBlock.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(DevModeBlock, LayoutBytes)
{
    const QByteArray b = DevModeBlock::Make("AB", "xyz");
    EXPECT_EQ(b.toHex(' '), QByteArray("54 44 4d 42 0e 00 00 00 03 00 00 00 41 42 78 79 7a"));
    EXPECT_TRUE(DevModeBlock::IsValid(b));
    EXPECT_EQ(DevModeBlock::FixedPart(b), QByteArray("AB"));
    EXPECT_EQ(DevModeBlock::DriverExtra(b), QByteArray("xyz"));

    const QByteArray empty = DevModeBlock::Make({}, {});
    EXPECT_EQ(empty.toHex(' '), QByteArray("54 44 4d 42 0c 00 00 00 00 00 00 00"));
    EXPECT_TRUE(DevModeBlock::IsValid(empty));
}

TEST(DevModeBlock, LengthMustMatchItsHeader)
{
    const QByteArray b = DevModeBlock::Make("fixed part", "driver extra");
    EXPECT_FALSE(DevModeBlock::IsValid(b.left(b.size() - 1)));
    EXPECT_FALSE(DevModeBlock::IsValid(b + '\0'));
    EXPECT_FALSE(DevModeBlock::IsValid(b.left(11)));
    EXPECT_FALSE(DevModeBlock::IsValid(QByteArray()));
    EXPECT_TRUE(DevModeBlock::FixedPart(b + '\0').isEmpty());
    EXPECT_TRUE(DevModeBlock::DriverExtra(b.left(20)).isEmpty());

    QByteArray wrongMagic = b;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(DevModeBlock::IsValid(wrongMagic));

    // A fixed size smaller than the header, and sizes that overflow 32 bits.
    QByteArray small = QByteArray::fromHex("54444d42"
                                           "04000000"
                                           "08000000") +
                       QByteArray(8, 'a');
    EXPECT_FALSE(DevModeBlock::IsValid(small));
    QByteArray wrap = QByteArray::fromHex("54444d42"
                                          "ffffffff"
                                          "0e000000") +
                      QByteArray(1, 'a');
    EXPECT_FALSE(DevModeBlock::IsValid(wrap));
}

TEST(DevModeBlock, RandomBytesAreRejectedSafely)
{
    QRandomGenerator rng(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray b(int(rng.bounded(40)), '\0');
        for (char &c : b)
            c = char(rng.bounded(256));
        if (i % 2)
            b.replace(0, std::min<qsizetype>(4, b.size()), QByteArray("TDMB").left(b.size()));
        if (DevModeBlock::IsValid(b)) {
            EXPECT_EQ(DevModeBlock::Make(DevModeBlock::FixedPart(b), DevModeBlock::DriverExtra(b)), b);
        }
    }
}
