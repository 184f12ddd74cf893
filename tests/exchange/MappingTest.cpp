#include "CCardData.h"
#include "CsvItem.h"
#include "ImportMapping.h"
#include "MappingFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

CheckListItems Checks()
{
    CheckListItems checks;
    checks.names = {QStringLiteral("年賀状"), QStringLiteral("展示会")};
    checks.markSlots = {3, 0};
    return checks;
}

QList<MappingEntry> Ticked(const QList<int> &ids)
{
    QList<MappingEntry> columns;
    for (int id : ids)
        columns.append({id, 1});
    return columns;
}

QString Validate(const QList<MappingEntry> &columns)
{
    QString message;
    if (ImportMapping::ValidateImportMapping(columns, Checks(), &message))
        return QStringLiteral("ok");
    return message;
}

} // namespace

TEST(CsvItemTable, NamesAndTexts)
{
    const CheckListItems checks = Checks();
    EXPECT_EQ(CsvItem::Name(0, checks), QStringLiteral("名前"));
    EXPECT_EQ(CsvItem::Name(12, checks), QStringLiteral("電話番号2"));
    EXPECT_EQ(CsvItem::Name(29, checks), QStringLiteral("メールアドレス種別5"));
    EXPECT_EQ(CsvItem::Name(43, checks), QStringLiteral("ｸﾞﾙｰﾌﾟ番号"));
    EXPECT_EQ(CsvItem::Name(45, checks), QStringLiteral("重要度"));
    EXPECT_EQ(CsvItem::Name(47, checks), QStringLiteral("展示会"));
    EXPECT_EQ(CsvItem::Name(48, checks), QString());
    EXPECT_EQ(CsvItem::Count(checks), 48);

    EXPECT_EQ(CsvItem::PhoneKindText(3), QStringLiteral("WORK;VOICE"));
    EXPECT_EQ(CsvItem::PhoneKindFromText(QStringLiteral("FAX")), 5u);
    EXPECT_EQ(CsvItem::PhoneKindFromText(QStringLiteral("fax")), 0u);
    EXPECT_EQ(CsvItem::MailKindFromText(QStringLiteral("INTERNET")), 3u);
    EXPECT_EQ(CsvItem::ImportanceText(4), QStringLiteral("低"));
    EXPECT_EQ(CsvItem::ImportanceText(9), QStringLiteral("中"));
    EXPECT_EQ(CsvItem::ImportanceFromText(QStringLiteral("やや高")), 1);
    EXPECT_EQ(CsvItem::ReadNumber(QStringLiteral(" 12abc")), 12);
    EXPECT_EQ(CsvItem::ReadNumber(QStringLiteral("x")), 0);
}

TEST(CsvItemTable, WrittenForms)
{
    const CheckListItems checks = Checks();
    CCardData card;
    card.SetPhone(0, {QStringLiteral("03-1111-2222"), PhoneFax});
    card.SetMail(0, {QStringLiteral("a@b.jp"), MailOffice});
    card.SetBirthday(QStringLiteral("1970/1/2"));
    card.SetGroupNo(7);
    card.SetPrint(true);
    card.SetImportance(1);
    card.SetCheckMark(3, true);
    EXPECT_EQ(CsvItem::Text(card, 10, checks), QStringLiteral("03-1111-2222"));
    EXPECT_EQ(CsvItem::Text(card, 11, checks), QStringLiteral("FAX"));
    EXPECT_EQ(CsvItem::Text(card, 12, checks), QString());
    EXPECT_EQ(CsvItem::Text(card, 13, checks), QStringLiteral("CELL"));
    EXPECT_EQ(CsvItem::Text(card, 21, checks), QStringLiteral("WORK"));
    EXPECT_EQ(CsvItem::Text(card, 23, checks), QStringLiteral("CELL"));
    EXPECT_EQ(CsvItem::Text(card, 39, checks), QStringLiteral("1970-01-02"));
    EXPECT_EQ(CsvItem::Text(card, 40, checks), QString());
    CardDate odd;
    odd.second = 1; // set
    odd.year = 5;
    odd.month = 1;
    odd.day = 2;
    EXPECT_EQ(CsvItem::DateText(odd), QStringLiteral("0005-01-02"));
    odd.year = 12345;
    EXPECT_EQ(CsvItem::DateText(odd), QStringLiteral("12345-01-02"));
    EXPECT_EQ(CsvItem::Text(card, 43, checks), QStringLiteral("7"));
    EXPECT_EQ(CsvItem::Text(card, 44, checks), QStringLiteral("1"));
    EXPECT_EQ(CsvItem::Text(card, 45, checks), QStringLiteral("やや高"));
    EXPECT_EQ(CsvItem::Text(card, 46, checks), QStringLiteral("1"));
    EXPECT_EQ(CsvItem::Text(card, 47, checks), QStringLiteral("0"));
}

