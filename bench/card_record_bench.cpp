// Cost of the card record's reading conversion and name setters.
#include "CCardData.h"
#include "CMeCabReading.h"
#include "ReadingService.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

const QStringList kNames = {
    QStringLiteral("山田 太郎"),    QStringLiteral("佐藤 花子"), QStringLiteral("高橋 一郎"),
    QStringLiteral("渡邊 恵美子"),  QStringLiteral("鈴木 健太"), QStringLiteral("伊藤 さくら"),
    QStringLiteral("長谷川 美穂"),  QStringLiteral("小林 誠"),   QStringLiteral("中村 翔太"),
    QStringLiteral("株式会社東芝"),
};

CMeCabReading &MeCab()
{
    static CMeCabReading reading;
    return reading;
}

void BM_ReadingOfMeCab(benchmark::State &state)
{
    if (!MeCab().IsAvailable()) {
        state.SkipWithError("MeCab dictionary not usable");
        return;
    }
    SetReadingService(&MeCab());
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadingOf(kNames[i]));
        i = (i + 1) % kNames.size();
    }
    SetReadingService(nullptr);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadingOfMeCab);

void BM_ReadingOfKana(benchmark::State &state)
{
    SetReadingService(nullptr);
    const QString reading = QStringLiteral("やまだ たろう");
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadingOf(reading));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadingOfKana);

// A typical card: name with automatic readings, company, two phones, a mail, an address.
void BM_SetNameTypicalCard(benchmark::State &state)
{
    const bool withMeCab = state.range(0) != 0;
    if (withMeCab && !MeCab().IsAvailable()) {
        state.SkipWithError("MeCab dictionary not usable");
        return;
    }
    SetReadingService(withMeCab ? &MeCab() : nullptr);
    CCardData card;
    card.SetCompany(QStringLiteral("株式会社東芝"), true);
    card.SetPhone(0, {QStringLiteral("03-1234-5678"), PhoneOffice});
    card.SetPhone(1, {QStringLiteral("090-1234-5678"), PhoneMobile});
    card.SetMail(0, {QStringLiteral("taro.yamada@example.co.jp"), MailOffice});
    card.SetAddress(QStringLiteral("日本 東京都 千代田区 丸の内1-1-1 ビル5F"));
    qsizetype i = 0;
    for (auto _ : state) {
        card.SetYomiName(QString()); // readings are filled again on every pass
        benchmark::DoNotOptimize(card.SetName(kNames[i]));
        i = (i + 1) % kNames.size();
    }
    SetReadingService(nullptr);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetNameTypicalCard)->Arg(1)->Arg(0);

} // namespace

BENCHMARK_MAIN();
