#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

// For benchmarks that drive widgets: BENCHMARK_MAIN with a QApplication
// around the run, on the offscreen platform unless the caller names another.
#define VELMORA_QT_WIDGETS_BENCHMARK_MAIN()                                                                            \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
