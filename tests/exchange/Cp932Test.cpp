#include "Cp932.h"
#include "Utf8Detect.h"

#include <gtest/gtest.h>

TEST(Cp932, DecodesMixedRunsAndExtensions)
{
    // ASCII runs longer and shorter than eight bytes around double-byte, half-width
    // kana and NEC/IBM extension characters.
    const QByteArray bytes = QByteArray("abcdefghij") + "\x8E\x52" + "\xB6\xDE" + "xy" +
                             "\x87\x40\x87\x8A\xFB\xFC" + "\x5C\x7E" + "\x81\x60" + "0123456789abcdef" +
                             "\xD6";
    EXPECT_EQ(Cp932::Decode(bytes), QStringLiteral("abcdefghij山ｶﾞxy①㈱髙\\~～0123456789abcdefﾖ"));
}

TEST(Cp932, InvalidBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(Cp932::Decode(QByteArray("\x82")), QString(QChar(0xFFFD)));
    // A lead byte before a byte that cannot follow it: only the lead is replaced.
    EXPECT_EQ(Cp932::Decode(QByteArray("\x82\r\nA")), QString(QChar(0xFFFD)) + QStringLiteral("\r\nA"));
    EXPECT_EQ(Cp932::Decode(QByteArray("a\x80")).left(1), QStringLiteral("a"));
    EXPECT_EQ(Cp932::Decode(QByteArray("a\x80")).size(), 2);
}

TEST(Cp932, EncodesAndReportsLoss)
{
    bool lossless = false;
    EXPECT_EQ(Cp932::Encode(QStringLiteral("山田①ｶ\\~"), &lossless),
              QByteArray("\x8E\x52\x93\x63\x87\x40\xB6\\~"));
    EXPECT_TRUE(lossless);
    EXPECT_EQ(Cp932::Encode(QStringLiteral("a😀𠮷b"), &lossless), QByteArray("a??b"));
    EXPECT_FALSE(lossless);
    // Characters the code page folds on the way out.
    EXPECT_EQ(Cp932::Encode(QStringLiteral("〜")), QByteArray("\x81\x60"));
}

TEST(Utf8Detection, Rules)
{
    const QByteArray japanese = QStringLiteral("名前").toUtf8();
    EXPECT_TRUE(Utf8Detect::IsMultiByteUtf8(japanese));
    EXPECT_FALSE(Utf8Detect::IsMultiByteUtf8("ascii only"));
    EXPECT_FALSE(Utf8Detect::IsMultiByteUtf8("\xC0\xAF"));       // overlong
    EXPECT_FALSE(Utf8Detect::IsMultiByteUtf8("\xED\xA0\x80"));   // surrogate
    EXPECT_FALSE(Utf8Detect::IsMultiByteUtf8(japanese.left(4))); // cut inside a character
    EXPECT_FALSE(Utf8Detect::IsUtf8VCard(japanese));
    EXPECT_TRUE(Utf8Detect::IsUtf8VCard("VERSION:3.0\r\n" + japanese));
    EXPECT_TRUE(Utf8Detect::IsUtf8VCard("N;charset=utf-8:" + japanese));
    EXPECT_TRUE(Utf8Detect::IsUtf8VCard("\xEF\xBB\xBF"
                                        "N:x"));
    EXPECT_TRUE(Utf8Detect::IsUtf8Csv(japanese));
    EXPECT_FALSE(Utf8Detect::IsUtf8Csv("\x96\xBC\x91\x4F"));
}
