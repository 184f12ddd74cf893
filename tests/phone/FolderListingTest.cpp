#include "FolderListing.h"

#include <gtest/gtest.h>

TEST(FolderListingTest, ReadsEntriesInDocumentOrder)
{
    CSoftbankObexObjectArray entries{{QStringLiteral("stale"), QString(), 1}};
    ASSERT_TRUE(ParseFolderListing(R"(<?xml version="1.0"?>
<!DOCTYPE folder-listing SYSTEM "obex-folder-listing.dtd">
<folder-listing version="1.0">
  <parent-folder name="up" created="x"/>
  <folder name="Other Doc" created="20070101T000000"/>
  <file name="a.vcf" created="20070102T101010" size="1234"/>
  <file name="nodate.vcf" size="5"/>
  <fold name="short" created="1" size="12abc"/>
  <file name="b.vcf" created="2" size="abc"/>
  <x:file xmlns:x="urn:x" x:name="ns.vcf" x:created="3" x:size="7"/>
</folder-listing>)",
                                   entries));
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[0].name, QStringLiteral("Other Doc"));
    EXPECT_EQ(entries[0].created, QStringLiteral("20070101T000000"));
    EXPECT_EQ(entries[0].size, 0);
    EXPECT_EQ(entries[1].name, QStringLiteral("a.vcf"));
    EXPECT_EQ(entries[1].size, 1234);
    EXPECT_EQ(entries[2].name, QStringLiteral("short"));
    EXPECT_EQ(entries[2].size, 12);
    EXPECT_EQ(entries[3].size, 0);
    EXPECT_EQ(entries[4].name, QStringLiteral("ns.vcf"));
    EXPECT_EQ(entries[4].size, 7);
}

TEST(FolderListingTest, HonoursTheDeclaredEncoding)
{
    QByteArray doc = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><folder-listing><folder name=\"";
    doc += QByteArray::fromHex("82bb82cc91bc837483408343838b"); // その他ファイル
    doc += "\" created=\"20070101T000000\"/></folder-listing>";
    CSoftbankObexObjectArray entries;
    ASSERT_TRUE(ParseFolderListing(doc, entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("その他ファイル"));
}

TEST(FolderListingTest, BrokenDocumentsFailButKeepWhatWasRead)
{
    CSoftbankObexObjectArray entries;
    EXPECT_FALSE(ParseFolderListing(QByteArray(), entries));
    EXPECT_FALSE(ParseFolderListing("not xml at all", entries));
    EXPECT_FALSE(ParseFolderListing(
        "<folder-listing><file name=\"a.vcf\" created=\"1\" size=\"3\"/><file name=\"b", entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("a.vcf"));
}
