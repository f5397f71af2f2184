#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace e2e {

// One thing that happened to a top-level window, in the order the X server reported it.
struct WindowEvent {
    // Typed: its program gave it (or one of its inner windows) a _NET_WM_WINDOW_TYPE.
    // Reported as the program asks, so that the type of a window gone a moment later is
    // known all the same.
    enum Kind { Created, Named, Mapped, Unmapped, Destroyed, Typed };
    Kind kind;
    unsigned long window;
    QString name;       // the window's name at that moment (empty if it had none)
    QString type = {};  // Typed only: the preferred type, "_NET_WM_WINDOW_TYPE_TOOLTIP" say
};

// Records every top-level window that any client creates, names, types, shows or hides on
// a display, from start() on. Screenshots and searches only see what exists at one moment;
// this also catches a window that appeared and vanished between two looks. The types come
// from the X server's RECORD extension, which hands over each request that sets one.
class WindowWatcher {
  public:
    WindowWatcher() = default;
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    bool start(const QString& display, QString* error);
    void stop();

    std::vector<WindowEvent> events() const;
    // Waits until `condition` holds for the events so far, or `bound` has passed.
    bool waitFor(const std::function<bool(const std::vector<WindowEvent>&)>& condition,
                 std::chrono::milliseconds bound) const;

  private:
    // `display` has the root window's events selected, `recording` is the state of the
    // enabled recording; run() ends both.
    void run(void* display, void* recording);
    void record(WindowEvent event);

    std::thread thread_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<WindowEvent> events_;
};

// Whether the last type `window` was given is the tooltip's.
bool isTooltip(const std::vector<WindowEvent>& events, unsigned long window);

// The events as readable lines, for failure messages.
QString describe(const std::vector<WindowEvent>& events);

}  // namespace e2e
