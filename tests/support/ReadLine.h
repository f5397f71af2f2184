#pragma once

#include <QProcess>
#include <QString>
#include <chrono>
#include <optional>

// The next line `process` printed on standard output, trimmed, waiting up to `bound` for
// it; nothing when none came (the process ended or is still busy).
inline std::optional<QString> ReadLine(QProcess& process, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!process.canReadLine()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !process.waitForReadyRead(static_cast<int>(left.count()))) {
            return std::nullopt;
        }
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}
