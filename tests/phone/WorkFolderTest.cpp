#include "CConnectDoc.h"
#include "CWorkFolder.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(WorkFolderTest, MadePrivateAndRemovedWithItsContent)
{
    TempDir temp;
    const QString work = CWorkFolder::Make(temp.Path());
    EXPECT_EQ(work, temp.File("TessalyTemp/"));
    EXPECT_EQ(QFileInfo(work).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(CWorkFolder::Make(temp.Path()), work); // the same folder again
    ASSERT_TRUE(QDir().mkpath(work + "sub"));
    ASSERT_TRUE(TempDir::WriteAll(work + "sub/photo.jpg", "x"));
    CConnectDoc doc(work);
    doc.DeleteWorkFolder();
    EXPECT_FALSE(QFileInfo::exists(work));
}

TEST(WorkFolderTest, ALinkInTheWayIsNeitherUsedNorFollowed)
{
    TempDir temp;
    const QString victim = temp.File("victim");
    ASSERT_TRUE(QDir().mkpath(victim));
    ASSERT_TRUE(TempDir::WriteAll(victim + "/keep.txt", "mine"));
    ASSERT_TRUE(QFile::link(victim, temp.File("TessalyTemp")));

    const QString work = CWorkFolder::Make(temp.Path());
    EXPECT_TRUE(work.startsWith(temp.File("TessalyTemp-"))) << work.toStdString();
    EXPECT_TRUE(CWorkFolder::IsOwnFolder(work));

    // Deleting "the work folder" through the link leaves its target alone.
    CConnectDoc doc(temp.File("TessalyTemp/"));
    doc.DeleteWorkFolder();
    EXPECT_EQ(TempDir::ReadAll(victim + "/keep.txt"), QByteArray("mine"));
    EXPECT_TRUE(CWorkFolder::Remove(work));
    EXPECT_FALSE(QFileInfo::exists(work));

    // A plain file of that name is not a folder either.
    QFile::remove(temp.File("TessalyTemp"));
    ASSERT_TRUE(TempDir::WriteAll(temp.File("TessalyTemp"), "file"));
    EXPECT_FALSE(CWorkFolder::IsOwnFolder(temp.File("TessalyTemp")));
    EXPECT_NE(CWorkFolder::Make(temp.Path()), temp.File("TessalyTemp/"));
    EXPECT_FALSE(CWorkFolder::Remove(temp.File("TessalyTemp")));
    EXPECT_FALSE(CWorkFolder::Remove(QString()));
}
