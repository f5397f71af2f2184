#include "toolkit/UIButton.h"

#include <QPainter>

#include "toolkit/PaintManager.h"

CButtonUI::CButtonUI() { m_align = Qt::AlignHCenter | Qt::AlignVCenter; }

QString CButtonUI::GetClass() const { return QStringLiteral("ButtonUI"); }

bool CButtonUI::SetAttribute(const QString& name, const QString& value) {
    ImageDescriptor* target = nullptr;
    if (name == u"normalimage")
        target = &m_normalImage;
    else if (name == u"hotimage")
        target = &m_hotImage;
    else if (name == u"pushedimage")
        target = &m_pushedImage;
    else if (name == u"disabledimage")
        target = &m_disabledImage;
    if (!target) return CLabelUI::SetAttribute(name, value);
    const auto image = ImageDescriptor::Parse(value);
    if (!image) return false;
    *target = *image;
    Invalidate();
    return true;
}

void CButtonUI::DoEvent(TEventUI& event) {
    CLabelUI::DoEvent(event);
    if (!IsEnabled()) return;
    switch (event.type) {
        case UiEvent::MouseEnter:
            m_hot = true;
            OnHotChanged();
            Invalidate();
            break;
        case UiEvent::MouseLeave:
            m_hot = false;
            OnHotChanged();
            Invalidate();
            break;
        case UiEvent::ButtonDown:
        case UiEvent::DoubleClick:
            m_captured = true;
            m_pushed = true;
            Invalidate();
            break;
        case UiEvent::MouseMove:
            if (m_captured) {
                const bool inside = m_rcItem.contains(event.ptMouse);
                if (inside != m_pushed) {
                    m_pushed = inside;
                    Invalidate();
                }
            }
            break;
        case UiEvent::ButtonUp:
            if (m_captured) {
                const bool inside = m_rcItem.contains(event.ptMouse);
                m_captured = false;
                m_pushed = false;
                Invalidate();
                if (inside) Activate();
            }
            break;
        case UiEvent::KeyDown:
            if (event.wParam == VK_RETURN) {
                event.bHandled = true;
                Activate();
            }
            break;
        default:
            break;
    }
}

void CButtonUI::Activate() {
    if (m_manager && IsEnabled()) m_manager->SendNotify(this, DUI_MSGTYPE_CLICK);
}

void CButtonUI::PaintStatusImage(QPainter& painter) {
    if (!m_manager) return;
    const ImageDescriptor* image = &m_normalImage;
    if (!IsEnabled() && !m_disabledImage.IsEmpty())
        image = &m_disabledImage;
    else if (m_pushed && !m_pushedImage.IsEmpty())
        image = &m_pushedImage;
    else if (m_hot && !m_hotImage.IsEmpty())
        image = &m_hotImage;
    DrawImage(painter, *m_manager, *image, m_rcItem);
}

bool CButtonUI::IsKeyboardEnabled() const {
    return !(m_tooltip.isEmpty() && m_text.isEmpty() && m_accessible.name.isEmpty());
}
