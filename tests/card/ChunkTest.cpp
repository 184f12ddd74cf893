#include "CCardData.h"
#include "CChunk.h"
#include "StoreTestCards.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using StoreTestCards::Hex;

namespace {

// A card written by hand from the format tables: Id "a1", Name "Ab", one phone
// "1" of kind 2, a set birthday 2020-01-02, group 3, print mark, mark 0,
// importance 2, not fixed, rotation -1.
const char *const GoldenCard = "43444454de000000"                                 // CDDT, 222
                               "4349494406000000610031000000"                     // CIID "a1"
                               "43494e4d06000000410062000000"                     // CINM "Ab"
                               "4349544c080000000200000031000000"                 // CITL kind 2 "1"
                               "4349424410000000e40701000000020000000000"         // CIBD 2020-01-02
                               "01000000"                                         //   second 1, ms 0
                               "434947441000000000000000000000000000000000000000" // CIGD
                               "434952441000000000000000000000000000000000000000" // CIRD
                               "4349"
                               "4d441000000000000000000000000000000000000000" // CIMD
                               "4349474e0400000003000000"                     // CIGN 3
                               "434950520100000001"                           // CIPR 1
                               "4349434b14000000"                             // CICK, 20 marks
                               "0100000000000000000000000000000000000000"     //
                               "434949500400000002000000"                     // CIIP 2
                               "434945430100000000"                           // CIEC 0
                               "4349494f04000000ffffffff";                    // CIIO -1

bool Decode(const QByteArray &bytes, CCardData *card, qsizetype *size = nullptr)
{
    return CChunk::DecodeCard(bytes.constData(), bytes.size(), card, size);
}

} // namespace

TEST(ChunkTest, GoldenCardDecodesAndEncodesToTheSameBytes)
{
    const QByteArray golden = Hex(GoldenCard);
    ASSERT_EQ(golden.size(), 8 + 222);
    CCardData card;
    qsizetype size = 0;
    ASSERT_TRUE(Decode(golden, &card, &size));
    EXPECT_EQ(size, golden.size());
    EXPECT_EQ(card.Id(), QStringLiteral("a1"));
    EXPECT_EQ(card.Name(), QStringLiteral("Ab"));
    EXPECT_TRUE(card.LastName().isEmpty()); // raw fields, no setter rules
    ASSERT_EQ(card.PhoneCount(), 1);
    EXPECT_EQ(card.Phone(0), QStringLiteral("1"));
    EXPECT_EQ(card.PhoneKindAt(0), 2u);
    EXPECT_EQ(card.BirthdayText(), QStringLiteral("2020-01-02"));
    EXPECT_FALSE(card.RegisteredDate().IsSet());
    EXPECT_EQ(card.GroupNo(), 3);
    EXPECT_TRUE(card.Print());
    EXPECT_TRUE(card.CheckMark(0));
    EXPECT_FALSE(card.CheckMark(1));
    EXPECT_EQ(card.Importance(), 2);
    EXPECT_FALSE(card.Fixed());
    EXPECT_EQ(card.ImageRotation(), -1);
    EXPECT_EQ(CChunk::EncodeCard(card).toHex(), golden.toHex());
}

TEST(ChunkTest, CardWithoutIdIsAnEmptyChunk)
{
    CCardData card;
    card.SetMemo(QStringLiteral("ignored"));
    EXPECT_EQ(CChunk::EncodeCard(card).toHex(), QByteArray("4344445400000000"));
    CCardData decoded;
    decoded.SetMemo(QStringLiteral("old"));
    ASSERT_TRUE(Decode(Hex("4344445400000000"), &decoded));
    EXPECT_TRUE(decoded.Memo().isEmpty());
    EXPECT_EQ(decoded.Importance(), 2);
}

