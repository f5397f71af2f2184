#include "WindowManager.h"

#include <QDir>
#include <utility>

#include "Ewmh.h"
#include "Poll.h"
#include "TestFiles.h"
#include "XServer.h"

namespace e2e {

WindowManager::WindowManager(QString display, QString home, QString logFile)
    : HelperProcess(std::move(logFile)), display_(std::move(display)), home_(std::move(home)) {}

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
    if (!WriteFile(path, text)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

bool WindowManager::start(QString* error, std::chrono::milliseconds bound) {
    QDir().mkpath(home_);
    const QString config = home_ + QStringLiteral("/rc.xml");
    if (!writeConfig(config, error)) return false;

    QProcessEnvironment env = onDisplay(display_);
    env.insert(QStringLiteral("HOME"), home_);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_ + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home_ + QStringLiteral("/cache"));
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER"}) {
        env.remove(QString::fromLatin1(name));
    }
    if (!launch(QStringLiteral("openbox"),
                {QStringLiteral("--sm-disable"), QStringLiteral("--config-file"), config}, env,
                bound, error)) {
        return false;
    }
    // Windows that appear before openbox has set its work area would be placed against
    // the whole screen.
    Ewmh ewmh(display_);
    return awaitReady([&] { return ewmh.managerPresent() && ewmh.workArea() == workArea(); }, bound,
                      QStringLiteral("did not take the screen"), error, 50ms);
}

}  // namespace e2e
