#include "CSingleInstance.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Points the system temporary folder (lock file and local socket) at a private folder.
struct PrivateTemp
{
    TempDir dir;
    ScopedEnv temp{"TMPDIR", dir.Path().toLocal8Bit()};
};
} // namespace

TEST(SingleInstance, SecondHolderOfTheSameUserIsToldSo)
{
    PrivateTemp temp;
    CSingleInstance first;
    ASSERT_EQ(first.Acquire(), CSingleInstance::Acquired);
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(CSingleInstance::LockPath()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u); // every user can open it
    CSingleInstance second;
    EXPECT_EQ(second.Acquire(), CSingleInstance::HeldBySameUser);
}

TEST(SingleInstance, HolderOfAnotherUserRefusesTheStart)
{
    PrivateTemp temp;
    CSingleInstance first;
    ASSERT_EQ(first.Acquire(), CSingleInstance::Acquired);
    // Pretend the holder is someone else.
    QFile file(CSingleInstance::LockPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
    file.write(QByteArray::number(static_cast<qlonglong>(::getuid()) + 4242) + '\n');
    file.close();
    CSingleInstance second;
    EXPECT_EQ(second.Acquire(), CSingleInstance::HeldByOtherUser);
}

TEST(SingleInstance, LockIsFreeAgainWhenTheHolderEnds)
{
    PrivateTemp temp;
    {
        CSingleInstance first;
        ASSERT_EQ(first.Acquire(), CSingleInstance::Acquired);
    }
    CSingleInstance again;
    EXPECT_EQ(again.Acquire(), CSingleInstance::Acquired);
}

#ifdef TESSALY_PROGRAM
TEST(SingleInstance, SecondProgramRaisesTheFirstAndLeavesTheSettingsAlone)
{
    PrivateTemp temp;
    TempDir home;
    CSingleInstance first;
    ASSERT_EQ(first.Acquire(), CSingleInstance::Acquired);
    ASSERT_TRUE(first.Listen());
    QSignalSpy raised(&first, &CSingleInstance::RaiseRequested);

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", temp.dir.Path());
    env.insert("HOME", home.Path());
    env.insert("XDG_CONFIG_HOME", home.File(".config"));
    env.insert("XDG_DATA_HOME", home.File(".local/share"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(TESSALY_PROGRAM), {});
    ASSERT_TRUE(second.waitForStarted(10000));
    // Serve the raise request while the second process waits for our answer.
    for (int i = 0; i < 200 && second.state() != QProcess::NotRunning; ++i)
        QTest::qWait(50);
    ASSERT_EQ(second.state(), QProcess::NotRunning);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_GE(raised.size(), 1);
    // It ended before reading or writing anything of the user's.
    EXPECT_FALSE(QDir(home.Path()).exists(QStringLiteral("Documents/ORVANE/Tessaly/Tessaly.ini")));
    EXPECT_FALSE(QDir(home.Path()).exists(QStringLiteral("Documents/ORVANE")));
}
#endif
