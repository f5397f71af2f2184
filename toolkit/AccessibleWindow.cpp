#include "toolkit/AccessibleWindow.h"

#include <utility>

#include "toolkit/AccessibleControl.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIControl.h"
#include "toolkit/WindowHost.h"
#include "toolkit/WindowWnd.h"

namespace {

AccessibleListener ownListener = nullptr;

bool Listened() { return ownListener || QAccessible::isActive(); }

void Deliver(QAccessibleEvent& event) {
    if (ownListener) ownListener(&event);
    if (QAccessible::isActive()) QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* ToolkitWindowFactory(const QString& className, QObject* object) {
    if (className != u"WindowHost" || !object || !object->isWidgetType()) return nullptr;
    return new AccessibleWindow(static_cast<WindowHost*>(object));
}

}  // namespace

AccessibleWindow::AccessibleWindow(WindowHost* host) : QAccessibleWidget(host) {}

AccessibleWindow::~AccessibleWindow() {
    for (const QAccessible::Id id : std::as_const(m_children))
        QAccessible::deleteAccessibleInterface(id);
}

CPaintManagerUI* AccessibleWindow::Manager() const {
    const auto* host = qobject_cast<const WindowHost*>(object());
    CWindowWnd* owner = host ? host->Owner() : nullptr;
    return owner ? owner->GetPaintManager() : nullptr;
}

QAccessible::Role AccessibleWindow::role() const {
    const auto* host = qobject_cast<const WindowHost*>(object());
    CWindowWnd* owner = host ? host->Owner() : nullptr;
    if (dynamic_cast<CMenuWnd*>(owner)) return QAccessible::PopupMenu;
    if (host && host->parentWidget()) return QAccessible::Dialog;
    return QAccessible::Window;
}

QString AccessibleWindow::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const auto* host = qobject_cast<const WindowHost*>(object());
    const auto* menu = host ? dynamic_cast<const CMenuWnd*>(host->Owner()) : nullptr;
    if (menu && !menu->Name().isEmpty()) return menu->Name();
    return widget()->windowTitle();
}

std::vector<CControlUI*> AccessibleWindow::Controls() const {
    std::vector<CControlUI*> controls;
    CPaintManagerUI* manager = Manager();
    CControlUI* root = manager ? manager->GetRoot() : nullptr;
    if (!root) return controls;
    root->ForEach([&controls](CControlUI& control) {
        if (control.IsVisible() && AccessibleControl::RoleOf(control) != QAccessible::NoRole)
            controls.push_back(&control);
    });
    return controls;
}

bool AccessibleWindow::Holds(const CControlUI* control) const {
    CPaintManagerUI* manager = Manager();
    CControlUI* root = manager ? manager->GetRoot() : nullptr;
    bool found = false;
    if (root) root->ForEach([&](CControlUI& c) { found = found || &c == control; });
    return found;
}

QAccessibleInterface* AccessibleWindow::InterfaceOf(CControlUI* control) const {
    if (!control) return nullptr;
    if (const auto it = m_children.constFind(control); it != m_children.constEnd()) {
        if (QAccessibleInterface* known = QAccessible::accessibleInterface(*it)) return known;
    }
    auto* made = new AccessibleControl(const_cast<AccessibleWindow*>(this), control);
    m_children.insert(control, QAccessible::registerAccessibleInterface(made));
    return made;
}

std::vector<QWidget*> AccessibleWindow::OpenPopups() const {
    std::vector<QWidget*> popups;
    for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->windowType() == Qt::Popup && child->isVisible())
            popups.push_back(child);
    }
    return popups;
}

int AccessibleWindow::childCount() const {
    return static_cast<int>(Controls().size() + OpenPopups().size());
}

QAccessibleInterface* AccessibleWindow::child(int index) const {
    const std::vector<CControlUI*> controls = Controls();
    if (index < 0) return nullptr;
    if (index < static_cast<int>(controls.size()))
        return InterfaceOf(controls[static_cast<size_t>(index)]);
    const std::vector<QWidget*> popups = OpenPopups();
    const auto popup = static_cast<size_t>(index) - controls.size();
    return popup < popups.size() ? QAccessible::queryAccessibleInterface(popups[popup]) : nullptr;
}

int AccessibleWindow::indexOfChild(const QAccessibleInterface* child) const {
    const std::vector<CControlUI*> controls = Controls();
    if (const auto* control = dynamic_cast<const AccessibleControl*>(child)) {
        for (size_t i = 0; i < controls.size(); ++i) {
            if (controls[i] == control->Control()) return static_cast<int>(i);
        }
        return -1;
    }
    const std::vector<QWidget*> popups = OpenPopups();
    for (size_t i = 0; i < popups.size(); ++i) {
        if (child && child->object() == popups[i]) return static_cast<int>(controls.size() + i);
    }
    return -1;
}

QAccessibleInterface* AccessibleWindow::childAt(int x, int y) const {
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (CControlUI* control : Controls()) {
        if (control->GetPos().contains(local)) return InterfaceOf(control);
    }
    return nullptr;
}

QAccessibleInterface* AccessibleWindow::focusChild() const {
    CPaintManagerUI* manager = Manager();
    CControlUI* focus = manager ? manager->GetFocus() : nullptr;
    return focus && focus->IsVisible() ? InterfaceOf(focus) : nullptr;
}

void InstallToolkitAccessibility() {
    static bool installed = false;
    if (!std::exchange(installed, true)) QAccessible::installFactory(ToolkitWindowFactory);
}

void SetAccessibleListener(AccessibleListener listener) { ownListener = listener; }

void NotifyAccessibleWindow(QWidget* host, QAccessible::Event event) {
    if (!host || !Listened()) return;
    QAccessibleEvent notice(host, event);
    Deliver(notice);
}

void NotifyAccessible(CControlUI& control, QAccessible::Event event) {
    if (!Listened()) return;
    CPaintManagerUI* manager = control.GetManager();
    auto* host = manager ? dynamic_cast<WindowHost*>(manager->GetHost()) : nullptr;
    auto* window =
        host ? dynamic_cast<AccessibleWindow*>(QAccessible::queryAccessibleInterface(host))
             : nullptr;
    QAccessibleInterface* iface = window ? window->InterfaceOf(&control) : nullptr;
    if (!iface) return;
    if (event == QAccessible::ValueChanged) {
        QAccessibleValueChangeEvent change(
            iface, iface->valueInterface() ? iface->valueInterface()->currentValue() : QVariant());
        Deliver(change);
        return;
    }
    if (event == QAccessible::StateChanged) {
        QAccessible::State changed;
        changed.checked = true;
        changed.focused = true;
        QAccessibleStateChangeEvent change(iface, changed);
        Deliver(change);
        return;
    }
    QAccessibleEvent notice(iface, event);
    Deliver(notice);
}
