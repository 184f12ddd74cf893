#include "../views/RecordingMessageBox.h"
#include "CCardData.h"
#include "CExportCommand.h"
#include "CExportFormatDlg.h"
#include "CExportMappingDlg.h"
#include "Csv.h"
#include "TempDir.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

QStringList Texts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

CCardData Card(const char *name)
{
    CCardData card;
    card.SetName(QString::fromUtf8(name));
    card.Stamp();
    return card;
}

} // namespace

TEST(ExportMappingDlg, ColumnsAreAddedRemovedAndMovedWhereChosen)
{
    RecordingMessageBox box;
    CExportMappingDlg dialog(ExportMapping::Default(), {}, box, [](bool) { return QString(); });
    ASSERT_EQ(dialog.Used()->count(), 22);
    EXPECT_EQ(dialog.Used()->item(0)->text(), QString::fromUtf8("姓"));
    EXPECT_EQ(dialog.Unused()->item(0)->text(), QString::fromUtf8("名前"));

    // "名前" goes in before the chosen second column; an empty column before the first.
    dialog.Unused()->setCurrentRow(0);
    dialog.Used()->setCurrentRow(1);
    dialog.AddChosen();
    dialog.Used()->setCurrentRow(0);
    dialog.AddEmptyColumn();
    EXPECT_EQ(Texts(dialog.Used()).mid(0, 4),
              QStringList({QString::fromUtf8("（空列）"), QString::fromUtf8("姓"), QString::fromUtf8("名前"),
                           QString::fromUtf8("名")}));
    EXPECT_EQ(dialog.Mapping().columns.mid(0, 4), QList<int>({-1, 1, 0, 2}));

    // "姓" moves down one; removing it puts it back among the unused items in id order.
    dialog.Used()->setCurrentRow(1);
    dialog.Move(1);
    EXPECT_EQ(dialog.Mapping().columns.mid(0, 3), QList<int>({-1, 0, 1}));
    dialog.RemoveChosen();
    EXPECT_FALSE(dialog.Mapping().columns.contains(1));
    EXPECT_EQ(dialog.Unused()->item(0)->text(), QString::fromUtf8("姓"));
}

