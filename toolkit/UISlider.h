#pragma once
// CSliderUI: a progress bar with a thumb the user drags. A press on the track moves the value
// there; dragging moves it with the pointer ("movevaluechanged" on each move when sendmove is
// on); the release raises "valuechanged". With the keyboard focus, Left and Right move the
// value by one step and notify as a drag and release to that value would. Marks (the chapters
// of a film, say) are thin ticks over the bar at given shares of the range.

#include <vector>

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
    // The share of the range, 0..1, that a pointer at `pt` stands for, as ValueAt reads it.
    double FractionAt(const QPoint& pt) const;
    // Where the thumb's centre stands at `fraction` of the range.
    int XAtFraction(double fraction) const;
    // Ticks at these shares of the range (each 0..1; others are left out); none by default.
    void SetMarks(std::vector<double> fractions);
    const std::vector<double>& GetMarks() const { return m_marks; }
    // The rectangle a mark at `fraction` is drawn in.
    QRect GetMarkRect(double fraction) const;
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
    std::vector<double> m_marks;
    QColor m_markColor{0xDD, 0xDD, 0xDD};
    int m_step = 0;  // 0: 1 % of the range
    bool m_sendMove = false;
    bool m_captured = false;
    bool m_thumbHot = false;
    int m_grabOffset = 0;  // pointer x minus thumb centre when the thumb was grabbed
};
