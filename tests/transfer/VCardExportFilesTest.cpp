// Files written by the vCard export: names, failures, pictures.
#include "CCardImageFiles.h"
#include "FileSizeLimit.h"
#include "TempDir.h"
#include "VCardExportSupport.h"
#include "VCardExporter.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vcard_test;

namespace {

CardExportContext Context(const TempDir &dir)
{
    CardExportContext context;
    context.imageFolder = dir.File("images");
    QDir().mkpath(context.imageFolder);
    return context;
}

CCardData Named(const char *name, const char *id)
{
    CCardData card;
    card.SetName(U(name));
    card.SetId(QString::fromLatin1(id));
    return card;
}

} // namespace

TEST(VCardExportFiles, OneFilePerCardWithDistinctNames)
{
    TempDir dir;
    const CCardData a = Named("山田 太郎", "a");
    const CCardData b = Named("佐藤/花子", "b");
    ASSERT_TRUE(QDir().mkpath(dir.File("each")));
    ASSERT_TRUE(VCardExporter(VCardForm::V21, false, Context(dir))
                    .WriteSeparately(dir.File("each"), {&a, &b, &a}, false, false));
    EXPECT_EQ(QDir(dir.File("each")).entryList(QDir::Files, QDir::Name),
              QStringList({U("佐藤_花子.vcf"), U("山田 太郎(2).vcf"), U("山田 太郎.vcf")}));
    EXPECT_TRUE(
        TempDir::ReadAll(dir.File("each/山田 太郎(2).vcf")).startsWith("BEGIN:VCARD\r\nVERSION:2.1\r\n"));
    EXPECT_FALSE(VCardExporter(VCardForm::V30, false, Context(dir))
                     .WriteSeparately(dir.File("missing"), {&a}, false, false));
}

// The file is replaced only when complete: a disk that fills up leaves the old one.
TEST(VCardExportFiles, AFailedWriteLeavesTheFileThatWasThere)
{
    TempDir dir;
    const QString path = dir.File("cards.vcf");
    ASSERT_TRUE(TempDir::WriteAll(path, "old"));
    QList<CCardData> many(3000, Punctuated());
    QList<const CCardData *> cards;
    for (const CCardData &card : many)
        cards << &card;
    {
        FileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(VCardExporter(VCardForm::V30, false, Context(dir)).WriteFile(path, cards));
    }
    EXPECT_EQ(TempDir::ReadAll(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{U("cards.vcf")});
    EXPECT_FALSE(
        VCardExporter(VCardForm::V30, false, Context(dir)).WriteFile(dir.File("no/such/x.vcf"), cards));
}

TEST(VCardExportFiles, PicturesOfUnknownTypeAreLeftOutUnreadableOnesFailTheExport)
{
    TempDir dir;
    const CardExportContext context = Context(dir);
    const CCardImageFiles images(context.imageFolder);
    const CCardData card = Named("山田 太郎", "c");
    ASSERT_TRUE(TempDir::WriteAll(images.PathOf("c", CCardImageFiles::CardImage), "not a picture"));
    ASSERT_TRUE(TempDir::WriteAll(images.PathOf("c", CCardImageFiles::PersonPhoto), Jpeg(3)));
    const QString path = dir.File("out.vcf");
    ASSERT_TRUE(VCardExporter(VCardForm::V30, true, context).WriteFile(path, {&card}));
    const QByteArray written = TempDir::ReadAll(path);
    EXPECT_TRUE(written.contains("\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/"));
    EXPECT_FALSE(written.contains("LOGO"));
    // Without photos asked for, none goes out.
    ASSERT_TRUE(VCardExporter(VCardForm::V30, false, context).WriteFile(path, {&card}));
    EXPECT_FALSE(TempDir::ReadAll(path).contains("PHOTO"));

    ASSERT_TRUE(QFile::remove(images.PathOf("c", CCardImageFiles::CardImage)));
    ASSERT_TRUE(QDir().mkpath(images.PathOf("c", CCardImageFiles::CardImage))); // exists, cannot be read
    EXPECT_FALSE(VCardExporter(VCardForm::V21, true, context).WriteFile(path, {&card}));
}
