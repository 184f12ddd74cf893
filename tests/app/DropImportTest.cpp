#include "../views/RecordingMessageBox.h"
#include "CCardStore.h"
#include "CDropImport.h"
#include "ImportOptions.h"
#include "TempDir.h"

#include <gtest/gtest.h>

// Dropped vCard files run on the worker and end in the summary message; the
// second drop of the same file finds every card identical.
TEST(DropImport, ImportsOnTheWorkerAndShowsTheSummary)
{
    TempDir dir;
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(dir.File("drop.ovd")));
    const QString vcf = dir.File("two.vcf");
    ASSERT_TRUE(TempDir::WriteAll(vcf,
                                  "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Yamada;Taro\r\nTEL;CELL:090-1111-2222\r\n"
                                  "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Sato;Hanako\r\n"
                                  "TEL;WORK;VOICE:03-1111-2222\r\nEND:VCARD\r\n"));
    RecordingMessageBox box;
    const ImportCounters first = CDropImport::Run(nullptr, store, ImportOptions(), box, {vcf});
    EXPECT_EQ(first.added, 2);
    EXPECT_EQ(store.LiveCount(), 2);
    ASSERT_EQ(box.shown.size(), 1);
    EXPECT_EQ(box.shown[0].caption, QString::fromUtf8("インポート完了"));
    EXPECT_EQ(box.shown[0].text,
              QString::fromUtf8("1 ファイル インポートしました。\n\n2 件、新規登録しました。\n"));

    const ImportCounters second = CDropImport::Run(nullptr, store, ImportOptions(), box, {vcf});
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.skipped, 2);
    EXPECT_EQ(store.LiveCount(), 2);
}
