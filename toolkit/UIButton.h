#pragma once
// CButtonUI: a label with images for its normal, hot (pointer over it), pushed and disabled
// states. A press and release inside it raises "click", and so does Enter while it has the
// keyboard focus.

#include "toolkit/ImageDescriptor.h"
#include "toolkit/UILabel.h"

class CButtonUI : public CLabelUI {
  public:
    CButtonUI();
    QString GetClass() const override;
    bool SetAttribute(const QString& name, const QString& value) override;
    bool IsInteractive() const override { return true; }
    // A button that names nothing (no tooltip, text or accessible name) is a picture, such
    // as the About window's logo: the keyboard passes it by, as screen readers do.
    bool IsKeyboardEnabled() const override;
    void DoEvent(TEventUI& event) override;

    bool IsHot() const { return m_hot; }
    bool IsPushed() const { return m_pushed; }
    const ImageDescriptor& GetNormalImage() const { return m_normalImage; }
    const ImageDescriptor& GetHotImage() const { return m_hotImage; }
    const ImageDescriptor& GetPushedImage() const { return m_pushedImage; }

    // Raises "click" as a press and release would.
    virtual void Activate();

  protected:
    void PaintStatusImage(QPainter& painter) override;
    virtual void OnHotChanged() {}

    ImageDescriptor m_normalImage;
    ImageDescriptor m_hotImage;
    ImageDescriptor m_pushedImage;
    ImageDescriptor m_disabledImage;
    bool m_hot = false;
    bool m_pushed = false;    // pressed and the pointer still inside
    bool m_captured = false;  // pressed, wherever the pointer is now
};
