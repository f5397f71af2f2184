#include "EngineProbe.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <chrono>

#include "Poll.h"

namespace e2e {

std::optional<QJsonValue> EngineProbe::property(const QString& name) const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(2000)) return std::nullopt;
    const QJsonObject request{
        {QStringLiteral("command"), QJsonArray{QStringLiteral("get_property"), name}},
        {QStringLiteral("request_id"), 7}};
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    if (!socket.waitForBytesWritten(2000)) return std::nullopt;
    // Events may come first; the answer carries the request's id.
    QByteArray pending;
    while (socket.waitForReadyRead(2000)) {
        pending += socket.readAll();
        qsizetype end = 0;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QJsonObject reply = QJsonDocument::fromJson(pending.left(end)).object();
            pending.remove(0, end + 1);
            if (reply.value(QStringLiteral("request_id")).toInt() != 7) continue;
            if (reply.value(QStringLiteral("error")).toString() != QStringLiteral("success"))
                return std::nullopt;
            return reply.value(QStringLiteral("data"));
        }
    }
    return std::nullopt;
}

bool EngineProbe::awaitProperty(const QString& name, const QJsonValue& expected) const {
    using namespace std::chrono_literals;
    return pollUntil([&] { return property(name) == expected; }, 20s, 100ms);
}

}  // namespace e2e
