#pragma once

#include <QCoreApplication>

#include <benchmark/benchmark.h>

// For benchmarks whose code needs an event loop's application object (queued
// calls, thread pools handing results back): BENCHMARK_MAIN with a
// QCoreApplication around the run.
#define VELMORA_QT_BENCHMARK_MAIN()                                                                                    \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        QCoreApplication app(argc, argv);                                                                              \
        benchmark::Initialize(&argc, argv);                                                                            \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
