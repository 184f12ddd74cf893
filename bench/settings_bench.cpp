// Cost of reading and writing the whole settings file (start-up and exit).
#include "CSettings.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Settings with every list filled, as after long use.
CSettings FullSettings()
{
    CSettings s;
    for (int slot = 0; slot < CSettings::CheckListMax; ++slot) {
        s.store.checkNames << QStringLiteral("チェック項目%1").arg(slot);
        s.store.checkOrder << slot;
    }
    s.searchHistory = {"山田", "株式会社", "営業部", "03-1234", "example.com"};
    for (int i = 0; i < 20; ++i) {
        CSealPaperInfo sheet = CSealPaperInfo::BuiltIn()[i % 5];
        sheet.DefinitionName = QStringLiteral("ラベル%1").arg(i);
        s.print.SealPaperInfo << sheet;
    }
    return s;
}

void BM_SettingsWriteAll(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tessaly.ini");
    const CSettings s = FullSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.WriteAll(path));
}
BENCHMARK(BM_SettingsWriteAll)->Unit(benchmark::kMicrosecond);

void BM_SettingsReadAll(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tessaly.ini");
    FullSettings().WriteAll(path);
    CSettings s;
    for (auto _ : state) {
        s.ReadAll(path);
        benchmark::DoNotOptimize(s.listViewPaneWidth);
    }
}
BENCHMARK(BM_SettingsReadAll)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
