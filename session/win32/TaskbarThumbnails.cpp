#include "session/win32/TaskbarThumbnails.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

Q_LOGGING_CATEGORY(lcTaskbar, "movira.session.taskbar")

// The buttons' command ids, as their clicks report them.
enum ButtonId : UINT { kPlayPause = 1, kBackward = 2, kForward = 3 };
enum IconIndex { kPlayIcon, kPauseIcon, kBackwardIcon, kForwardIcon };
constexpr ULONGLONG kProgressTotal = 1000;

HICON IconOf(const QImage& image) { return image.isNull() ? nullptr : image.toHICON(); }

void CopyTip(wchar_t (&tip)[260], const QString& text) {
    const qsizetype length = std::min<qsizetype>(text.size(), std::size(tip) - 1);
    text.left(length).toWCharArray(tip);
    tip[length] = L'\0';
}

}  // namespace

TaskbarThumbnails::TaskbarThumbnails(HWND window, ThumbButtonLooks looks)
    : m_window(window),
      m_looks(std::move(looks)),
      m_buttonCreatedMessage(RegisterWindowMessageW(L"TaskbarButtonCreated")) {
    m_icons[kPlayIcon] = IconOf(m_looks.play);
    m_icons[kPauseIcon] = IconOf(m_looks.pause);
    m_icons[kBackwardIcon] = IconOf(m_looks.backward);
    m_icons[kForwardIcon] = IconOf(m_looks.forward);
    QCoreApplication::instance()->installNativeEventFilter(this);
    // The window may be on the taskbar already, its message gone by.
    Attach();
}

TaskbarThumbnails::~TaskbarThumbnails() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (m_taskbar) m_taskbar->SetProgressState(m_window, TBPF_NOPROGRESS);
    m_taskbar.Reset();
    for (HICON icon : m_icons) {
        if (icon) DestroyIcon(icon);
    }
}

void TaskbarThumbnails::Attach() {
    m_buttonsAdded = false;
    if (!m_taskbar) {
        const HRESULT created =
            CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                             reinterpret_cast<void**>(m_taskbar.GetAddressOf()));
        if (FAILED(created) || FAILED(m_taskbar->HrInit())) {
            qCDebug(lcTaskbar, "no taskbar list: 0x%08lx", static_cast<unsigned long>(created));
            m_taskbar.Reset();
            return;
        }
    }
    UpdateButtons(true);
    ApplyProgress();
}

void TaskbarThumbnails::UpdateButtons(bool add) {
    if (!m_taskbar) return;
    THUMBBUTTON buttons[3] = {};
    const UINT ids[] = {kPlayPause, kBackward, kForward};
    const HICON icons[] = {m_icons[m_playing ? kPauseIcon : kPlayIcon], m_icons[kBackwardIcon],
                           m_icons[kForwardIcon]};
    const QString tips[] = {m_playing ? m_looks.pauseTip : m_looks.playTip, m_looks.backwardTip,
                            m_looks.forwardTip};
    for (int i = 0; i < 3; ++i) {
        buttons[i].dwMask = static_cast<THUMBBUTTONMASK>(THB_ICON | THB_TOOLTIP | THB_FLAGS);
        buttons[i].iId = ids[i];
        buttons[i].hIcon = icons[i];
        CopyTip(buttons[i].szTip, tips[i]);
        buttons[i].dwFlags = m_enabled ? THBF_ENABLED : THBF_DISABLED;
    }
    const HRESULT result = add ? m_taskbar->ThumbBarAddButtons(m_window, 3, buttons)
                               : m_taskbar->ThumbBarUpdateButtons(m_window, 3, buttons);
    if (add) m_buttonsAdded = SUCCEEDED(result);
    if (FAILED(result))
        qCDebug(lcTaskbar, "thumbnail buttons: 0x%08lx", static_cast<unsigned long>(result));
}

void TaskbarThumbnails::ApplyProgress() {
    if (!m_taskbar) return;
    switch (m_progress) {
        case TaskbarProgress::None:
            m_taskbar->SetProgressState(m_window, TBPF_NOPROGRESS);
            return;
        case TaskbarProgress::Normal:
            m_taskbar->SetProgressState(m_window, TBPF_NORMAL);
            break;
        case TaskbarProgress::Paused:
            m_taskbar->SetProgressState(m_window, TBPF_PAUSED);
            break;
    }
    const auto done = static_cast<ULONGLONG>(std::llround(m_fraction * kProgressTotal));
    m_taskbar->SetProgressValue(m_window, done, kProgressTotal);
}

void TaskbarThumbnails::SetThumbButtons(bool playing, bool enabled) {
    m_playing = playing;
    m_enabled = enabled;
    if (m_buttonsAdded) UpdateButtons(false);
}

void TaskbarThumbnails::SetProgress(TaskbarProgress state, double fraction) {
    m_progress = state;
    m_fraction = std::clamp(fraction, 0.0, 1.0);
    ApplyProgress();
}

bool TaskbarThumbnails::nativeEventFilter(const QByteArray&, void* message, qintptr*) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->hwnd != m_window) return false;
    if (msg->message == m_buttonCreatedMessage) {
        Attach();
        return false;
    }
    if (msg->message == WM_COMMAND && HIWORD(msg->wParam) == THBN_CLICKED && m_requests) {
        switch (LOWORD(msg->wParam)) {
            case kPlayPause:
                m_requests->OnThumbButton(ThumbButton::PlayPause);
                return true;
            case kBackward:
                m_requests->OnThumbButton(ThumbButton::Backward);
                return true;
            case kForward:
                m_requests->OnThumbButton(ThumbButton::Forward);
                return true;
            default:
                break;
        }
    }
    return false;
}
