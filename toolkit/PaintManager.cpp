#include "toolkit/PaintManager.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "toolkit/AccessibleWindow.h"
#include "toolkit/Dpi.h"
#include "toolkit/KeyState.h"
#include "toolkit/ResourceZip.h"
#include "toolkit/UIControl.h"

namespace {

struct SkinSource {
    ResourceZip zip;
};

SkinSource& Skin() {
    static SkinSource source;
    return source;
}

// The layouts name the Windows face of the interface font; here it resolves to the CJK face
// that fontconfig provides, so Chinese and Latin text share one look.
void RegisterFontSubstitutes() {
    static const bool done = [] {
        QFont::insertSubstitutions(
            QStringLiteral("微软雅黑"),
            {QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
             QStringLiteral("Noto Sans CJK"), QStringLiteral("Noto Sans")});
        return true;
    }();
    (void)done;
}

QString VariantName(const QString& file, int percent) {
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot < 0) return file + QStringLiteral("@%1").arg(percent);
    return file.left(dot) + QStringLiteral("@%1").arg(percent) + file.mid(dot);
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() { RegisterFontSubstitutes(); }

CPaintManagerUI::~CPaintManagerUI() {
    for (const ControlTimer& t : m_timers) {
        if (m_host) m_host->StopTimer(t.hostId);
    }
    m_timers.clear();
    m_hot = nullptr;
    m_captured = nullptr;
    m_focus = nullptr;
    m_root.reset();
}

bool CPaintManagerUI::SetResourceZip(const void* data, std::size_t size) {
    return Skin().zip.Open(data, size);
}

std::optional<QByteArray> CPaintManagerUI::LoadResource(const QString& name) {
    if (!Skin().zip.IsOpen()) return std::nullopt;
    return Skin().zip.Read(name);
}

int CPaintManagerUI::MessageLoop() { return QApplication::exec(); }

void CPaintManagerUI::Term() { Skin().zip.Open(nullptr, 0); }

void CPaintManagerUI::Init(PaintHost* host) {
    m_host = host;
    if (host) m_dpi = CDPI::DpiOfRatio(host->DevicePixelRatio());
}

bool CPaintManagerUI::AttachDialog(std::unique_ptr<CControlUI> root) {
    if (!root) return false;
    m_hot = nullptr;
    m_captured = nullptr;
    m_focus = nullptr;
    m_focusRing = false;
    m_root = std::move(root);
    m_root->SetManager(this, nullptr);
    NeedUpdate();
    return true;
}

CControlUI* CPaintManagerUI::FindControl(const QString& name) const {
    return m_root ? m_root->FindControlByName(name) : nullptr;
}

CControlUI* CPaintManagerUI::FindControl(const QPoint& logicalPoint) {
    LayoutIfNeeded();
    return m_root ? m_root->FindControlAt(logicalPoint) : nullptr;
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (notifier &&
        std::find(m_notifiers.begin(), m_notifiers.end(), notifier) == m_notifiers.end())
        m_notifiers.push_back(notifier);
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { std::erase(m_notifiers, notifier); }

void CPaintManagerUI::SendNotify(CControlUI* control, const QString& type, WPARAM wParam,
                                 LPARAM lParam) {
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    // A notifier may remove itself while handling; walk a copy.
    const std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* n : notifiers) n->Notify(msg);
}

void CPaintManagerUI::Invalidate() {
    if (m_host) m_host->InvalidateRect(QRect(QPoint(0, 0), m_host->ClientSize()));
}

void CPaintManagerUI::Invalidate(const QRect& rc) {
    if (m_host) m_host->InvalidateRect(rc);
}

void CPaintManagerUI::NeedUpdate() {
    m_updateNeeded = true;
    Invalidate();
}

void CPaintManagerUI::LayoutIfNeeded() {
    if (!m_updateNeeded || !m_root || !m_host) return;
    m_updateNeeded = false;
    m_root->SetPos(QRect(QPoint(0, 0), m_host->ClientSize()));
}

void CPaintManagerUI::Paint(QPainter& painter, const QRect& dirty) {
    LayoutIfNeeded();
    if (m_root && m_root->IsVisible()) m_root->DoPaint(painter, dirty);
    PaintFocusRing(painter, dirty);
}

void CPaintManagerUI::PaintFocusRing(QPainter& painter, const QRect& dirty) {
    if (!IsFocusRingShown()) return;
    const QRect ring = GetFocusRingRect(*m_focus);
    if (!ring.intersects(dirty)) return;
    const QColor color = m_window.focusBorderColor;
    const int w = kFocusRingWidth;
    if (ring.width() <= 2 * w || ring.height() <= 2 * w) {
        painter.fillRect(ring, color);
        return;
    }
    // Four bands rather than a stroked rectangle: whole pixels at every scale, and nothing
    // inside the ring is covered.
    painter.fillRect(QRect(ring.left(), ring.top(), ring.width(), w), color);
    painter.fillRect(QRect(ring.left(), ring.bottom() + 1 - w, ring.width(), w), color);
    painter.fillRect(QRect(ring.left(), ring.top() + w, w, ring.height() - 2 * w), color);
    painter.fillRect(QRect(ring.right() + 1 - w, ring.top() + w, w, ring.height() - 2 * w), color);
}

void CPaintManagerUI::AddFont(int id, const QString& family, int pixelSize, bool bold,
                              bool isDefault) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    m_fonts[id] = font;
    if (isDefault) m_defaultFont = font;
}

