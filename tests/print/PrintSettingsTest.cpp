#include "PrintSettings.h"
#include "CLogFont.h"
#include "CSealPaperInfo.h"

#include <gtest/gtest.h>

namespace {

void ExpectSheet(const CSealPaperInfo &s, const QString &name, QList<int> numbers)
{
    EXPECT_EQ(s.DefinitionName, name);
    EXPECT_EQ(s.PaperSize, 9);
    EXPECT_EQ(s.Orientation, 1);
    EXPECT_EQ(s.Numbers(), (QList<int>{9, 1} + numbers)) << name.toStdString();
}

} // namespace

TEST(PrintSettings, FiveBuiltInSheets)
{
    const QList<CSealPaperInfo> sheets = CSealPaperInfo::BuiltIn();
    ASSERT_EQ(sheets.size(), 5);
    ExpectSheet(sheets[0], QString(), {2, 2, 900, 500, 0, 0, 0, 0, 0, 0});
    ExpectSheet(sheets[1], QStringLiteral("設定1"), {2, 6, 838, 423, 38, 0, 203, 203, 183, 229});
    ExpectSheet(sheets[2], QStringLiteral("設定2"), {5, 4, 420, 740, 0, 0, 0, 0, 0, 0});
    ExpectSheet(sheets[3], QStringLiteral("設定3"), {3, 8, 700, 339, 0, 0, 0, 127, 0, 0});
    ExpectSheet(sheets[4], QStringLiteral("設定4"), {3, 7, 700, 381, 0, 0, 0, 148, 0, 0});
    // Field order of the stored numbers.
    EXPECT_EQ(sheets[1].Columns, 2);
    EXPECT_EQ(sheets[1].Rows, 6);
    EXPECT_EQ(sheets[1].LabelWidth, 838);
    EXPECT_EQ(sheets[1].LabelHeight, 423);
    EXPECT_EQ(sheets[1].GapX, 38);
    EXPECT_EQ(sheets[1].GapY, 0);
    EXPECT_EQ(sheets[1].MarginLeft, 203);
    EXPECT_EQ(sheets[1].MarginTop, 203);
    EXPECT_EQ(sheets[1].MarginRight, 183);
    EXPECT_EQ(sheets[1].MarginBottom, 229);
}

TEST(PrintSettings, Defaults)
{
    const PrintSettings p = PrintSettings::Defaults();
    EXPECT_TRUE(p.PrinterName.isEmpty());
    EXPECT_TRUE(p.DevMode.isEmpty());
    EXPECT_EQ(p.LogFont.Numbers(), (QList<int>{-27, 0, 0, 0, 400, 0, 0, 0, 128, 3, 2, 1, 0x11}));
    EXPECT_EQ(p.LogFont.faceName, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(p.FontColor, QColor(0, 0, 0));
    EXPECT_FALSE(p.FitPaper);
    EXPECT_FALSE(p.TurnDown);
    EXPECT_EQ(p.ListHeader, QStringList({"", "", ""}));
    EXPECT_EQ(p.ListFooter, QStringList({"", "", ""}));
    EXPECT_EQ(p.RectMargin, QMargins(100, 100, 100, 100));
    EXPECT_EQ(p.ListItemIndex, (QList<int>{0, 6, 8, 9, 10, 20, 30, 31}));
    EXPECT_EQ(p.ListItemWidth, QList<int>(8, 300));
    EXPECT_EQ(p.SizeAspects, QSize(2, 2));
    EXPECT_EQ(p.SizeSeal, QSize(900, 500));
    EXPECT_EQ(p.SizeSealsDistance, QSize(0, 0));
    EXPECT_EQ(p.RectSealMargin, QMargins(100, 100, 100, 100));
    EXPECT_EQ(p.Respect, 0);
    EXPECT_EQ(p.SealItemIndex, (QList<int>{30, 31, 6, 8, 0}));
    EXPECT_EQ(p.SealPaperInfo, CSealPaperInfo::BuiltIn());
}

TEST(PrintSettings, LogFontNumbersKeepTheirOrder)
{
    CLogFont f;
    const QList<int> n{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    f.SetNumbers(n);
    EXPECT_EQ(f.height, 1);
    EXPECT_EQ(f.weight, 5);
    EXPECT_EQ(f.charSet, 9);
    EXPECT_EQ(f.pitchAndFamily, 13);
    EXPECT_EQ(f.Numbers(), n);

    f.SetNumbers({7, 7}); // wrong length changes nothing
    EXPECT_EQ(f.Numbers(), n);
}

TEST(PrintSettings, SheetNumbersRefuseBadInput)
{
    CSealPaperInfo s = CSealPaperInfo::BuiltIn()[1];
    const CSealPaperInfo before = s;
    EXPECT_FALSE(s.SetNumbers({9, 1, 2, 2, 900, 500, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(s.SetNumbers({40000, 1, 2, 2, 900, 500, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(s.SetNumbers({9, -40000, 2, 2, 900, 500, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(s, before);
    EXPECT_TRUE(s.SetNumbers({11, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(s.PaperSize, 11);
    EXPECT_EQ(s.Orientation, 2);
    EXPECT_EQ(s.MarginBottom, 13);
    EXPECT_EQ(s.DefinitionName, QStringLiteral("設定1"));
}
