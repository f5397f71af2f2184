#include "toolkit/UIContainer.h"

#include <QPainter>

#include "toolkit/AttributeList.h"

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    // Children go first, while this container is still whole for their clean-up.
    m_items.clear();
}

QString CContainerUI::GetClass() const { return QStringLiteral("ContainerUI"); }

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

bool CContainerUI::Add(std::unique_ptr<CControlUI> control) {
    if (!control) return false;
    control->SetManager(m_manager, this);
    control->SetInternVisible(IsVisible());
    m_items.push_back(std::move(control));
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    m_items.clear();
    NeedUpdate();
}

void CContainerUI::SetInset(const QMargins& inset) {
    m_inset = inset;
    NeedUpdate();
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
    CControlUI::SetManager(manager, parent);
    for (auto& item : m_items) item->SetManager(manager, this);
}

void CContainerUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    for (auto& item : m_items) item->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (auto& item : m_items) item->SetInternVisible(IsVisible());
}

bool CContainerUI::SetAttribute(const QString& name, const QString& value) {
    if (name == u"inset") {
        const auto v = ParseEdges(value);
        if (!v) return false;
        SetInset(*v);
        return true;
    }
    return CControlUI::SetAttribute(name, value);
}

void CContainerUI::SetPos(const QRect& rc) {
    CControlUI::SetPos(rc);
    LayoutChildren(rc.marginsRemoved(m_inset));
}

void CContainerUI::LayoutChildren(const QRect& rc) {
    for (auto& item : m_items) {
        if (!item->IsVisible() || item->IsFloat()) continue;
        item->SetPos(rc.marginsRemoved(item->GetPadding()));
    }
}

void CContainerUI::DoPaint(QPainter& painter, const QRect& dirty) {
    if (!m_rcItem.intersects(dirty)) return;
    CControlUI::DoPaint(painter, dirty);
    painter.save();
    painter.setClipRect(m_rcItem, Qt::IntersectClip);
    for (auto& item : m_items) {
        if (item->IsVisible()) item->DoPaint(painter, dirty);
    }
    painter.restore();
}

CControlUI* CContainerUI::FindControlAt(const QPoint& pt) {
    if (!IsVisible() || !m_rcItem.contains(pt)) return nullptr;
    // Later children paint over earlier ones, so they are hit first.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (CControlUI* hit = (*it)->FindControlAt(pt)) return hit;
    }
    return this;
}

CControlUI* CContainerUI::FindControlByName(const QString& name) {
    if (m_name == name) return this;
    for (auto& item : m_items) {
        if (CControlUI* found = item->FindControlByName(name)) return found;
    }
    return nullptr;
}

void CContainerUI::ForEach(const std::function<void(CControlUI&)>& fn) {
    fn(*this);
    for (auto& item : m_items) item->ForEach(fn);
}
