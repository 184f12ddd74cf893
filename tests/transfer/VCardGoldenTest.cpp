// The exact bytes of both vCard forms for a few cards.
#include "CCardImageFiles.h"
#include "CheckListColumns.h"
#include "TempDir.h"
#include "VCardExportSupport.h"
#include "VCardExporter.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vcard_test;

namespace {

struct GoldenCards
{
    TempDir dir;
    CardExportContext context;
    QList<CCardData> cards;

    GoldenCards()
    {
        context.checks = CheckListColumns(CheckList());
        for (int group = 0; group < 16; ++group)
            context.groupNames << (group == 3 ? U("取引先") : U("ｸﾞﾙｰﾌﾟ%1").arg(group));
        context.imageFolder = dir.File("cards_Image");
        QDir().mkpath(context.imageFolder);
        cards = {Punctuated(), Cp932Only(), EveryKind(), CompanyOnly()};
        const char *ids[] = {"0f8fad5b-d9cb-469f-a165-70867728950e", "7c9e6679-7425-40de-944b-e07fc1f90ae7",
                             "16fd2706-8baf-433b-82eb-8c7fada847da", "886313e1-3b8a-5372-9b90-0c9aee199e5d"};
        for (int i = 0; i < cards.size(); ++i) {
            cards[i].SetId(QString::fromLatin1(ids[i]));
            cards[i].SetUpdatedDateValue(Date(2024, 6, 1 + i, 9, 30 + i));
        }
        // The third card carries both pictures.
        const CCardImageFiles images(context.imageFolder);
        TempDir::WriteAll(images.PathOf(cards[2].Id(), CCardImageFiles::CardImage), Jpeg(1, 60));
        TempDir::WriteAll(images.PathOf(cards[2].Id(), CCardImageFiles::PersonPhoto), Png(2, 40));
    }

    QByteArray Export(VCardForm form)
    {
        QList<const CCardData *> pointers;
        for (const CCardData &card : cards)
            pointers << &card;
        const QString path = dir.File("out.vcf");
        EXPECT_TRUE(VCardExporter(form, true, context).WriteFile(path, pointers));
        return TempDir::ReadAll(path);
    }
};

// Compares with the golden file; on a difference the output is kept beside the
// test's scratch files so that it can be looked at (and, when right, taken over).
void ExpectGolden(const QByteArray &actual, const char *name)
{
    const QString golden = QStringLiteral(TESSALY_TEST_DATA "/transfer/") + QLatin1String(name);
    const QByteArray expected = TempDir::ReadAll(golden);
    if (actual == expected)
        return;
    const QString kept = QDir::temp().filePath(QLatin1String(name) + QLatin1String(".actual"));
    TempDir::WriteAll(kept, actual);
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    ADD_FAILURE() << name << " differs from byte " << at << "; the output is in " << kept.toStdString();
}

} // namespace

TEST(VCardGolden, Form30)
{
    GoldenCards cards;
    ExpectGolden(cards.Export(VCardForm::V30), "export30.vcf");
}

TEST(VCardGolden, Form21)
{
    GoldenCards cards;
    ExpectGolden(cards.Export(VCardForm::V21), "export21.vcf");
}
