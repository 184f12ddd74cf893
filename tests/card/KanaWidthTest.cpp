#include "KanaWidth.h"

#include <gtest/gtest.h>

using namespace KanaWidth;

TEST(KanaWidth, HalfWidthSplitsVoicedKanaIntoTwoUnits)
{
    const QString half = ToHalfWidthKatakana(QStringLiteral("ガッコウ"));
    EXPECT_EQ(half, QStringLiteral("ｶﾞｯｺｳ"));
    EXPECT_EQ(half.size(), 5);
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("がっこう")), QStringLiteral("ｶﾞｯｺｳ"));
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("パピプペポ")), QStringLiteral("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"));
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("ヴゔ")), QStringLiteral("ｳﾞｳﾞ"));
    // A decomposed voiced mark narrows the same way as a precomposed one.
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral(u"カ\u3099")), QStringLiteral("ｶﾞ"));
}

TEST(KanaWidth, HalfWidthNarrowsAsciiSpacesAndPunctuation)
{
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("（０３）１２３４－５６７８　ＡＢＣ")),
              QStringLiteral("(03)1234-5678 ABC"));
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("、。「」・ー゛゜")), QStringLiteral("､｡｢｣･ｰﾞﾟ"));
    // The full-width macron and the overline both end as U+203E.
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral(u"￣\u203E")), QStringLiteral(u"\u203E\u203E"));
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("￥")), QStringLiteral(u"\u00A5"));
}

TEST(KanaWidth, HalfWidthKeepsWhatHasNoNarrowForm)
{
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("山田ヵヶヰ")), QStringLiteral("山田ヵヶヰ"));
    EXPECT_EQ(ToHalfWidthKatakana(QStringLiteral("abc ﾔﾏﾀﾞ")), QStringLiteral("abc ﾔﾏﾀﾞ"));
    EXPECT_EQ(ToHalfWidthKatakana(QString()), QString());
}

TEST(KanaWidth, FullWidthHiraganaComposesVoicedMarks)
{
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("ｶﾞｯｺｳ")), QStringLiteral("がっこう"));
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("ﾊﾟﾝ ﾔ")), QStringLiteral("ぱん　や"));
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("ｳﾞｧ")), QStringLiteral("ゔぁ"));
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("ヤマダ")), QStringLiteral("やまだ"));
    // A mark that cannot combine stays a separate full-width mark.
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("ｱﾞﾞ")), QStringLiteral("あ゛゛"));
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("A1 ~")), QStringLiteral("Ａ１　～"));
    EXPECT_EQ(ToFullWidthHiragana(QStringLiteral("山田")), QStringLiteral("山田"));
}

TEST(KanaWidth, EveryHalfWidthKanaSurvivesARoundTrip)
{
    for (char16_t c = 0xFF61; c <= 0xFF9D; ++c) {
        for (const QString &text :
             {QString(QChar(c)), QString(QChar(c)) + QChar(0xFF9E), QString(QChar(c)) + QChar(0xFF9F)}) {
            EXPECT_EQ(ToHalfWidthKatakana(ToFullWidthHiragana(text)), text) << std::hex << int(c);
        }
    }
}

// Readings go out to other address books in full-width katakana and must come back the same.
TEST(KanaWidth, FullWidthKatakanaWidensOnlyKana)
{
    EXPECT_EQ(ToFullWidthKatakana(QStringLiteral("ｶﾞｯｺｳ ﾊﾟﾝ")), QStringLiteral("ガッコウ パン"));
    EXPECT_EQ(ToFullWidthKatakana(QStringLiteral("ｳﾞｧｰ･ｱﾞ")), QStringLiteral("ヴァー・ア゛"));
    EXPECT_EQ(ToFullWidthKatakana(QStringLiteral("ABC 1-2 山田ヤマダ")),
              QStringLiteral("ABC 1-2 山田ヤマダ"));
    for (char16_t c = 0xFF61; c <= 0xFF9D; ++c) {
        for (const QString &text :
             {QString(QChar(c)), QString(QChar(c)) + QChar(0xFF9E), QString(QChar(c)) + QChar(0xFF9F)}) {
            EXPECT_EQ(ToHalfWidthKatakana(ToFullWidthKatakana(text)), text) << std::hex << int(c);
        }
    }
}

TEST(KanaWidth, KanaOnlyRecognisesReadingsWrittenInKana)
{
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("やまだ たろう")));
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("ヤマダ　タロー")));
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｰ")));
    EXPECT_TRUE(IsKanaOnly(QStringLiteral("じょん・すみす")));
    EXPECT_FALSE(IsKanaOnly(QStringLiteral("山田たろう")));
    EXPECT_FALSE(IsKanaOnly(QStringLiteral("ﾔﾏﾀﾞ1")));
    EXPECT_FALSE(IsKanaOnly(QStringLiteral("  ")));
    EXPECT_FALSE(IsKanaOnly(QString()));
}
