#pragma once
// CControlUI: the base of every control. Holds the attributes shared by all controls, knows its
// place in the tree and its rectangle (logical pixels), paints its background and text, and
// applies layout attributes by name.

#include <QColor>
#include <QMargins>
#include <QRect>
#include <QString>
#include <functional>

#include "toolkit/AccessibleInfo.h"
#include "toolkit/UIDefs.h"

class QPainter;
class CPaintManagerUI;

class CControlUI {
  public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual QString GetClass() const;

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }

    CPaintManagerUI* GetManager() const { return m_manager; }
    CControlUI* GetParent() const { return m_parent; }
    // Attaches the control (and its children) to a manager and a parent.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent);

    // Text as written (a language id when resource text is on) and as shown.
    virtual QString GetText() const { return m_text; }
    virtual void SetText(const QString& text);
    QString GetDisplayText() const;
    bool IsResourceText() const { return m_resourceText; }
    void SetResourceText(bool on);
    QString GetToolTip() const;  // as shown
    void SetToolTip(const QString& tooltip) { m_tooltip = tooltip; }
    const QString& GetUserData() const { return m_userData; }
    void SetUserData(const QString& data) { m_userData = data; }

    // What assistive technologies are told about the control (see AccessibleInfo).
    AccessibleInfo& Accessible() { return m_accessible; }
    const AccessibleInfo& Accessible() const { return m_accessible; }

    // Geometry, in logical pixels of the window's client area.
    const QRect& GetPos() const { return m_rcItem; }
    virtual void SetPos(const QRect& rc);
    int GetWidth() const { return m_rcItem.width(); }
    int GetHeight() const { return m_rcItem.height(); }
    int GetFixedWidth() const { return m_fixedWidth; }
    int GetFixedHeight() const { return m_fixedHeight; }
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    const QMargins& GetPadding() const { return m_padding; }
    void SetPadding(const QMargins& padding);
    // The size a layout should give the control; 0 in a dimension means "fill".
    virtual QSize EstimateSize(const QSize& available) const;

    // A floating control is left out of its container's layout: whoever shows it places it
    // with SetPos. It paints over the controls before it.
    bool IsFloat() const { return m_float; }
    void SetFloat(bool on);

    virtual bool IsVisible() const { return m_visible && m_internVisible; }
    bool IsOwnVisible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    // Visibility imposed by a hidden ancestor.
    virtual void SetInternVisible(bool visible);
    bool IsEnabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);
    bool IsHandCursor() const { return m_handCursor; }
    // Controls that take the mouse themselves (buttons, sliders) are client area even inside
    // a caption strip.
    virtual bool IsInteractive() const { return false; }
    // Controls that Tab stops at while they are visible and enabled: buttons and sliders.
    virtual bool IsKeyboardEnabled() const { return false; }
    // Holds its window's keyboard focus (see CPaintManagerUI::GetFocus).
    bool IsFocused() const;
    // Takes its window's keyboard focus, as the program (not the keyboard) gives it: no ring.
    void SetFocus();

    QColor GetBkColor() const { return m_bkColor; }
    void SetBkColor(const QColor& color);

    // Applies one attribute by its layout name. Returns false for an unknown name or a value
    // that does not parse; the control is then unchanged.
    virtual bool SetAttribute(const QString& name, const QString& value);
    // Applies a list in the layout syntax (name="value" ...). Every pair is tried; returns
    // false if any failed.
    bool ApplyAttributeList(const QString& list);

    virtual void DoEvent(TEventUI& event);
    virtual void DoPaint(QPainter& painter, const QRect& dirty);

    // Topmost visible control containing the point, or null.
    virtual CControlUI* FindControlAt(const QPoint& pt);
    virtual CControlUI* FindControlByName(const QString& name);
    virtual void ForEach(const std::function<void(CControlUI&)>& fn);

    // Repaints the control, and its focus ring while it has one.
    void Invalidate();
    void NeedUpdate();
    void NeedParentUpdate();

  protected:
    virtual void PaintBkColor(QPainter& painter);
    virtual void PaintStatusImage(QPainter& painter);
    virtual void PaintText(QPainter& painter);

    CPaintManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    QString m_name;
    QString m_text;
    QString m_tooltip;
    QString m_userData;
    QRect m_rcItem;
    QMargins m_padding;
    QColor m_bkColor;
    int m_fixedWidth = 0;
    int m_fixedHeight = 0;
    bool m_visible = true;
    bool m_internVisible = true;
    bool m_enabled = true;
    bool m_resourceText = false;
    bool m_handCursor = false;
    bool m_float = false;
    AccessibleInfo m_accessible;
};
