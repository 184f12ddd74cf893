#include "PrintSettings.h"
#include "CLogFont.h"
#include "CSealPaperInfo.h"

#include <gtest/gtest.h>

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
