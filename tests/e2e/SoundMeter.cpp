#include "SoundMeter.h"

#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace e2e {

namespace {
constexpr qsizetype kBlockBytes = SoundMeter::kBlockSamples * 2;
}  // namespace

SoundMeter::SoundMeter(QString runtimeDir, QString logFile)
    : HelperProcess(std::move(logFile)), runtimeDir_(std::move(runtimeDir)) {}

bool SoundMeter::start(QString* error) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"),
               QStringLiteral("unix:%1/pulse/native").arg(runtimeDir_));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_);
    env.remove(QStringLiteral("DISPLAY"));
    // The null sink of SoundServer is named "null".
    if (!launch(QStringLiteral("parec"),
                {QStringLiteral("--device=null.monitor"), QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                 QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--latency-msec=20")},
                env, std::chrono::seconds(10), error, Output::Read)) {
        return false;
    }
    pending_.clear();
    lastPeak_ = -1;
    return true;
}

std::optional<int> SoundMeter::nextPeak(std::chrono::steady_clock::time_point deadline) {
    while (pending_.size() < kBlockBytes) {
        pending_ += process_.readAllStandardOutput();
        if (pending_.size() >= kBlockBytes) break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || process_.state() == QProcess::NotRunning) return std::nullopt;
        process_.waitForReadyRead(static_cast<int>(std::min<long>(left.count(), 1000)));
    }
    int peak = 0;
    const auto* bytes = reinterpret_cast<const uchar*>(pending_.constData());
    for (int i = 0; i < kBlockSamples; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(qFromLittleEndian<qint16>(bytes + 2 * i))));
    }
    pending_.remove(0, kBlockBytes);
    lastPeak_ = peak;
    return peak;
}

std::optional<int> SoundMeter::awaitPeak(const std::function<bool(int)>& condition,
                                         std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (const auto peak = nextPeak(deadline)) {
        if (condition(*peak)) return peak;
    }
    return std::nullopt;
}

std::optional<int> SoundMeter::loudestOf(int blocks, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int loudest = 0;
    for (int i = 0; i < blocks; ++i) {
        const auto peak = nextPeak(deadline);
        if (!peak) return std::nullopt;
        loudest = std::max(loudest, *peak);
    }
    return loudest;
}

}  // namespace e2e
