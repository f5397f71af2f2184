#include "WindowManager.h"

#include <QDir>
#include <QFile>
#include <utility>

#include "Ewmh.h"
#include "Poll.h"
#include "StopProcess.h"
#include "XServer.h"

namespace e2e {

WindowManager::WindowManager(QString display, QString home, QString logFile)
    : display_(std::move(display)), home_(std::move(home)), logFile_(std::move(logFile)) {}

WindowManager::~WindowManager() { stop(); }

QRect WindowManager::workArea() const {
    return {0, 0, XServer::kWidth, XServer::kHeight - reservedBottom_};
}

bool WindowManager::writeConfig(const QString& path, QString* error) const {
    // A press with any button focuses and raises the window under it, as on every desktop;
    // openbox passes the press on to the window.
    QByteArray bindings;
    for (const char* button : {"Left", "Middle", "Right"}) {
        bindings += QByteArray("      <mousebind button=\"") + button +
                    "\" action=\"Press\"><action name=\"Focus\"/><action name=\"Raise\"/>"
                    "</mousebind>\n";
    }
    const QByteArray text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
        "  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>\n"
        "  <placement><policy>Smart</policy><center>yes</center></placement>\n"
        "  <margins><top>0</top><bottom>" +
        QByteArray::number(reservedBottom_) +
        "</bottom><left>0</left><right>0</right></margins>\n"
        "  <desktops><number>1</number></desktops>\n"
        "  <keyboard></keyboard>\n"
        "  <mouse>\n"
        "    <context name=\"Client\">\n" +
        bindings +
        "    </context>\n"
        "  </mouse>\n"
        "</openbox_config>\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

bool WindowManager::start(QString* error, std::chrono::milliseconds bound) {
    QDir().mkpath(home_);
    const QString config = home_ + QStringLiteral("/rc.xml");
    if (!writeConfig(config, error)) return false;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("HOME"), home_);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_ + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home_ + QStringLiteral("/cache"));
    for (const char* name : {"XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER"}) {
        env.remove(QString::fromLatin1(name));
    }
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(logFile_);
    process_.start(QStringLiteral("openbox"),
                   {QStringLiteral("--sm-disable"), QStringLiteral("--config-file"), config});
    if (!process_.waitForStarted(static_cast<int>(bound.count()))) {
        *error = QStringLiteral("cannot start openbox: %1").arg(process_.errorString());
        return false;
    }
    // Windows that appear before openbox has set its work area would be placed against
    // the whole screen.
    Ewmh ewmh(display_);
    const auto ready = [&] { return ewmh.managerPresent() && ewmh.workArea() == workArea(); };
    pollUntil([&] { return process_.state() == QProcess::NotRunning || ready(); }, bound, 50ms);
    if (process_.state() == QProcess::NotRunning || !ready()) {
        *error = QStringLiteral("openbox did not take the screen; see %1").arg(logFile_);
        stop();
        return false;
    }
    return true;
}

void WindowManager::stop() { StopProcess(process_); }

}  // namespace e2e
