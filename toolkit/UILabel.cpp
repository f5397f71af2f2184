#include "toolkit/UILabel.h"

#include <QFontMetrics>
#include <QPainter>

#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"

QString CLabelUI::GetClass() const { return QStringLiteral("LabelUI"); }

bool CLabelUI::SetAttribute(const QString& name, const QString& value) {
    if (name == u"textcolor") {
        const auto v = ParseColor(value);
        if (!v) return false;
        SetTextColor(*v);
    } else if (name == u"font") {
        const auto v = ParseInt(value);
        if (!v) return false;
        m_font = *v;
        Invalidate();
    } else if (name == u"align") {
        Qt::Alignment horizontal;
        if (value == u"left")
            horizontal = Qt::AlignLeft;
        else if (value == u"center")
            horizontal = Qt::AlignHCenter;
        else if (value == u"right")
            horizontal = Qt::AlignRight;
        else
            return false;
        m_align = horizontal | Qt::AlignVCenter;
        Invalidate();
    } else if (name == u"textpadding") {
        const auto v = ParseEdges(value);
        if (!v) return false;
        m_textPadding = *v;
        Invalidate();
    } else {
        return CControlUI::SetAttribute(name, value);
    }
    return true;
}

void CLabelUI::SetTextColor(const QColor& color) {
    m_textColor = color;
    Invalidate();
}

void CLabelUI::PaintText(QPainter& painter) {
    DrawTextLine(painter, GetDisplayText(), m_textColor);
}

void CLabelUI::DrawTextLine(QPainter& painter, const QString& text, const QColor& color) {
    if (text.isEmpty() || !m_manager) return;
    const QRect rc = m_rcItem.marginsRemoved(m_textPadding);
    if (rc.width() <= 0 || rc.height() <= 0) return;
    const QFont font = m_manager->GetFont(m_font);
    painter.setFont(font);
    painter.setPen(color);
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, rc.width());
    painter.drawText(rc, static_cast<int>(m_align) | Qt::TextSingleLine, shown);
}