TEST(ImportColumns, OfferedItemsAndPreselection)
{
    const CheckListItems checks = Checks();
    const QList<int> offered = ImportMapping::OfferedItems(checks);
    EXPECT_EQ(offered.size(), 48 - 16);
    EXPECT_FALSE(offered.contains(12));
    EXPECT_FALSE(offered.contains(29));
    EXPECT_TRUE(offered.contains(11));
    EXPECT_TRUE(offered.contains(47));

    const QStringList firstRow = {QStringLiteral("勤務先の番地"),     QStringLiteral("自宅電話番号"),
                                  QStringLiteral("表示名"),           QStringLiteral("電子メール アドレス"),
                                  QStringLiteral("電子メールの種類"), QStringLiteral("電話番号種別2"),
                                  QStringLiteral("展示会"),           QStringLiteral("備考")};
    const QList<MappingEntry> columns = ImportMapping::PrepareColumns(firstRow, checks);
    const QList<MappingEntry> expected = {{35, 1}, {10, 1}, {0, 1},  {20, 1},
                                          {21, 1}, {11, 1}, {47, 1}, {-1, 0}};
    EXPECT_EQ(columns, expected);
}

TEST(ImportColumns, ValidationMessagesInScanOrder)
{
    EXPECT_EQ(Validate({}), QStringLiteral("項目が設定されていません。"));
    EXPECT_EQ(Validate({{6, 0}, {-1, 1}}), QStringLiteral("項目が設定されていません。"));
    EXPECT_EQ(Validate(Ticked({10, 10, 11, 11, 20, 20, 21, 21})), QStringLiteral("ok"));
    EXPECT_EQ(Validate(Ticked({6, 1, 6})), QStringLiteral("会社名が複数設定されています。"));
    EXPECT_EQ(Validate(Ticked({2, 0})), QStringLiteral("名前と名は同時に設定できません。"));
    EXPECT_EQ(Validate(Ticked({3, 5})), QStringLiteral("ヨミ/名前とヨミ/名は同時に設定できません。"));
    // The first column's conflicts are found before those of later columns.
    EXPECT_EQ(Validate(Ticked({33, 9, 31, 9})), QStringLiteral("住所と都道府県は同時に設定できません。"));
    EXPECT_EQ(Validate(Ticked({46, 46})), QStringLiteral("年賀状が複数設定されています。"));
}

