#include "toolkit/UIProgress.h"

#include <QPainter>
#include <algorithm>

#include "toolkit/AccessibleWindow.h"
#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"

QString CProgressUI::GetClass() const { return QStringLiteral("ProgressUI"); }

bool CProgressUI::SetAttribute(const QString& name, const QString& value) {
    if (name == u"bkimage" || name == u"foreimage") {
        const auto image = ImageDescriptor::Parse(value);
        if (!image) return false;
        (name == u"bkimage" ? m_bkImage : m_foreImage) = *image;
        Invalidate();
        return true;
    }
    if (name == u"min" || name == u"max" || name == u"value") {
        const auto v = ParseInt(value);
        if (!v) return false;
        if (name == u"min")
            SetMinValue(*v);
        else if (name == u"max")
            SetMaxValue(*v);
        else
            SetValue(*v);
        return true;
    }
    return CLabelUI::SetAttribute(name, value);
}

void CProgressUI::SetMinValue(int min) {
    m_min = min;
    Invalidate();
}

void CProgressUI::SetMaxValue(int max) {
    m_max = max;
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    if (m_value == value) return;
    m_value = value;
    Invalidate();
    if (!m_accessible.quietUpdates) NotifyAccessible(*this, QAccessible::ValueChanged);
}

double CProgressUI::Fraction() const {
    if (m_max <= m_min) return 0.0;
    // In double: the layout may set any int range, and its span need not fit in an int.
    const double span = static_cast<double>(m_max) - m_min;
    return std::clamp((static_cast<double>(m_value) - m_min) / span, 0.0, 1.0);
}

void CProgressUI::PaintStatusImage(QPainter& painter) {
    if (!m_manager) return;
    DrawImage(painter, *m_manager, m_bkImage, m_rcItem);
    if (m_foreImage.IsEmpty()) return;
    const double f = Fraction();
    const int filled = static_cast<int>(m_rcItem.width() * f);
    if (filled <= 0) return;
    // Cut the source in the same proportion so the fore image is revealed, not squeezed.
    ImageDescriptor fore = m_foreImage;
    if (fore.source) fore.source->setWidth(std::max(1, static_cast<int>(fore.source->width() * f)));
    DrawImage(painter, *m_manager, fore,
              QRect(m_rcItem.left(), m_rcItem.top(), filled, m_rcItem.height()));
}
