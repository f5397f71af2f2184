// The player window, in this process, on the real libmpv under a private Xvfb: the X server
// and a sound server are started before the application object, so that Qt connects to
// that display and the engine finds that sound output, and nothing of the machine's own
// session (display, sound, settings) is touched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <iostream>

#include "IntegrationEnv.h"
#include "SoundServer.h"
#include "XServer.h"
#include "engine/EngineLoader.h"
#include "platform/LibraryLoader.h"
#include "platform/MessageBoxService.h"
#include "skin/SkinPackage.h"
#include "toolkit/PaintManager.h"
#include "toolkit/ResourceManager.h"

namespace {

// A missing library must fail the run with its reasons, not wait on a modal box that no one
// can dismiss on the private display.
class PrintedMessageBox : public platform::MessageBoxService {
  public:
    void Show(const QString& text, const QString& caption, platform::MessageBoxIcon) override {
        std::cerr << caption.toStdString() << ": " << text.toStdString() << '\n';
    }
};

int fail(const QString& why) {
    std::cerr << "integration tests: " << why.toStdString() << '\n';
    return 1;
}

// The servers' logs live in the sandbox, which goes at exit; shown when a server fails.
int failWithLog(const QString& why, const QString& log) {
    QFile file(log);
    if (file.open(QIODevice::ReadOnly)) std::cerr << file.readAll().toStdString() << '\n';
    return fail(why);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build does to register them) needs no display.
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    QTemporaryDir sandbox;
    if (!sandbox.isValid()) return fail(QStringLiteral("no temporary folder"));
    const QString home = sandbox.path() + QStringLiteral("/home");
    const QString runtime = sandbox.path() + QStringLiteral("/run");
    QDir().mkpath(home);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(integration::artifactDir());

    // Declared before the application, so that the display outlives Qt's connection to it.
    const QString serverLog = sandbox.path() + QStringLiteral("/xvfb.log");
    e2e::XServer server(serverLog);
    QString error;
    if (!server.start(&error)) return failWithLog(error, serverLog);
    const QString soundLog = sandbox.path() + QStringLiteral("/pulseaudio.log");
    e2e::SoundServer sound(runtime, home, soundLog);
    if (!sound.start(&error)) return failWithLog(error, soundLog);

    qputenv("DISPLAY", server.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:%1/pulse/native").arg(runtime)));
    for (const char* name : {"XAUTHORITY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                             "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "LANGUAGE", "LC_ALL"}) {
        qunsetenv(name);
    }
    qputenv("LANG", "C.UTF-8");

    int result = 1;
    {
        QApplication app(argc, argv);
        // libmpv refuses to start under any numeric locale but "C"; Qt has just set it.
        std::setlocale(LC_NUMERIC, "C");
        QApplication::setQuitOnLastWindowClosed(false);

        PrintedMessageBox boxes;
        if (!LoadEngineLibrary(GetEngineApi(), platform::SystemLibraryLoader(), boxes,
                               kEngineLibraryNames,
                               {QStringLiteral("failed"), QStringLiteral("%1")})) {
            return fail(QStringLiteral("libmpv could not be loaded"));
        }
        const SkinPackageBlob skin = EmbeddedSkinPackage();
        if (!CPaintManagerUI::SetResourceZip(skin.data, skin.size)) {
            return fail(QStringLiteral("the embedded skin package does not open"));
        }
        if (!CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml"))) {
            return fail(QStringLiteral("the English language table does not load"));
        }
        result = RUN_ALL_TESTS();
        CPaintManagerUI::Term();
    }
    return result;
}
