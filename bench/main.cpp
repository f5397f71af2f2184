// Benchmarks run on Qt's offscreen platform with the embedded skin package loaded, like the
// window tests, so that painting and window code run without a display. HOME and
// XDG_CONFIG_HOME point into a private temporary folder: nothing here may touch the user's
// settings.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "OffscreenSession.h"

int main(int argc, char** argv) {
    const OffscreenSession session;
    if (!session.IsValid()) return 2;
    // Widgets, not only a QGuiApplication: the per-position benchmark drives a real window.
    QApplication app(argc, argv);
    if (!session.LoadSkin()) return 2;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
