#include "../views/RecordingMessageBox.h"
#include "CCardStore.h"
#include "CDriveInfo.h"
#include "CMemoryCard.h"
#include "CMemoryCardDlg.h"
#include "CMemoryCardImport.h"
#include "ImportOptions.h"
#include "TempDir.h"

#include <QDir>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

class MemoryCardImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd")));
        CMemoryCard::SetVolumeLister([this] {
            QList<CDriveInfo> volumes;
            for (const QString &root : roots)
                volumes.append(CDriveInfo{root, "/dev/fake", {}, {}, {}});
            return volumes;
        });
    }
    void TearDown() override { CMemoryCard::SetVolumeLister({}); }

    // A mounted card with a card folder holding one vCard file per name.
    QString Card(const QString &name, const QString &folder, const QStringList &people)
    {
        const QString root = dir.File(name);
        const QString cards = QDir(root).filePath(folder);
        EXPECT_TRUE(QDir().mkpath(cards));
        for (const QString &person : people)
            EXPECT_TRUE(TempDir::WriteAll(QDir(cards).filePath(person + ".VCF"),
                                          "BEGIN:VCARD\r\nVERSION:2.1\r\nN:" + person.toUtf8() +
                                              ";Taro\r\nEND:VCARD\r\n"));
        roots << root;
        return cards;
    }

    bool Run(RecordingMessageBox &box, const CMemoryCardImport::FolderChooser &choose = {})
    {
        return CMemoryCardImport::Run(
            nullptr, store, ImportOptions(), box, choose ? choose : [](const QStringList &) { return -1; });
    }

    TempDir dir;
    CCardStore store;
    QStringList roots;
};

} // namespace

TEST_F(MemoryCardImportTest, OneFolderIsImportedAfterTheQuestion)
{
    Card("card", "PRIVATE/MYFOLDER/My Items/Other Documents/NameCard", {"Yamada", "Sato"});
    RecordingMessageBox box;
    box.answers = {QMessageBox::Ok};
    EXPECT_TRUE(Run(box));
    EXPECT_EQ(store.LiveCount(), 2);
    ASSERT_EQ(box.shown.size(), 2);
    EXPECT_EQ(box.shown[0].text, QString::fromUtf8("メモリーカードからデータをインポートします。"));
    EXPECT_EQ(box.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(box.shown[1].caption, QString::fromUtf8("インポート完了"));
}

TEST_F(MemoryCardImportTest, CancelNoFolderAndEmptyFolderEndTheCommand)
{
    RecordingMessageBox cancelled;
    cancelled.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(Run(cancelled));
    EXPECT_EQ(cancelled.shown.size(), 1);

    RecordingMessageBox none;
    none.answers = {QMessageBox::Ok};
    EXPECT_FALSE(Run(none));
    EXPECT_EQ(none.Texts().last(), QString::fromUtf8("名刺フォルダがありません。"));

    Card("empty", "PRIVATE/ORVANE/MOBILE/NAMECARD", {});
    RecordingMessageBox empty;
    empty.answers = {QMessageBox::Ok};
    EXPECT_FALSE(Run(empty));
    EXPECT_EQ(empty.Texts().last(), QString::fromUtf8("名刺ファイルがありません。"));
    EXPECT_EQ(store.LiveCount(), 0);
}

TEST_F(MemoryCardImportTest, SeveralFoldersAreOfferedInFoundOrder)
{
    const QString first = Card("a", "PRIVATE/MYFOLDER/My Items/Other Documents/NameCard", {"Yamada"});
    const QString second = Card("b", "PRIVATE/VODAFONE/My Items/Other Documents/NameCard", {"Sato", "Ito"});
    RecordingMessageBox box;
    box.answers = {QMessageBox::Ok};
    QStringList offered;
    EXPECT_TRUE(Run(box, [&](const QStringList &folders) {
        offered = folders;
        return 1;
    }));
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(QDir(offered[0]).canonicalPath(), QDir(first).canonicalPath());
    EXPECT_EQ(store.LiveCount(), 2); // the second folder's two cards
}

TEST(MemoryCardDlg, OkWithoutAFolderAsksForOneAndStaysOpen)
{
    RecordingMessageBox box;
    CMemoryCardDlg dialog({"/media/a", "/media/b"}, box);
    dialog.open();
    dialog.accept();
    EXPECT_EQ(box.Texts(), QStringList({QString::fromUtf8("フォルダを選択してください。")}));
    EXPECT_TRUE(dialog.isVisible());
    dialog.List()->setCurrentRow(1);
    dialog.accept();
    EXPECT_EQ(dialog.Chosen(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
