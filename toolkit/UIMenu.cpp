#include "toolkit/UIMenu.h"

#include <QPainter>
#include <algorithm>

#include "toolkit/AttributeList.h"
#include "toolkit/LinearLayout.h"

QString CMenuUI::GetClass() const { return QStringLiteral("MenuUI"); }

bool CMenuUI::SetAttribute(const QString& name, const QString& value) {
    auto color = [&](QColor& target) {
        const auto v = ParseColor(value);
        if (v) target = *v;
        return v.has_value();
    };
    if (name == u"itemfont") {
        const auto v = ParseInt(value);
        if (!v) return false;
        m_itemStyle.font = *v;
        return true;
    }
    if (name == u"itemtextpadding") {
        const auto v = ParseEdges(value);
        if (!v) return false;
        m_itemStyle.textPadding = *v;
        return true;
    }
    if (name == u"itemtextcolor") return color(m_itemStyle.textColor);
    if (name == u"itemhottextcolor") return color(m_itemStyle.hotTextColor);
    if (name == u"itemhotbkcolor") return color(m_itemStyle.hotBkColor);
    if (name == u"itemselectedtextcolor") return color(m_itemStyle.selectedTextColor);
    if (name == u"itemselectedbkcolor") return color(m_itemStyle.selectedBkColor);
    if (name == u"bordercolor") return color(m_borderColor);
    if (name == u"bordersize") {
        const auto v = ParseInt(value);
        if (!v || *v < 0) return false;
        m_borderSize = *v;
        return true;
    }
    if (name == u"borderround") {
        const auto v = ParseSize(value);
        if (!v) return false;
        m_borderRound = *v;
        return true;
    }
    return CVerticalLayoutUI::SetAttribute(name, value);
}

QSize CMenuUI::EstimateSize(const QSize& available) const {
    int width = 0;
    for (const auto& item : m_items) {
        if (!item->IsVisible()) continue;
        const QSize sz = item->EstimateSize(available);
        width =
            std::max(width, sz.width() + item->GetPadding().left() + item->GetPadding().right());
    }
    return QSize(width + m_inset.left() + m_inset.right(),
                 ItemsHeight() + m_inset.top() + m_inset.bottom());
}

int CMenuUI::ItemsHeight() const {
    int height = 0;
    for (const auto& item : m_items) {
        if (!item->IsVisible()) continue;
        height += item->EstimateSize(QSize()).height() + item->GetPadding().top() +
                  item->GetPadding().bottom();
    }
    return height;
}

int CMenuUI::ScrollRangeFor(int visibleHeight) const {
    return std::max(0, ItemsHeight() - std::max(0, visibleHeight));
}

int CMenuUI::GetScrollRange() const {
    return ScrollRangeFor(m_rcItem.height() - m_inset.top() - m_inset.bottom());
}

void CMenuUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, GetScrollRange());
    if (pos == m_scrollPos) return;
    m_scrollPos = pos;
    NeedUpdate();
}

void CMenuUI::ScrollIntoView(const CControlUI& item) {
    const QRect view = m_rcItem.marginsRemoved(m_inset);
    const QRect r = item.GetPos();
    if (r.top() < view.top())
        SetScrollPos(m_scrollPos - (view.top() - r.top()));
    else if (r.bottom() > view.bottom())
        SetScrollPos(m_scrollPos + (r.bottom() - view.bottom()));
}

void CMenuUI::LayoutChildren(const QRect& rc) {
    // The items keep their own heights and are laid out over their whole column; the part
    // scrolled away lies outside the rectangle, where painting clips it and no point hits it.
    m_scrollPos = std::clamp(m_scrollPos, 0, ScrollRangeFor(rc.height()));
    const QRect column(rc.left(), rc.top() - m_scrollPos, rc.width(),
                       std::max(rc.height(), ItemsHeight()));
    LayoutLinear(m_items, column, LayoutAxis::Vertical);
}

void CMenuUI::DoPaint(QPainter& painter, const QRect& dirty) {
    CVerticalLayoutUI::DoPaint(painter, dirty);
    if (m_borderSize <= 0 || !m_borderColor.isValid()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(m_borderColor, m_borderSize));
    painter.setBrush(Qt::NoBrush);
    const qreal half = m_borderSize / 2.0;
    painter.drawRoundedRect(QRectF(m_rcItem).adjusted(half, half, -half, -half),
                            m_borderRound.width(), m_borderRound.height());
    painter.restore();
}
