// Reading and writing the shared 100,000-card workload. The files come from
// TESSALY_WORKLOAD_DIR when it holds them, else they are generated once into a
// temporary folder with the shared generator.
#include "Csv.h"
#include "VCardReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Cards = 100000;

QString WorkloadDir()
{
    static QTemporaryDir generated;
    static QString dir = [] {
        const QString given = qEnvironmentVariable("TESSALY_WORKLOAD_DIR");
        if (!given.isEmpty() && QFile::exists(given + QStringLiteral("/vcard21-sjis-%1.vcf").arg(Cards)))
            return given;
        QProcess::execute(QStringLiteral("python3"),
                          {QStringLiteral(TESSALY_SHARED_DIR "/bench/gen_workload.py"), QStringLiteral("-n"),
                           QString::number(Cards), QStringLiteral("--out"), generated.path()});
        return generated.path();
    }();
    return dir;
}

QString WorkloadFile(const char *pattern)
{
    return WorkloadDir() + u'/' + QString::fromLatin1(pattern).arg(Cards);
}

void ReadVCards(benchmark::State &state, const char *pattern)
{
    const QString path = WorkloadFile(pattern);
    for (auto _ : state) {
        QList<VCARD_DATA> entries;
        if (!ReadVCardFile(path, QString(), entries) || entries.size() != Cards)
            state.SkipWithError("workload not read");
        benchmark::DoNotOptimize(entries.data());
        state.PauseTiming(); // freeing the entries is not part of reading
        entries = QList<VCARD_DATA>();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_ReadVCardFileShiftJis(benchmark::State &state)
{
    ReadVCards(state, "vcard21-sjis-%1.vcf");
}

void BM_ReadVCardFileUtf8(benchmark::State &state)
{
    ReadVCards(state, "vcard30-utf8-%1.vcf");
}

QList<QStringList> CsvRows()
{
    static const QList<QStringList> rows = [] {
        QList<QStringList> all;
        Csv csv(WorkloadFile("cards-cp932-%1.csv"));
        QStringList fields;
        while (csv.ReadRow(fields))
            all.append(fields);
        return all;
    }();
    return rows;
}

void BM_CsvWriteRows(benchmark::State &state)
{
    const QList<QStringList> rows = CsvRows();
    QTemporaryDir dir;
    for (auto _ : state) {
        Csv csv(dir.filePath(QStringLiteral("out.csv")));
        for (const QStringList &row : rows)
            csv.WriteRow(row);
        if (!csv.Close())
            state.SkipWithError("write failed");
    }
    state.counters["rows"] = double(rows.size());
}

void BM_CsvReadRows(benchmark::State &state)
{
    const QString path = WorkloadFile("cards-cp932-%1.csv");
    for (auto _ : state) {
        Csv csv(path);
        QStringList fields;
        qsizetype rows = 0;
        while (csv.ReadRow(fields))
            ++rows;
        if (rows != Cards + 1)
            state.SkipWithError("rows missing");
    }
}

BENCHMARK(BM_ReadVCardFileShiftJis)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadVCardFileUtf8)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CsvWriteRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CsvReadRows)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarksWithQt(argc, argv);
}
