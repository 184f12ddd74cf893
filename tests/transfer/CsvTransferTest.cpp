#include "CCsvImportRun.h"
#include "CImportEngine.h"
#include "CardExporter.h"
#include "CheckListColumns.h"
#include "ExportMapping.h"
#include "ImportSummary.h"
#include "StoreError.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "Cp932.h"
#include "ImportMapping.h"
#include "TempDir.h"
#include "TransferTestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace transfer_test;

namespace {

class CsvTransferTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd"))); }

    CCardData *Add(const QString &last, const QString &first, const QString &company, const QString &phone)
    {
        CCardData card;
        card.SetLastName(last);
        card.SetFirstName(first);
        card.SetCompany(company, false);
        if (!phone.isEmpty())
            card.SetPhone(0, {phone, PhoneOffice});
        return store.AddCard(card);
    }

    TempDir dir;
    CCardStore store;
};

} // namespace

TEST_F(CsvTransferTest, OutlookHeadingsImportThroughThePreselectedMapping)
{
    const QString path = dir.File("outlook.csv");
    ASSERT_TRUE(WriteFile(path, Cp932::Encode(U("表示名,勤務先電話番号,電子メール アドレス\r\n"
                                                "山田 太郎,03-1111-2222,yamada@example.com\r\n"
                                                "佐藤 花子,06-3333-4444,sato@example.com\r\n"))));
    const CheckListItems checks = CheckListColumns(store.GetCheckList());
    const QList<MappingEntry> columns =
        ImportMapping::PrepareColumns({U("表示名"), U("勤務先電話番号"), U("電子メール アドレス")}, checks);
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns[0].itemId, CsvItemName);
    EXPECT_EQ(columns[1].itemId, CsvItemPhone);
    EXPECT_EQ(columns[2].itemId, CsvItemMail);

    CImportEngine engine(store, ImportOptions(), nullptr);
    CCsvImportRun run(engine, path, columns, true);
    qint64 lastPosition = -1;
    run.SetProgress([&](qint64 position, qint64) { lastPosition = position; });
    EXPECT_EQ(run.Run(), CsvImportState::Completed);
    EXPECT_EQ(run.Counters().added, 2);
    EXPECT_GT(lastPosition, 0);
    ASSERT_EQ(store.LiveCount(), 2);
    EXPECT_EQ(store.CardAt(0)->Name(), U("山田 太郎"));
    EXPECT_EQ(store.CardAt(1)->Mail(0), "sato@example.com");
    EXPECT_FALSE(store.CardAt(1)->Phone(0).isEmpty());

    // The same rows again are identical cards.
    CCsvImportRun again(engine, path, columns, true);
    EXPECT_EQ(again.Run(), CsvImportState::Completed);
    EXPECT_EQ(again.Counters().skipped, 2);
    EXPECT_EQ(again.Counters().added, 0);
}

TEST_F(CsvTransferTest, GroupNumbersThatNameNoGroupImportAsNoGroup)
{
    // Found by fuzzing: a group number the store cannot file stopped the import as a failed write.
    const QString path = dir.File("groups.csv");
    ASSERT_TRUE(
        WriteFile(path, Cp932::Encode(U("名前,ｸﾞﾙｰﾌﾟ番号\r\n一,15\r\n二,16\r\n三,-1\r\n四,2147483647\r\n"
                                        "五,x\r\n"))));
    const CheckListItems checks = CheckListColumns(store.GetCheckList());
    const QList<MappingEntry> columns = ImportMapping::PrepareColumns({U("名前"), U("ｸﾞﾙｰﾌﾟ番号")}, checks);
    ASSERT_EQ(columns[1].itemId, CsvItemGroupNo);
    CImportEngine engine(store, ImportOptions(), nullptr);
    CCsvImportRun run(engine, path, columns, true);
    EXPECT_EQ(run.Run(), CsvImportState::Completed);
    EXPECT_TRUE(run.Counters().failure.isEmpty());
    ASSERT_EQ(store.LiveCount(), 5);
    QList<int> groups;
    for (int slot = 0; slot < store.Count(); ++slot)
        groups << store.CardAt(slot)->GroupNo();
    EXPECT_EQ(groups, QList<int>({15, 0, 0, 0, 0}));
}