TEST(ExportMappingDlg, EmptyColumnListKeepsTheDialogOpenAndSettingsRoundTrip)
{
    TempDir dir;
    const QString saved = dir.File("map.cor");
    RecordingMessageBox box;
    CExportMappingDlg dialog(ExportMapping::Default(), {}, box, [&](bool) { return saved; });
    ExportMapping small;
    small.columns = {5, -1, 0};
    small.firstRowIsHeader = false;
    CExportMappingDlg other(small, {}, box, [&](bool) { return saved; });
    other.SaveSettings();
    dialog.LoadSettings();
    EXPECT_EQ(dialog.Mapping().columns, small.columns);
    EXPECT_FALSE(dialog.Mapping().firstRowIsHeader);

    ASSERT_TRUE(TempDir::WriteAll(saved, "not a mapping"));
    dialog.LoadSettings();
    EXPECT_EQ(box.Texts(), QStringList({QString::fromUtf8("設定ファイルが不正です。")}));
    EXPECT_EQ(dialog.Mapping().columns, small.columns); // unchanged

    while (dialog.Used()->count() > 0) {
        dialog.Used()->setCurrentRow(0);
        dialog.RemoveChosen();
    }
    dialog.open();
    dialog.accept();
    EXPECT_EQ(box.Texts().last(), QString::fromUtf8("項目が設定されていません。"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(ExportCommand, WritesOneFileOrOneFilePerCardAndTellsFailures)
{
    TempDir dir;
    const CCardData a = Card("山田 太郎");
    const CCardData b = Card("佐藤 花子");
    RecordingMessageBox box;
    CExportCommand::Questions ask;
    ask.editMapping = [](ExportMapping &) { return true; };
    ask.chooseFile = [&](const ExportFormat &) { return dir.File("out.csv"); };
    ask.chooseFolder = [&] { return dir.File("each"); };

    EXPECT_FALSE(CExportCommand::Run({}, false, {}, false, false, box, nullptr, ask));
    EXPECT_EQ(box.Texts(), QStringList({QString::fromUtf8("エクスポートするデータがありません。")}));

    ASSERT_TRUE(CExportCommand::Run({&a, &b}, false, {}, false, false, box, nullptr, ask));
    ASSERT_EQ(box.shown.size(), 2);
    EXPECT_EQ(box.shown.last().caption, QString::fromUtf8("エクスポート"));
    EXPECT_EQ(box.shown.last().icon, QMessageBox::Information);
    EXPECT_EQ(box.shown.last().text,
              QString::fromUtf8("2 件の名刺データをエクスポートしました。\n\n") + dir.File("out.csv"));
    Csv csv(dir.File("out.csv"));
    QStringList row;
    ASSERT_TRUE(csv.ReadRow(row));
    EXPECT_EQ(row.size(), 22); // the heading row
    ASSERT_TRUE(csv.ReadRow(row));
    EXPECT_EQ(row.value(0), QString::fromUtf8("山田"));

    // Three cards of one name, one file each: none is lost.
    ASSERT_TRUE(QDir().mkpath(dir.File("each")));
    const CCardData c = Card("山田 太郎");
    ASSERT_TRUE(CExportCommand::Run({&a, &b, &c, &a}, true, {}, false, false, box, nullptr, ask));
    EXPECT_EQ(QDir(dir.File("each")).entryList(QDir::Files, QDir::Name),
              QStringList({"佐藤 花子.csv", "山田 太郎(2).csv", "山田 太郎(3).csv", "山田 太郎.csv"}));
    EXPECT_EQ(box.shown.last().text,
              QString::fromUtf8("4 件の名刺データをエクスポートしました。\n\n") + dir.File("each"));

    ask.chooseFile = [&](const ExportFormat &) { return dir.File("missing/folder/out.csv"); };
    EXPECT_FALSE(CExportCommand::Run({&a}, false, {}, false, false, box, nullptr, ask));
    EXPECT_EQ(box.Texts().last(), QString::fromUtf8("エクスポートに失敗しました。"));

    // The mapping dialog cancelled: nothing is asked or written.
    const int before = int(box.shown.size());
    ask.editMapping = [](ExportMapping &) { return false; };
    ask.chooseFile = [](const ExportFormat &) {
        ADD_FAILURE() << "asked for a file";
        return QString();
    };
    EXPECT_FALSE(CExportCommand::Run({&a}, false, {}, false, false, box, nullptr, ask));
    EXPECT_EQ(box.shown.size(), before);
}

TEST(ExportCommand, VCardGoesWithoutTheColumnDialogToAVcfFileOrFolder)
{
    TempDir dir;
    const CCardData a = Card("山田 太郎");
    RecordingMessageBox box;
    CExportCommand::Questions ask;
    ask.chooseFormat = [](ExportFormat &format) {
        format.kind = ExportFormat::VCard21;
        return true;
    };
    ask.editMapping = [](ExportMapping &) {
        ADD_FAILURE() << "the column dialog was shown";
        return false;
    };
    ask.chooseFile = [&](const ExportFormat &format) {
        EXPECT_TRUE(format.IsVCard());
        EXPECT_STREQ(format.Extension(), "vcf");
        return dir.File("out.vcf");
    };
    ask.chooseFolder = [&] { return dir.File("each"); };
    ASSERT_TRUE(CExportCommand::Run({&a}, false, {}, false, false, box, nullptr, ask));
    EXPECT_TRUE(TempDir::ReadAll(dir.File("out.vcf"))
                    .startsWith("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:"));
    EXPECT_EQ(box.Texts().last(),
              QString::fromUtf8("1 件の名刺データをエクスポートしました。\n\n") + dir.File("out.vcf"));

    ASSERT_TRUE(QDir().mkpath(dir.File("each")));
    ASSERT_TRUE(CExportCommand::Run({&a, &a}, true, {}, false, false, box, nullptr, ask));
    EXPECT_EQ(QDir(dir.File("each")).entryList(QDir::Files, QDir::Name),
              QStringList({"山田 太郎(2).vcf", "山田 太郎.vcf"}));

    // The format question cancelled: nothing else is asked.
    const int before = int(box.shown.size());
    ask.chooseFormat = [](ExportFormat &) { return false; };
    ask.chooseFile = [](const ExportFormat &) {
        ADD_FAILURE() << "asked for a file";
        return QString();
    };
    EXPECT_FALSE(CExportCommand::Run({&a}, false, {}, false, false, box, nullptr, ask));
    EXPECT_EQ(box.shown.size(), before);
}

TEST(ExportFormatDlg, StartsFromTheLastChoiceAndOffersPhotosForVCardOnly)
{
    ExportFormat start;
    start.kind = ExportFormat::VCard21;
    start.photos = true;
    CExportFormatDlg dialog(start);
    EXPECT_TRUE(dialog.Choice(ExportFormat::VCard21)->isChecked());
    EXPECT_TRUE(dialog.Photos()->isEnabled());
    EXPECT_EQ(dialog.Format().kind, ExportFormat::VCard21);
    EXPECT_TRUE(dialog.Format().photos);

    dialog.Choice(ExportFormat::Csv)->click();
    EXPECT_FALSE(dialog.Photos()->isEnabled());
    EXPECT_EQ(dialog.Format().kind, ExportFormat::Csv);
    EXPECT_FALSE(dialog.Format().photos);

    dialog.Choice(ExportFormat::VCard30)->click();
    EXPECT_TRUE(dialog.Photos()->isEnabled());
    EXPECT_EQ(dialog.Format().kind, ExportFormat::VCard30);
}
