#include "../views/RecordingMessageBox.h"
#include "CCardStore.h"
#include "CManagementFileChooser.h"
#include "StoreError.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
const QString Missing = QString::fromUtf8("前回使用した管理ファイルが見つかりません。");
const QString Invalid = QString::fromUtf8("管理ファイルが不正です。");
const QString CreateFailed = QString::fromUtf8("管理ファイルの作成に失敗しました。");

struct StartupFileChoice : ::testing::Test
{
    TempDir dir;
    CCardStore store;
    RecordingMessageBox box;
    CManagementFileChooser chooser{store, box};

    QString Valid(const char *name)
    {
        CCardStore other;
        EXPECT_TRUE(other.CreateNew(dir.File(QString::fromLatin1(name))));
        return other.Path();
    }
};
} // namespace

TEST_F(StartupFileChoice, LastFileOpensWithoutMessages)
{
    const QString last = Valid("last.ovd");
    Valid("default.ovd");
    EXPECT_TRUE(chooser.Choose(last, dir.File("default.ovd")));
    EXPECT_EQ(store.Path(), last);
    EXPECT_TRUE(box.shown.isEmpty());
}

TEST_F(StartupFileChoice, MissingLastFileWarnsOnceAndOpensTheDefault)
{
    const QString defaultFile = Valid("default.ovd");
    EXPECT_TRUE(chooser.Choose(dir.File("gone.ovd"), defaultFile));
    EXPECT_EQ(box.Texts(), QStringList{Missing});
    EXPECT_EQ(box.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(store.Path(), defaultFile);
}

TEST_F(StartupFileChoice, MissingDefaultIsCreatedSilently)
{
    EXPECT_TRUE(chooser.Choose(QString(), dir.File("default.ovd"))); // empty setting = the default file
    EXPECT_EQ(QFileInfo(dir.File("default.ovd")).size(), 16);
    EXPECT_EQ(store.Path(), dir.File("default.ovd"));
    EXPECT_TRUE(store.IsUsable());
    EXPECT_TRUE(box.shown.isEmpty());
}

TEST_F(StartupFileChoice, BothMissingGivesBothMessagesAndANewDefault)
{
    EXPECT_TRUE(chooser.Choose(dir.File("gone.ovd"), dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), (QStringList{Missing, Invalid}));
    EXPECT_EQ(QFileInfo(dir.File("default.ovd")).size(), 16);
    EXPECT_TRUE(chooser.KeptBackup().isEmpty());
}

TEST_F(StartupFileChoice, CreationFailureEndsTheProgramWithAMessage)
{
    // A file where the data folder should be: nothing can be created inside it.
    TempDir::WriteAll(dir.File("notafolder"), "x");
    const QString defaultFile = dir.File("notafolder/default.ovd");
    EXPECT_FALSE(chooser.Choose(defaultFile, defaultFile));
    EXPECT_EQ(box.Texts(), QStringList{CreateFailed});
}

TEST_F(StartupFileChoice, DamagedFileIsKeptAsBakBeforeANewOneReplacesIt)
{
    const QString path = dir.File("office.ovd");
    static const char raw[] = "NMCX\x99\x00\x00\x00garbage that is no management file";
    const QByteArray damaged(raw, sizeof raw - 1);
    TempDir::WriteAll(path, damaged);
    TempDir::WriteAll(path + ".bak0", "an older backup");

    ASSERT_TRUE(chooser.Choose(path, dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), QStringList{Invalid});
    EXPECT_EQ(chooser.KeptBackup(), path + ".bak1");
    EXPECT_EQ(TempDir::ReadAll(path + ".bak1"), damaged);
    EXPECT_EQ(TempDir::ReadAll(path + ".bak0"), QByteArray("an older backup"));
    // A new, empty management file: "NMCD", length 16, "0001", no records.
    EXPECT_EQ(TempDir::ReadAll(path).toHex(), QByteArray("4e4d43441000000030303031"
                                                         "00000000"));
    EXPECT_EQ(store.LiveCount(), 0);
}

TEST_F(StartupFileChoice, NoFreeBackupNameMeansTheFileIsNotReplaced)
{
    const QString path = dir.File("full.ovd");
    TempDir::WriteAll(path, "damaged");
    for (int n = 0; n <= 255; ++n)
        TempDir::WriteAll(QStringLiteral("%1.bak%2").arg(path).arg(n), "old");
    EXPECT_FALSE(chooser.Choose(path, dir.File("default.ovd")));
    EXPECT_EQ(box.Texts(), (QStringList{Invalid, CreateFailed}));
    EXPECT_EQ(TempDir::ReadAll(path), QByteArray("damaged"));
}

// A folder or a FIFO where the last file was is not the user's card file to
// replace: it is named, left alone, and the default file is used.
TEST_F(StartupFileChoice, WhatIsNotAFileIsLeftAloneAndTheDefaultIsUsed)
{
    const QString defaultFile = Valid("default.ovd");
    const QString folder = dir.File("folder.ovd");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(chooser.Choose(folder, defaultFile));
    EXPECT_EQ(box.Texts(), QStringList{StoreErrorText(StoreError::Folder)});
    EXPECT_EQ(store.Path(), defaultFile);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo::exists(folder + ".bak0"));

    box.shown.clear();
    const QString fifo = dir.File("fifo.ovd");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(chooser.Choose(fifo, defaultFile));
    EXPECT_EQ(box.Texts(), QStringList{StoreErrorText(StoreError::NotRegular)});
    EXPECT_FALSE(QFileInfo::exists(fifo + ".bak0"));

    // Nothing to fall back on when the default file itself is such a thing.
    box.shown.clear();
    CCardStore fresh;
    CManagementFileChooser again(fresh, box);
    EXPECT_FALSE(again.Choose(fifo, fifo));
    EXPECT_EQ(box.Texts(), QStringList{StoreErrorText(StoreError::NotRegular)});
}
