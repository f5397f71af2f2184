#include "toolkit/UIMenuElement.h"

#include <QFontMetrics>
#include <QPainter>

#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIMenu.h"

namespace {
const MenuItemStyle kPlainStyle;
}

QString CMenuElementUI::GetClass() const { return QStringLiteral("MenuElementUI"); }

const MenuItemStyle* CMenuElementUI::Style() const {
    const auto* menu = dynamic_cast<const CMenuUI*>(m_parent);
    return menu ? &menu->GetItemStyle() : &kPlainStyle;
}

bool CMenuElementUI::SetAttribute(const QString& name, const QString& value) {
    if (name == u"checked") {
        const auto v = ParseBool(value);
        if (!v) return false;
        SetChecked(*v);
        return true;
    }
    return CLabelUI::SetAttribute(name, value);
}

QSize CMenuElementUI::EstimateSize(const QSize&) const {
    int width = m_fixedWidth;
    if (width == 0 && m_manager) {
        const MenuItemStyle* style = Style();
        const QFont font = m_manager->GetFont(style->font);
        // Room for the check mark on the right keeps checked and plain items equally wide.
        width = QFontMetrics(font).horizontalAdvance(GetDisplayText()) + style->textPadding.left() +
                style->textPadding.right() + 40;
    }
    return QSize(width, m_fixedHeight > 0 ? m_fixedHeight : kDefaultHeight);
}

void CMenuElementUI::SetChecked(bool checked) {
    if (m_checked == checked) return;
    m_checked = checked;
    Invalidate();
}

void CMenuElementUI::DoEvent(TEventUI& event) {
    CLabelUI::DoEvent(event);
    switch (event.type) {
        case UiEvent::MouseEnter:
            m_hot = true;
            Invalidate();
            break;
        case UiEvent::MouseLeave:
            m_hot = false;
            Invalidate();
            break;
        case UiEvent::ButtonDown:
        case UiEvent::DoubleClick:
            m_pressed = true;
            break;
        case UiEvent::ButtonUp: {
            const bool click = m_pressed && m_rcItem.contains(event.ptMouse);
            m_pressed = false;
            if (click) Activate();
            break;
        }
        default:
            break;
    }
}

void CMenuElementUI::Activate() {
    if (m_manager) m_manager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
}

void CMenuElementUI::PaintBkColor(QPainter& painter) {
    const MenuItemStyle* style = Style();
    QColor bk = m_bkColor;
    if (m_hot && style->hotBkColor.isValid()) bk = style->hotBkColor;
    if (bk.isValid() && bk.alpha() > 0) painter.fillRect(m_rcItem, bk);
}

void CMenuElementUI::PaintText(QPainter& painter) {
    if (!m_manager) return;
    const MenuItemStyle* style = Style();
    const QColor color = m_hot       ? style->hotTextColor
                         : m_checked ? style->selectedTextColor
                                     : style->textColor;
    const QFont font = m_manager->GetFont(style->font);
    const QRect rc = m_rcItem.marginsRemoved(style->textPadding);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(rc, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetrics(font).elidedText(GetDisplayText(), Qt::ElideRight, rc.width()));
    if (m_checked) {
        // A check mark at the right edge marks the current choice.
        painter.drawText(m_rcItem.adjusted(0, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("✓"));
    }
}
