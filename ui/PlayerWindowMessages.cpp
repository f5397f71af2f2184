// PlayerWindow: the window messages it handles and the engine's events.

#include "platform/AllocatorTuning.h"
#include "toolkit/DropFiles.h"
#include "toolkit/MenuCommand.h"
#include "toolkit/MessagePayload.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UIControl.h"
#include "toolkit/UISlider.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"

namespace {

// One notch of a wheel; touchpads send parts of it.
constexpr int kWheelNotch = 120;

}  // namespace

LRESULT PlayerWindow::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    switch (msg) {
        case WM_DESTROY:
            // OnDestroy has posted the quit message; nothing else needs this one.
            handled = true;
            break;
        case WM_SHOWWINDOW:
            if (m_pMinBtn) m_pMinBtn->NeedParentUpdate();
            m_pm.Invalidate();
            break;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            const UINT still = SWP_NOSIZE | SWP_NOMOVE;
            if (pos && (pos->flags & still) != still) PostMessage(WM_RELAYOUT_VIDEO);
            break;
        }
        case WM_KEYDOWN:
            OnKeyPressed(wParam);
            break;
        case WM_MOUSEWHEEL:
            OnMouseWheel(wParam, lParam);
            break;
        case WM_TIMER:
            OnFullScreenTimer(wParam);
            break;
        case WM_MOUSEMOVE:
            OnFullScreenMouseMove(lParam);
            m_hoverLabel.OnMouseMove(ToLogical(QPoint(PointLParamX(lParam), PointLParamY(lParam))));
            break;
        case WM_MOUSELEAVE:
            OnFullScreenMouseLeave();
            m_hoverLabel.Hide();
            break;
        case WM_DPICHANGED:
            OnDpiChanged(static_cast<int>(wParam & 0xFFFF), reinterpret_cast<const QRect*>(lParam));
            break;
        case WM_MENU_PICK:
            if (const MenuCommand* pick = PayloadValue<MenuCommand>(wParam)) OnMenuPick(*pick);
            handled = true;
            break;
        case WM_DROPFILES: {
            if (const auto* drop = reinterpret_cast<const DropFiles*>(wParam))
                OnFilesDropped(drop->paths);
            DragFinish(wParam);
            handled = true;
            break;
        }
        case WM_ENGINE_WAKEUP:
            m_player.DrainEvents();
            break;
        case WM_VIDEO_CLICK:
            TogglePause();
            handled = true;
            break;
        case WM_VIDEO_DROPFILE:
            if (const QStringList* paths = PayloadValue<QStringList>(wParam))
                OnFilesDropped(*paths);
            handled = true;
            break;
        case WM_RELAYOUT_VIDEO:
            LayoutVideoWindow();
            break;
        case WM_FILE_LOADED:
            m_player.RestorePosition();
            FitWindowToVideo();
            // What the engine kept for the file before is freed by now.
            platform::ReturnFreedMemory();
            break;
        case WM_VIDEO_DBLCLK:
            if (!m_player.HasEngine() || m_player.FilePath().isEmpty()) OpenMedia(QString());
            handled = true;
            break;
        default:
            break;
    }
    return 0;
}

void PlayerWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    const QPoint pt = ScreenToClient(QPoint(PointLParamX(lParam), PointLParamY(lParam)));
    if (!GetClientRect().contains(pt) || IsOverShownBar(ToLogical(pt))) return;
    // Parts of a notch add up, so that a touchpad's small steps change the volume as a
    // notch does once they make one together.
    m_wheelDelta += static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
    const int notches = m_wheelDelta / kWheelNotch;
    if (notches == 0) return;
    m_wheelDelta -= notches * kWheelNotch;
    StepVolume(notches * VolumeStep());
}

void PlayerWindow::StepVolume(int delta) {
    // From the level the slider shows, as a hand on it would.
    const int level = m_pVolume ? m_pVolume->GetValue() : m_player.VolumeLevel();
    m_player.SetVolume(level + delta);
}

bool PlayerWindow::IsOverShownBar(const QPoint& logical) {
    m_pm.LayoutIfNeeded();
    for (const CContainerUI* bar : {m_pTopBar, m_pBottomBar}) {
        if (bar && bar->IsVisible() && bar->GetPos().contains(logical)) return true;
    }
    return false;
}

void PlayerWindow::OnMenuPick(const MenuCommand& pick) {
    if (const SpeedItem* item = m_speedItems.FindByName(pick.name))
        SetSpeed(item->speed);
    else if (pick.name == u"subtitle_")
        m_player.SelectSubtitle(ParseUserDataId(pick.userData));
    else if (pick.name == u"audio_")
        m_player.SelectAudio(ParseUserDataId(pick.userData));
    else if (pick.name == u"subtitle_load")
        AskSubtitleFile();
    else
        return;
    AnnouncePick(pick.text);
}
