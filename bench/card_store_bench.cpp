// Speed of the management file and the card store at the sizes users reach:
// opening 100,000 cards, writing single cards, importing, duplicate tests, sorting.
#include "CCardFileWriter.h"
#include "CCardStore.h"
#include "CChunk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

QTemporaryDir &Scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QString Kana(QRandomGenerator &random, int length)
{
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(QChar(char16_t(0xFF71 + random.bounded(45))));
    return text;
}

// A card of realistic size: name, reading, company, two phones, one mail, address, memo.
CCardData RealisticCard(int n, QRandomGenerator &random)
{
    CCardData card;
    card.SetLastName(QStringLiteral("山田%1").arg(n));
    card.SetFirstName(QStringLiteral("太郎"));
    card.SetYomiLastName(Kana(random, 4));
    card.SetYomiFirstName(Kana(random, 3));
    card.SetCompany(QStringLiteral("株式会社サンプル商事%1").arg(n % 500), false);
    card.SetCompanyYomi(QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬ") + Kana(random, 6));
    card.SetDepartment(QStringLiteral("営業部"));
    card.SetTitle(random.bounded(2) ? QStringLiteral("課長") : QStringLiteral("部長"));
    card.SetPhone(0,
                  {QStringLiteral("03-%1-%2").arg(random.bounded(10000), 4, 10, QChar(u'0')).arg(n % 10000),
                   PhoneCompanyMobile});
    card.SetPhone(1,
                  {QStringLiteral("090-%1-%2").arg(random.bounded(10000), 4, 10, QChar(u'0')).arg(n % 10000),
                   PhoneOffice});
    card.SetMail(0, {QStringLiteral("taro.yamada%1@example.co.jp").arg(n), MailMobile});
    card.SetZipCode(QStringLiteral("100-0001"));
    card.SetAddress(
        QStringLiteral("日本 東京都 千代田区 千代田1-%1 サンプルビル%2階").arg(n % 100).arg(n % 30));
    card.SetMemo(QStringLiteral("展示会で名刺交換。次回は新製品の説明をする予定。"));
    card.SetGroupNo(int(random.bounded(16)));
    card.Stamp();
    return card;
}

// The 100,000-card file, written once by streaming encoded records.
QString LargeFile()
{
    static QString path;
    if (!path.isEmpty())
        return path;
    path = Scratch().filePath(QStringLiteral("large.ovd"));
    QRandomGenerator random(1);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(16, '\0'));
    const int count = 100000;
    for (int n = 0; n < count; ++n) {
        const QByteArray chunk = CChunk::EncodeCard(RealisticCard(n, random));
        QByteArray record;
        CChunk::AppendU32(record, CChunk::Tag("NMBK"));
        CChunk::AppendU32(record, quint32(chunk.size()));
        file.write(record + chunk);
    }
    QByteArray header;
    CChunk::AppendU32(header, CChunk::Tag("NMCD"));
    CChunk::AppendU32(header, quint32(file.size()));
    CChunk::AppendU32(header, CChunk::Tag("0001"));
    CChunk::AppendU32(header, quint32(count));
    file.seek(0);
    file.write(header);
    file.close();
    return path;
}

void BM_Open100k(benchmark::State &state)
{
    const QString path = LargeFile();
    for (auto _ : state) {
        auto store = std::make_unique<CCardStore>();
        if (!store->Open(path))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(store->TabSize(0, 13));
        state.PauseTiming(); // freeing the cards is not part of opening
        store.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    state.counters["peak_rss_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Open100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// One edit as the program makes it: written, made durable and told. In place
// (the new encoding fits) or appended (it grows), with and without syncing.
void BM_Edit(benchmark::State &state)
{
    const bool grow = state.range(0) != 0;
    const bool sync = state.range(1) != 0;
    CCardStore store;
    store.CreateNew(Scratch().filePath(QStringLiteral("edit.ovd")));
    store.SetSyncWrites(false);
    QRandomGenerator random(2);
    for (int n = 0; n < 1000; ++n)
        store.AddCard(RealisticCard(n, random));
    store.SetSyncWrites(sync);
    int slot = 0;
    int round = 0;
    for (auto _ : state) {
        CCardData *card = store.CardAt(slot);
        CCardData changed = *card;
        changed.SetMemo(grow ? card->Memo() + u'x' : (round % 2 ? QStringLiteral("a") : QStringLiteral("b")));
        if (!store.Replace(changed, card))
            state.SkipWithError("write failed");
        if (++slot == 1000) {
            slot = 0;
            ++round;
        }
    }
    state.SetLabel(QStringLiteral("%1, %2")
                       .arg(grow ? "appended" : "in place", sync ? "synced" : "not synced")
                       .toStdString());
}
BENCHMARK(BM_Edit)->Args({0, 1})->Args({1, 1})->Args({0, 0})->Args({1, 0})->Unit(benchmark::kMicrosecond);

// AddCard of n distinct cards through one opened file, into a new file.
void BM_AddCards(benchmark::State &state)
{
    const int count = int(state.range(0));
    QRandomGenerator random(3);
    std::vector<CCardData> cards;
    cards.reserve(size_t(count));
    for (int n = 0; n < count; ++n)
        cards.push_back(RealisticCard(n, random));
    for (auto _ : state) {
        CCardStore store;
        store.CreateNew(Scratch().filePath(QStringLiteral("add.ovd")));
        // One batch, made durable at its end, as an import writes.
        std::unique_ptr<CCardFileWriter> writer = store.OpenWriter();
        for (const CCardData &card : cards) {
            if (!store.AddCard(card, writer.get())) {
                state.SkipWithError("add failed");
                break;
            }
        }
        if (!store.CommitWriter(*writer))
            state.SkipWithError("commit failed");
        benchmark::DoNotOptimize(store.TabSize(0, 13));
    }
    state.counters["per_card_us"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AddCards)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);

CCardStore &LargeStore()
{
    static CCardStore store;
    static bool opened = store.Open(LargeFile());
    (void)opened;
    return store;
}

// FindDuplicate against 100,000 stored cards: a same-named card with other
// phones, and a name not stored.
void BM_FindDuplicate(benchmark::State &state)
{
    CCardStore &store = LargeStore();
    QRandomGenerator random(4);
    std::vector<CCardData> probes;
    for (int i = 0; i < 1000; ++i) {
        CCardData probe;
        if (state.range(0) == 0)
            probe = *store.CardAt(int(random.bounded(store.Count())));
        else
            probe.SetName(QStringLiteral("存在しない%1").arg(i));
        probe.SetPhone(0, {QStringLiteral("011-000-%1").arg(i), PhoneMobile});
        probes.push_back(probe);
    }
    size_t i = 0;
    for (auto _ : state) {
        int kind = 0;
        benchmark::DoNotOptimize(store.FindDuplicate(probes[i], true, &kind));
        i = (i + 1) % probes.size();
    }
    state.SetLabel(state.range(0) == 0 ? "same name" : "no match");
}
BENCHMARK(BM_FindDuplicate)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Sorting the 100,000-card all-cards tab of row 0 by each kind.
void BM_SortTab(benchmark::State &state)
{
    CCardStore &store = LargeStore();
    const int kind = int(state.range(0));
    for (auto _ : state) {
        if (!store.SetSortKind(0, 13, kind))
            state.SkipWithError("sort failed");
    }
    state.counters["cards"] = store.TabSize(0, 13);
}
BENCHMARK(BM_SortTab)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarksWithQt(argc, argv);
}
