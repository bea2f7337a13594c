#pragma once

// main() of the benchmark suites that show widgets: Qt's offscreen platform
// unless QT_QPA_PLATFORM names another, an application object, then the
// benchmarks.

#include <QApplication>

#include <benchmark/benchmark.h>

inline int runQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
