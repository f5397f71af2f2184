#include "toolkit/UISlider.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "toolkit/AccessibleWindow.h"
#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"

QString CSliderUI::GetClass() const { return QStringLiteral("SliderUI"); }

bool CSliderUI::SetAttribute(const QString& name, const QString& value) {
    ImageDescriptor* target = nullptr;
    if (name == u"thumbimage")
        target = &m_thumbImage;
    else if (name == u"thumbhotimage")
        target = &m_thumbHotImage;
    else if (name == u"thumbpushedimage")
        target = &m_thumbPushedImage;
    if (target) {
        const auto image = ImageDescriptor::Parse(value);
        if (!image) return false;
        *target = *image;
        Invalidate();
        return true;
    }
    if (name == u"thumbsize") {
        const auto v = ParseSize(value);
        if (!v || v->width() < 0 || v->height() < 0) return false;
        m_thumbSize = *v;
        Invalidate();
        return true;
    }
    if (name == u"step") {
        const auto v = ParseInt(value);
        if (!v || *v <= 0) return false;
        m_step = *v;
        return true;
    }
    if (name == u"markcolor") {
        const auto v = ParseColor(value);
        if (!v) return false;
        m_markColor = *v;
        Invalidate();
        return true;
    }
    if (name == u"sendmove") {
        const auto v = ParseBool(value);
        if (!v) return false;
        m_sendMove = *v;
        return true;
    }
    return CProgressUI::SetAttribute(name, value);
}

QRect CSliderUI::GetThumbRect() const {
    const int x = XAtFraction(Fraction()) - m_thumbSize.width() / 2;
    const int y = m_rcItem.top() + (m_rcItem.height() - m_thumbSize.height()) / 2;
    return QRect(x, y, m_thumbSize.width(), m_thumbSize.height());
}

double CSliderUI::FractionAt(const QPoint& pt) const {
    const int travel = m_rcItem.width() - m_thumbSize.width();
    if (travel <= 0) return 0.0;
    const double offset = pt.x() - m_rcItem.left() - m_thumbSize.width() / 2.0;
    return std::clamp(offset / travel, 0.0, 1.0);
}

int CSliderUI::XAtFraction(double fraction) const {
    const int travel = std::max(0, m_rcItem.width() - m_thumbSize.width());
    return m_rcItem.left() + m_thumbSize.width() / 2 +
           static_cast<int>(std::lround(travel * std::clamp(fraction, 0.0, 1.0)));
}

void CSliderUI::SetMarks(std::vector<double> fractions) {
    fractions.erase(std::remove_if(fractions.begin(), fractions.end(),
                                   [](double f) { return !(f >= 0.0 && f <= 1.0); }),
                    fractions.end());
    if (fractions == m_marks) return;
    m_marks = std::move(fractions);
    Invalidate();
}

QRect CSliderUI::GetMarkRect(double fraction) const {
    constexpr int kMarkWidth = 2;
    return QRect(XAtFraction(fraction) - kMarkWidth / 2, m_rcItem.top(), kMarkWidth,
                 m_rcItem.height());
}

int CSliderUI::ValueAt(const QPoint& pt) const {
    const int travel = m_rcItem.width() - m_thumbSize.width();
    if (travel <= 0 || m_max <= m_min) return m_min;
    const double f = FractionAt(pt);
    // The span of an int range need not fit in an int; the result lies within the range.
    return static_cast<int>(m_min + std::llround(f * (static_cast<double>(m_max) - m_min)));
}

int CSliderUI::GetStep() const {
    if (m_step > 0) return m_step;
    const long long range = static_cast<long long>(m_max) - m_min;
    return static_cast<int>(std::max(1LL, range / 100));
}

bool CSliderUI::StepValue(int steps) {
    if (m_max < m_min) return false;
    // A value kept outside the range is drawn at its end, so the step starts from there.
    const int from = std::clamp(m_value, m_min, m_max);
    const long long to = std::clamp(from + static_cast<long long>(steps) * GetStep(),
                                    static_cast<long long>(m_min), static_cast<long long>(m_max));
    if (to == from) return false;
    MoveValue(static_cast<int>(to));
    if (m_manager) {
        if (m_sendMove) m_manager->SendNotify(this, DUI_MSGTYPE_MOVEVALUECHANGED);
        m_manager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED);
    }
    return true;
}

void CSliderUI::MoveValue(int value) {
    if (value == m_value) return;
    SetValue(value);
    if (m_accessible.quietUpdates) NotifyAccessible(*this, QAccessible::ValueChanged);
}

void CSliderUI::DoEvent(TEventUI& event) {
    CProgressUI::DoEvent(event);
    if (!IsEnabled()) return;
    switch (event.type) {
        case UiEvent::ButtonDown:
        case UiEvent::DoubleClick: {
            const QRect thumb = GetThumbRect();
            if (thumb.contains(event.ptMouse)) {
                m_grabOffset = event.ptMouse.x() - thumb.center().x();
            } else {
                m_grabOffset = 0;
                MoveValue(ValueAt(event.ptMouse));
            }
            m_captured = true;
            Invalidate();
            break;
        }
        case UiEvent::MouseMove:
            if (m_captured) {
                const int v = ValueAt(event.ptMouse - QPoint(m_grabOffset, 0));
                if (v != m_value) {
                    MoveValue(v);
                    if (m_sendMove && m_manager)
                        m_manager->SendNotify(this, DUI_MSGTYPE_MOVEVALUECHANGED);
                }
            } else {
                const bool hot = GetThumbRect().contains(event.ptMouse);
                if (hot != m_thumbHot) {
                    m_thumbHot = hot;
                    Invalidate();
                }
            }
            break;
        case UiEvent::ButtonUp:
            if (m_captured) {
                m_captured = false;
                Invalidate();
                if (m_manager) m_manager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED);
            }
            break;
        case UiEvent::MouseLeave:
            if (m_thumbHot) {
                m_thumbHot = false;
                Invalidate();
            }
            break;
        case UiEvent::KeyDown:
            if (event.wParam == VK_LEFT || event.wParam == VK_RIGHT) {
                // Taken even at either end, where it moves nothing: the key means this slider.
                event.bHandled = true;
                StepValue(event.wParam == VK_RIGHT ? 1 : -1);
            }
            break;
        default:
            break;
    }
}

void CSliderUI::PaintStatusImage(QPainter& painter) {
    CProgressUI::PaintStatusImage(painter);
    if (!m_manager) return;
    // Over the bar, under the thumb.
    for (const double fraction : m_marks) painter.fillRect(GetMarkRect(fraction), m_markColor);
    const ImageDescriptor* thumb = &m_thumbImage;
    if (m_captured && !m_thumbPushedImage.IsEmpty())
        thumb = &m_thumbPushedImage;
    else if (m_thumbHot && !m_thumbHotImage.IsEmpty())
        thumb = &m_thumbHotImage;
    DrawImage(painter, *m_manager, *thumb, GetThumbRect());
}
