#pragma once
// CLabelUI: one line of text in a font of the window, a colour and an alignment, vertically
// centred and shortened with an ellipsis when it does not fit.

#include "toolkit/UIControl.h"

class CLabelUI : public CControlUI {
  public:
    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;

    QColor GetTextColor() const { return m_textColor; }
    void SetTextColor(const QColor& color);
    int GetFont() const { return m_font; }
    Qt::Alignment GetAlignment() const { return m_align; }
    const QMargins& GetTextPadding() const { return m_textPadding; }

  protected:
    void PaintText(QPainter& painter) override;
    void DrawTextLine(QPainter& painter, const QString& text, const QColor& color);

    QColor m_textColor = QColor(0xFF, 0xFF, 0xFF);
    QMargins m_textPadding;
    Qt::Alignment m_align = Qt::AlignLeft | Qt::AlignVCenter;
    int m_font = -1;  // the window's default font
};
