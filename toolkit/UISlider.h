#pragma once
// CSliderUI: a progress bar with a thumb the user drags. A press on the track moves the value
// there; dragging moves it with the pointer ("movevaluechanged" on each move when sendmove is
// on); the release raises "valuechanged". With the keyboard focus, Left and Right move the
// value by one step and notify as a drag and release to that value would.

#include "toolkit/UIProgress.h"

class CSliderUI : public CProgressUI {
  public:
    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;
    bool IsInteractive() const override { return true; }
    bool IsKeyboardEnabled() const override { return true; }
    void DoEvent(TEventUI& event) override;

    QRect GetThumbRect() const;
    QSize GetThumbSize() const { return m_thumbSize; }
    bool IsSendMove() const { return m_sendMove; }
    bool IsDragging() const { return m_captured; }
    // The value the slider takes for a pointer at `pt`.
    int ValueAt(const QPoint& pt) const;
    // How far one key press moves the value: the layout's "step", else 1 % of the range
    // (at least 1).
    int GetStep() const;
    // Moves the value by `steps` steps (negative: left), kept within the range, and notifies
    // as a drag and release would. Returns false, notifying nothing, when the value stays.
    bool StepValue(int steps);
    // Sets the value as the user's own move: a change is announced even where the
    // program's updates are quiet.
    void MoveValue(int value);

  protected:
    void PaintStatusImage(QPainter& painter) override;

  private:
    ImageDescriptor m_thumbImage;
    ImageDescriptor m_thumbHotImage;
    ImageDescriptor m_thumbPushedImage;
    QSize m_thumbSize{10, 10};
    int m_step = 0;  // 0: 1 % of the range
    bool m_sendMove = false;
    bool m_captured = false;
    bool m_thumbHot = false;
    int m_grabOffset = 0;  // pointer x minus thumb centre when the thumb was grabbed
};
