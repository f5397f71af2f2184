#pragma once
// CMenuElementUI: one item of a pop-up menu: a name, a text (or a language id with resource
// text on), user data for the program, and a check mark. A click on it raises "itemclick".

#include "toolkit/UILabel.h"

inline const QString DUI_MSGTYPE_ITEMCLICK = QStringLiteral("itemclick");

class CMenuElementUI : public CLabelUI {
  public:
    static constexpr int kDefaultHeight = 28;

    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;
    bool IsInteractive() const override { return true; }
    QSize EstimateSize(const QSize& available) const override;
    void DoEvent(TEventUI& event) override;

    bool IsHot() const { return m_hot; }
    bool IsChecked() const { return m_checked; }
    void SetChecked(bool checked);
    // Raises "itemclick" as a click would (Enter on the hot item).
    void Activate();

  protected:
    void PaintBkColor(QPainter& painter) override;
    void PaintText(QPainter& painter) override;

  private:
    const struct MenuItemStyle* Style() const;

    bool m_hot = false;
    bool m_pressed = false;
    bool m_checked = false;
};
