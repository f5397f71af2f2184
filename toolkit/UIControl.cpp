#include "toolkit/UIControl.h"

#include <QPainter>
#include <algorithm>
#include <vector>

#include "toolkit/AccessibleWindow.h"
#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"
#include "toolkit/ResourceManager.h"

namespace {
// The styles whose attributes are being applied, outermost first. Styles nest only within
// one SetAttribute call, which never starts another control's, so one list serves all.
thread_local std::vector<QString> t_stylesApplying;
}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_manager) m_manager->ReapObjects(this);
}

QString CControlUI::GetClass() const { return QStringLiteral("ControlUI"); }

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
    m_manager = manager;
    m_parent = parent;
}

void CControlUI::SetText(const QString& text) {
    if (m_text == text) return;
    m_text = text;
    Invalidate();
    NotifyAccessible(*this, QAccessible::NameChanged);
}

QString CControlUI::GetDisplayText() const {
    if (!m_resourceText) return m_text;
    return CResourceManager::GetInstance().GetText(m_text);
}

void CControlUI::SetResourceText(bool on) {
    if (m_resourceText == on) return;
    m_resourceText = on;
    Invalidate();
}

QString CControlUI::GetToolTip() const {
    if (!m_resourceText) return m_tooltip;
    return CResourceManager::GetInstance().GetText(m_tooltip);
}

void CControlUI::SetPos(const QRect& rc) {
    if (m_rcItem == rc) return;
    Invalidate();
    m_rcItem = rc;
    Invalidate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0 || m_fixedWidth == cx) return;
    m_fixedWidth = cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0 || m_fixedHeight == cy) return;
    m_fixedHeight = cy;
    NeedParentUpdate();
}

void CControlUI::SetPadding(const QMargins& padding) {
    m_padding = padding;
    NeedParentUpdate();
}

QSize CControlUI::EstimateSize(const QSize&) const { return QSize(m_fixedWidth, m_fixedHeight); }

void CControlUI::SetVisible(bool visible) {
    if (m_visible == visible) return;
    const bool wasVisible = IsVisible();
    m_visible = visible;
    if (wasVisible != IsVisible()) NeedParentUpdate();
}

void CControlUI::SetFloat(bool on) {
    if (m_float == on) return;
    m_float = on;
    NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) { m_internVisible = visible; }

void CControlUI::SetEnabled(bool enabled) {
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    Invalidate();
}

void CControlUI::SetBkColor(const QColor& color) {
    m_bkColor = color;
    Invalidate();
}

bool CControlUI::SetAttribute(const QString& name, const QString& value) {
    if (name == u"name") {
        SetName(value);
    } else if (name == u"text") {
        SetText(value);
    } else if (name == u"tooltip") {
        SetToolTip(value);
        NotifyAccessible(*this, QAccessible::NameChanged);
    } else if (name == u"accessiblename") {
        m_accessible.name = value;
    } else if (name == u"userdata") {
        SetUserData(value);
    } else if (name == u"width") {
        const auto v = ParseInt(value);
        if (!v || *v < 0 || *v > kMaxLayoutPixels) return false;
        SetFixedWidth(*v);
    } else if (name == u"height") {
        const auto v = ParseInt(value);
        if (!v || *v < 0 || *v > kMaxLayoutPixels) return false;
        SetFixedHeight(*v);
    } else if (name == u"padding") {
        const auto v = ParseEdges(value);
        if (!v) return false;
        SetPadding(*v);
    } else if (name == u"bkcolor") {
        const auto v = ParseColor(value);
        if (!v) return false;
        SetBkColor(*v);
    } else if (name == u"visible") {
        const auto v = ParseBool(value);
        if (!v) return false;
        SetVisible(*v);
    } else if (name == u"enabled") {
        const auto v = ParseBool(value);
        if (!v) return false;
        SetEnabled(*v);
    } else if (name == u"float") {
        const auto v = ParseBool(value);
        if (!v) return false;
        SetFloat(*v);
    } else if (name == u"resourcetext") {
        const auto v = ParseBool(value);
        if (!v) return false;
        SetResourceText(*v);
    } else if (name == u"cursor") {
        if (value != u"hand" && value != u"arrow") return false;
        m_handCursor = value == u"hand";
    } else if (name == u"style") {
        if (!m_manager) return false;
        const QString* style = m_manager->GetStyle(value);
        if (!style) return false;
        // A style that names itself, directly or through other styles, is refused like a
        // bad value; applying it would recurse until the stack overflows.
        if (std::find(t_stylesApplying.begin(), t_stylesApplying.end(), value) !=
            t_stylesApplying.end())
            return false;
        t_stylesApplying.push_back(value);
        const bool applied = ApplyAttributeList(*style);
        t_stylesApplying.pop_back();
        return applied;
    } else {
        return false;
    }
    return true;
}

bool CControlUI::ApplyAttributeList(const QString& list) {
    const auto pairs = ParseAttributeList(list);
    if (!pairs) return false;
    bool ok = true;
    for (const auto& [name, value] : *pairs) {
        if (!SetAttribute(name, value)) ok = false;
    }
    return ok;
}

void CControlUI::DoEvent(TEventUI& event) {
    if (event.type == UiEvent::MouseEnter || event.type == UiEvent::MouseMove) {
        if (m_manager)
            m_manager->SetCursorShape(m_handCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

void CControlUI::DoPaint(QPainter& painter, const QRect& dirty) {
    if (!m_rcItem.intersects(dirty)) return;
    PaintBkColor(painter);
    PaintStatusImage(painter);
    PaintText(painter);
}

void CControlUI::PaintBkColor(QPainter& painter) {
    if (m_bkColor.isValid() && m_bkColor.alpha() > 0) painter.fillRect(m_rcItem, m_bkColor);
}

void CControlUI::PaintStatusImage(QPainter&) {}

void CControlUI::PaintText(QPainter&) {}

CControlUI* CControlUI::FindControlAt(const QPoint& pt) {
    if (!IsVisible() || !m_rcItem.contains(pt)) return nullptr;
    return this;
}

CControlUI* CControlUI::FindControlByName(const QString& name) {
    return m_name == name ? this : nullptr;
}

void CControlUI::ForEach(const std::function<void(CControlUI&)>& fn) { fn(*this); }

bool CControlUI::IsFocused() const { return m_manager && m_manager->GetFocus() == this; }

void CControlUI::SetFocus() {
    if (m_manager) m_manager->SetFocus(this);
}

void CControlUI::Invalidate() {
    if (!m_manager || m_rcItem.isEmpty()) return;
    // The ring lies around the rectangle; a change of look must not leave it half drawn.
    m_manager->Invalidate(IsFocused() ? m_rcItem.united(m_manager->GetFocusRingRect(*this))
                                      : m_rcItem);
}

void CControlUI::NeedUpdate() {
    if (m_manager) m_manager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_manager) m_manager->NeedUpdate();
}