TEST(ImportColumns, ApplyingARow)
{
    const CheckListItems checks = Checks();
    const QList<MappingEntry> columns = {{1, 1},  {2, 1},  {11, 1}, {10, 1}, {10, 1}, {11, 1},
                                         {10, 1}, {20, 1}, {39, 1}, {40, 1}, {43, 1}, {44, 1},
                                         {45, 1}, {46, 1}, {47, 1}, {6, 0}};
    const QStringList row = {QStringLiteral("山田"),
                             QStringLiteral("太郎"),
                             "FAX",
                             "",
                             "03-1111-2222",
                             "HOME;VOICE",
                             "090-0000-1111",
                             "a@b.jp",
                             "",
                             "2001-2-3",
                             "5",
                             "2",
                             QStringLiteral("低"),
                             "1",
                             "0",
                             QStringLiteral("無視")};
    CCardData card;
    ImportMapping::ApplyRow(row, columns, checks, false, card);
    EXPECT_EQ(card.LastName(), QStringLiteral("山田"));
    EXPECT_EQ(card.FirstName(), QStringLiteral("太郎"));
    // The first number column is empty: its kind (FAX) is not moved onto the next number.
    ASSERT_EQ(card.PhoneCount(), 2);
    EXPECT_EQ(card.Phone(0), QStringLiteral("03-1111-2222"));
    EXPECT_EQ(card.PhoneKindAt(0), quint32(PhoneHome));
    EXPECT_EQ(card.Phone(1), QStringLiteral("090-0000-1111"));
    EXPECT_EQ(card.PhoneKindAt(1), quint32(PhoneMobile));
    ASSERT_EQ(card.MailCount(), 1);
    EXPECT_EQ(card.MailKindAt(0), quint32(MailMobile));
    EXPECT_TRUE(card.Birthday().IsSet());
    EXPECT_EQ(card.Birthday().year, 0);
    EXPECT_EQ(card.ReceivedDate().year, 2001);
    EXPECT_EQ(card.ReceivedDate().day, 3);
    EXPECT_TRUE(card.ReceivedDate().IsSet());
    EXPECT_EQ(card.GroupNo(), 5);
    EXPECT_TRUE(card.Print());
    EXPECT_EQ(card.Importance(), 4);
    EXPECT_TRUE(card.CheckMark(3));
    EXPECT_FALSE(card.CheckMark(0));
    EXPECT_TRUE(card.Company().isEmpty());

    // A short row is padded: missing cells are empty.
    CCardData shortRow;
    ImportMapping::ApplyRow({QStringLiteral("佐藤")}, columns, checks, false, shortRow);
    EXPECT_EQ(shortRow.LastName(), QStringLiteral("佐藤"));
    EXPECT_EQ(shortRow.PhoneCount(), 0);
}

TEST(MappingFiles, GoldenBytesAndRoundTrip)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("map.cor"));
    const QList<MappingEntry> entries = {{0, 1}, {-1, 0}, {46, 1}};
    ASSERT_TRUE(SaveMapping(path, entries, true));
    const QByteArray expected = QByteArray::fromHex("43434F52"
                                                    "0F000000"
                                                    "C8000000"
                                                    "01000000"
                                                    "03000000"
                                                    "0000000001"
                                                    "FFFFFFFF00"
                                                    "2E00000001");
    const QByteArray written = TempDir::ReadAll(path);
    EXPECT_EQ(written.toHex(), expected.toHex());

    QList<MappingEntry> loaded;
    bool header = false;
    ASSERT_TRUE(LoadMapping(path, loaded, header));
    EXPECT_EQ(loaded, entries);
    EXPECT_TRUE(header);
    ASSERT_TRUE(SaveMapping(path, loaded, header));
    EXPECT_EQ(TempDir::ReadAll(path), written);

    ASSERT_TRUE(SaveMapping(path, {}, false));
    EXPECT_EQ(TempDir::ReadAll(path).toHex(),
              QByteArray::fromHex("43434F5200000000C80000000000000000000000").toHex());
    EXPECT_FALSE(SaveMapping(dir.File(QStringLiteral("no/such/dir.cor")), entries, false));
}

