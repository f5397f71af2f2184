#include "app/Startup.h"

#include <QDebug>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include "app/LanguageChoice.h"
#include "app/SessionServices.h"
#include "app/StartupTexts.h"
#include "engine/EngineLoader.h"
#include "platform/MessageBoxService.h"
#include "platform/SignalWatcher.h"
#include "platform/UiLanguage.h"
#include "skin/SkinPackage.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/PaintManager.h"
#include "ui/PlayerWindow.h"

namespace {

// The zip lives in the executable's data, valid for the whole run.
void InitSkinSource() {
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    if (skin.data && skin.size != 0) CPaintManagerUI::SetResourceZip(skin.data, skin.size);
}

}  // namespace

int RunPlayer(const QStringList& files) {
    const int language = platform::UserUiPrimaryLanguage();
    // Before the first message box, whose buttons are Qt's and whose texts are the table's.
    QTranslator qtTexts;
    InstallQtTranslation(qtTexts, language);
    InitSkinSource();
    LoadInterfaceLanguage(language);
    if (!LoadEngineLibrary(EngineFailedBox())) {
        const platform::MessageBoxTexts box = EngineMissingBox();
        platform::SystemMessageBox().Show(box.text, box.caption, platform::MessageBoxIcon::Error);
        CPaintManagerUI::Term();
        return -1;
    }
    InstallToolkitAccessibility();
    PrepareDesktopSession();

    auto window = std::make_unique<PlayerWindow>();
    if (!window->CreateAndShow()) {
        // Only a damaged skin package gets here; there is no window to show anything in.
        qCritical("MoviraPlayer: the main window could not be built from its layout");
        return 1;
    }
    if (!files.isEmpty()) window->OpenMediaFiles(files);

    // The end of the session, `kill` and Ctrl+C close the window as the user would, so the
    // position and settings are saved and the exit is clean.
    platform::SignalWatcher closeOnSignal([&window](int) { window->PostMessage(WM_CLOSE); });

    // The desktop's media controls and the idle inhibition join once the loop runs: the
    // first picture does not wait for the session bus.
    std::unique_ptr<SessionServices> session;
    QTimer::singleShot(0, [&session, &window] { session = JoinDesktopSession(*window); });

    CPaintManagerUI::MessageLoop();

    session.reset();
    window.reset();
    CPaintManagerUI::Term();
    return 0;
}