TEST(ChunkTest, ListsEmptyTextsAndAllFieldsRoundTrip)
{
    CCardData card;
    card.SetId(QStringLiteral("0f0e0d0c-0000-4000-8000-000000000001"));
    card.SetPhone(0, {QStringLiteral("0312345678"), PhoneCompanyMobile});
    card.SetPhone(1, {QStringLiteral("09011112222"), PhoneOffice});
    card.SetMail(0, {QStringLiteral("a@example.jp"), MailOffice});
    card.SetMemo(QStringLiteral("メモ\r\n二行目"));
    card.SetAttachedFiles({QStringLiteral("/tmp/a.pdf"), QString(), QStringLiteral("/tmp/b.txt")});
    card.SetCheckMark(19, true);
    card.SetFixed(true);
    card.SetImportance(4);
    card.SetImageRotation(0x21);
    const QByteArray bytes = CChunk::EncodeCard(card);
    // No chunk for empty texts: the name fields are absent.
    EXPECT_FALSE(bytes.contains("CINM"));
    EXPECT_EQ(bytes.count("CIFL"), 2);

    CCardData back;
    ASSERT_TRUE(Decode(bytes, &back));
    EXPECT_EQ(back.Phone(1), QStringLiteral("09011112222"));
    EXPECT_EQ(back.PhoneKindAt(1), 3u);
    EXPECT_EQ(back.Mail(0), QStringLiteral("a@example.jp"));
    EXPECT_EQ(back.Memo(), card.Memo());
    EXPECT_EQ(back.AttachedFiles(),
              QStringList({QStringLiteral("/tmp/a.pdf"), QStringLiteral("/tmp/b.txt")}));
    EXPECT_TRUE(back.CheckMark(19));
    EXPECT_TRUE(back.Fixed());
    EXPECT_EQ(back.ImageRotation(), 0x21);
    EXPECT_EQ(CChunk::EncodeCard(back), bytes);
}

TEST(ChunkTest, UnknownFieldIsSkipped)
{
    // CIID "a1", then an unknown "CIZZ" with 3 bytes, then CINM "Ab".
    const QByteArray bytes = Hex("4344445427000000"
                                 "4349494406000000610031000000"
                                 "4349"
                                 "5a5a03000000ffffff"
                                 "43494e4d06000000410062000000");
    CCardData card;
    ASSERT_TRUE(Decode(bytes, &card));
    EXPECT_EQ(card.Id(), QStringLiteral("a1"));
    EXPECT_EQ(card.Name(), QStringLiteral("Ab"));
}

TEST(ChunkTest, BadLengthsAreRefused)
{
    CCardData card;
    // Field chunk running past its container.
    EXPECT_FALSE(Decode(Hex("434444540e000000"
                            "4349494407000000610031000000"),
                        &card));
    // Container longer than the bytes present.
    EXPECT_FALSE(Decode(Hex("43444454ffffffff"
                            "4349494406000000610031000000"),
                        &card));
    // Wrong tag.
    EXPECT_FALSE(Decode(Hex("43444455"
                            "00000000"),
                        &card));
    // A field head cut off inside the container.
    EXPECT_FALSE(Decode(Hex("4344445404000000"
                            "43494944"),
                        &card));
}

TEST(ChunkTest, EveryTruncationOfTheGoldenCardFails)
{
    const QByteArray golden = Hex(GoldenCard);
    for (qsizetype cut = 0; cut < golden.size(); ++cut) {
        CCardData card;
        EXPECT_FALSE(Decode(golden.left(cut), &card)) << cut;
    }
}

TEST(ChunkTest, RandomBytesNeverCrash)
{
    QRandomGenerator random(7);
    const QByteArray golden = Hex(GoldenCard);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = golden;
        const int flips = 1 + int(random.bounded(8));
        for (int i = 0; i < flips; ++i)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        CCardData card;
        qsizetype size = 0;
        if (Decode(bytes, &card, &size)) {
            EXPECT_LE(size, bytes.size());
        }
    }
}
