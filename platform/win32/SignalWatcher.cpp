#include "platform/SignalWatcher.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QMetaObject>
#include <csignal>

#include "platform/win32/WideText.h"

namespace platform {
namespace {

// The watcher that takes the console's events; one at a time.
SignalWatcher* g_watcher = nullptr;
std::function<void(int)>* g_onSignal = nullptr;
HANDLE g_finished = nullptr;

// Console events come on a thread of their own. Ctrl+C and Ctrl+Break close the window as the
// close button does; the console's own closing, logoff and shutdown end the process as soon
// as this returns, so those wait (within the system's few seconds) until the program is done.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (!g_onSignal) return FALSE;
    const int signal = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? SIGINT : SIGTERM;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [signal] {
            if (g_onSignal) (*g_onSignal)(signal);
        },
        Qt::QueuedConnection);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(g_finished, 4500);
    return TRUE;
}

// The end of the Windows session comes as window messages. The process may end as soon as
// WM_ENDSESSION returns, so the close it asks for is carried out before that.
class SessionEndFilter final : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
        if (type != "windows_generic_MSG" && type != "windows_dispatcher_MSG") return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_QUERYENDSESSION) {
            // Nothing needs asking: the position and settings are saved without the user.
            *result = TRUE;
            return true;
        }
        if (msg->message == WM_ENDSESSION && msg->wParam && g_onSignal && !m_ended) {
            m_ended = true;
            (*g_onSignal)(SIGTERM);
            QCoreApplication::sendPostedEvents();
            *result = 0;
            return true;
        }
        return false;
    }

  private:
    bool m_ended = false;
};

}  // namespace

struct SignalWatcher::Impl {
    std::function<void(int)> onSignal;
    SessionEndFilter sessionEnd;
};

SignalWatcher::SignalWatcher(std::function<void(int)> onSignal) : m_impl(std::make_unique<Impl>()) {
    if (g_watcher || !QCoreApplication::instance()) return;
    m_impl->onSignal = std::move(onSignal);
    g_finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_onSignal = &m_impl->onSignal;
    g_watcher = this;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    QCoreApplication::instance()->installNativeEventFilter(&m_impl->sessionEnd);
    m_active = true;
}

SignalWatcher::~SignalWatcher() {
    if (!m_active) return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(&m_impl->sessionEnd);
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    g_onSignal = nullptr;
    g_watcher = nullptr;
    // A console handler waiting for the end may let the process go now.
    SetEvent(g_finished);
}

}  // namespace platform
