#include "CCsvImportRun.h"
#include "CImportEngine.h"

#include "../card/ReadingFake.h"
#include "CCardData.h"
#include "CCardStore.h"
#include "CMeCabReading.h"
#include "Cp932.h"
#include "CsvItem.h"
#include "TempDir.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

using namespace transfer_test;

// Readings of imported cards on every road, with the MeCab service the program
// installs and without any: a card brings no reading of its own far more often
// than it brings one, and the name's reading must then come from the name.
namespace {

struct Expected
{
    const char *name;
    const char *yomiLast;
    const char *yomiFirst;
};

class ImportReadingTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateNew(dir.File("cards.ovd")));
        if (GetParam()) {
            ASSERT_TRUE(mecab.IsAvailable()) << mecab.ErrorText().toStdString();
        }
    }

    bool WithService() const { return GetParam(); }
    // 山田 太郎 is read only by the service; kana is its own reading either way.
    const char *Kanji(const char *reading) const { return WithService() ? reading : ""; }

    void ExpectCards(const QList<Expected> &expected)
    {
        ASSERT_EQ(store.LiveCount(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const CCardData *card = store.CardAt(int(i));
            EXPECT_EQ(card->Name(), U(expected[i].name));
            EXPECT_EQ(card->YomiLastName(), U(expected[i].yomiLast)) << expected[i].name;
            EXPECT_EQ(card->YomiFirstName(), U(expected[i].yomiFirst)) << expected[i].name;
        }
    }

    TempDir dir;
    CCardStore store;
    CMeCabReading mecab;
    ScopedReadingService install{GetParam() ? static_cast<CImeLanguage *>(&mecab) : nullptr};
};

const QByteArray MarkedJpeg = QByteArray::fromHex("FFD8FFFE00092070686F746F20FFD9");

QString Photo()
{
    return "PHOTO;ENCODING=BASE64;TYPE=JPEG:" + QString::fromLatin1(MarkedJpeg.toBase64());
}

} // namespace

TEST_P(ImportReadingTest, VCardWithoutSoundKeepsTheReadingsOfTheName)
{
    QStringList lines = Card({U("N:いしだ;ゆうき")}) + Card({U("N:山田;太郎")});
    // vCard 3.0 as phones write it today: FN, N, no SOUND.
    lines += QStringList{"BEGIN:VCARD", "VERSION:3.0", U("FN:さとう はなこ"), U("N:さとう;はなこ;;;"),
                         "END:VCARD"};
    // A SOUND that is there overrides; its empty first value clears the family reading.
    lines += Card({U("N:すずき;いちろう"), U("SOUND:;ｲﾁﾛｰ")});
    lines += Card({U("N:たなか;じろう"), U("SOUND:ﾀﾅｶ")});
    const QString path = dir.File("cards.vcf");
    ASSERT_TRUE(WriteFile(path, VCard(lines)));
    CImportEngine engine(store, ImportOptions(), nullptr);
    ASSERT_TRUE(engine.BeginRun());
    ImportCounters counters;
    EXPECT_TRUE(engine.ImportVCardSource(path, dir.File("photos"), "cards.vcf", "2024/06/01", counters));
    engine.EndRun();
    ExpectCards({{"いしだ ゆうき", "ｲｼﾀﾞ", "ﾕｳｷ"},
                 {"山田 太郎", Kanji("ﾔﾏﾀﾞ"), Kanji("ﾀﾛｳ")},
                 {"さとう はなこ", "ｻﾄｳ", "ﾊﾅｺ"},
                 {"すずき いちろう", "", "ｲﾁﾛｰ"},
                 {"たなか じろう", "ﾀﾅｶ", "ｼﾞﾛｳ"}});
}

TEST_P(ImportReadingTest, CsvWithEmptyReadingCellsKeepsTheDerivedReadings)
{
    // The program's own export layout: the reading columns after the names.
    const QString path = dir.File("cards.csv");
    ASSERT_TRUE(WriteFile(path, Cp932::Encode(U("姓,名,ヨミ/姓,ヨミ/名,会社名,ヨミ/会社名\r\n"
                                                "いしだ,ゆうき,,,,\r\n"
                                                "山田,太郎,,,株式会社東芝,\r\n"
                                                "すずき,いちろう,ｽｽﾞｷ,ｲﾁﾛｳ,,\r\n"
                                                "たなか\r\n"))));
    const QList<MappingEntry> columns = {{CsvItemLastName, 1},     {CsvItemFirstName, 1},
                                         {CsvItemYomiLastName, 1}, {CsvItemYomiFirstName, 1},
                                         {CsvItemCompany, 1},      {CsvItemCompanyYomi, 1}};
    ImportOptions options;
    options.autoYomi = true;
    CImportEngine engine(store, options, nullptr);
    CCsvImportRun run(engine, path, columns, true);
    EXPECT_EQ(run.Run(), CsvImportState::Completed);
    ExpectCards({{"いしだ ゆうき", "ｲｼﾀﾞ", "ﾕｳｷ"},
                 {"山田 太郎", Kanji("ﾔﾏﾀﾞ"), Kanji("ﾀﾛｳ")},
                 {"すずき いちろう", "ｽｽﾞｷ", "ｲﾁﾛｳ"},
                 {"たなか", "ﾀﾅｶ", ""}});
    EXPECT_EQ(store.CardAt(1)->CompanyYomi(), U(Kanji("ｶﾌﾞｼｷｶﾞｲｼｬﾄｳｼﾊﾞ")));
}

TEST_P(ImportReadingTest, PhoneBookEntriesWithoutSoundKeepTheReadingsOfTheName)
{
    QStringList book = Card({"N:Owner"});
    book += Card({U("N:やまだはなこ"), Photo()});                         // older form: the whole name
    book += Card({U("N:山田太郎"), Photo()});                             // older form, kanji
    book += Card({U("FN:いしだ ゆうき"), U("N:いしだ;ゆうき"), Photo()}); // newer form
    book += Card({U("N:山田;次郎"), Photo()});                            // newer form by the port
    book += Card({U("N:すずき"), U("SOUND:ｽｽﾞｷｲﾁﾛｰ"), Photo()});
    CImportEngine engine(store, ImportOptions(), nullptr);
    ASSERT_TRUE(engine.BeginRun());
    ASSERT_EQ(engine.CountPhoneBook(VCard(book)), 6);
    ImportCounters counters;
    for (int index = 1; index < 6; ++index)
        EXPECT_TRUE(engine.ImportPhoneBookCard(index, index == 4, dir.Path(), counters)) << index;
    engine.EndRun();
    EXPECT_EQ(counters.added, 5);
    ExpectCards({{"やまだはなこ", "ﾔﾏﾀﾞﾊﾅｺ", ""},
                 {"山田太郎", Kanji("ﾔﾏﾀﾞﾀﾛｳ"), ""},
                 {"いしだ ゆうき", "ｲｼﾀﾞ", "ﾕｳｷ"},
                 {"山田 次郎", Kanji("ﾔﾏﾀﾞ"), Kanji("ｼﾞﾛｳ")},
                 {"すずき", "ｽｽﾞｷｲﾁﾛｰ", ""}});
}

INSTANTIATE_TEST_SUITE_P(Service, ImportReadingTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "MeCab" : "None";
                         });
