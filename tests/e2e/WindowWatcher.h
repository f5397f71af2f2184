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
    enum Kind { Created, Named, Mapped, Unmapped, Destroyed };
    Kind kind;
    unsigned long window;
    QString name;  // the window's name at that moment (empty if it had none)
};

// Records every top-level window that any client creates, names, shows or hides on a
// display, from start() on. Screenshots and searches only see what exists at one moment;
// this also catches a window that appeared and vanished between two looks.
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
    void run(void* display);
    void record(WindowEvent event);

    std::thread thread_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<WindowEvent> events_;
};

// The events as readable lines, for failure messages.
QString describe(const std::vector<WindowEvent>& events);

}  // namespace e2e
