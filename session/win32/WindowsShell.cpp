#include "session/win32/WindowsShell.h"

#include <windows.h>

#include "session/ShellSession.h"
#include "session/win32/PowerDisplayRequest.h"
#include "session/win32/ShellIdentity.h"
#include "session/win32/SmtcControls.h"
#include "session/win32/TaskbarThumbnails.h"

std::unique_ptr<ShellSession> JoinWindowsShell(Player& player, quintptr window,
                                               ThumbButtonLooks looks) {
    const HWND hwnd = reinterpret_cast<HWND>(window);
    auto media = std::make_unique<SmtcControls>(hwnd);
    auto taskbar = std::make_unique<TaskbarThumbnails>(hwnd, std::move(looks));
    SmtcControls* mediaControls = media.get();
    TaskbarThumbnails* thumbnails = taskbar.get();
    auto session = std::make_unique<ShellSession>(
        player, ShellServices{std::move(media), std::move(taskbar),
                              std::make_unique<PowerDisplayRequest>(
                                  QStringLiteral("MoviraPlayer is playing a video")),
                              std::make_unique<ShellRecentDocuments>()});
    mediaControls->Connect(session.get());
    thumbnails->Connect(session.get());
    return session;
}