TEST(MappingFiles, Version100ShiftsCheckListIds)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("old.cor"));
    ASSERT_TRUE(TempDir::WriteAll(path, QByteArray::fromHex("43434F52"
                                                            "0F000000"
                                                            "64000000"
                                                            "00000000"
                                                            "03000000"
                                                            "2C00000001"
                                                            "2D00000001"
                                                            "FFFFFFFF00")));
    QList<MappingEntry> loaded;
    bool header = true;
    ASSERT_TRUE(LoadMapping(path, loaded, header));
    EXPECT_EQ(loaded, QList<MappingEntry>({{44, 1}, {46, 1}, {-1, 0}}));
    EXPECT_FALSE(header);
}

TEST(MappingFiles, ItemIdsOutsideTheItemTableMakeTheFileInvalid)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("ids.cor"));
    const auto file = [](const char *versionHex, const char *idHex) {
        return QByteArray::fromHex(QByteArray("43434F52050000") + "00" + versionHex + "0000000001000000" +
                                   idHex + "01");
    };
    // Version 100 ids above 44 move up by one; the last check-list item is 46 + 19.
    const struct
    {
        const char *version, *id;
        bool valid;
        qint32 loaded;
    } cases[] = {
        {"64000000", "FFFFFF7F", false, 0}, // found by fuzzing: the shift overflowed
        {"64000000", "41000000", false, 0}, // 65 + 1 is past the table
        {"64000000", "40000000", true, 65}, {"64000000", "FFFFFFFF", true, -1},
        {"C8000000", "42000000", false, 0}, {"C8000000", "41000000", true, 65},
        {"C8000000", "FEFFFFFF", false, 0}, // -2
        {"C8000000", "00000080", false, 0},
    };
    for (const auto &c : cases) {
        const QByteArray bytes = file(c.version, c.id);
        ASSERT_EQ(bytes.size(), 25);
        ASSERT_TRUE(TempDir::WriteAll(path, bytes));
        QList<MappingEntry> entries = {{5, 1}};
        bool header = true;
        EXPECT_EQ(LoadMapping(path, entries, header), c.valid) << bytes.toHex().constData();
        EXPECT_EQ(entries, c.valid ? QList<MappingEntry>({{c.loaded, 1}}) : QList<MappingEntry>({{5, 1}}))
            << bytes.toHex().constData();
    }
}

TEST(MappingFiles, BadFilesChangeNothing)
{
    TempDir dir;
    const QByteArray good = QByteArray::fromHex("43434F520500000096000000010000000100000007000000"
                                                "01");
    const QList<QByteArray> bad = {
        QByteArray(),
        good.left(19),
        good.left(24),                                                  // body shorter than the count
        QByteArray("CCOX") + good.mid(4),                               // magic
        good.left(8) + QByteArray::fromHex("63000000") + good.mid(12),  // version 99
        good.left(8) + QByteArray::fromHex("C9000000") + good.mid(12),  // version 201
        good.left(16) + QByteArray::fromHex("FFFFFFFF") + good.mid(20), // negative count
        good.left(16) + QByteArray::fromHex("FFFFFF7F") + good.mid(20), // absurd count
    };
    const QString path = dir.File(QStringLiteral("bad.cor"));
    for (const QByteArray &bytes : bad) {
        ASSERT_TRUE(TempDir::WriteAll(path, bytes));
        QList<MappingEntry> entries = {{5, 1}};
        bool header = true;
        EXPECT_FALSE(LoadMapping(path, entries, header)) << bytes.toHex().constData();
        EXPECT_EQ(entries, QList<MappingEntry>({{5, 1}}));
        EXPECT_TRUE(header);
    }
    ASSERT_TRUE(TempDir::WriteAll(path, good));
    QList<MappingEntry> entries;
    bool header = false;
    EXPECT_TRUE(LoadMapping(path, entries, header));
    EXPECT_EQ(entries, QList<MappingEntry>({{7, 1}}));
    EXPECT_FALSE(LoadMapping(dir.File(QStringLiteral("missing.cor")), entries, header));
    EXPECT_EQ(MappingInvalidMessage(), QStringLiteral("設定ファイルが不正です。"));
}
