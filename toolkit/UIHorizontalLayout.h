#pragma once
// Lays its children out left to right: fixed widths first, the rest shared by the children
// without a width. Heights fill the row unless fixed; paddings are margins around each child.

#include "toolkit/UIContainer.h"

class CHorizontalLayoutUI : public CContainerUI {
  public:
    QString GetClass() const override;

  protected:
    void LayoutChildren(const QRect& rc) override;
};
