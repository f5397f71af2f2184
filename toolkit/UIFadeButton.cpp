#include "toolkit/UIFadeButton.h"

#include <QPainter>

#include "toolkit/PaintManager.h"

CFadeButtonUI::~CFadeButtonUI() { StopTimer(); }

QString CFadeButtonUI::GetClass() const { return QStringLiteral("FadeButtonUI"); }

void CFadeButtonUI::OnHotChanged() {
    if (!m_manager || m_timerRunning) return;
    m_timerRunning = m_manager->SetTimer(this, kFadeTimerId, kFadeIntervalMs);
    if (!m_timerRunning) m_fade = m_hot ? 255 : 0;  // no timers: switch at once
}

void CFadeButtonUI::StopTimer() {
    if (m_timerRunning && m_manager) m_manager->KillTimer(this, kFadeTimerId);
    m_timerRunning = false;
}

void CFadeButtonUI::DoEvent(TEventUI& event) {
    if (event.type == UiEvent::Timer && event.wParam == kFadeTimerId) {
        const int target = m_hot ? 255 : 0;
        if (m_fade < target)
            m_fade = std::min(target, m_fade + kFadeStep);
        else if (m_fade > target)
            m_fade = std::max(target, m_fade - kFadeStep);
        if (m_fade == target) StopTimer();
        Invalidate();
        return;
    }
    CButtonUI::DoEvent(event);
}

void CFadeButtonUI::PaintStatusImage(QPainter& painter) {
    if (!m_manager) return;
    if (m_pushed && !m_pushedImage.IsEmpty()) {
        DrawImage(painter, *m_manager, m_pushedImage, m_rcItem);
        return;
    }
    if (m_hotImage.IsEmpty() || m_fade == 0) {
        DrawImage(painter, *m_manager, m_normalImage, m_rcItem);
        return;
    }
    if (m_fade < 255)
        DrawImage(painter, *m_manager, m_normalImage, m_rcItem, (255 - m_fade) / 255.0);
    DrawImage(painter, *m_manager, m_hotImage, m_rcItem, m_fade / 255.0);
}
