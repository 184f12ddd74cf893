#include "ObexPacket.h"
#include "CBuffer.h"
#include "CObexRequestCONNECT.h"
#include "CObexRequestGET.h"
#include "CObexRequestPUT.h"
#include "CObexRequestSETPATH.h"
#include "CObexResponseCONNECT.h"
#include "PhoneTestUtil.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace ObexPacket;

TEST(CBufferTest, GrowsInStepsZeroFillsAndShrinks)
{
    CBuffer b(16);
    ASSERT_TRUE(b.Append("abc", 3));
    EXPECT_EQ(b.Capacity(), 16u);
    ASSERT_TRUE(b.Resize(17));
    EXPECT_EQ(b.Capacity(), 32u);
    EXPECT_EQ(b.Data()[16], 0);
    EXPECT_EQ(b.Data()[33], 0); // the two spare bytes
    ASSERT_TRUE(b.Resize(1));
    EXPECT_EQ(b.Data()[1], 0); // shrinking zeroes what was cut off
    EXPECT_EQ(b.Data()[0], 'a');
    EXPECT_EQ(b.Remaining(0), 1u);
    EXPECT_EQ(b.Remaining(5), 0u);
    ASSERT_TRUE(b.Resize(0));
    EXPECT_EQ(b.Data(), nullptr);
    EXPECT_FALSE(b.Resize(SIZE_MAX - 1)); // cannot be had: freed, reported
    EXPECT_EQ(b.Length(), 0u);
}

TEST(ObexHeaderTest, NameHeaderAndRefusals)
{
    CObexOptionalHeader name(0x01);
    ASSERT_TRUE(name.SetUnicode(QStringLiteral("telecom/pb.vcf")));
    EXPECT_EQ(name.WireSize(), 33u);
    QByteArray out(33, '\x55');
    ASSERT_TRUE(name.Write(reinterpret_cast<uint8_t *>(out.data()), 33));
    EXPECT_EQ(out, Hex("01 0021") + Utf16Name(QStringLiteral("telecom/pb.vcf")));
    EXPECT_FALSE(name.Write(reinterpret_cast<uint8_t *>(out.data()), 32));
    EXPECT_FALSE(name.SetUnicode(QString()));
    EXPECT_FALSE(name.AddTlv(0, "x", 1));

    CObexOptionalHeader challenge(0x4D);
    EXPECT_FALSE(challenge.SetUnicode(QStringLiteral("a")));
    EXPECT_FALSE(challenge.SetBytes("a", 1));
    EXPECT_TRUE(challenge.AddTlv(0, QByteArray(253, 'x')));
    EXPECT_FALSE(challenge.AddTlv(0, QByteArray(254, 'x')));
    EXPECT_EQ(challenge.Tlvs().size(), 1);

    CObexOptionalHeader empty(0x01);
    ASSERT_TRUE(empty.SetUnicode(QStringLiteral("")));
    EXPECT_EQ(empty.ValueBytes(), Hex("0000"));
}

TEST(ObexPacketTest, RefusesBrokenResponses)
{
    auto parses = [](const char *hex, bool isConnect = false) {
        const QByteArray bytes = Hex(hex);
        CObexResponse plain;
        CObexResponseCONNECT connect;
        CObexResponse &r = isConnect ? connect : plain;
        return ParsePacket(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), r);
    };
    EXPECT_TRUE(parses("A0 0003"));
    EXPECT_FALSE(parses("A0 00"));
    EXPECT_FALSE(parses("A0 0004"));                  // length one more than received
    EXPECT_FALSE(parses("A0 0002 00"));               // one less
    EXPECT_FALSE(parses("A0 0006 10 00 30", true));   // no room for CONNECT's fixed fields
    EXPECT_FALSE(parses("A0 0006 4D 0003"));          // challenge without TLVs
    EXPECT_FALSE(parses("A0 0008 4D 0005 00 FE"));    // TLV length 254
    EXPECT_FALSE(parses("A0 0008 4E 0005 00 FF"));    // TLV length 255
    EXPECT_FALSE(parses("A0 0009 4D 0006 00 02 01")); // TLV value runs past the header
    EXPECT_FALSE(parses("A0 0007 4D 0004 00"));       // TLV shorter than two bytes
    EXPECT_FALSE(parses("A0 0006 49 0009"));          // header longer than the packet
    EXPECT_FALSE(parses("A0 0006 49 0001"));          // header length below its prefix
    EXPECT_FALSE(parses("A0 0007 CB 000000"));        // 4-byte header cut short
    EXPECT_FALSE(parses("A0 0004 97"));               // 1-byte header cut short
    EXPECT_TRUE(parses("A0 0005 97 01"));
}

TEST(ObexPacketTest, SurvivesRandomInput)
{
    QRandomGenerator random(20261207);
    for (int i = 0; i < 5000; ++i) {
        QByteArray bytes(int(random.bounded(1, 80)), '\0');
        for (char &c : bytes)
            c = char(random.bounded(256));
        if (i % 2 && bytes.size() >= 3) {
            bytes[1] = char(bytes.size() >> 8);
            bytes[2] = char(bytes.size() & 0xFF);
        }
        CObexResponseCONNECT r;
        ParsePacket(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), r);
        CBuffer body;
        EXPECT_TRUE(AppendBody(r, body));
    }
}

TEST(ObexPacketTest, AppendsBodiesUpToTheEnd)
{
    auto body = [](const char *hex) {
        const QByteArray bytes = Hex(hex);
        CObexResponse r;
        EXPECT_TRUE(
            ParsePacket(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), r));
        CBuffer out;
        out.Append("x", 1);
        EXPECT_TRUE(AppendBody(r, out));
        return ToBytes(out);
    };
    // Body "AB", Length, Body "CD" -> AB.
    EXPECT_EQ(body("90 0012 48 0005 4142 C3 00000010 48 0005 4344"), QByteArray("xAB"));
    // Body "AB", End of Body "CD", Body "EF" -> ABCD.
    EXPECT_EQ(body("A0 0012 48 0005 4142 49 0005 4344 48 0005 4546"), QByteArray("xABCD"));
    // Headers before the first body are skipped; empty bodies add nothing.
    EXPECT_EQ(body("A0 0010 CB 00000001 48 0003 49 0005 4344"), QByteArray("xCD"));
}
