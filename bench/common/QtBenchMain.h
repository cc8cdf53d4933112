#pragma once
// The main of every benchmark program: the Qt application its benchmarks need (on the offscreen
// platform unless another is chosen), then Google Benchmark with the rest of the command line.
#include <QByteArray>
#include <benchmark/benchmark.h>

template <typename TApplication>
int RunQtBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
