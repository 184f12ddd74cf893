#include "../views/RecordingMessageBox.h"
#include "CCardData.h"
#include "CCardStore.h"
#include "CCsvImport.h"
#include "CImportMappingDlg.h"
#include "Cp932.h"
#include "ImportOptions.h"
#include "TempDir.h"
#include "Utf8.h"

#include <QComboBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A CP932 file with Outlook-style Japanese headings.
QString OutlookFile(const TempDir &dir)
{
    const QString path = dir.File("outlook.csv");
    EXPECT_TRUE(TempDir::WriteAll(path, Cp932::Encode(U("表示名,勤務先電話番号,備考\r\n"
                                                        "山田 太郎,03-1111-2222,x\r\n"
                                                        "佐藤 花子,06-3333-4444,y\r\n"))));
    return path;
}

} // namespace

TEST(ImportMappingDlg, HeadingsPreselectItemsAndOkChecksTheMapping)
{
    TempDir dir;
    QStringList first;
    QStringList second;
    bool hasSecond = false;
    ASSERT_TRUE(CImportMappingDlg::ReadFirstRows(OutlookFile(dir), first, second, hasSecond));
    EXPECT_TRUE(hasSecond);
    RecordingMessageBox box;
    CImportMappingDlg dialog(first, second, hasSecond, {}, box, [](bool) { return QString(); });
    ASSERT_EQ(dialog.Table()->rowCount(), 3);
    EXPECT_EQ(dialog.Table()->item(0, 1)->text(), U("表示名"));
    EXPECT_EQ(dialog.Table()->item(0, 2)->text(), U("山田 太郎"));
    EXPECT_EQ(dialog.ItemChoice(0)->currentText(), U("名前"));
    EXPECT_EQ(dialog.ItemChoice(1)->currentText(), U("電話番号"));
    const QList<MappingEntry> columns = dialog.Columns();
    EXPECT_EQ(columns[0].flag, 1);
    EXPECT_EQ(columns[2].flag, 0); // no item for "備考"
    EXPECT_TRUE(dialog.FirstRowIsHeader());

    // "名前" together with "姓" is refused and the dialog stays open.
    dialog.Table()->item(2, 0)->setCheckState(Qt::Checked);
    dialog.ItemChoice(2)->setCurrentIndex(dialog.ItemChoice(2)->findText(U("姓")));
    dialog.open();
    dialog.accept();
    EXPECT_EQ(box.Texts(), QStringList({U("名前と姓は同時に設定できません。")}));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(ImportMappingDlg, SettingsFileRoundTripAndUnreadableFiles)
{
    TempDir dir;
    const QString saved = dir.File("in.cor");
    RecordingMessageBox box;
    const QStringList first = {U("a"), U("b")};
    CImportMappingDlg one(first, {U("1"), U("2")}, true, {}, box, [&](bool) { return saved; });
    one.ItemChoice(1)->setCurrentIndex(one.ItemChoice(1)->findText(U("会社名")));
    one.Table()->item(1, 0)->setCheckState(Qt::Checked);
    one.SaveSettings();
    CImportMappingDlg two(first, {U("1"), U("2")}, false, {}, box, [&](bool) { return saved; });
    EXPECT_FALSE(two.FirstRowIsHeader()); // no second row in the file
    two.LoadSettings();
    EXPECT_EQ(two.Columns(), one.Columns());
    EXPECT_TRUE(box.shown.isEmpty());

    QStringList rows[2];
    bool hasSecond = true;
    EXPECT_FALSE(CImportMappingDlg::ReadFirstRows(dir.File("missing.csv"), rows[0], rows[1], hasSecond));
    ASSERT_TRUE(TempDir::WriteAll(dir.File("empty.csv"), QByteArray()));
    EXPECT_FALSE(CImportMappingDlg::ReadFirstRows(dir.File("empty.csv"), rows[0], rows[1], hasSecond));
}

TEST(CsvImport, RunsOnTheWorkerAndShowsTheSummary)
{
    TempDir dir;
    CCardStore store;
    ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd")));
    QStringList first;
    QStringList second;
    bool hasSecond = false;
    const QString path = OutlookFile(dir);
    ASSERT_TRUE(CImportMappingDlg::ReadFirstRows(path, first, second, hasSecond));
    RecordingMessageBox box;
    CImportMappingDlg dialog(first, second, hasSecond, {}, box, [](bool) { return QString(); });
    const ImportCounters counters = CCsvImport::Run(nullptr, store, ImportOptions(), box, path,
                                                    dialog.Columns(), dialog.FirstRowIsHeader());
    EXPECT_EQ(counters.added, 2);
    ASSERT_EQ(store.LiveCount(), 2);
    EXPECT_EQ(store.CardAt(1)->Name(), U("佐藤 花子"));
    ASSERT_EQ(box.shown.size(), 1);
    EXPECT_EQ(box.shown[0].caption, U("インポート"));
}

// A file that is not really CSV: one enormous cell must not push 種別 out of the dialog.
TEST(ImportMappingDlg, AnEnormousCellIsCutSoTheItemChoiceStaysInView)
{
    QString garbage;
    for (int i = 0; i < 4000; ++i)
        garbage += QChar(u'亜' + i % 500);
    RecordingMessageBox box;
    CImportMappingDlg dialog({garbage, U("名前")}, {garbage, U("山田")}, true, {}, box,
                             [](bool) { return QString(); });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTableWidget *table = dialog.Table();
    const QRect choice = table->visualRect(table->model()->index(0, 3));
    EXPECT_LE(table->columnWidth(1), 240);
    EXPECT_GT(choice.width(), 60);
    EXPECT_LE(choice.right(), table->viewport()->width());
    EXPECT_EQ(table->item(0, 1)->text(), garbage); // the text itself is kept whole
}
