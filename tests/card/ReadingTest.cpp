#include "CCardData.h"
#include "CMeCabReading.h"
#include "KanaWidth.h"
#include "ReadingFake.h"
#include "ReadingService.h"

#include <QList>
#include <QThread>

#include <gtest/gtest.h>

TEST(ReadingOf, AsksTheServiceWithFullWidthHiraganaAndStoresHalfWidthKatakana)
{
    ReadingFake fake;
    ScopedReadingService install(&fake);
    EXPECT_EQ(ReadingOf(QStringLiteral("山田 太郎")), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    ASSERT_EQ(fake.asked.size(), 1);
    EXPECT_EQ(fake.asked[0], QStringLiteral("山田　太郎"));

    EXPECT_EQ(ReadingOf(QStringLiteral("ABC東芝")), QStringLiteral("ABCﾄｳｼﾊﾞ"));
    EXPECT_EQ(fake.asked[1], QStringLiteral("ＡＢＣ東芝"));
    EXPECT_EQ(ReadingOf(QStringLiteral("山田ﾀﾛｳ")), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"));
    EXPECT_EQ(fake.asked[2], QStringLiteral("山田たろう"));
}

TEST(ReadingOf, EmptyWithoutAServiceOrForEmptyText)
{
    ReadingFake fake;
    ScopedReadingService install(&fake);
    EXPECT_EQ(ReadingOf(QString()), QString());
    fake.available = false;
    EXPECT_EQ(ReadingOf(QStringLiteral("山田")), QString());
    EXPECT_TRUE(fake.asked.isEmpty());
    SetReadingService(nullptr);
    EXPECT_EQ(ReadingOf(QStringLiteral("山田")), QString());
}

TEST(ReadingOf, KanaIsConvertedDirectlyWithoutTheService)
{
    ReadingFake fake;
    fake.words.insert(QStringLiteral("やまだ"), QStringLiteral("ウソ"));
    ScopedReadingService install(&fake);
    EXPECT_EQ(ReadingOf(QStringLiteral("やまだ たろう")), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(ReadingOf(QStringLiteral("ヤマダ　ジロー")), QStringLiteral("ﾔﾏﾀﾞ ｼﾞﾛｰ"));
    EXPECT_EQ(ReadingOf(QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ")), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_TRUE(fake.asked.isEmpty());

    SetReadingService(nullptr);
    EXPECT_EQ(ReadingOf(QStringLiteral("がっこう")), QStringLiteral("ｶﾞｯｺｳ"));
}

TEST(ReadingOf, ImportedKanaReadingSurvivesWithoutService)
{
    ScopedReadingService install(nullptr);
    CCardData card;
    EXPECT_TRUE(card.SetYomiName(QStringLiteral("やまだ たろう")));
    EXPECT_EQ(card.YomiName(), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
    EXPECT_EQ(card.YomiLastName(), QStringLiteral("ﾔﾏﾀﾞ"));
    EXPECT_EQ(card.YomiFirstName(), QStringLiteral("ﾀﾛｳ"));
    EXPECT_TRUE(card.SetCompanyYomi(QStringLiteral("カブシキガイシャ　トウシバ")));
    EXPECT_EQ(card.CompanyYomi(), QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬ ﾄｳｼﾊﾞ"));
}

TEST(MeCabReading, UnusableDictionaryMeansNoReadings)
{
    CMeCabReading reading(QStringLiteral("/nonexistent/dictionary"));
    EXPECT_FALSE(reading.IsAvailable());
    EXPECT_FALSE(reading.ErrorText().isEmpty());
    EXPECT_EQ(reading.Reading(QStringLiteral("山田")), QString());
}

class MeCabReadingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_reading.IsAvailable())
            GTEST_SKIP() << "MeCab dictionary not usable: " << m_reading.ErrorText().toStdString();
    }
    CMeCabReading m_reading;
};

TEST_F(MeCabReadingTest, SpacesAreKeptAndUnknownWordsReadAsWritten)
{
    EXPECT_EQ(m_reading.Reading(QStringLiteral("　山田  太郎 ")), QStringLiteral("　ヤマダ  タロウ "));
    EXPECT_EQ(m_reading.Reading(QStringLiteral("ＸＹＺ")), QStringLiteral("ＸＹＺ"));
    EXPECT_EQ(m_reading.Reading(QString()), QString());
}

TEST_F(MeCabReadingTest, ParallelReadersGetTheSameReading)
{
    QList<QThread *> threads;
    QList<QString> results(4);
    for (int t = 0; t < 4; ++t) {
        threads.append(QThread::create([this, &results, t] {
            for (int i = 0; i < 50; ++i)
                results[t] = m_reading.Reading(QStringLiteral("株式会社東芝 佐藤花子"));
        }));
        threads.last()->start();
    }
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    for (const QString &r : results)
        EXPECT_EQ(r, QStringLiteral("カブシキガイシャトウシバ サトウハナコ"));
}

TEST_F(MeCabReadingTest, KanaShortcutAgreesWithTheService)
{
    const QStringList readings = {QStringLiteral("やまだ たろう"),
                                  QStringLiteral("さとう はなこ"),
                                  QStringLiteral("ジョン・スミス"),
                                  QStringLiteral("ﾀﾅｶ ｲﾁﾛｰ"),
                                  QStringLiteral("かぶしきがいしゃ とうしば"),
                                  QStringLiteral("ゔぁいおりん")};
    for (const QString &reading : readings) {
        const QString viaService =
            KanaWidth::ToHalfWidthKatakana(m_reading.Reading(KanaWidth::ToFullWidthHiragana(reading)));
        ScopedReadingService install(nullptr);
        EXPECT_EQ(ReadingOf(reading), viaService) << reading.toStdString();
    }
}

TEST_F(MeCabReadingTest, SurvivesArbitraryText)
{
    quint32 seed = 777;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    ScopedReadingService install(&m_reading);
    for (int round = 0; round < 200; ++round) {
        QString text;
        const int length = int(next() % 120);
        for (int i = 0; i < length; ++i)
            text.append(QChar(char16_t(next() % 2 ? 0x3000 + next() % 0x100 : next() * 2)));
        const QString reading = ReadingOf(text);
        EXPECT_EQ(reading.isEmpty(), text.isEmpty()) << round;
    }
}