TEST_F(CsvTransferTest, CancelledBeforeFirstRowAndErrorWhenStoreCannotBeWritten)
{
    const QString path = dir.File("rows.csv");
    ASSERT_TRUE(WriteFile(path, Cp932::Encode(U("a\r\nb\r\n"))));
    CImportEngine engine(store, ImportOptions(), nullptr);
    CCsvImportRun run(engine, path, {MappingEntry{CsvItemName, 1}}, false);
    run.Cancel();
    EXPECT_EQ(run.Run(), CsvImportState::Cancelled);
    EXPECT_EQ(store.LiveCount(), 0);

    CCardStore closed; // no file open: preparing for writing fails
    CImportEngine none(closed, ImportOptions(), nullptr);
    CCsvImportRun failing(none, path, {MappingEntry{CsvItemName, 1}}, false);
    EXPECT_EQ(failing.Run(), CsvImportState::Error);
    EXPECT_EQ(failing.Counters().failure, StoreErrorText(StoreError::NoFile));

    // A CSV file that is not there is an error that says so, not "nothing valid".
    CCsvImportRun missing(engine, dir.File("gone.csv"), {MappingEntry{CsvItemName, 1}}, false);
    EXPECT_EQ(missing.Run(), CsvImportState::Error);
    EXPECT_EQ(ImportSummary::Csv(missing.Counters(), missing.State()).text,
              U("エラーが発生しました。\nファイルが読み込めませんでした。"));
    EXPECT_EQ(store.LiveCount(), 0);
}

TEST_F(CsvTransferTest, DefaultExportHasTwentyTwoHeadingsAndReimportsToTheSameCards)
{
    Add(U("山田"), U("太郎"), U("山田商事"), "0311112222");
    Add(U("佐藤"), U("花子"), U("佐藤物産"), "");
    const ExportMapping mapping = ExportMapping::Default();
    ASSERT_EQ(mapping.columns.size(), 22);
    const CheckListItems checks = CheckListColumns(store.GetCheckList());
    const QString out = dir.File("out.csv");
    ASSERT_TRUE(CardExporter::WriteFile(out, CardExporter::AllCards(store), mapping, checks));

    const QByteArray bytes = TempDir::ReadAll(out);
    const QString text = Cp932::Decode(bytes);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0],
              U("姓,名,ヨミ/姓,ヨミ/名,会社名,ヨミ/会社名,部署名,役職,電話番号,電話番号種別,メールアドレス,"
                "メールアドレス種別,郵便番号,住所,URL,メモ,誕生日,受領日,登録日,更新日,ｸﾞﾙｰﾌﾟ番号,印刷"));
    EXPECT_TRUE(lines[1].startsWith(U("山田,太郎,")));
    // The heading bytes are code page 932: "姓" is 0x90 0xA9.
    EXPECT_EQ(bytes.left(3), QByteArray::fromHex("90A92C"));

    TempDir other;
    CCardStore copy;
    ASSERT_TRUE(copy.CreateNew(other.File("copy.ovd")));
    CImportEngine engine(copy, ImportOptions(), nullptr);
    CCsvImportRun run(engine, out, ImportMapping::PrepareColumns(lines[0].split(','), checks), true);
    ASSERT_EQ(run.Run(), CsvImportState::Completed);
    ASSERT_EQ(copy.LiveCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const CCardData *a = store.CardAt(i);
        const CCardData *b = copy.CardAt(i);
        EXPECT_EQ(a->Name(), b->Name());
        EXPECT_EQ(a->Company(), b->Company());
        EXPECT_EQ(a->PhoneCount(), b->PhoneCount());
        EXPECT_EQ(a->Phone(0), b->Phone(0));
        EXPECT_EQ(a->PhoneKindAt(0), b->PhoneKindAt(0));
        EXPECT_EQ(a->RegisteredDateText(), b->RegisteredDateText());
        EXPECT_TRUE(a->IsIdentical(*b));
    }
}

