#include "CCardData.h"
#include "CDevMode.h"
#include "CPrint.h"
#include "PrintSettings.h"

#include <gtest/gtest.h>

TEST(PrintModel, CatalogueNumbersAndCaptions)
{
    const CPrint print;
    ASSERT_EQ(print.Items.size(), CPrint::ItemCount);
    const std::pair<int, const char *> some[] = {
        {0, "名前"},       {3, "ヨミ/名前"},      {10, "電話番号"},       {11, "電話番号種別"},
        {12, "電話番号2"}, {19, "電話番号種別5"}, {20, "メールアドレス"}, {29, "メールアドレス種別5"},
        {30, "郵便番号"},  {37, "URL"},           {43, "ｸﾞﾙｰﾌﾟ番号"},     {44, "重要度"},
    };
    for (const auto &[n, caption] : some)
        EXPECT_EQ(print.Items[n].Caption, QString::fromUtf8(caption)) << n;
}

TEST(PrintModel, ConstructTakesTheDefaultOnItems)
{
    const CPrint print;
    const QList<int> on{0, 6, 8, 9, 10, 11, 20, 21, 30, 31, 37};
    EXPECT_EQ(print.ListItemIndex, on);
    EXPECT_EQ(print.SealItemIndex, on);
    EXPECT_EQ(print.ListItemWidth, QList<int>(on.size(), 300));
    for (int i = 0; i < CPrint::ItemCount; ++i)
        EXPECT_EQ(print.Items[i].DefaultOn, on.contains(i)) << i;
    EXPECT_EQ(print.SizeAspects, QSize(1, 1));
    EXPECT_EQ(print.SizeSeal, QSize(1, 1));
    EXPECT_EQ(print.LogFont, CLogFont());
    EXPECT_EQ(print.FromPage, 0);
    EXPECT_EQ(print.Mode, CPrint::ModeList);
}

TEST(PrintModel, LoadAndStoreCopyEverything)
{
    PrintSettings s = PrintSettings::Defaults();
    s.PrinterName = QStringLiteral("Office");
    s.DevMode = CDevMode::ForPage(QPageSize(QPageSize::JisB5), QPageLayout::Landscape, "M").Encode();
    s.ListHeader = QStringList{"a", "b", "c"};
    s.Respect = 3;
    s.SizeSealsDistance = QSize(38, 12);
    CPrint print;
    ASSERT_TRUE(print.LoadFrom(s));
    EXPECT_EQ(print.PaperSize(), 13);
    EXPECT_EQ(print.Orientation(), 2);
    PrintSettings back;
    print.StoreTo(back);
    EXPECT_EQ(back, s);
}

TEST(PrintModel, WidthsOfAnotherCountAreReset)
{
    PrintSettings s = PrintSettings::Defaults();
    s.ListItemIndex = {0, 6, 8};
    s.ListItemWidth = {120, 450};
    CPrint print;
    print.LoadFrom(s);
    EXPECT_EQ(print.ListItemWidth, QList<int>({300, 300, 300}));

    s.ListItemWidth = {120, 450, 90};
    print.LoadFrom(s);
    EXPECT_EQ(print.ListItemWidth, QList<int>({120, 450, 90}));
}

TEST(PrintModel, ItemTextsOfACard)
{
    CCardData card;
    card.SetName(QStringLiteral("山田 太郎"));
    card.SetCompany(QStringLiteral("サンプル商事"), false);
    card.SetMail(0, {QStringLiteral("taro@example.jp"), MailOffice});
    card.SetBirthday(QStringLiteral("1980/4/1"));
    card.SetGroupNo(7);
    card.SetImportance(0);
    EXPECT_EQ(CPrint::GetItemText(0, card), QStringLiteral("山田 太郎"));
    EXPECT_EQ(CPrint::GetItemText(1, card), QStringLiteral("山田"));
    EXPECT_EQ(CPrint::GetItemText(2, card), QStringLiteral("太郎"));
    EXPECT_EQ(CPrint::GetItemText(6, card), QStringLiteral("サンプル商事"));
    // No phone at all: an empty number and the name of kind 0.
    EXPECT_EQ(CPrint::GetItemText(10, card), QString());
    EXPECT_EQ(CPrint::GetItemText(11, card), QStringLiteral("携帯電話"));
    EXPECT_EQ(CPrint::GetItemText(20, card), QStringLiteral("taro@example.jp"));
    EXPECT_EQ(CPrint::GetItemText(21, card), QStringLiteral("会社"));
    EXPECT_EQ(CPrint::GetItemText(22, card), QString());
    EXPECT_EQ(CPrint::GetItemText(23, card), QStringLiteral("携帯電話"));
    EXPECT_EQ(CPrint::GetItemText(39, card), QStringLiteral("1980-04-01"));
    EXPECT_EQ(CPrint::GetItemText(40, card), QString());
    EXPECT_EQ(CPrint::GetItemText(43, card), QStringLiteral("7"));
    EXPECT_EQ(CPrint::GetItemText(44, card), QStringLiteral("高"));
    EXPECT_EQ(CPrint::GetItemText(-1, card), QString());
    EXPECT_EQ(CPrint::GetItemText(45, card), QString());
}

