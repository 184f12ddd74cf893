#include "AppPaths.h"
#include "CSettings.h"
#include "DevModeBlock.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace {

QByteArray Golden()
{
    return TempDir::ReadAll(QStringLiteral(TESSALY_TEST_DATA "/app/settings_defaults.ini"));
}

// Settings read from a file holding only `text`.
CSettings ReadText(const QByteArray &text)
{
    TempDir dir;
    TempDir::WriteAll(dir.File("t.ini"), text);
    CSettings s;
    s.ReadAll(dir.File("t.ini"));
    return s;
}

// "[Section]Key" → value, for comparing written files key by key.
QMap<QString, QString> Keys(const QByteArray &bytes)
{
    QMap<QString, QString> keys;
    QString section;
    for (const QString &line : QString::fromUtf8(bytes).split('\n')) {
        if (line.startsWith('['))
            section = line;
        else if (line.contains('='))
            keys.insert(section + line.section('=', 0, 0), line.section('=', 1));
    }
    return keys;
}

CSettings NonDefault()
{
    CSettings s;
    s.mainWndPlacement.SetNumbers({44, 2, 3, -32000, -32000, 10, 20, 100, 50, 900, 700});
    s.listViewPaneWidth = 321;
    s.listViewStyle = 1;
    s.listViewColumnWidth = {10, 20, 30};
    s.cardEditViewPaneHeight = 222;
    s.showCardEditViewPane = false;
    s.showCardImageViewPane = false;
    s.showPrintCheck = true;
    s.showStatusBar = false;
    s.showToolBar = false;
    s.toolBarPos = 3;
    s.imageToolBarPos = 2;
    s.showConnectConf.fill(false);
    s.columnOrder = {2, 0, 1};
    s.store.lastLoadedFile = QStringLiteral("/data/名刺/x.ovd");
    for (int e = 0; e < 16; ++e) {
        s.store.groupNames[e] = QStringLiteral("得意先%1").arg(e);
        s.store.groupIcons[e] = e + 1;
    }
    s.store.checkNames.clear();
    for (int slot = 0; slot < 20; ++slot) {
        s.store.checkNames << QStringLiteral("項目%1").arg(slot);
        s.store.checkOrder.prepend(slot);
    }
    s.searchHistory = {"一", "二", "three", "4", "五"};
    OptionRecord &o = s.options;
    o.opening = true;
    o.autoYomi = false;
    o.mailCompany = o.mailDepartment = o.mailName = true;
    o.mailHonorific = QStringLiteral("御中");
    o.separateAddress = o.separateName = o.exportNameCompany = o.exportNameDate = true;
    o.skipCheckFixedData = false;
    o.serialPort = 3;
    o.thumbnailSizeType = 2;
    o.skinColorType = 7;
    o.skinColor = QColor(1, 2, 3);
    o.mapSearchService = QStringLiteral("https://map.example.com/search");
    PrintSettings &p = s.print;
    p.PrinterName = QStringLiteral("PDF");
    p.DevMode = DevModeBlock::Make("fixed", "extra");
    p.LogFont.SetNumbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    p.LogFont.faceName = QStringLiteral("IPAex明朝");
    p.FontColor = QColor(10, 20, 30);
    p.FitPaper = p.TurnDown = true;
    p.ListHeader = QStringList{"左", "中", "右"};
    p.ListFooter = QStringList{"f1", " f2 ", "f3"};
    p.RectMargin = QMargins(11, 12, 13, 14);
    p.ListItemIndex = {44, 1};
    p.ListItemWidth = {111, 222};
    p.SizeAspects = QSize(3, 4);
    p.SizeSeal = QSize(5, 6);
    p.SizeSealsDistance = QSize(7, 8);
    p.RectSealMargin = QMargins(1, 2, 3, 4);
    p.Respect = 5;
    p.SealItemIndex = {1, 2, 3};
    CSealPaperInfo a, b;
    a.DefinitionName = "A";
    a.SetNumbers({8, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    b.DefinitionName = "B";
    b.SetNumbers({13, 2, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    p.SealPaperInfo = {a, b};
    return s;
}

void ExpectSameValues(const CSettings &a, const CSettings &b)
{
    EXPECT_EQ(a.mainWndPlacement, b.mainWndPlacement);
    EXPECT_EQ(a.listViewPaneWidth, b.listViewPaneWidth);
    EXPECT_EQ(a.listViewStyle, b.listViewStyle);
    EXPECT_EQ(a.listViewColumnWidth, b.listViewColumnWidth);
    EXPECT_EQ(a.cardEditViewPaneHeight, b.cardEditViewPaneHeight);
    EXPECT_EQ(a.showCardEditViewPane, b.showCardEditViewPane);
    EXPECT_EQ(a.showCardImageViewPane, b.showCardImageViewPane);
    EXPECT_EQ(a.showPrintCheck, b.showPrintCheck);
    EXPECT_EQ(a.showStatusBar, b.showStatusBar);
    EXPECT_EQ(a.showToolBar, b.showToolBar);
    EXPECT_EQ(a.toolBarPos, b.toolBarPos);
    EXPECT_EQ(a.imageToolBarPos, b.imageToolBarPos);
    EXPECT_EQ(a.showConnectConf, b.showConnectConf);
    EXPECT_EQ(a.columnOrder, b.columnOrder);
    EXPECT_EQ(a.store.lastLoadedFile, b.store.lastLoadedFile);
    EXPECT_EQ(a.store.groupNames, b.store.groupNames);
    EXPECT_EQ(a.store.groupIcons, b.store.groupIcons);
    EXPECT_EQ(a.store.checkNames, b.store.checkNames);
    EXPECT_EQ(a.store.checkOrder, b.store.checkOrder);
    EXPECT_EQ(a.searchHistory, b.searchHistory);
    EXPECT_EQ(a.options, b.options);
    EXPECT_EQ(a.print, b.print);
}

// Documents, and so the data folder, inside a scratch home.
class SettingsPaths : public ::testing::Test
{
protected:
    TempDir m_dir;
    ScopedEnv m_home{"HOME", m_dir.Path().toUtf8()};
    ScopedEnv m_config{"XDG_CONFIG_HOME", m_dir.File("config").toUtf8()};
};

} // namespace

TEST(SettingsValues, DefaultsAreWrittenExactlyAsTheGoldenFile)
{
    const QByteArray golden = Golden();
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(CSettings().ToBytes(), golden);

    TempDir dir;
    CSettings s;
    s.ReadAll(dir.File("missing.ini"));
    ASSERT_TRUE(s.WriteAll(dir.File("out.ini")));
    EXPECT_EQ(TempDir::ReadAll(dir.File("out.ini")), golden);
}

TEST(SettingsValues, NoFileGivesTheStartingState)
{
    const CSettings s = ReadText(QByteArray());
    EXPECT_FALSE(s.mainWndPlacement.HasNormalRect());
    EXPECT_TRUE(s.showCardEditViewPane && s.showCardImageViewPane && s.showStatusBar && s.showToolBar);
    EXPECT_TRUE(s.store.lastLoadedFile.isEmpty());
    ASSERT_EQ(s.store.groupNames.size(), 16);
    EXPECT_EQ(s.store.groupNames[0], QStringLiteral("ｸﾞﾙｰﾌﾟなし"));
    EXPECT_EQ(s.store.groupNames[15], QStringLiteral("ｸﾞﾙｰﾌﾟ15"));
    EXPECT_EQ(s.store.groupIcons[7], 7);
    EXPECT_TRUE(s.store.checkOrder.isEmpty());
    EXPECT_EQ(s.listViewColumnWidth, (QList<int>{135, 165, 100, 180, 75, 150, 45}));
    EXPECT_EQ(s.options.ThumbnailPixels(), 100);
    EXPECT_EQ(s.options.SkinColorValue(), QColor(170, 202, 251));
}

TEST(SettingsValues, EveryKeyAtNonDefaultSurvivesARoundTrip)
{
    TempDir dir;
    const CSettings original = NonDefault();
    ASSERT_TRUE(original.WriteAll(dir.File("a.ini")));
    const QByteArray first = TempDir::ReadAll(dir.File("a.ini"));

    // Every key of the defaults that the file holds carries another value.
    const QMap<QString, QString> defaults = Keys(Golden()), written = Keys(first);
    int compared = 0;
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        if (!written.contains(it.key()) || it.key().endsWith("HeaderCount") ||
            it.key().endsWith("FooterCount"))
            continue;
        EXPECT_NE(written[it.key()], it.value()) << it.key().toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 140);
    EXPECT_TRUE(written.contains("[SearchHistory]History5"));

    CSettings back;
    back.ReadAll(dir.File("a.ini"));
    ExpectSameValues(back, original);
    ASSERT_TRUE(back.WriteAll(dir.File("b.ini")));
    EXPECT_EQ(TempDir::ReadAll(dir.File("b.ini")), first);
    EXPECT_EQ(TempDir::ReadAll(AppPaths::DevModeFilePath(dir.File("b.ini"))), original.print.DevMode);

    // The same file with CRLF line ends, as an editor on another system may leave it.
    QByteArray crlf = first;
    TempDir::WriteAll(dir.File("c.ini"), "\xEF\xBB\xBF" + crlf.replace("\n", "\r\n"));
    TempDir::WriteAll(AppPaths::DevModeFilePath(dir.File("c.ini")), original.print.DevMode);
    CSettings fromCrlf;
    fromCrlf.ReadAll(dir.File("c.ini"));
    ExpectSameValues(fromCrlf, original);
}

TEST(SettingsValues, OutOfRangeStateValuesFallBack)
{
    const CSettings s = ReadText("[State]\nListViewPaneWidth=0\nCardEditViewPaneHeight=-5\nListViewStyle=5\n"
                                 "MainWndPlacement=1,2,3,4,5,6,7,8,9,10\n"
                                 "ListViewColumnWidthCount=3\nListViewColumnWidth1=77\n"
                                 "[Option]\nThumbnailSizeType=9\nSkinColorType=12\nSkinColor=5,6,7\n");
    EXPECT_EQ(s.listViewPaneWidth, 455);
    EXPECT_EQ(s.cardEditViewPaneHeight, 400);
    EXPECT_EQ(s.listViewStyle, 0);
    EXPECT_EQ(s.mainWndPlacement, WindowPlacement());
    EXPECT_EQ(s.listViewColumnWidth, (QList<int>{77, 165, 100}));
    EXPECT_EQ(s.options.thumbnailSizeType, 1);
    EXPECT_EQ(s.options.ThumbnailPixels(), 100);
    EXPECT_EQ(s.options.skinColorType, 7);
    EXPECT_EQ(s.options.SkinColorValue(), QColor(5, 6, 7));

    const CSettings t = ReadText("[State]\nMainWndPlacement= 44,0,1,-1,-1,-1,-1,10,20,810,620\n"
                                 "ListViewColumnWidthCount=9\nListViewColumnWidth9=5\n"
                                 "[Option]\nThumbnailSizeType=0\nSkinColorType=4\nSkinColor=256,0,0\n");
    EXPECT_EQ(t.mainWndPlacement.Numbers(), (QList<int>{44, 0, 1, -1, -1, -1, -1, 10, 20, 810, 620}));
    EXPECT_TRUE(t.mainWndPlacement.HasNormalRect());
    EXPECT_EQ(t.listViewColumnWidth, (QList<int>{135, 165, 100, 180, 75, 150, 45, 0, 5}));
    EXPECT_EQ(t.options.ThumbnailPixels(), 50);
    EXPECT_EQ(t.options.SkinColorValue(), QColor(244, 185, 96));
    EXPECT_EQ(t.options.skinColor, QColor(0, 0, 0)); // 256 is no colour value
}

TEST(SettingsValues, ListCountsOutsideTheRangeGiveTheDefaultList)
{
    for (const char *count : {"-1", "x", "100000000"}) {
        const CSettings s = ReadText(QByteArray("[State]\nListViewColumnWidthCount=") + count +
                                     "\nListViewColumnWidth1=1\n[Print]\nSealPaperInfoCount=" + count + "\n");
        EXPECT_EQ(s.listViewColumnWidth, CSettings::DefaultColumnWidths()) << count;
        EXPECT_EQ(s.print.SealPaperInfo, CSealPaperInfo::BuiltIn()) << count;
    }
}

TEST(SettingsValues, PrintValuesFollowTheReadingRules)
{
    const CSettings s = ReadText("[Print]\nLogFont=1,2,3\nLogFontlfFaceName=" + QByteArray(40, 'F') +
                                 "\nFontColor=1,2\nRectMargin=1,2,3,4,5\nSizeSeal=10,20\nSizeAspects=a,b\n"
                                 "ListHeaderCount=1\nListHeader1=only\nListFooterCount=5\nListFooter5=x\n"
                                 "SealPaperInfoCount=7\nSealPaperInfoName2=mine\nSealPaperInfo3=1,2,3\n"
                                 "SealPaperInfoName7=seventh\nSealPaperInfo7=9,2,1,1,10,10,0,0,1,1,1,1\n");
    const PrintSettings d = PrintSettings::Defaults();
    EXPECT_EQ(s.print.LogFont.Numbers(), d.LogFont.Numbers());
    EXPECT_EQ(s.print.LogFont.faceName, QString(32, 'F'));
    EXPECT_EQ(s.print.FontColor, d.FontColor);
    EXPECT_EQ(s.print.RectMargin, d.RectMargin);
    EXPECT_EQ(s.print.SizeSeal, QSize(10, 20));
    EXPECT_EQ(s.print.SizeAspects, d.SizeAspects);
    EXPECT_EQ(s.print.ListHeader, QStringList({"only", "", ""}));
    EXPECT_EQ(s.print.ListFooter, QStringList({"", "", ""}));

    const QList<CSealPaperInfo> builtIn = CSealPaperInfo::BuiltIn();
    ASSERT_EQ(s.print.SealPaperInfo.size(), 7);
    EXPECT_EQ(s.print.SealPaperInfo[0], builtIn[0]);
    EXPECT_EQ(s.print.SealPaperInfo[1].DefinitionName, QString("mine"));
    EXPECT_EQ(s.print.SealPaperInfo[1].Numbers(), builtIn[1].Numbers());
    EXPECT_EQ(s.print.SealPaperInfo[2], builtIn[2]);
    EXPECT_EQ(s.print.SealPaperInfo[5], CSealPaperInfo());
    EXPECT_EQ(s.print.SealPaperInfo[6].DefinitionName, QString("seventh"));
    EXPECT_EQ(s.print.SealPaperInfo[6].Orientation, 2);
}

TEST(SettingsValues, StateListsAndHistory)
{
    const CSettings s = ReadText("[State]\nColumnOrder= 3, 1 ,2\nShowConnectConf2=0\nShowConnectConf4=7\n"
                                 "[SearchHistory]\nHistory1=a\nHistory2=b\nHistory3=\nHistory4=d\n");
    EXPECT_EQ(s.columnOrder, (QList<int>{3, 1, 2}));
    EXPECT_EQ(s.showConnectConf, (std::array<bool, 5>{true, true, false, true, true}));
    // The options dialog's one box: hidden only when every confirmation is off.
    CSettings mixed = s;
    EXPECT_FALSE(mixed.ConnectConfHidden());
    mixed.SetConnectConfHidden(true);
    EXPECT_TRUE(mixed.ConnectConfHidden());
    EXPECT_EQ(mixed.showConnectConf, (std::array<bool, 5>{}));
    mixed.SetConnectConfHidden(false);
    EXPECT_EQ(mixed.showConnectConf, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(s.searchHistory, QStringList({"a", "b"}));
    EXPECT_TRUE(ReadText("[State]\nColumnOrder=1,x,2\n").columnOrder.isEmpty());
}

TEST(SettingsValues, CheckListStopsAtTheFirstIndexZero)
{
    const CSettings s = ReadText("[CheckList]\nCheckListName1=A\nCheckListIndex1=3\n"
                                 "CheckListName2=B\nCheckListIndex2=1\n"
                                 "CheckListName3=bad\nCheckListIndex3=21\n"
                                 "CheckListName4=twice\nCheckListIndex4=3\n"
                                 "CheckListName5=\nCheckListIndex5=0\n"
                                 "CheckListName6=C\nCheckListIndex6=2\n");
    EXPECT_EQ(s.store.checkOrder, (QList<int>{2, 0}));
    EXPECT_EQ(s.store.checkNames, QStringList({"B", "", "A"}));
    // The smallest index is skipped like any other outside the slots (it overflowed the count-down).
    const CSettings extreme = ReadText("[CheckList]\nCheckListIndex1=-2147483648\nCheckListName2=E\n"
                                       "CheckListIndex2=20\nCheckListIndex3=2147483647\n");
    EXPECT_EQ(extreme.store.checkOrder, (QList<int>{19}));
    EXPECT_EQ(extreme.store.checkNames.value(19), "E");
}

TEST(SettingsValues, CheckItemAboveTheItemCountSurvives)
{
    // Two items left after deleting slots 0 and 2: the item in slot 3 lies above Count - 1.
    CSettings s;
    s.store.checkNames = QStringList{"", "B", "", "D"};
    s.store.checkOrder = {3, 1};
    TempDir dir;
    ASSERT_TRUE(s.WriteAll(dir.File("c.ini")));
    CSettings back;
    back.ReadAll(dir.File("c.ini"));
    EXPECT_EQ(back.store.checkOrder, (QList<int>{3, 1}));
    EXPECT_EQ(back.store.checkNames, QStringList({"", "B", "", "D"}));
}

TEST(SettingsValues, UnknownKeysVanishOnWrite)
{
    TempDir dir;
    const QString path = dir.File("old.ini");
    TempDir::WriteAll(path, Golden() + "[State]\nRetired=1\n[Legacy]\nAnything=2\n");
    CSettings s;
    s.ReadAll(path);
    ASSERT_TRUE(s.WriteAll(path));
    EXPECT_EQ(TempDir::ReadAll(path), Golden());
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"old.ini"});
}

TEST(SettingsValues, DeviceSettingsNeedTheirRecordedLength)
{
    TempDir dir;
    const QString path = dir.File("Tessaly.ini");
    const QString devPath = AppPaths::DevModeFilePath(path);
    EXPECT_EQ(devPath, dir.File("Tessaly_iniPrint_DevMode.dat"));

    const QByteArray block = DevModeBlock::Make("paper=A4", "driver");
    TempDir::WriteAll(devPath, block);
    CSettings s;
    s.ReadAll(path);
    EXPECT_EQ(s.print.DevMode, block);

    for (const QByteArray &bad : {block + 'x', block.left(block.size() - 1), QByteArray("junk")}) {
        TempDir::WriteAll(devPath, bad);
        s.ReadAll(path);
        EXPECT_TRUE(s.print.DevMode.isEmpty());
    }

    // Without device settings the stale file goes, so it cannot come back.
    TempDir::WriteAll(devPath, block);
    ASSERT_TRUE(CSettings().WriteAll(path));
    EXPECT_FALSE(QFile::exists(devPath));
}

TEST(SettingsValues, DeviceSettingsFileStaysInTheSettingsFolder)
{
    EXPECT_EQ(AppPaths::DevModeFilePath("/home/john.doe/.config/a.b/Tessaly.ini"),
              QString("/home/john.doe/.config/a.b/Tessaly_iniPrint_DevMode.dat"));
}

TEST_F(SettingsPaths, DataFolderAndManagementFile)
{
    const QString folder = m_dir.Path() + "/Documents/ORVANE/Tessaly/";
    EXPECT_EQ(AppPaths::DataFolder(), folder);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(AppPaths::DefaultManagementFile(), folder + "default.ovd");
    EXPECT_EQ(AppPaths::SettingsFilePath(), folder + "Tessaly.ini");

    CSettings s;
    s.SetLastLoadedFile(QString());
    EXPECT_EQ(s.LastLoadedFile(), folder + "default.ovd");
    s.SetLastLoadedFile("sub/cards.ovd");
    EXPECT_EQ(s.store.lastLoadedFile, folder + "sub/cards.ovd");
    s.SetLastLoadedFile("/elsewhere/x.ovd");
    EXPECT_EQ(s.LastLoadedFile(), QString("/elsewhere/x.ovd"));

    const CSettings r = ReadText("[File]\nLastLoadedFile=mine.ovd\n");
    EXPECT_EQ(r.LastLoadedFile(), folder + "mine.ovd");
}
