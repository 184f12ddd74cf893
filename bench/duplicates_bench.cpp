// Finding the groups of probably one person's cards among 100,000 cards of the
// shared workload (whose common names give many namesakes), as ツール → 重複名刺の検索
// does it: a copy of the texts on the window's thread, the grouping on a worker.
#include "CCardStore.h"
#include "CDuplicateFinder.h"

#include <QTemporaryDir>

#include "BenchSupport.h"
#include "WorkloadStore.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Filled
{
    QTemporaryDir dir;
    CCardStore store;
};

Filled &Cards()
{
    static std::unique_ptr<Filled> filled = [] {
        auto f = std::make_unique<Filled>();
        f->store.CreateNew(f->dir.filePath(QStringLiteral("cards.ovd")));
        f->store.SetSyncWrites(false);
        ImportWorkload(f->store, f->dir.path(), 100000);
        return f;
    }();
    return *filled;
}

void BM_FindDuplicates(benchmark::State &state)
{
    const CCardStore &store = Cards().store;
    qsizetype groups = 0;
    qsizetype grouped = 0;
    for (auto _ : state) {
        const QList<DuplicateGroup> found = CDuplicateFinder::Find(CDuplicateFinder::Snapshot(store));
        groups = found.size();
        grouped = 0;
        for (const DuplicateGroup &group : found)
            grouped += group.cardSlots.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["cards"] = store.LiveCount();
    state.counters["groups"] = double(groups);
    state.counters["grouped_cards"] = double(grouped);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_FindDuplicates)->Unit(benchmark::kMillisecond)->Iterations(5);

// The part that runs on the window's thread before the worker starts.
void BM_SnapshotForTheWorker(benchmark::State &state)
{
    const CCardStore &store = Cards().store;
    for (auto _ : state)
        benchmark::DoNotOptimize(CDuplicateFinder::Snapshot(store));
}
BENCHMARK(BM_SnapshotForTheWorker)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarksWithQt(argc, argv);
}
