#include "CINIFile.h"
#include "TempDir.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(SettingsIniFile, ReadsLfCrlfBomAndIgnoresCase)
{
    CINIFile ini;
    ini.Parse("\xEF\xBB\xBF[State]\r\nWidth=12\r\n[ Other ]\nName=ｸﾞﾙｰﾌﾟ\n  Spaced  = 7 \n");
    EXPECT_EQ(ini.GetInt("State", "Width", 0), 12);
    EXPECT_EQ(ini.GetInt("state", "WIDTH", 0), 12);
    EXPECT_EQ(ini.GetString("Other", "Name"), QStringLiteral("ｸﾞﾙｰﾌﾟ"));
    EXPECT_EQ(ini.GetInt("Other", "Spaced", 0), 7);
    EXPECT_EQ(ini.GetString("Other", "Spaced"), QString(" 7 ")); // text values stay as written
    EXPECT_FALSE(ini.HasKey("State", "Name"));
}

TEST(SettingsIniFile, MissingAndUnreadableValuesGiveTheDefault)
{
    CINIFile ini;
    ini.Parse("[S]\nA=abc\nB=\nC=-42\nD=99999999999\nE=3x\n");
    EXPECT_EQ(ini.GetInt("S", "A", 5), 5);
    EXPECT_EQ(ini.GetInt("S", "B", 5), 5);
    EXPECT_EQ(ini.GetInt("S", "C", 5), -42);
    EXPECT_EQ(ini.GetInt("S", "D", 5), 5);
    EXPECT_EQ(ini.GetInt("S", "E", 5), 5);
    EXPECT_EQ(ini.GetInt("S", "Missing", 5), 5);
    EXPECT_EQ(ini.GetInt("Nope", "A", 5), 5);
    EXPECT_EQ(ini.GetString("S", "Missing", "def"), QString("def"));
    EXPECT_EQ(ini.GetString("S", "B", "def"), QString()); // present but empty is not missing
}

TEST(SettingsIniFile, OddLinesAreSkipped)
{
    CINIFile ini;
    ini.Parse("Orphan=1\n[S]\n; A=9\nno equals sign\n=nokey\nA=1\nA=2\n[T]\nX=1\n[s]\nB=3\n[Open\nC=4\n");
    EXPECT_FALSE(ini.HasKey("", "Orphan"));
    EXPECT_EQ(ini.GetInt("S", "A", 0), 1); // the first of repeated keys
    EXPECT_EQ(ini.GetInt("S", "B", 0), 3); // a repeated section continues the first
    EXPECT_EQ(ini.GetInt("Open", "C", 0), 4);
    EXPECT_EQ(ini.GetString("S", "=nokey", "d"), QString("d"));
}

TEST(SettingsIniFile, WritesInCallOrderAndKeepsLinesWhole)
{
    CINIFile ini;
    ini.WriteString("B", "K1", "v");
    ini.WriteInt("A", "K2", -3);
    ini.WriteString("B", "K3", "two\nlines\r");
    ini.WriteString("b", "k1", "w"); // replaces in place
    EXPECT_EQ(ini.ToBytes(), QByteArray("[B]\nK1=w\nK3=two lines \n\n[A]\nK2=-3\n"));

    CINIFile back;
    back.Parse(ini.ToBytes());
    EXPECT_EQ(back.GetString("B", "K3"), QString("two lines "));
    EXPECT_EQ(back.GetInt("A", "K2", 0), -3);
}

TEST(SettingsIniFile, SaveReplacesTheFileWithoutLeftovers)
{
    TempDir dir;
    const QString path = dir.File("x.ini");
    ASSERT_TRUE(TempDir::WriteAll(path, "[Old]\nKey=1\n"));
    CINIFile ini;
    ini.WriteString("New", "Key", "2");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(TempDir::ReadAll(path), QByteArray("[New]\nKey=2\n"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"x.ini"});

    EXPECT_FALSE(ini.Save(dir.File("no/such/folder/x.ini")));
}

TEST(SettingsIniFile, MissingOrOversizedFileReadsEmpty)
{
    TempDir dir;
    CINIFile ini;
    EXPECT_FALSE(ini.Load(dir.File("missing.ini")));
    EXPECT_FALSE(ini.HasKey("S", "A"));

    const QString big = dir.File("big.ini");
    ASSERT_TRUE(TempDir::WriteAll(big, "[S]\nA=1\n" + QByteArray(17 * 1024 * 1024, 'x')));
    EXPECT_FALSE(ini.Load(big));
    EXPECT_FALSE(ini.HasKey("S", "A"));
}

TEST(SettingsIniFile, SurvivesTruncatedAndRandomInput)
{
    const QByteArray good = "[State]\nListViewPaneWidth=300\n[Option]\nMailHonorific=殿\n";
    for (int cut = 0; cut <= good.size(); ++cut) {
        CINIFile ini;
        ini.Parse(good.left(cut));
        const int width = ini.GetInt("State", "ListViewPaneWidth", -1);
        EXPECT_TRUE(width == -1 || width == 3 || width == 30 || width == 300) << cut;
    }
    QRandomGenerator rng(11);
    const char alphabet[] = "[]=\n\r;ab01 \xE3\x81\x82\xFF";
    for (int i = 0; i < 500; ++i) {
        QByteArray bytes;
        for (int n = int(rng.bounded(200)); n > 0; --n)
            bytes += alphabet[rng.bounded(int(sizeof alphabet) - 1)];
        CINIFile ini;
        ini.Parse(bytes);
        CINIFile again;
        again.Parse(ini.ToBytes());
        EXPECT_EQ(again.ToBytes(), ini.ToBytes());
    }
}
