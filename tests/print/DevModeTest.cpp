#include "CDevMode.h"
#include "DevModeBlock.h"
#include "PaperCode.h"

#include <QRandomGenerator>
#include <QSizeF>
#include <gtest/gtest.h>

TEST(DevMode, GoldenBytes)
{
    CDevMode d;
    d.fields = CDevMode::FieldOrientation | CDevMode::FieldPaperSize;
    d.orientation = 2;
    d.paperSize = 13;
    d.model = QStringLiteral("PDF Ä").toUtf8();
    EXPECT_EQ(d.Encode().toHex(' '), QByteArray("54 44 4d 42 18 00 00 00 06 00 00 00 "
                                                "03 00 00 00 02 00 0d 00 00 00 00 00 "
                                                "50 44 46 20 c3 84"));
    CDevMode back;
    ASSERT_TRUE(CDevMode::Decode(d.Encode(), &back));
    EXPECT_EQ(back, d);
}

TEST(DevMode, OnlyBlocksOfItsOwnShapeDecode)
{
    const CDevMode d =
        CDevMode::ForPage(QPageSize(QPageSize::A4), QPageLayout::Portrait, QStringLiteral("M"));
    const QByteArray good = d.Encode();
    CDevMode out;
    out.model = "untouched";
    EXPECT_FALSE(CDevMode::Decode(good.left(good.size() - 1), &out));
    EXPECT_FALSE(CDevMode::Decode(good + 'x', &out));
    EXPECT_FALSE(CDevMode::Decode(DevModeBlock::Make(QByteArray(11, '\0'), "M"), &out)); // another fixed size
    EXPECT_FALSE(CDevMode::Decode(QByteArray(), &out));
    EXPECT_EQ(out.model, QByteArray("untouched"));

    QRandomGenerator rng(14);
    for (int i = 0; i < 3000; ++i) {
        QByteArray b = good;
        b[int(rng.bounded(int(b.size())))] = char(rng.bounded(256));
        if (i % 3 == 0)
            b.truncate(int(rng.bounded(int(b.size()))));
        if (CDevMode::Decode(b, &out)) {
            EXPECT_EQ(out.Encode(), b);
            (void)out.PageSize(); // any numbers give some paper
        }
    }
}

TEST(DevMode, PagesBothWays)
{
    const CDevMode b5 = CDevMode::ForPage(QPageSize(QPageSize::JisB5), QPageLayout::Landscape, QString());
    EXPECT_EQ(b5.paperSize, 13);
    EXPECT_EQ(b5.orientation, 2);
    EXPECT_EQ(b5.PageSize().id(), QPageSize::JisB5);
    EXPECT_EQ(b5.PageOrientation(), QPageLayout::Landscape);

    // A paper without a code travels as its size.
    const CDevMode card = CDevMode::ForPage(QPageSize(QPageSize::Postcard), QPageLayout::Portrait, QString());
    EXPECT_EQ(card.paperSize, PaperCode::User);
    EXPECT_EQ(card.paperWidth, 1000);
    EXPECT_EQ(card.paperLength, 1480);
    EXPECT_EQ(card.PageSize().size(QPageSize::Millimeter), QSizeF(100, 148));

    CDevMode unknown;
    unknown.fields = CDevMode::FieldPaperSize;
    unknown.paperSize = 300;
    EXPECT_EQ(unknown.PageSize().id(), QPageSize::A4);
    EXPECT_EQ(unknown.PageOrientation(), QPageLayout::Portrait);
}

TEST(PaperCodes, EveryCodeHasAPageSizeThatLeadsBack)
{
    for (int code = 1; code <= 41; ++code) {
        const QPageSize::PageSizeId id = PaperCode::ToPageSizeId(code);
        ASSERT_NE(id, QPageSize::Custom) << code;
        const int back = PaperCode::FromPageSizeId(id);
        EXPECT_EQ(PaperCode::ToPageSizeId(back), id) << code;
        EXPECT_FALSE(PaperCode::Name(code).isEmpty()) << code;
    }
    EXPECT_EQ(PaperCode::ToPageSizeId(0), QPageSize::Custom);
    EXPECT_EQ(PaperCode::ToPageSizeId(42), QPageSize::Custom);
    EXPECT_EQ(PaperCode::FromPageSizeId(QPageSize::A4), 9);
    EXPECT_EQ(PaperCode::FromPageSizeId(QPageSize::Tabloid), 3); // the 11 × 17 sheet prints as Tabloid
    EXPECT_EQ(PaperCode::FromPageSizeId(QPageSize::Postcard), 0);
    EXPECT_EQ(QPageSize(PaperCode::ToPageSizeId(13)).size(QPageSize::Millimeter), QSizeF(182, 257));
    EXPECT_EQ(QPageSize(PaperCode::ToPageSizeId(12)).size(QPageSize::Millimeter).width(), 250);
    EXPECT_EQ(QPageSize(PaperCode::ToPageSizeId(8)).size(QPageSize::Millimeter), QSizeF(297, 420));
}
