#pragma once
// AccessibleWindow: a toolkit window as assistive technologies see it (through Qt's
// accessibility framework: AT-SPI on Linux, UI Automation on Windows). Its children are the
// window's visible controls that a user reads or works, in layout order: buttons, sliders,
// texts, menu items and named areas, each an AccessibleControl. Qt creates one for every
// window host once accessibility is installed.

#include <QAccessibleWidget>
#include <QHash>
#include <vector>

class CControlUI;
class CPaintManagerUI;
class WindowHost;

class AccessibleWindow : public QAccessibleWidget {
  public:
    explicit AccessibleWindow(WindowHost* host);
    ~AccessibleWindow() override;

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The window's host widget.
    QWidget* Host() const { return widget(); }
    // The window's paint manager; null once the window is gone.
    CPaintManagerUI* Manager() const;
    // The controls listed as children, in layout order.
    std::vector<CControlUI*> Controls() const;
    // The pop-up windows (menus) this window has open: after its controls among its children,
    // since Qt lists no pop-up among the application's windows.
    std::vector<QWidget*> OpenPopups() const;
    // Whether `control` is still one of the window's controls (shown or not).
    bool Holds(const CControlUI* control) const;
    // The interface of one of the window's controls, made on first use.
    QAccessibleInterface* InterfaceOf(CControlUI* control) const;

  private:
    mutable QHash<const CControlUI*, QAccessible::Id> m_children;
};

// Lets Qt describe every toolkit window to assistive technologies. Call once, after the
// application object exists.
void InstallToolkitAccessibility();

// Also hands every announcement below to `listener` (null: none), whether or not an assistive
// technology listens: a listener of the program's own, such as a test's.
using AccessibleListener = void (*)(QAccessibleEvent* event);
void SetAccessibleListener(AccessibleListener listener);

// Tells assistive technologies that `event` (a menu opening or closing, say) happened to the
// window shown by `host`. Does nothing while none listens.
void NotifyAccessibleWindow(QWidget* host, QAccessible::Event event);

// Tells assistive technologies that `event` happened to `control` (a name, value, state or
// focus change). Does nothing while none listens.
void NotifyAccessible(CControlUI& control, QAccessible::Event event);
