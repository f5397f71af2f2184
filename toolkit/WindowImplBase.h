#pragma once
// WindowImplBase: a skinned window. Builds its layout from the skin file it names, gives the
// caption strip and sizing borders of the layout to the window frame, answers the minimise,
// maximise and restore commands, and is told of its controls' notifications (clicks, value
// changes) through Notify, which each window answers by the sender's name.
// Messages go first to the paint manager's PreMessageHandler (keyboard focus), then to the
// On... handlers, HandleCustomMessage, the paint manager's mouse routing, and CWindowWnd.

#include "toolkit/PaintManager.h"
#include "toolkit/WindowWnd.h"

class WindowImplBase : public CWindowWnd, public INotifyUI {
  public:
    WindowImplBase();
    ~WindowImplBase() override;

    CPaintManagerUI& GetPM() { return m_pm; }
    CPaintManagerUI* GetPaintManager() override { return &m_pm; }

    virtual QString GetSkinFile() const = 0;
    virtual void InitWindow() {}
    // A window whose controls give nothing to answer needs no Notify of its own.
    void Notify(TNotifyUI&) override {}

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

    virtual LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnClose(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseMove(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

    QString ToolTipAt(const QPoint& logicalClientPoint) override;

    // The layout's build errors, empty when it built cleanly.
    const QStringList& GetBuildErrors() const { return m_buildErrors; }

  protected:
    // Physical client pixels to the layout's logical pixels.
    QPoint ToLogical(const QPoint& physicalClient) const;
    // The layout's sizing borders ("sizebox") in physical pixels: how far in from each edge
    // the hit test answers a sizing border while the window is not maximised.
    QMargins SizingBorders() const;
    // Shows "maxbtn" or "restorebtn" to match the window's zoom state, when the layout has them.
    void SyncMaxRestoreButtons();

    CPaintManagerUI m_pm;

  private:
    QStringList m_buildErrors;
};
