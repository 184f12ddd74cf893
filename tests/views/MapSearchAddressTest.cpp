#include "MapSearchAddress.h"
#include "Cp932.h"

#include <gtest/gtest.h>

using namespace MapSearchAddress;

TEST(MapSearchAddress, KanjiAndHalfWidthKatakanaBecomeEucBytes)
{
    // 東 = SJIS 93 8C (JIS 45 6C), 京 = 8B 9E (JIS 35 7E), ｶ = B6, ﾞ = DE.
    const QString address = QString::fromUtf8("東京ｶﾞ 1-2");
    EXPECT_EQ(Cp932::Encode(address).toHex(' '), QByteArray("93 8c 8b 9e b6 de 20 31 2d 32"));
    EXPECT_EQ(SjisToEuc(Cp932::Encode(address)).toHex(' '),
              QByteArray("c5 ec b5 fe 8e b6 8e de 20 31 2d 32"));
    EXPECT_EQ(
        Build(address, QStringLiteral("https://map.example.com/search")),
        QByteArray("https://map.example.com/search?REF=orvane_Tessaly&ADDR=%C5%EC%B5%FE%8E%B6%8E%DE+1-2"));
}

// Without a configured service the address goes to Google Maps, UTF-8 percent-encoded.
TEST(MapSearchAddress, GoogleMapsIsTheDefaultWithUtf8Escapes)
{
    EXPECT_EQ(Build(QString::fromUtf8("東京都千代田区丸の内1-1 丸ビル#3F"), QString()),
              QByteArray("https://www.google.com/maps/search/?api=1&query="
                         "%E6%9D%B1%E4%BA%AC%E9%83%BD%E5%8D%83%E4%BB%A3%E7%94%B0%E5%8C%BA%E4%B8%B8%E3%81%AE"
                         "%E5%86%851-1%20%E4%B8%B8%E3%83%93%E3%83%AB%233F"));
    // Query characters of the address cannot end or extend the query.
    EXPECT_EQ(
        Build(QString::fromUtf8("ｶﾞ&a=b+c/d?"), QStringLiteral("  ")),
        QByteArray("https://www.google.com/maps/search/?api=1&query=%EF%BD%B6%EF%BE%9E%26a%3Db%2Bc%2Fd%3F"));
}

TEST(MapSearchAddress, RowAndCellEdgesOfTheJisTable)
{
    // 亜 889F → JIS 3021 (second byte ≥ 0x9F); ア 8341 → 2522; ム 8380 → 2560 (0x7F is
    // no second byte); 漾 E040 → 5F21 (lead bytes from E0 continue after 9F).
    EXPECT_EQ(SjisToEuc(QByteArray::fromHex("889F")).toHex(), QByteArray("b0a1"));
    EXPECT_EQ(SjisToEuc(QByteArray::fromHex("8341")).toHex(), QByteArray("a5a2"));
    EXPECT_EQ(SjisToEuc(QByteArray::fromHex("8380")).toHex(), QByteArray("a5e0"));
    EXPECT_EQ(SjisToEuc(QByteArray::fromHex("E040")).toHex(), QByteArray("dfa1"));
}

TEST(MapSearchAddress, ReservedCharactersAreEscaped)
{
    EXPECT_EQ(Escape("a b&c=d?e/f+g%h#"), QByteArray("a+b%26c%3Dd%3Fe%2Ff%2Bg%25h%23"));
    EXPECT_EQ(Escape(QByteArray::fromHex("80ff7f")), QByteArray("%80%FF%7F"));
}

TEST(MapSearchAddress, BadInputIsSurvived)
{
    // A lone lead byte at the end stays as it is; an unmappable character becomes "?".
    EXPECT_EQ(SjisToEuc(QByteArray::fromHex("3182")).toHex(), QByteArray("3182"));
    EXPECT_EQ(Cp932::Encode(QString::fromUtf8("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(BuildRefAddr("http://m", QString()), QByteArray("http://m?REF=orvane_Tessaly&ADDR="));
    QString random;
    for (int i = 0; i < 2000; ++i)
        random.append(QChar(static_cast<char16_t>((i * 7919) % 0xD7FF + 1)));
    EXPECT_FALSE(BuildRefAddr("http://m", random).isEmpty());
    EXPECT_TRUE(BuildGoogleMaps(random).startsWith(GoogleMapsSearch));
}
