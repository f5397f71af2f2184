#pragma once
// CSliderUI: a progress bar with a thumb the user drags. A press on the track moves the value
// there; dragging moves it with the pointer ("movevaluechanged" on each move when sendmove is
// on); the release raises "valuechanged".

#include "toolkit/UIProgress.h"

class CSliderUI : public CProgressUI {
  public:
    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;
    bool IsInteractive() const override { return true; }
    void DoEvent(TEventUI& event) override;

    QRect GetThumbRect() const;
    QSize GetThumbSize() const { return m_thumbSize; }
    bool IsSendMove() const { return m_sendMove; }
    bool IsDragging() const { return m_captured; }
    // The value the slider takes for a pointer at `pt`.
    int ValueAt(const QPoint& pt) const;

  protected:
    void PaintStatusImage(QPainter& painter) override;

  private:
    ImageDescriptor m_thumbImage;
    ImageDescriptor m_thumbHotImage;
    ImageDescriptor m_thumbPushedImage;
    QSize m_thumbSize{10, 10};
    bool m_sendMove = false;
    bool m_captured = false;
    bool m_thumbHot = false;
    int m_grabOffset = 0;  // pointer x minus thumb centre when the thumb was grabbed
};
