// MoviraPlayer: a small skinned media player. libmpv decodes and draws; Qt hosts the window.

#include <QApplication>
#include <clocale>

#include "app/Startup.h"
#include "platform/AllocatorTuning.h"

int main(int argc, char* argv[]) {
    platform::KeepLargeBlocksReturnable();
    // The engine draws only into X11 windows: under Wayland, take the X server when there is one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // libmpv refuses to start under any numeric locale but "C"; Qt has just set it from the
    // environment.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("MoviraPlayer"));
    QApplication::setApplicationVersion(QStringLiteral(MOVIRA_VERSION));
    return RunPlayer(QApplication::arguments());
}
