#include "toolkit/UIHorizontalLayout.h"

#include "toolkit/LinearLayout.h"

QString CHorizontalLayoutUI::GetClass() const { return QStringLiteral("HorizontalLayoutUI"); }

void CHorizontalLayoutUI::LayoutChildren(const QRect& rc) {
    LayoutLinear(m_items, rc, LayoutAxis::Horizontal);
}
