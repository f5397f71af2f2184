#include "toolkit/UIVerticalLayout.h"

#include "toolkit/LinearLayout.h"

QString CVerticalLayoutUI::GetClass() const { return QStringLiteral("VerticalLayoutUI"); }

void CVerticalLayoutUI::LayoutChildren(const QRect& rc) {
    LayoutLinear(m_items, rc, LayoutAxis::Vertical);
}
