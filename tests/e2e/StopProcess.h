#pragma once
// Ends a helper process the polite way first: SIGTERM, then SIGKILL if it does not go.

#include <QProcess>

namespace e2e {

inline void StopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

}  // namespace e2e
