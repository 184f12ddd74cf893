// Import, export and search over the shared workload.
#include "CCardStore.h"
#include "CImportEngine.h"
#include "CardExporter.h"
#include "CardSearch.h"
#include "CheckListColumns.h"
#include "IOverwriteConfirm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The workload repeats names as real address books do: every such card is kept.
class AddEverything : public IOverwriteConfirm
{
public:
    OverwriteAnswer AskOverwrite(const CCardData &, const CCardData &, const QString &) override
    {
        return AnswerAddAll;
    }
};

struct StoreOnDisk
{
    QTemporaryDir dir;
    CCardStore store;
    AddEverything answer;
};

std::unique_ptr<StoreOnDisk> NewStore()
{
    auto s = std::make_unique<StoreOnDisk>();
    s->store.CreateNew(s->dir.filePath(QStringLiteral("cards.ovd")));
    return s;
}

bool Import(StoreOnDisk &s, const QString &path, ImportCounters &counters)
{
    CImportEngine engine(s.store, ImportOptions(), &s.answer);
    const bool ok =
        engine.BeginRun() && engine.ImportVCardSource(path, s.dir.path(), QStringLiteral("bench.vcf"),
                                                      QStringLiteral("2024/06/01"), counters);
    engine.EndRun();
    return ok;
}

// One store with the 100,000 cards, shared by the benchmarks that need it filled.
StoreOnDisk &Filled()
{
    static std::unique_ptr<StoreOnDisk> filled = [] {
        auto s = NewStore();
        ImportCounters counters;
        Import(*s, VCardWorkload(100000), counters);
        return s;
    }();
    return *filled;
}

void BM_ImportIntoEmptyStore(benchmark::State &state)
{
    const int cards = int(state.range(0));
    const QString path = VCardWorkload(cards);
    for (auto _ : state) {
        state.PauseTiming();
        auto s = NewStore();
        ImportCounters counters;
        state.ResumeTiming();
        if (!Import(*s, path, counters) || counters.added != cards)
            state.SkipWithError("not every card was added");
        state.PauseTiming();
        s.reset();
        state.ResumeTiming();
    }
    state.counters["cards"] = cards;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_ImportIntoEmptyStore)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportIntoFilledStore(benchmark::State &state)
{
    StoreOnDisk &s = Filled();
    const QString path = VCardWorkload(100000);
    for (auto _ : state) {
        ImportCounters counters;
        if (!Import(s, path, counters) || counters.skipped != 100000 || counters.added != 0)
            state.SkipWithError("cards were not all skipped");
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_ImportIntoFilledStore)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExportAll(benchmark::State &state)
{
    StoreOnDisk &s = Filled();
    const QString out = s.dir.filePath(QStringLiteral("export.csv"));
    const CheckListItems checks = CheckListColumns(s.store.GetCheckList());
    for (auto _ : state) {
        if (!CardExporter::WriteFile(out, CardExporter::AllCards(s.store), ExportMapping::Default(), checks))
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_ExportAll)->Unit(benchmark::kMillisecond);

void BM_SearchThreeConditions(benchmark::State &state)
{
    StoreOnDisk &s = Filled();
    SearchCondition company;
    company.field = 3;
    company.text = QString::fromUtf8("株式会社");
    SearchCondition mail;
    mail.field = 8;
    mail.text = QStringLiteral(".co.jp");
    SearchCondition importance;
    importance.field = 20;
    importance.choice = 2;
    int found = 0;
    for (auto _ : state)
        found = CardSearch::RunSearch(s.store, {company, mail, importance}, SearchCombination::All);
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchThreeConditions)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
