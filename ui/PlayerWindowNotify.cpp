// PlayerWindow: what every button and slider of the main window does.

#include "engine/PlaybackCommands.h"
#include "engine/TimeFormat.h"
#include "settings/SettingsStore.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "ui/ButtonLooks.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"

namespace {
constexpr double kStepSeconds = 30.0;
constexpr double kProgressScale = 1000.0;
}  // namespace

void PlayerWindow::Notify(TNotifyUI& msg) {
    CControlUI* sender = msg.pSender;
    if (!sender) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) {
        OnClickControl(sender);
    } else if (msg.sType == DUI_MSGTYPE_VALUECHANGED) {
        if (sender == m_pProgress)
            OnProgressReleased();
        else if (sender->GetName() == u"slider_volume")
            OnVolumeChanged(sender);
    } else if (msg.sType == DUI_MSGTYPE_MOVEVALUECHANGED) {
        if (sender == m_pProgress) OnProgressDragged();
    }
}

void PlayerWindow::OnClickControl(CControlUI* sender) {
    const QString name = sender->GetName();
    if (sender == m_pCloseBtn) {
        if (!m_filePath.isEmpty()) RecordWindowRect();
        PostMessage(WM_CLOSE);
    } else if (sender == m_pMinBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        PostMessage(WM_RELAYOUT_VIDEO);
    } else if (sender == m_pMaxBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        PostMessage(WM_RELAYOUT_VIDEO);
    } else if (sender == m_pRestoreBtn) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (name == u"btn_open") {
        OpenMedia(QString());
    } else if (name == u"btn_play") {
        if (m_filePath.isEmpty())
            OpenMedia(QString());
        else
            TogglePause();
    } else if (name == u"btn_stop") {
        Stop();
    } else if (name == u"btn_fullscreen") {
        ToggleFullScreen();
    } else if (name == u"btn_forward") {
        SeekRelative(kStepSeconds);
    } else if (name == u"btn_backward") {
        SeekRelative(-kStepSeconds);
    } else if (name == u"btn_volume") {
        m_bMute = !m_bMute;
        ApplyMute();
    } else if (name == u"pinbtn") {
        TogglePin();
    } else if (name == u"infobtn") {
        if (m_pTitleLabel)
            m_pTitleLabel->SetText(m_pTitleLabel->GetText().isEmpty() ? m_title : QString());
    } else if (name == u"menubtn") {
        ShowAbout();
    } else if (name == u"btn_speed") {
        ShowSpeedMenu(sender);
    } else if (name == u"btn_subtitle") {
        ShowSubtitleMenu(sender);
    }
}

void PlayerWindow::StoreWindowRect(ResumeEntry& entry, const QRect& r, float dpiScale) {
    entry.x = static_cast<int>(static_cast<float>(r.left()) / dpiScale);
    entry.y = static_cast<int>(static_cast<float>(r.top()) / dpiScale);
    entry.w = r.width();
    entry.h = r.height();
}

void PlayerWindow::RecordWindowRect() {
    StoreWindowRect(Store().EntryFor(m_filePath), GetWindowRect(), m_dpiScale);
}

void PlayerWindow::Stop() {
    if (m_pPlayBtn) m_pPlayBtn->ApplyAttributeList(QString::fromLatin1(kPlayLook));
    if (m_pTimeLabel) m_pTimeLabel->SetText(QStringLiteral("00:00 / 00:00"));
    if (m_pTitleLabel) {
        m_pTitleLabel->SetText(QString());
        if (m_pInfoBtn) m_pInfoBtn->SetVisible(false);
    }
    if (m_pProgress) m_pProgress->SetValue(0);
    if (m_mpv) {
        StopPlayback(m_api, m_mpv);
        if (!m_filePath.isEmpty()) Store().EraseEntry(m_filePath);
    }
}

void PlayerWindow::TogglePin() {
    m_bTopMost = !m_bTopMost;
    if (!m_pPinBtn) return;
    m_pPinBtn->ApplyAttributeList(QString::fromLatin1(m_bTopMost ? kPinnedLook : kUnpinnedLook));
    SetTopMost(m_bTopMost);
}

void PlayerWindow::OnProgressDragged() {
    m_bSeeking = true;
    const double position = m_duration * (m_pProgress->GetValue() / kProgressScale);
    if (m_pTimeLabel)
        m_pTimeLabel->SetText(FormatTime(position) + QStringLiteral(" / ") +
                              FormatTime(m_duration));
}

void PlayerWindow::OnProgressReleased() {
    m_bSeeking = false;
    const double position = m_pProgress->GetValue() / kProgressScale * m_duration;
    if (m_mpv) SeekAbsolute(m_api, m_mpv, position, 2);
}

void PlayerWindow::OnVolumeChanged(CControlUI* sender) {
    const auto* slider = dynamic_cast<CProgressUI*>(sender);
    if (!slider) return;
    if (m_mpv) SetVolume(m_api, m_mpv, static_cast<double>(slider->GetValue()));
    m_bMute = false;
    ApplyMute();
}
