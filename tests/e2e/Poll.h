#pragma once

#include <QThread>
#include <chrono>

namespace e2e {

using namespace std::chrono_literals;

// Re-checks `condition` until it holds or `bound` has passed; true when it held. The
// bound only limits how long a failing test waits, it is never part of what is checked.
template <typename Condition>
bool pollUntil(Condition&& condition, std::chrono::milliseconds bound,
               std::chrono::milliseconds interval = 20ms) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        QThread::msleep(static_cast<unsigned long>(interval.count()));
    }
}

}  // namespace e2e
