#pragma once
// Lays its children out top to bottom: fixed heights first, the rest shared by the children
// without a height. Widths fill the column unless fixed; paddings are margins around each child.

#include "toolkit/UIContainer.h"

class CVerticalLayoutUI : public CContainerUI {
  public:
    QString GetClass() const override;

  protected:
    void LayoutChildren(const QRect& rc) override;
};
