#pragma once
// AccessibleControl: one control of a toolkit window as assistive technologies see it: its
// role, name and states, the press action of buttons and menu items (doing exactly what a
// click does), and the value of sliders (setting it does what a drag and release do).

#include <QAccessibleInterface>

class AccessibleWindow;
class CControlUI;

class AccessibleControl : public QAccessibleInterface,
                          public QAccessibleActionInterface,
                          public QAccessibleValueInterface {
  public:
    AccessibleControl(AccessibleWindow* window, CControlUI* control);

    // How a control is presented; NoRole for one that is only layout or decoration.
    static QAccessible::Role RoleOf(const CControlUI& control);

    // The control, or null once it has left its window.
    CControlUI* Control() const;

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    // Qt's interface requires it; a control's texts are the skin's, not a screen reader's.
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // QAccessibleValueInterface
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

  private:
    AccessibleWindow* m_window;
    CControlUI* m_control;  // compared, and used only while the window holds it
};
