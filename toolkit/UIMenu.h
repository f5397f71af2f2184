#pragma once
// CMenuUI: the item container of a pop-up menu. It carries the look its items share (font,
// colours for normal, hot and selected items, text padding) and a border. A menu taller than
// the screen gets a shorter window; its items then scroll inside the border.

#include "toolkit/UIVerticalLayout.h"

struct MenuItemStyle {
    int font = -1;
    QMargins textPadding;
    QColor textColor = QColor(0xFF, 0xFF, 0xFF);
    QColor hotTextColor = QColor(0xFF, 0xFF, 0xFF);
    QColor hotBkColor;
    QColor selectedTextColor = QColor(0xFF, 0xFF, 0xFF);
    QColor selectedBkColor;
};

class CMenuUI : public CVerticalLayoutUI {
  public:
    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;
    QSize EstimateSize(const QSize& available) const override;

    const MenuItemStyle& GetItemStyle() const { return m_itemStyle; }
    int GetBorderSize() const { return m_borderSize; }
    QColor GetBorderColor() const { return m_borderColor; }

    // How far the items are scrolled up, in pixels, and how far they can be: the part of
    // their height that does not fit the menu's rectangle.
    int GetScrollPos() const { return m_scrollPos; }
    int GetScrollRange() const;
    // Clamped to the range.
    void SetScrollPos(int pos);
    // Scrolls just far enough for the whole of `item` (one of this menu's) to show.
    void ScrollIntoView(const CControlUI& item);

  protected:
    void DoPaint(QPainter& painter, const QRect& dirty) override;
    void LayoutChildren(const QRect& rc) override;

  private:
    int ItemsHeight() const;
    int ScrollRangeFor(int visibleHeight) const;

    int m_scrollPos = 0;
    MenuItemStyle m_itemStyle;
    QColor m_borderColor;
    QSize m_borderRound;
    int m_borderSize = 0;
};
