// MoviraPlayer: a small skinned media player. libmpv decodes and draws; Qt hosts the window.

#include <QApplication>
#include <clocale>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "app/UsageText.h"
#include "platform/AllocatorTuning.h"
#include "platform/ConsoleOutput.h"
#include "platform/ProgramArguments.h"

int main(int argc, char* argv[]) {
    // Help and version need no display: they are printed before Qt starts.
    const CommandLineRequest request = ReadCommandLine(platform::ProgramArguments(argc, argv));
    if (request.action == CommandLineRequest::Action::ShowHelp) {
        platform::WriteToConsole(kUsageText);
        return 0;
    }
    if (request.action == CommandLineRequest::Action::ShowVersion) {
        platform::WriteToConsole("MoviraPlayer " MOVIRA_VERSION "\n");
        return 0;
    }

    platform::KeepLargeBlocksReturnable();
    // The engine draws only into X11 windows: under Wayland, take the X server when there is one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Qt sees none of the arguments, so that no file name (a file called "-style", say) is
    // ever taken for one of its options.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    // libmpv refuses to start under any numeric locale but "C"; Qt has just set it from the
    // environment.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("MoviraPlayer"));
    QApplication::setApplicationVersion(QStringLiteral(MOVIRA_VERSION));
    // The application id: the desktop matches the window to its entry and icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.movira.MoviraPlayer"));
    return RunPlayer(request.files);
}
