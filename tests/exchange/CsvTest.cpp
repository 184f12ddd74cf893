#include "Csv.h"
#include "TempDir.h"
#include "VCardTestUtil.h"

#include <gtest/gtest.h>

namespace {

QList<QStringList> ReadAllRows(const QString &path)
{
    Csv csv(path);
    QList<QStringList> rows;
    QStringList fields;
    while (csv.ReadRow(fields))
        rows.append(fields);
    return rows;
}

QList<QStringList> ReadBytes(const TempDir &dir, const QByteArray &bytes)
{
    const QString path = dir.File(QStringLiteral("in.csv"));
    EXPECT_TRUE(TempDir::WriteAll(path, bytes));
    return ReadAllRows(path);
}

} // namespace

TEST(CsvWrite, GoldenBytesInCodePage932)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("out.csv"));
    {
        Csv csv(path);
        ASSERT_TRUE(csv.WriteRow({QStringLiteral("名前"), "a\"b", "x,y", "plain"}));
        ASSERT_TRUE(
            csv.WriteRow({QStringLiteral("山田 太郎"), "line1\nline2", "", QStringLiteral("表ソ能")}));
        ASSERT_TRUE(csv.WriteRow({"only"}));
        ASSERT_TRUE(csv.WriteRow({"1", "2", "3", "4", "5"}));
        ASSERT_TRUE(csv.Close());
        EXPECT_TRUE(csv.Lossless());
    }
    const QByteArray expected = QByteArray::fromHex(
        // 名前,"a""b","x,y",plain
        "96BC914F"
        "2C"
        "226122226222"
        "2C"
        "22782C7922"
        "2C"
        "706C61696E"
        "0D0A"
        // 山田 太郎,"line1\r\nline2",,表ソ能
        "8E52936320"
        "91BE9859"
        "2C"
        "226C696E65310D0A6C696E653222"
        "2C"
        "2C"
        "955C835C945C"
        "0D0A"
        // only,,,
        "6F6E6C792C2C2C0D0A"
        // 1,2,3,4 (the fifth field is dropped)
        "312C322C332C340D0A");
    EXPECT_EQ(TempDir::ReadAll(path).toHex(), expected.toHex());

    const QList<QStringList> rows = ReadAllRows(path);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QStringList({QStringLiteral("名前"), "a\"b", "x,y", "plain"}));
    EXPECT_EQ(rows[1],
              QStringList({QStringLiteral("山田 太郎"), "line1\r\nline2", "", QStringLiteral("表ソ能")}));
    EXPECT_EQ(rows[2], QStringList({"only", "", "", ""}));
    EXPECT_EQ(rows[3], QStringList({"1", "2", "3", "4"}));
}

TEST(CsvWrite, StoredLineEndsAreNotDoubledAndRoundTrip)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("out.csv"));
    {
        Csv csv(path);
        ASSERT_TRUE(csv.WriteRow({"a\r\nb"}));
        ASSERT_TRUE(csv.WriteRow({"c"}));
    }
    EXPECT_EQ(TempDir::ReadAll(path), QByteArray("\"a\r\nb\"\r\nc\r\n"));
    const QList<QStringList> rows = ReadAllRows(path);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], QStringList({"a\r\nb"}));
}

TEST(CsvWrite, UnmappableCharactersAreReportedAndFailuresReturnFalse)
{
    TempDir dir;
    Csv csv(dir.File(QStringLiteral("out.csv")));
    ASSERT_TRUE(csv.WriteRow({QStringLiteral("a😀b")}));
    EXPECT_FALSE(csv.Lossless());
    ASSERT_TRUE(csv.Close());
    EXPECT_EQ(TempDir::ReadAll(dir.File(QStringLiteral("out.csv"))), QByteArray("a?b\r\n"));

    Csv bad(dir.File(QStringLiteral("missing/folder/out.csv")));
    EXPECT_FALSE(bad.WriteRow({"x"}));
    EXPECT_FALSE(bad.WriteRow({"y"}));
}

TEST(CsvRead, FieldRules)
{
    TempDir dir;
    const QList<QStringList> rows =
        ReadBytes(dir, "x,\r\n\r\n\"ab\"cd,e\r\n\"multi\nline\",z\n\"q\"\"q\"\r\nlast");
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], QStringList({"x", ""}));
    EXPECT_EQ(rows[1], QStringList({""}));
    EXPECT_EQ(rows[2], QStringList({"abcd", "e"}));
    EXPECT_EQ(rows[3], QStringList({"multi\r\nline", "z"}));
    EXPECT_EQ(rows[4], QStringList({"q\"q"}));
    EXPECT_EQ(rows[5], QStringList({"last"}));
}

TEST(CsvRead, OpenQuoteAtEndOfFileEndsTheRowWithFalse)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("in.csv"));
    ASSERT_TRUE(TempDir::WriteAll(path, "a,\"open\r\nmore"));
    Csv csv(path);
    QStringList fields;
    EXPECT_FALSE(csv.ReadRow(fields));
    EXPECT_EQ(fields, QStringList({"a", "open\r\nmore\r\n"}));
    EXPECT_FALSE(csv.ReadRow(fields));
}

TEST(CsvRead, EncodingsAndTrailBytes)
{
    TempDir dir;
    // 0x5C trail bytes next to a separator and a quote stay part of their characters.
    QList<QStringList> rows = ReadBytes(dir, Sjis(QStringLiteral("表,\"ソ\"\"\",能\r\n")));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringList({QStringLiteral("表"), QStringLiteral("ソ\""), QStringLiteral("能")}));

    rows = ReadBytes(dir, QStringLiteral("名前,会社\r\n").toUtf8());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringList({QStringLiteral("名前"), QStringLiteral("会社")}));

    rows = ReadBytes(dir, "\xEF\xBB\xBF"
                          "a,b\r\n");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringList({"a", "b"}));
}

TEST(CsvRead, SizesAndMissingFiles)
{
    TempDir dir;
    const QString path = dir.File(QStringLiteral("in.csv"));
    ASSERT_TRUE(TempDir::WriteAll(path, "a\r\nb\r\n"));
    Csv csv(path);
    EXPECT_EQ(csv.FileSize(), 6);
    QStringList fields;
    ASSERT_TRUE(csv.ReadRow(fields));
    EXPECT_EQ(csv.Position(), 3);
    ASSERT_TRUE(csv.ReadRow(fields));
    EXPECT_EQ(csv.Position(), 6);

    ASSERT_TRUE(csv.OpenFile(dir.File(QStringLiteral("none.csv"))));
    EXPECT_FALSE(csv.ReadRow(fields));
    EXPECT_TRUE(fields.isEmpty());
}
