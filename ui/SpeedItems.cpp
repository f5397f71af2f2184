#include "ui/SpeedItems.h"

#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIControl.h"
#include "toolkit/UIMenuElement.h"

SpeedItems SpeedItems::FromSkin(const QString& file) {
    SpeedItems items;
    // A manager of its own: the menu's fonts and defaults stay out of every window's.
    CPaintManagerUI manager;
    CDialogBuilder builder;
    const std::unique_ptr<CControlUI> root = builder.Create(file, &manager);
    if (!root) return items;
    root->ForEach([&items](CControlUI& control) {
        const auto* element = dynamic_cast<const CMenuElementUI*>(&control);
        if (!element) return;
        QString text = element->GetText();
        bool ok = false;
        const double speed = text.endsWith(u'x') ? QStringView(text).chopped(1).toDouble(&ok) : 0;
        if (ok && speed > 0.0) items.m_items.push_back({element->GetName(), text, speed});
    });
    return items;
}

const SpeedItem* SpeedItems::FindByName(const QString& name) const {
    for (const SpeedItem& item : m_items) {
        if (item.name == name) return &item;
    }
    return nullptr;
}

std::vector<double> SpeedItems::Speeds() const {
    std::vector<double> speeds;
    for (const SpeedItem& item : m_items) speeds.push_back(item.speed);
    return speeds;
}

QString SpeedItems::LabelFor(double speed) const {
    for (const SpeedItem& item : m_items) {
        if (item.speed == speed) return item.text;
    }
    return QString::number(speed, 'g', 3) + u'x';
}
