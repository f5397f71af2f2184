#pragma once

#include <functional>
#include <memory>

namespace platform {

// Turns the system's requests to end the program into a call on the UI thread, so the program
// can close as if the user had closed its window: on Linux SIGTERM, SIGINT and SIGHUP (the
// end of a desktop session, `kill`, Ctrl+C), whose handler only writes to a pipe; on Windows
// the end of the session (WM_QUERYENDSESSION / WM_ENDSESSION) and the console's Ctrl+C,
// Ctrl+Break and close, which arrive as SIGTERM or SIGINT.
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
