#pragma once

#include <QCoreApplication>

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
