#include "toolkit/AccessibleControl.h"

#include <QWidget>
#include <cmath>

#include "toolkit/AccessibleWindow.h"
#include "toolkit/PaintManager.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIButton.h"
#include "toolkit/UIMenuElement.h"
#include "toolkit/UISlider.h"

namespace {

const CProgressUI* Slider(const CControlUI* control) {
    return dynamic_cast<const CSliderUI*>(control);
}

QString ValueText(const CProgressUI& slider) {
    const AccessibleInfo& info = slider.Accessible();
    const double value = slider.GetValue() * info.valueScale;
    return info.valueText ? info.valueText(value) : QString::number(value, 'f', 1);
}

}  // namespace

AccessibleControl::AccessibleControl(AccessibleWindow* window, CControlUI* control)
    : m_window(window), m_control(control) {}

QAccessible::Role AccessibleControl::RoleOf(const CControlUI& control) {
    if (dynamic_cast<const CMenuElementUI*>(&control)) return QAccessible::MenuItem;
    if (const auto* button = dynamic_cast<const CButtonUI*>(&control)) {
        if (!button->IsKeyboardEnabled()) return QAccessible::NoRole;
        // A toggle reads as a checkable QPushButton does in Qt: a check box, on or off.
        return control.Accessible().checked ? QAccessible::CheckBox : QAccessible::Button;
    }
    if (dynamic_cast<const CSliderUI*>(&control)) return QAccessible::Slider;
    if (dynamic_cast<const CLabelUI*>(&control) &&
        !(control.GetName().isEmpty() && control.GetDisplayText().isEmpty()))
        return QAccessible::StaticText;
    // A plain area counts only when the layout names it for listeners.
    if (!control.Accessible().name.isEmpty()) return QAccessible::Graphic;
    return QAccessible::NoRole;
}

CControlUI* AccessibleControl::Control() const {
    return m_window && m_window->Holds(m_control) ? m_control : nullptr;
}

bool AccessibleControl::isValid() const { return Control() != nullptr; }

QWindow* AccessibleControl::window() const { return m_window ? m_window->window() : nullptr; }

QAccessibleInterface* AccessibleControl::parent() const { return m_window; }

QString AccessibleControl::text(QAccessible::Text t) const {
    const CControlUI* control = Control();
    if (!control) return {};
    const AccessibleInfo& info = control->Accessible();
    const CProgressUI* slider = Slider(control);
    if (t == QAccessible::Value) return slider ? ValueText(*slider) : QString();
    if (t == QAccessible::Description) {
        const bool fromValue = info.description.isEmpty() && slider && info.valueText;
        return fromValue ? ValueText(*slider) : info.description;
    }
    if (t != QAccessible::Name) return {};
    if (!info.name.isEmpty()) return CResourceManager::GetInstance().GetText(info.name);
    const QString tooltip = control->GetToolTip();
    return tooltip.isEmpty() ? control->GetDisplayText() : tooltip;
}

QRect AccessibleControl::rect() const {
    const CControlUI* control = Control();
    const QWidget* host = m_window ? m_window->Host() : nullptr;
    if (!control || !host) return {};
    const QRect r = control->GetPos();
    return QRect(host->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role AccessibleControl::role() const {
    const CControlUI* control = Control();
    return control ? RoleOf(*control) : QAccessible::NoRole;
}

QAccessible::State AccessibleControl::state() const {
    QAccessible::State state;
    const CControlUI* control = Control();
    if (!control) {
        state.invalid = true;
        return state;
    }
    state.invisible = !control->IsVisible();
    state.disabled = !control->IsEnabled();
    const QAccessible::Role role = RoleOf(*control);
    state.focusable =
        role == QAccessible::Button || role == QAccessible::CheckBox || role == QAccessible::Slider;
    state.focused = control->IsFocused();
    if (const auto& checked = control->Accessible().checked) {
        state.checkable = true;
        state.checked = *checked;
    }
    if (const auto* item = dynamic_cast<const CMenuElementUI*>(control)) {
        state.checkable = true;
        state.checked = item->IsChecked();
        state.hotTracked = item->IsHot();
        state.focused = item->IsHot();  // the keyboard's item
    }
    return state;
}

void* AccessibleControl::interface_cast(QAccessible::InterfaceType type) {
    const QAccessible::Role role = this->role();
    if (type == QAccessible::ActionInterface &&
        (role == QAccessible::Button || role == QAccessible::CheckBox ||
         role == QAccessible::MenuItem))
        return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::ValueInterface && role == QAccessible::Slider)
        return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QStringList AccessibleControl::actionNames() const {
    const CControlUI* control = Control();
    if (!control) return {};
    return {RoleOf(*control) == QAccessible::CheckBox ? toggleAction() : pressAction()};
}

void AccessibleControl::doAction(const QString& actionName) {
    CControlUI* control = Control();
    // A toggle is pressed as a button is, as Qt's own buttons take either action.
    const bool press = actionName == pressAction() || actionName == toggleAction();
    if (!control || !press || !control->IsEnabled()) return;
    if (auto* item = dynamic_cast<CMenuElementUI*>(control)) {
        if (CPaintManagerUI* manager = item->GetManager())
            manager->SendNotify(item, DUI_MSGTYPE_ITEMCLICK);
    } else if (auto* button = dynamic_cast<CButtonUI*>(control)) {
        button->Activate();
    }
}

QVariant AccessibleControl::currentValue() const {
    const CProgressUI* slider = Slider(Control());
    if (!slider) return {};
    return slider->GetValue() * slider->Accessible().valueScale;
}

void AccessibleControl::setCurrentValue(const QVariant& value) {
    auto* slider = dynamic_cast<CSliderUI*>(Control());
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    const double scale = slider ? slider->Accessible().valueScale : 0.0;
    if (!slider || !ok || !std::isfinite(wanted) || scale <= 0.0) return;
    const auto steps = static_cast<int>(std::lround(
        std::clamp(wanted / scale, double(slider->GetMinValue()), double(slider->GetMaxValue()))));
    slider->MoveValue(steps);
    // As at the end of a drag: the program acts on the new value.
    if (CPaintManagerUI* manager = slider->GetManager())
        manager->SendNotify(slider, DUI_MSGTYPE_VALUECHANGED);
}

QVariant AccessibleControl::maximumValue() const {
    const CProgressUI* slider = Slider(Control());
    return slider ? QVariant(slider->GetMaxValue() * slider->Accessible().valueScale) : QVariant();
}

QVariant AccessibleControl::minimumValue() const {
    const CProgressUI* slider = Slider(Control());
    return slider ? QVariant(slider->GetMinValue() * slider->Accessible().valueScale) : QVariant();
}

QVariant AccessibleControl::minimumStepSize() const {
    const CProgressUI* slider = Slider(Control());
    return slider ? QVariant(slider->Accessible().valueScale) : QVariant();
}
