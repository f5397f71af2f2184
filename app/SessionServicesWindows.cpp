#include <QImage>
#include <QWidget>
#include <optional>

#include "app/SessionServices.h"
#include "session/ShellSession.h"
#include "session/win32/WindowsShell.h"
#include "toolkit/PaintManager.h"
#include "toolkit/ResourceManager.h"
#include "ui/PlayerWindow.h"

namespace {

QImage SkinImage(const char* name) {
    const std::optional<QByteArray> bytes =
        CPaintManagerUI::LoadResource(QString::fromLatin1(name));
    return bytes ? QImage::fromData(*bytes) : QImage();
}

QString Text(const char* id) {
    return CResourceManager::GetInstance().GetText(QString::fromLatin1(id));
}

// The thumbnail toolbar looks like the control bar: its icons and tooltips.
ThumbButtonLooks ControlBarLooks() {
    return {SkinImage("imgs/play_normal.png"),
            SkinImage("imgs/playing_normal.png"),
            SkinImage("imgs/backward_normal.png"),
            SkinImage("imgs/forward_normal.png"),
            Text("play"),
            Text("pause"),
            Text("backward"),
            Text("forward")};
}

class WindowsShellSession final : public SessionServices {
  public:
    explicit WindowsShellSession(PlayerWindow& window)
        : m_window(window),
          m_session(
              JoinWindowsShell(window.GetPlayer(), window.GetHWND()->winId(), ControlBarLooks())) {
        // Where the media controls answer the media keys, the keys reach the player through
        // them alone; elsewhere (Wine, older systems) the window takes them as keys.
        window.SetMediaKeysFromSystem(m_session->TakesMediaKeys());
    }
    ~WindowsShellSession() override { m_window.SetMediaKeysFromSystem(false); }

  private:
    PlayerWindow& m_window;
    std::unique_ptr<ShellSession> m_session;
};

}  // namespace

void PrepareDesktopSession() {
    SetShellApplicationId(QStringLiteral("example.movira.MoviraPlayer"));
}

std::unique_ptr<SessionServices> JoinDesktopSession(PlayerWindow& window) {
    if (!window.GetHWND()) return nullptr;
    return std::make_unique<WindowsShellSession>(window);
}
