#include "../views/FakeCardSource.h"
#include "../views/RecordingMessageBox.h"
#include "CCardStore.h"
#include "CManagementFileChooser.h"
#include "CStoreCardSource.h"
#include "TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString Missing = QString::fromUtf8("前回使用した管理ファイルが見つかりません。");
const QString Invalid = QString::fromUtf8("管理ファイルが不正です。");
const QString CreateFailed = QString::fromUtf8("管理ファイルの作成に失敗しました。");
} // namespace

TEST(StartupFileChoice, LastFileOpensWithoutMessages)
{
    TempDir dir;
    TempDir::WriteAll(dir.File("last.ovd"), "x");
    FakeCardSource store;
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    EXPECT_TRUE(chooser.Choose(dir.File("last.ovd"), dir.File("default.ovd")));
    EXPECT_EQ(store.opened, QStringList{dir.File("last.ovd")});
    EXPECT_TRUE(store.created.isEmpty());
    EXPECT_TRUE(box.shown.isEmpty());
}

TEST(StartupFileChoice, MissingLastFileWarnsOnceAndOpensTheDefault)
{
    TempDir dir;
    TempDir::WriteAll(dir.File("default.ovd"), "x");
    FakeCardSource store;
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    EXPECT_TRUE(chooser.Choose(dir.File("gone.ovd"), dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), QStringList{Missing});
    EXPECT_EQ(box.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(store.opened, QStringList{dir.File("default.ovd")});
}

TEST(StartupFileChoice, MissingDefaultIsCreatedSilently)
{
    TempDir dir;
    FakeCardSource store;
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    EXPECT_TRUE(chooser.Choose(QString(), dir.File("default.ovd"))); // empty setting = the default file
    EXPECT_EQ(store.created, QStringList{dir.File("default.ovd")});
    EXPECT_EQ(store.opened, QStringList{dir.File("default.ovd")});
    EXPECT_TRUE(box.shown.isEmpty());
}

TEST(StartupFileChoice, BothMissingGivesBothMessagesAndANewDefault)
{
    TempDir dir;
    FakeCardSource store;
    store.openResult = false;
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    EXPECT_TRUE(chooser.Choose(dir.File("gone.ovd"), dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), (QStringList{Missing, Invalid}));
    EXPECT_EQ(store.created, QStringList{dir.File("default.ovd")});
    EXPECT_TRUE(chooser.KeptBackup().isEmpty());
}

TEST(StartupFileChoice, CreationFailureEndsTheProgramWithAMessage)
{
    TempDir dir;
    FakeCardSource store;
    store.openResult = false;
    store.createResult = false;
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    EXPECT_FALSE(chooser.Choose(dir.File("default.ovd"), dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), QStringList{CreateFailed});
}

TEST(StartupFileChoice, DamagedFileIsKeptAsBakBeforeANewOneReplacesIt)
{
    TempDir dir;
    const QString path = dir.File("office.ovd");
    static const char raw[] = "NMCD\x99\x00\x00\x00garbage that is no management file";
    const QByteArray damaged(raw, sizeof raw - 1);
    TempDir::WriteAll(path, damaged);
    TempDir::WriteAll(path + ".bak0", "an older backup");

    CCardStore real;
    CStoreCardSource store(real);
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    ASSERT_TRUE(chooser.Choose(path, dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), QStringList{Invalid});
    EXPECT_EQ(chooser.KeptBackup(), path + ".bak1");
    EXPECT_EQ(TempDir::ReadAll(path + ".bak1"), damaged);
    EXPECT_EQ(TempDir::ReadAll(path + ".bak0"), QByteArray("an older backup"));
    // A new, empty management file: "NMCD", length 16, "0001", no records.
    EXPECT_EQ(TempDir::ReadAll(path).toHex(), QByteArray("4e4d43441000000030303031"
                                                         "00000000"));
    EXPECT_EQ(real.LiveCount(), 0);
}

TEST(StartupFileChoice, NoFreeBackupNameMeansTheFileIsNotReplaced)
{
    TempDir dir;
    const QString path = dir.File("full.ovd");
    TempDir::WriteAll(path, "damaged");
    for (int n = 0; n <= 255; ++n)
        TempDir::WriteAll(QStringLiteral("%1.bak%2").arg(path).arg(n), "old");
    FakeCardSource store;
    store.openResult = false;
    RecordingMessageBox box;
    CManagementFileChooser chooser(store, box);
    EXPECT_FALSE(chooser.Choose(path, dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), (QStringList{Invalid, CreateFailed}));
    EXPECT_TRUE(store.created.isEmpty());
    EXPECT_EQ(TempDir::ReadAll(path), QByteArray("damaged"));
}
