// Painting the main window's layout ("main.xml") at its default 800x600 size into an image,
// the way the window host paints into its backing store.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "BenchHost.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIControl.h"

namespace {

const QSize kWindowSize(800, 600);

// Builds main.xml into pm; false (with the reason on state) when the skin does not build.
bool BuildMainLayout(CPaintManagerUI& pm, benchmark::State& state) {
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root = builder.Create(QStringLiteral("main.xml"), &pm);
    if (!root) {
        state.SkipWithError("main.xml did not build");
        return false;
    }
    pm.AttachDialog(std::move(root));
    return true;
}

QImage WindowImage() {
    // The format of a widget's backing store on X11 and offscreen.
    QImage image(kWindowSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// One full repaint of a window that is already built, laid out and has its images decoded:
// what every exposure or resize of the window costs.
void BM_PaintMainWindow(benchmark::State& state) {
    BenchHost host(kWindowSize);
    CPaintManagerUI pm;
    pm.Init(&host);
    if (!BuildMainLayout(pm, state)) return;
    QImage image = WindowImage();
    {
        // The first paint lays the tree out and loads the images; it is not measured here.
        QPainter painter(&image);
        pm.Paint(painter, image.rect());
    }
    for (auto _ : state) {
        QPainter painter(&image);
        pm.Paint(painter, image.rect());
    }
}
BENCHMARK(BM_PaintMainWindow)->Unit(benchmark::kMicrosecond);

// Building the layout from the skin package and painting it for the first time: layout,
// fonts and every image decoded from the package. Part of the player's start-up.
void BM_BuildAndFirstPaintMainWindow(benchmark::State& state) {
    BenchHost host(kWindowSize);
    QImage image = WindowImage();
    for (auto _ : state) {
        CPaintManagerUI pm;
        pm.Init(&host);
        if (!BuildMainLayout(pm, state)) return;
        QPainter painter(&image);
        pm.Paint(painter, image.rect());
    }
}
BENCHMARK(BM_BuildAndFirstPaintMainWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