QFont CPaintManagerUI::GetFont(int id) const {
    const auto it = m_fonts.find(id);
    return it == m_fonts.end() ? m_defaultFont : it->second;
}

void CPaintManagerUI::AddStyle(const QString& name, const QString& attributes) {
    m_styles.insert(name, attributes);
}

const QString* CPaintManagerUI::GetStyle(const QString& name) const {
    const auto it = m_styles.constFind(name);
    return it == m_styles.constEnd() ? nullptr : &it.value();
}

void CPaintManagerUI::AddDefaultAttributeList(const QString& controlName,
                                              const QString& attributes) {
    m_defaultAttributes.insert(controlName, attributes);
}

const QString* CPaintManagerUI::GetDefaultAttributeList(const QString& controlName) const {
    const auto it = m_defaultAttributes.constFind(controlName);
    return it == m_defaultAttributes.constEnd() ? nullptr : &it.value();
}

void CPaintManagerUI::SetDPI(int dpi) {
    if (dpi <= 0 || dpi == m_dpi) return;
    m_dpi = dpi;
    ResetDPIAssets();
}

void CPaintManagerUI::ResetDPIAssets() {
    m_images.clear();
    NeedUpdate();
}

const ScaledImage* CPaintManagerUI::GetImage(const QString& file) {
    const auto it = m_images.constFind(file);
    if (it != m_images.constEnd()) return &it.value();
    const int percent = m_dpi >= 144 ? 150 : m_dpi >= 120 ? 125 : 100;
    ScaledImage loaded;
    std::optional<QByteArray> bytes;
    if (percent != 100) {
        bytes = LoadResource(VariantName(file, percent));
        if (bytes) loaded.scale = percent / 100.0;
    }
    if (!bytes) bytes = LoadResource(file);
    if (!bytes) return nullptr;
    loaded.image = QImage::fromData(*bytes);
    if (loaded.image.isNull()) return nullptr;
    return &m_images.insert(file, loaded).value();
}

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT milliseconds) {
    if (!m_host || !control) return false;
    KillTimer(control, id);
    const int hostId = m_host->StartTimer(static_cast<int>(milliseconds));
    if (hostId <= 0) return false;
    m_timers.push_back({control, id, hostId});
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control, UINT id) {
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->control == control && it->id == id) {
            if (m_host) m_host->StopTimer(it->hostId);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::OnHostTimer(int hostTimerId) {
    for (const ControlTimer& t : m_timers) {
        if (t.hostId != hostTimerId) continue;
        TEventUI event;
        event.type = UiEvent::Timer;
        event.pSender = t.control;
        event.wParam = t.id;
        t.control->DoEvent(event);
        return;
    }
}

void CPaintManagerUI::SetCursorShape(Qt::CursorShape shape) {
    if (m_host) m_host->SetCursorShape(shape);
}

QPoint CPaintManagerUI::ToLogical(LPARAM lParam) const {
    return CDPI::ToLogical(QPoint(PointLParamX(lParam), PointLParamY(lParam)),
                           m_host ? m_host->DevicePixelRatio() : 1.0);
}

void CPaintManagerUI::SetHot(CControlUI* control, const QPoint& pt) {
    if (control == m_hot) return;
    TEventUI event;
    event.ptMouse = pt;
    if (CControlUI* old = m_hot) {
        m_hot = nullptr;
        event.type = UiEvent::MouseLeave;
        event.pSender = old;
        old->DoEvent(event);
    }
    m_hot = control;
    if (control) {
        event.type = UiEvent::MouseEnter;
        event.pSender = control;
        control->DoEvent(event);
    } else {
        SetCursorShape(Qt::ArrowCursor);
    }
}

void CPaintManagerUI::SetHotControl(CControlUI* control) {
    SetHot(control, control ? control->GetPos().center() : QPoint());
    // Made hot by the keyboard: a screen reader reads it as the item in focus.
    if (control) NotifyAccessible(*control, QAccessible::Focus);
}

void CPaintManagerUI::SetFocus(CControlUI* control, bool showRing) {
    showRing = showRing && control;
    if (control == m_focus && showRing == m_focusRing) return;
    if (IsFocusRingShown()) Invalidate(GetFocusRingRect(*m_focus));
    CControlUI* old = std::exchange(m_focus, control);
    m_focusRing = showRing;
    if (IsFocusRingShown()) Invalidate(GetFocusRingRect(*m_focus));
    if (old == control) return;
    if (old) SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
    if (control) {
        SendNotify(control, DUI_MSGTYPE_SETFOCUS);
        NotifyAccessible(*control, QAccessible::Focus);
    }
}

bool CPaintManagerUI::IsFocusRingShown() const {
    return m_focusRing && m_focus && IsTabStop(*m_focus);
}

QRect CPaintManagerUI::GetFocusRingRect(const CControlUI& control) const {
    // One pixel apart from the control, so that the ring reads against a control drawn in
    // its own colour (a slider's played part); clipped rather than lost at the window's edge.
    constexpr int kOffset = kFocusRingWidth + 1;
    const QRect ring = control.GetPos().adjusted(-kOffset, -kOffset, kOffset, kOffset);
    return m_host ? ring.intersected(QRect(QPoint(0, 0), m_host->ClientSize())) : ring;
}

bool CPaintManagerUI::IsTabStop(const CControlUI& control) {
    return control.IsKeyboardEnabled() && control.IsVisible() && control.IsEnabled();
}

std::vector<CControlUI*> CPaintManagerUI::GetTabControls() const {
    std::vector<CControlUI*> stops;
    if (m_root) {
        m_root->ForEach([&stops](CControlUI& c) {
            if (IsTabStop(c)) stops.push_back(&c);
        });
    }
    return stops;
}

bool CPaintManagerUI::SetNextTabControl(bool forward) {
    if (!m_root) return false;
    // The whole tree in layout order: a focused control that Tab no longer stops at (it was
    // hidden or disabled since) still marks where to go on from.
    std::vector<CControlUI*> order;
    m_root->ForEach([&order](CControlUI& c) { order.push_back(&c); });
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    const auto at = std::find(order.begin(), order.end(), m_focus);
    // From no focus, the walk starts just outside the ends.
    const std::ptrdiff_t start = at != order.end() ? at - order.begin() : forward ? -1 : n;
    for (std::ptrdiff_t i = 1; i <= n; ++i) {
        const std::ptrdiff_t index = ((start + (forward ? i : -i)) % n + n) % n;
        if (IsTabStop(*order[static_cast<std::size_t>(index)])) {
            SetFocus(order[static_cast<std::size_t>(index)], true);
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::PreMessageHandler(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        // The mouse has taken over: no ring is left standing where the keyboard left it.
        SetFocus(nullptr);
        return false;
    }
    if (msg != WM_KEYDOWN || !m_root) return false;
    if (wParam == VK_TAB) return SetNextTabControl((GetKeyState(VK_SHIFT) & 0x8000) == 0);
    if (!m_focus || !IsTabStop(*m_focus)) return false;
    TEventUI event;
    event.type = UiEvent::KeyDown;
    event.pSender = m_focus;
    event.wParam = wParam;
    m_focus->DoEvent(event);
    return event.bHandled;
}

bool CPaintManagerUI::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (!m_root) return false;
    TEventUI event;
    event.wParam = wParam;
    switch (msg) {
        case WM_MOUSEMOVE: {
            event.ptMouse = ToLogical(lParam);
            event.type = UiEvent::MouseMove;
            if (m_captured) {
                event.pSender = m_captured;
                m_captured->DoEvent(event);
                return true;
            }
            CControlUI* control = FindControl(event.ptMouse);
            if (control && !control->IsEnabled()) control = nullptr;
            SetHot(control, event.ptMouse);
            if (m_hot) {
                event.pSender = m_hot;
                m_hot->DoEvent(event);
            }
            return false;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            event.ptMouse = ToLogical(lParam);
            CControlUI* control = FindControl(event.ptMouse);
            if (!control || !control->IsEnabled()) return false;
            m_captured = control;
            event.type = msg == WM_LBUTTONDOWN ? UiEvent::ButtonDown : UiEvent::DoubleClick;
            event.pSender = control;
            control->DoEvent(event);
            return true;
        }
        case WM_LBUTTONUP: {
            CControlUI* control = m_captured;
            if (!control) return false;
            m_captured = nullptr;
            event.ptMouse = ToLogical(lParam);
            event.type = UiEvent::ButtonUp;
            event.pSender = control;
            control->DoEvent(event);
            return true;
        }
        case WM_MOUSELEAVE:
            if (!m_captured) SetHot(nullptr, QPoint());
            return false;
        default:
            return false;
    }
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (m_hot == control) m_hot = nullptr;
    if (m_captured == control) m_captured = nullptr;
    if (m_focus == control) {
        m_focus = nullptr;
        m_focusRing = false;
    }
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->control == control) {
            if (m_host) m_host->StopTimer(it->hostId);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}
