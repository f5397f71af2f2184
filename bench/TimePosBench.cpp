// What the main window does for every new playback position: the engine wakes the window,
// the window drains the "time-pos" change, moves the progress slider, reads the position
// for the time label, and repaints what changed. The engine reports a position for every
// video frame, so this runs 25 to 60 times a second during playback. The engine here is a
// stub that answers at once: a real one adds the round trip of the position read.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTemporaryDir>
#include <QWidget>

#include "StubEngine.h"
#include "settings/SettingsStore.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    long paints = 0;
};

void BM_TimePosUpdate(benchmark::State& state) {
    QTemporaryDir folder;
    SettingsStore store(folder.path() + QStringLiteral("/MoviraPlayer/"));
    PlayerWindow window(stub_engine::Api(), &store);
    if (!window.CreateAndShow()) {
        state.SkipWithError("the main window did not build");
        return;
    }
    QCoreApplication::processEvents();

    // A 30 s file, as the engine reports it after loading.
    stub_engine::SetDuration(30.0);
    stub_engine::QueueDurationChange();
    window.SendMessage(WM_ENGINE_WAKEUP);
    QCoreApplication::processEvents();

    PaintCounter counter;
    window.GetHWND()->installEventFilter(&counter);
    double position = 0.0;
    for (auto _ : state) {
        // One frame later at 25 frames a second; wraps so that the slider keeps moving.
        position = position >= 29.0 ? 0.0 : position + 0.04;
        stub_engine::SetTimePos(position);
        stub_engine::QueueTimePosChange();
        // As from the engine's wake-up callback: posted, then handled by the event loop.
        window.PostMessage(WM_ENGINE_WAKEUP);
        QCoreApplication::processEvents();
        // The repaint the update asked for is posted while the first pass runs.
        QCoreApplication::processEvents();
    }
    window.GetHWND()->removeEventFilter(&counter);
    state.counters["paints"] =
        benchmark::Counter(static_cast<double>(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TimePosUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
