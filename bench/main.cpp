// Benchmarks run on Qt's offscreen platform with the embedded skin package loaded, like the
// window tests, so that painting and window code run without a display. HOME and
// XDG_CONFIG_HOME point into a private temporary folder: nothing here may touch the user's
// settings.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "skin/SkinPackage.h"
#include "toolkit/PaintManager.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid()) return 2;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    // Widgets, not only a QGuiApplication: the per-position benchmark drives a real window.
    QApplication app(argc, argv);
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    if (!CPaintManagerUI::SetResourceZip(skin.data, skin.size)) return 2;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
