// Exporting the shared workload's 100,000 cards to vCard, beside the CSV export.
// A program of its own, so that its peak memory is that of one store and its exports.
#include "CCardStore.h"
#include "CardExportContext.h"
#include "CardExporter.h"
#include "VCardExporter.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "WorkloadStore.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Cards = 100000;

struct Filled
{
    QTemporaryDir dir;
    CCardStore store;
    double importedPeak = 0;

    Filled()
    {
        store.CreateNew(dir.filePath(QStringLiteral("cards.ovd")));
        store.SetSyncWrites(false);
        ImportWorkload(store, dir.path(), Cards);
        importedPeak = PeakMegabytes();
    }
};

Filled &Store()
{
    static Filled filled;
    return filled;
}

void Report(benchmark::State &state, const QString &path, int cards)
{
    state.counters["cards"] = cards;
    state.counters["file_MB"] = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["store_peak_MB"] = Store().importedPeak;
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_ExportVCard(benchmark::State &state, VCardForm form)
{
    Filled &s = Store();
    const QString path = s.dir.filePath(QStringLiteral("export.vcf"));
    const QList<const CCardData *> cards = CardExporter::AllCards(s.store);
    const VCardExporter exporter(form, false, CardExportContext::Of(s.store));
    for (auto _ : state) {
        if (!exporter.WriteFile(path, cards))
            state.SkipWithError("export failed");
    }
    Report(state, path, int(cards.size()));
}
BENCHMARK_CAPTURE(BM_ExportVCard, vcard30, VCardForm::V30)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportVCard, vcard21, VCardForm::V21)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State &state)
{
    Filled &s = Store();
    const QString path = s.dir.filePath(QStringLiteral("export.csv"));
    const QList<const CCardData *> cards = CardExporter::AllCards(s.store);
    const CardExportContext context = CardExportContext::Of(s.store);
    for (auto _ : state) {
        if (!CardExporter::WriteFile(path, cards, ExportMapping::Default(), context.checks))
            state.SkipWithError("export failed");
    }
    Report(state, path, int(cards.size()));
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
