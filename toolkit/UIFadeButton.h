#pragma once
// CFadeButtonUI: a button that cross-fades between its normal and hot images when the pointer
// enters or leaves it, instead of switching at once.

#include "toolkit/UIButton.h"

class CFadeButtonUI : public CButtonUI {
  public:
    static constexpr int kFadeTimerId = 11;
    static constexpr int kFadeIntervalMs = 25;
    static constexpr int kFadeStep = 51;  // five steps from one image to the other

    ~CFadeButtonUI() override;
    QString GetClass() const override;
    void DoEvent(TEventUI& event) override;

    // 0 shows the normal image, 255 the hot image.
    int GetFadeLevel() const { return m_fade; }
    bool IsFading() const { return m_timerRunning; }

  protected:
    void OnHotChanged() override;
    void PaintStatusImage(QPainter& painter) override;

  private:
    void StopTimer();

    int m_fade = 0;
    bool m_timerRunning = false;
};
