#include "app/Startup.h"

#include <QDebug>
#include <memory>

#include "app/CommandLine.h"
#include "app/LanguageChoice.h"
#include "engine/EngineLoader.h"
#include "platform/MessageBoxService.h"
#include "platform/SignalWatcher.h"
#include "platform/UiLanguage.h"
#include "skin/SkinPackage.h"
#include "toolkit/PaintManager.h"
#include "ui/PlayerWindow.h"

namespace {

// The zip lives in the executable's data, valid for the whole run.
void InitSkinSource() {
    CPaintManagerUI::SetResourceType(4);
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() +
                                     QStringLiteral("skin/skin/"));
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    if (skin.data && skin.size != 0) CPaintManagerUI::SetResourceZip(skin.data, skin.size);
}

}  // namespace

int RunPlayer(const QStringList& arguments) {
    if (!LoadEngineLibrary()) {
        platform::SystemMessageBox().Show(EngineMissingText(), QStringLiteral("错误"),
                                          platform::MessageBoxIcon::Error);
        return -1;
    }
    const QString path = CommandLinePath(arguments);
    CPaintManagerUI::SetInstance(nullptr);
    InitSkinSource();
    LoadInterfaceLanguage(platform::UserUiPrimaryLanguage());

    auto window = std::make_unique<PlayerWindow>();
    if (!window->CreateAndShow()) {
        // Only a damaged skin package gets here; there is no window to show anything in.
        qCritical("MoviraPlayer: the main window could not be built from its layout");
        return 1;
    }
    if (!path.isEmpty()) window->OpenMedia(path);

    // The end of the session, `kill` and Ctrl+C close the window as the user would, so the
    // position and settings are saved and the exit is clean.
    platform::SignalWatcher closeOnSignal([&window](int) { window->PostMessage(WM_CLOSE); });

    CPaintManagerUI::MessageLoop();

    window.reset();
    CPaintManagerUI::Term();
    return 0;
}
