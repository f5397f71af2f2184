#pragma once
// CProgressUI: a horizontal bar with a range and a value; the track image fills the control
// and the fore image the part up to the value.

#include "toolkit/ImageDescriptor.h"
#include "toolkit/UILabel.h"

class CProgressUI : public CLabelUI {
  public:
    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;

    int GetMinValue() const { return m_min; }
    int GetMaxValue() const { return m_max; }
    int GetValue() const { return m_value; }
    void SetMinValue(int min);
    void SetMaxValue(int max);
    // Values outside the range are kept as given and drawn clamped. A change is announced to
    // listeners unless the control's updates are quiet.
    virtual void SetValue(int value);

  protected:
    void PaintStatusImage(QPainter& painter) override;
    // Share of the range covered by the value, 0..1.
    double Fraction() const;

    ImageDescriptor m_bkImage;
    ImageDescriptor m_foreImage;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};
