// What a vCard 2.1 export does not bring back through this program's import, and how
// (the list in the README).
#include "CCardImageFiles.h"
#include "CCardStore.h"
#include "CardExportContext.h"
#include "CardExporter.h"
#include "TempDir.h"
#include "VCardExportSupport.h"
#include "VCardExporter.h"

#include <gtest/gtest.h>

using namespace vcard_test;

namespace {

// Adds the card to a store, exports that store as 2.1 and imports it into a new one.
class KnownLosses : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CreateStore(from, dir, U("from.ovd"))); }

    const CCardData &Back(const CCardData &card, const QByteArray &personPhoto = {})
    {
        CCardData *stored = from.AddCard(card);
        EXPECT_TRUE(stored);
        if (!personPhoto.isEmpty()) {
            EXPECT_TRUE(TempDir::WriteAll(dir.File("photo.png"), personPhoto));
            EXPECT_TRUE(from.SetPicture(stored, CCardImageFiles::PersonPhoto, dir.File("photo.png")));
        }
        const QString path = dir.File(QStringLiteral("export%1.vcf").arg(++runs));
        EXPECT_TRUE(VCardExporter(VCardForm::V21, true, CardExportContext::Of(from))
                        .WriteFile(path, CardExporter::AllCards(from)));
        back = std::make_unique<CCardStore>();
        EXPECT_TRUE(CreateStore(*back, dir, QStringLiteral("back%1.ovd").arg(runs)));
        EXPECT_TRUE(Import(*back, path, dir.File(QStringLiteral("photos%1").arg(runs))));
        EXPECT_EQ(back->LiveCount(), from.LiveCount());
        from.Delete(stored);
        return *back->CardAt(back->Count() - 1);
    }

    TempDir dir;
    CCardStore from;
    std::unique_ptr<CCardStore> back;
    int runs = 0;
};

} // namespace

TEST_F(KnownLosses, NamesCompaniesNumbersAndCharacters)
{
    CCardData card;
    const QString longName = QString(40, u'名');
    card.SetName(longName);
    card.SetCompany(U("A<B>社"), false);
    card.SetPhone(0, {U("(03)1234-5678"), PhoneOffice});
    card.SetPhone(1, {U("090-1234p5"), PhoneMobile});
    card.SetTitle(QString::fromUtf8("¬ 😀"));
    const CCardData &b = Back(card);
    EXPECT_EQ(b.Name(), longName.left(32) + U(" ") + longName.mid(32));
    EXPECT_EQ(b.Company(), U("A社"));
    EXPECT_EQ(b.Phone(0), U("031234-5678"));
    EXPECT_EQ(b.Phone(1), U("090-1234P5"));
    EXPECT_EQ(b.Title(), QString::fromUtf8("￢ ?"));
}

TEST_F(KnownLosses, MemoLinesAndDates)
{
    CCardData card;
    card.SetName(U("山田 太郎"));
    card.SetMemo(U("前\r\nOV-Original\r\n後"));
    EXPECT_EQ(Back(card).Memo(), U("前\r\n"));

    card.SetMemo(U("2019/05/01 展示会"));
    const CCardData &b = Back(card);
    EXPECT_EQ(b.Memo(), U("2019/05/01 展示会\r\n"));
    EXPECT_EQ(b.ReceivedDateText(), U("2019-05-01"));
}

TEST_F(KnownLosses, MarksWithoutTheirItemAndALonePersonPhoto)
{
    CCardData card;
    card.SetName(U("山田 太郎"));
    card.SetCheckMark(0, true);
    card.SetCheckMark(7, true); // no item in slot 7
    card.SetGroupNo(3);
    const CCardData &b = Back(card, Png(9));
    EXPECT_TRUE(b.CheckMark(0));
    EXPECT_FALSE(b.CheckMark(7));
    EXPECT_EQ(b.GroupNo(), 0);
    EXPECT_EQ(Picture(*back, b, CCardImageFiles::CardImage), Png(9));
    EXPECT_EQ(Picture(*back, b, CCardImageFiles::PersonPhoto), QByteArray());
}
