// PlayerWindow: what every button and slider of the main window does.

#include "settings/SettingsStore.h"
#include "toolkit/Dpi.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"
#include "ui/TimeFormat.h"

void PlayerWindow::Notify(TNotifyUI& msg) {
    CControlUI* sender = msg.pSender;
    if (!sender) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) {
        OnClickControl(sender);
    } else if (msg.sType == DUI_MSGTYPE_VALUECHANGED) {
        if (sender == m_pProgress)
            OnProgressReleased();
        else if (sender->GetName() == u"slider_volume")
            if (const auto* slider = dynamic_cast<CProgressUI*>(sender))
                m_player.SetVolume(slider->GetValue());
    } else if (msg.sType == DUI_MSGTYPE_MOVEVALUECHANGED) {
        if (sender == m_pProgress) OnProgressDragged();
    }
}

void PlayerWindow::OnCloseClicked() {
    if (!m_player.FilePath().isEmpty()) RecordWindowRect();
    PostMessage(WM_CLOSE);
}

void PlayerWindow::SendSysCommand(WPARAM command) {
    SendMessage(WM_SYSCOMMAND, command, 0);
    // Minimised and maximised, the video is laid out again once the command has been carried
    // out; a restore is followed by the move it causes.
    if (command != SC_RESTORE) PostMessage(WM_RELAYOUT_VIDEO);
}

void PlayerWindow::ToggleTitle() {
    if (m_pTitleLabel)
        m_pTitleLabel->SetText(m_pTitleLabel->GetText().isEmpty() ? m_player.Title() : QString());
    ShowTitleState();
}

void PlayerWindow::StoreWindowRect(ResumeEntry& entry, const QRect& r, float dpiScale) {
    entry.x = CDPI::ToLogicalAtSystemScale(r.left(), dpiScale);
    entry.y = CDPI::ToLogicalAtSystemScale(r.top(), dpiScale);
    entry.w = r.width();
    entry.h = r.height();
}

void PlayerWindow::RecordWindowRect() {
    StoreWindowRect(m_player.Store().EntryFor(m_player.FilePath()), GetWindowRect(), m_dpiScale);
}

void PlayerWindow::TogglePin() {
    m_bTopMost = !m_bTopMost;
    if (!m_pPinBtn) return;
    ApplyLook(m_pPinBtn, m_bTopMost ? "look_pinned" : "look_unpinned");
    ShowToggleState(m_pPinBtn, m_bTopMost);
    SetTopMost(m_bTopMost);
}

void PlayerWindow::OnProgressDragged() {
    m_bSeeking = true;
    const double duration = m_player.Duration();
    const double position = duration * (m_pProgress->GetValue() / ProgressScale());
    SetTimeText(FormatTime(position) + QStringLiteral(" / ") + FormatTime(duration));
}

void PlayerWindow::OnProgressReleased() {
    m_bSeeking = false;
    // The slider's place, to the hundredth of a second.
    m_player.SeekTo(m_pProgress->GetValue() / ProgressScale() * m_player.Duration(), 2);
}

void PlayerWindow::Raise() {
    if (IsIconic()) SendSysCommand(SC_RESTORE);
    ShowWindow(true, true);
}
