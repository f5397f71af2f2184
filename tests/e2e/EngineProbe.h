#pragma once
// Asks the player's engine for its properties over the engine's own JSON IPC socket, which
// the player opens when started with probeEnvironment()'s variable: what the window shows is
// checked from the screen, what the engine does from here.

#include <QJsonValue>
#include <QString>
#include <optional>

namespace e2e {

class EngineProbe {
  public:
    explicit EngineProbe(QString socketPath) : socketPath_(std::move(socketPath)) {}

    // The value of MOVIRA_ENGINE_OPTIONS that opens the socket.
    QString engineOptions() const { return QStringLiteral("input-ipc-server=") + socketPath_; }
    // The property's value, or nullopt when the engine did not answer or has no such value.
    std::optional<QJsonValue> property(const QString& name) const;
    // Waits until the property equals `expected`; false if it did not within the bound.
    bool awaitProperty(const QString& name, const QJsonValue& expected) const;

  private:
    QString socketPath_;
};

}  // namespace e2e