TEST(PrintModel, PhonePairsFollowTheirEntries)
{
    CCardData card;
    card.SetPhone(0, {QStringLiteral("03-1111-2222"), PhoneOffice});
    card.SetPhone(1, {QStringLiteral("03-3333-4444"), PhoneFax});
    EXPECT_EQ(CPrint::GetItemText(10, card), QStringLiteral("03-1111-2222"));
    EXPECT_EQ(CPrint::GetItemText(11, card), QStringLiteral("会社電話"));
    EXPECT_EQ(CPrint::GetItemText(12, card), QStringLiteral("03-3333-4444"));
    EXPECT_EQ(CPrint::GetItemText(13, card), QStringLiteral("FAX"));
    EXPECT_EQ(CPrint::GetItemText(14, card), QString());
    EXPECT_EQ(CPrint::GetItemText(19, card), QStringLiteral("携帯電話"));
}

TEST(PrintModel, NameTables)
{
    EXPECT_EQ(CPrint::PaperSizeName(9), QStringLiteral("A4         : 210 × 297 mm"));
    EXPECT_EQ(CPrint::PaperSizeName(2), QStringLiteral("Letter Small : 8 1/2 × 11 Inch"));
    EXPECT_EQ(CPrint::PaperSizeName(16), QStringLiteral("10 × 14 Inch シート"));
    EXPECT_EQ(CPrint::PaperSizeName(24), QStringLiteral("C シート   : 17 × 22 Inch"));
    EXPECT_EQ(CPrint::PaperSizeName(41), QStringLiteral("German Legal Fanfold : 8 1/2 × 13 Inch"));
    EXPECT_EQ(CPrint::PaperSizeName(0), QString());
    EXPECT_EQ(CPrint::PaperSizeName(42), QString());
    EXPECT_EQ(CPrint::OrientationName(1), QStringLiteral("縦"));
    EXPECT_EQ(CPrint::OrientationName(2), QStringLiteral("横"));
    EXPECT_EQ(CPrint::OrientationName(0), QString());
    EXPECT_EQ(CPrint::RespectName(0), QStringLiteral("様"));
    EXPECT_EQ(CPrint::RespectName(2), QStringLiteral("御中"));
    EXPECT_EQ(CPrint::RespectName(4), QStringLiteral("宛"));
    EXPECT_EQ(CPrint::RespectName(5), QString());
    EXPECT_EQ(CPrint::RespectName(-1), QString());
}

TEST(PrintModel, MarginsOfTheCurrentMode)
{
    CPrint print; // no device: the device settings' paper (A4) with no strips
    print.RectMargin = QMargins(100, 100, 100, 100);
    print.RectSealMargin = QMargins(1500, 100, 700, 100);
    EXPECT_EQ(print.CheckMargins(), 0);
    print.Mode = CPrint::ModeLabel;
    EXPECT_EQ(print.CheckMargins(), 5);
    print.RectSealMargin = QMargins(-10, 0, 0, -5);
    print.ClampMargins();
    EXPECT_EQ(print.RectSealMargin, QMargins(0, 0, 0, 0));
    EXPECT_EQ(print.RectMargin, QMargins(100, 100, 100, 100));
}

TEST(PrintModel, SavedSheetBringsItsPaperWhereTheSettingsHaveOne)
{
    CPrint print;
    print.LoadFrom(PrintSettings::Defaults());
    print.SealPaperInfo[1].PaperSize = 13;
    print.SealPaperInfo[1].Orientation = 2;

    print.ApplySealPaperInfo(1); // no device settings: only the grid changes
    EXPECT_EQ(print.SizeAspects, QSize(2, 6));
    EXPECT_EQ(print.SizeSeal, QSize(838, 423));
    EXPECT_EQ(print.SizeSealsDistance, QSize(38, 0));
    EXPECT_EQ(print.RectSealMargin, QMargins(203, 203, 183, 229));
    EXPECT_TRUE(print.DevMode.isEmpty());

    CDevMode onlyOrientation;
    onlyOrientation.fields = CDevMode::FieldOrientation;
    onlyOrientation.orientation = 1;
    print.DevMode = onlyOrientation.Encode();
    print.ApplySealPaperInfo(1);
    EXPECT_EQ(print.Orientation(), 2);
    EXPECT_EQ(print.PaperSize(), 0);

    print.DevMode = CDevMode::ForPage(QPageSize(QPageSize::A4), QPageLayout::Portrait, "M").Encode();
    print.ApplySealPaperInfo(1);
    EXPECT_EQ(print.PaperSize(), 13);
    EXPECT_EQ(print.Area().paperWidth, 2570); // landscape JIS B5
    print.ApplySealPaperInfo(99);             // out of range: nothing changes
    EXPECT_EQ(print.PaperSize(), 13);
}
