#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

// The highest resident memory of the process so far, in megabytes.
inline double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// main() of a benchmark program whose code needs a Qt application object.
inline int RunBenchmarksWithQt(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The shared workload's vCard 2.1 file of `cards` cards: from
// TESSALY_WORKLOAD_DIR when it holds it, else generated once into a
// temporary folder with the shared generator.
inline QString VCardWorkload(int cards)
{
    static QTemporaryDir generated;
    const QString name = QStringLiteral("/vcard21-sjis-%1.vcf").arg(cards);
    const QString given = qEnvironmentVariable("TESSALY_WORKLOAD_DIR");
    if (!given.isEmpty() && QFile::exists(given + name))
        return given + name;
    if (!QFile::exists(generated.path() + name))
        QProcess::execute(QStringLiteral("python3"),
                          {QStringLiteral(TESSALY_SHARED_DIR "/bench/gen_workload.py"), QStringLiteral("-n"),
                           QString::number(cards), QStringLiteral("--only"), QStringLiteral("vcf21"),
                           QStringLiteral("--out"), generated.path()});
    return generated.path() + name;
}
