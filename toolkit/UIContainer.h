#pragma once
// CContainerUI: a control that owns child controls and hands them its rectangle. The two
// layouts decide how the rectangle is shared.

#include <memory>
#include <vector>

#include "toolkit/UIControl.h"

class CContainerUI : public CControlUI {
  public:
    CContainerUI();
    ~CContainerUI() override;

    QString GetClass() const override;

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CControlUI* GetItemAt(int index) const;
    // Takes ownership; the child joins this container's manager.
    bool Add(std::unique_ptr<CControlUI> control);
    void RemoveAll();

    const QMargins& GetInset() const { return m_inset; }
    void SetInset(const QMargins& inset);

    void SetManager(CPaintManagerUI* manager, CControlUI* parent) override;
    void SetVisible(bool visible) override;
    void SetInternVisible(bool visible) override;
    bool SetAttribute(const QString& name, const QString& value) override;
    void SetPos(const QRect& rc) override;
    void DoPaint(QPainter& painter, const QRect& dirty) override;
    CControlUI* FindControlAt(const QPoint& pt) override;
    CControlUI* FindControlByName(const QString& name) override;
    void ForEach(const std::function<void(CControlUI&)>& fn) override;

  protected:
    // Places the children inside `rc` (already reduced by the inset).
    virtual void LayoutChildren(const QRect& rc);

    std::vector<std::unique_ptr<CControlUI>> m_items;
    QMargins m_inset;
};
