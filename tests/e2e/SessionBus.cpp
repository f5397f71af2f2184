#include "SessionBus.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "ReadLine.h"

namespace e2e {

bool SessionBus::start(QString* error, std::chrono::milliseconds bound) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    if (!launch(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--session"), QStringLiteral("--nofork"),
                 QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")},
                env, bound, error, Output::Read)) {
        return false;
    }
    // The address is printed once the bus listens.
    address_ = ReadLine(process_, bound).value_or(QString());
    if (address_.isEmpty()) {
        *error = QStringLiteral("dbus-daemon printed no address; see %1").arg(logFile_);
        stop();
        return false;
    }
    return true;
}

QProcessEnvironment SessionBus::env() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    return env;
}

QString SessionBus::run(const QString& program, const QStringList& arguments, bool* ok,
                        const QString& display) const {
    QProcess tool;
    QProcessEnvironment environment = env();
    if (!display.isEmpty()) environment.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(environment);
    tool.setStandardInputFile(QProcess::nullDevice());
    tool.start(program, arguments);
    const bool ended = tool.waitForFinished(120000);
    if (!ended) tool.kill();
    if (ok) *ok = ended && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

bool SessionBus::enableAccessibility() const {
    bool enabled = false;
    run(QStringLiteral("dbus-send"),
        {QStringLiteral("--session"), QStringLiteral("--print-reply"),
         QStringLiteral("--dest=org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
         QStringLiteral("org.freedesktop.DBus.Properties.Set"),
         QStringLiteral("string:org.a11y.Status"), QStringLiteral("string:IsEnabled"),
         QStringLiteral("variant:boolean:true")},
        &enabled);
    return enabled;
}

void StartSessionBus(const QString& artifactDir, std::unique_ptr<SessionBus>* bus) {
    *bus = std::make_unique<SessionBus>(artifactDir + QStringLiteral("/dbus.log"));
    QString error;
    ASSERT_TRUE((*bus)->start(&error)) << error.toStdString();
}

}  // namespace e2e
