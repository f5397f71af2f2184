#pragma once

#include <functional>
#include <memory>

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP (the end of a desktop session, `kill`, Ctrl+C) into a
// call on the UI thread, so the program can close as if the user had closed its window.
// The handler only writes to a pipe; the call happens from the event loop.
class SignalWatcher {
  public:
    // Installs the handlers; `onSignal` receives the signal number. One watcher at a time.
    explicit SignalWatcher(std::function<void(int)> onSignal);
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

    bool IsActive() const { return m_active; }

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    bool m_active = false;
};

}  // namespace platform
