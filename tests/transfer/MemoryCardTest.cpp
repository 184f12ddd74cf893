#include "CMemoryCard.h"

#include "TempDir.h"
#include "TransferTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class MemoryCardTest : public ::testing::Test
{
protected:
    void TearDown() override { CMemoryCard::SetVolumeLister({}); }

    QString Make(const QString &relative)
    {
        const QString path = QDir(dir.Path()).filePath(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    static void Touch(const QString &path) { EXPECT_TRUE(transfer_test::WriteFile(path, "x")); }

    void UseVolumes(const QStringList &roots)
    {
        CMemoryCard::SetVolumeLister([roots] {
            QList<CDriveInfo> volumes;
            for (const QString &root : roots)
                volumes.append(CDriveInfo{root, "/dev/fake", {}, {}, {}});
            return volumes;
        });
    }

    TempDir dir;
};

} // namespace

TEST_F(MemoryCardTest, FindsAllThreeFoldersInAnyCaseInOrder)
{
    Make("card/private/orvane/mobile/namecard");
    Make("card/Private/MyFolder/MY ITEMS/other documents/NAMECARD");
    Make("card/PRIVATE/vodafone/My Items/Other Documents/NameCard");
    Make("other/PRIVATE/ORVANE/MOBILE/NAMECARD");
    Make("empty/PRIVATE/ORVANE/MOBILE"); // one level short
    const QString root = dir.Path();
    UseVolumes({root + "/other", root + "/empty", root + "/card"});

    QStringList folders;
    ASSERT_EQ(CMemoryCard::FindCardFolders(folders), 4);
    // Volumes by root: card, empty, other.
    EXPECT_TRUE(folders[0].endsWith("/card/Private/MyFolder/MY ITEMS/other documents/NAMECARD/"));
    EXPECT_TRUE(folders[1].endsWith("/card/PRIVATE/vodafone/My Items/Other Documents/NameCard/"));
    EXPECT_TRUE(folders[2].endsWith("/card/private/orvane/mobile/namecard/"));
    EXPECT_TRUE(folders[3].endsWith("/other/PRIVATE/ORVANE/MOBILE/NAMECARD/"));
    EXPECT_EQ(CMemoryCard::Volumes().size(), 3);
    EXPECT_EQ(CMemoryCard::Volumes().first().root, root + "/card");
}

TEST_F(MemoryCardTest, ListsVcfFilesInAnyCaseButNotFolders)
{
    const QString folder = Make("card/PRIVATE/ORVANE/MOBILE/NAMECARD");
    Touch(folder + "/a.vcf");
    Touch(folder + "/B.VCF");
    Touch(folder + "/c.Vcf");
    Touch(folder + "/notes.txt");
    Touch(folder + "/vcf");
    Make("card/PRIVATE/ORVANE/MOBILE/NAMECARD/x.vcf");
    Touch(folder + "/x.vcf/inner.vcf");
    QStringList files;
    ASSERT_EQ(CMemoryCard::ListCardFiles(folder, files), 3);
    QStringList names;
    for (const QString &f : files)
        names << QFileInfo(f).fileName();
    names.sort();
    EXPECT_EQ(names, QStringList({"B.VCF", "a.vcf", "c.Vcf"}));
    EXPECT_TRUE(QFileInfo(files[0]).isAbsolute());
    EXPECT_EQ(CMemoryCard::ListCardFiles(dir.File("missing"), files), 0);
    EXPECT_TRUE(files.isEmpty());
}

TEST_F(MemoryCardTest, NoFolderAndMessages)
{
    UseVolumes({dir.File("nothing-here")});
    QStringList folders{"stale"};
    EXPECT_EQ(CMemoryCard::FindCardFolders(folders), 0);
    EXPECT_TRUE(folders.isEmpty());
    EXPECT_EQ(CMemoryCard::NoFolderMessage().text, transfer_test::U("名刺フォルダがありません。"));
    EXPECT_EQ(CMemoryCard::NoFilesMessage().caption, transfer_test::U("メモリーカード"));
    EXPECT_EQ(CMemoryCard::ConfirmMessage().icon, UserMessage::Question);
}

TEST_F(MemoryCardTest, PlatformVolumesAreSortedAndIncludeTheRoot)
{
    ASSERT_TRUE(CMemoryCard::RefreshVolumes());
    const QList<CDriveInfo> volumes = CMemoryCard::Volumes();
    for (qsizetype i = 1; i < volumes.size(); ++i)
        EXPECT_LE(volumes[i - 1].root, volumes[i].root);
}
