#include "platform/SignalWatcher.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <memory>

namespace platform {
namespace {

int g_writeFd = -1;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (g_writeFd >= 0) {
        // A full pipe already holds a pending close; dropping this byte loses nothing.
        [[maybe_unused]] const ssize_t n = ::write(g_writeFd, &byte, 1);
    }
    errno = saved;
}

}  // namespace

struct SignalWatcher::Impl {
    int fds[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
    struct sigaction previous[3] = {};
};

SignalWatcher::SignalWatcher(std::function<void(int)> onSignal) : m_impl(std::make_unique<Impl>()) {
    if (g_writeFd >= 0 || ::pipe2(m_impl->fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_writeFd = m_impl->fds[1];
    m_impl->notifier = std::make_unique<QSocketNotifier>(m_impl->fds[0], QSocketNotifier::Read);
    QObject::connect(m_impl->notifier.get(), &QSocketNotifier::activated,
                     [fd = m_impl->fds[0], onSignal = std::move(onSignal)] {
                         unsigned char byte = 0;
                         while (::read(fd, &byte, 1) == 1) onSignal(byte);
                     });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &action, &m_impl->previous[i]);
    m_active = true;
}

SignalWatcher::~SignalWatcher() {
    if (m_active) {
        for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &m_impl->previous[i], nullptr);
        g_writeFd = -1;
        m_impl->notifier.reset();
        ::close(m_impl->fds[0]);
        ::close(m_impl->fds[1]);
    }
}

}  // namespace platform