TEST_F(CsvTransferTest, EmptyColumnAndFirstPhoneOnly)
{
    CCardData card;
    card.SetLastName(U("山田"));
    card.SetPhone(0, {"0311", PhoneOffice});
    card.SetPhone(1, {"0312", PhoneHome});
    card.SetPhone(2, {"0313", PhoneFax});
    const CCardData *stored = store.AddCard(card);
    ASSERT_NE(stored, nullptr);
    ExportMapping mapping;
    mapping.columns = {CsvItemPhone, CsvItemEmpty, CsvItemPhoneKind};
    const QString out = dir.File("phones.csv");
    ASSERT_TRUE(CardExporter::WriteFile(out, {stored}, mapping, CheckListItems()));
    const QString text = Cp932::Decode(TempDir::ReadAll(out));
    EXPECT_TRUE(text.startsWith(U("電話番号,,電話番号種別\r\n0311,,"))) << text.toStdString();
    EXPECT_FALSE(text.contains("0312"));
}

TEST_F(CsvTransferTest, SeparateExportNamesAndReplacesUnsafeCharacters)
{
    CCardData *a = Add(U("山田"), U("太郎"), U("A/B商事"), "01");
    CCardData *b = Add(U("山田"), U("太郎"), U("C商事"), "02");
    ASSERT_TRUE(a && b);
    CCardData odd;
    // The name setter drops the zero character already; the slash is replaced.
    odd.SetName(QStringLiteral("x/y") + QChar(0) + QStringLiteral("z"));
    EXPECT_EQ(CardExporter::SeparateFileName("/f", odd, false, false), QStringLiteral("/f/x_yz.csv"));
    EXPECT_EQ(CardExporter::SeparateFileName("/f", *a, true, true),
              "/f/" + a->Name() + U("-A_B商事-") + a->UpdatedDateText() + ".csv");
    EXPECT_FALSE(a->UpdatedDateText().isEmpty());

    const QString folder = dir.File("sep");
    QDir().mkpath(folder);
    ASSERT_TRUE(CardExporter::WriteSeparately(folder, {a, b}, ExportMapping::Default(), CheckListItems(),
                                              false, false));
    // Same name: the second card gets a name of its own instead of replacing the first.
    const auto text = [&](const QString &name) {
        return Cp932::Decode(TempDir::ReadAll(QDir(folder).filePath(a->Name() + name)));
    };
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              QStringList({a->Name() + U("(2).csv"), a->Name() + U(".csv")}));
    EXPECT_TRUE(text(U(".csv")).contains(U("A/B商事")));
    EXPECT_TRUE(text(U("(2).csv")).contains(U("C商事")));
    // A file left from an earlier export is replaced, not numbered.
    ASSERT_TRUE(
        CardExporter::WriteSeparately(folder, {b}, ExportMapping::Default(), CheckListItems(), false, false));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
    EXPECT_TRUE(text(U(".csv")).contains(U("C商事")));

    ASSERT_TRUE(
        CardExporter::WriteSeparately(folder, {a}, ExportMapping::Default(), CheckListItems(), true, false));
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(a->Name() + U("-A_B商事.csv"))));
    EXPECT_FALSE(CardExporter::WriteSeparately(dir.File("missing/deeper"), {a}, ExportMapping::Default(),
                                               CheckListItems(), false, false));
}

TEST(ExportMapping, SavedEntriesKeepOnlyUsedColumnsInOrder)
{
    const ExportMapping m =
        ExportMapping::FromEntries({MappingEntry{CsvItemMemo, 1}, MappingEntry{CsvItemName, 0},
                                    MappingEntry{-1, 1}, MappingEntry{CsvItemUrl, 1}},
                                   false);
    EXPECT_EQ(m.columns, QList<int>({CsvItemMemo, CsvItemEmpty, CsvItemUrl}));
    EXPECT_FALSE(m.firstRowIsHeader);
    EXPECT_EQ(ExportMapping::FromEntries(m.ToEntries(), false).columns, m.columns);
}
