#include "toolkit/DialogBuilder.h"

#include <QXmlStreamReader>

#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIButton.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UIFadeButton.h"
#include "toolkit/UIHorizontalLayout.h"
#include "toolkit/UILabel.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"
#include "toolkit/UIProgress.h"
#include "toolkit/UISlider.h"
#include "toolkit/UIVerticalLayout.h"

std::unique_ptr<CControlUI> CDialogBuilder::CreateControl(const QString& name) {
    if (name == u"Control") return std::make_unique<CControlUI>();
    if (name == u"Container") return std::make_unique<CContainerUI>();
    if (name == u"VerticalLayout") return std::make_unique<CVerticalLayoutUI>();
    if (name == u"HorizontalLayout") return std::make_unique<CHorizontalLayoutUI>();
    if (name == u"Label") return std::make_unique<CLabelUI>();
    if (name == u"Button") return std::make_unique<CButtonUI>();
    if (name == u"FadeButton") return std::make_unique<CFadeButtonUI>();
    if (name == u"Progress") return std::make_unique<CProgressUI>();
    if (name == u"Slider") return std::make_unique<CSliderUI>();
    if (name == u"Menu") return std::make_unique<CMenuUI>();
    if (name == u"MenuElement") return std::make_unique<CMenuElementUI>();
    return nullptr;
}

std::unique_ptr<CControlUI> CDialogBuilder::Create(const QString& file, CPaintManagerUI* manager) {
    const auto bytes = CPaintManagerUI::LoadResource(file);
    if (!bytes) {
        m_errors.append(QStringLiteral("%1: not found in the skin package").arg(file));
        return nullptr;
    }
    return CreateFromData(*bytes, manager, file);
}

void CDialogBuilder::Error(const QXmlStreamReader& reader, const QString& what) {
    m_errors.append(QStringLiteral("%1:%2: %3").arg(m_origin).arg(reader.lineNumber()).arg(what));
}

std::unique_ptr<CControlUI> CDialogBuilder::CreateFromData(const QByteArray& xml,
                                                           CPaintManagerUI* manager,
                                                           const QString& origin) {
    m_origin = origin;
    m_errors.clear();
    m_controls = 0;
    if (!manager) {
        m_errors.append(QStringLiteral("%1: no paint manager").arg(origin));
        return nullptr;
    }
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != u"Window") {
        Error(reader, QStringLiteral("the root element must be Window"));
        return nullptr;
    }
    ReadWindowAttributes(reader, manager);
    std::unique_ptr<CControlUI> root;
    while (reader.readNextStartElement()) {
        const QString element = reader.name().toString();
        if (element == u"Font") {
            ReadFont(reader, manager);
        } else if (element == u"Style" || element == u"Default") {
            ReadNamedValue(reader, manager, element == u"Style");
        } else if (root) {
            Error(reader,
                  QStringLiteral("a window holds one root control; %1 is extra").arg(element));
            reader.skipCurrentElement();
        } else {
            root = ReadControl(reader, manager, nullptr, 1);
        }
    }
    if (reader.hasError()) Error(reader, reader.errorString());
    if (!root) Error(reader, QStringLiteral("no root control"));
    if (!m_errors.isEmpty()) return nullptr;
    return root;
}

bool CDialogBuilder::ReadWindowAttributes(QXmlStreamReader& reader, CPaintManagerUI* manager) {
    WindowAttributes& w = manager->GetWindowAttributes();
    bool ok = true;
    for (const auto& a : reader.attributes()) {
        const QString name = a.name().toString();
        const QString value = a.value().toString();
        bool valid = true;
        if (name == u"size") {
            const auto v = ParseSize(value);
            valid = v.has_value();
            if (v) w.initSize = *v;
        } else if (name == u"mininfo") {
            const auto v = ParseSize(value);
            valid = v.has_value();
            if (v) w.minInfo = *v;
        } else if (name == u"caption" || name == u"sizebox" || name == u"shadowcorner") {
            const auto v = ParseEdges(value);
            valid = v.has_value();
            if (v)
                (name == u"caption"   ? w.caption
                 : name == u"sizebox" ? w.sizeBox
                                      : w.shadowCorner) = *v;
        } else if (name == u"showshadow" || name == u"bktrans") {
            const auto v = ParseBool(value);
            valid = v.has_value();
            if (v) (name == u"showshadow" ? w.showShadow : w.bkTrans) = *v;
        } else if (name == u"shadowimage") {
            w.shadowImage = value;
        } else if (name == u"focusbordercolor") {
            const auto v = ParseColor(value);
            valid = v.has_value();
            if (v) w.focusBorderColor = *v;
        } else if (name == u"shadowsize") {
            const auto v = ParseInt(value);
            valid = v && *v >= 0 && *v <= kMaxLayoutPixels;
            if (valid) w.shadowSize = *v;
        } else {
            Error(reader, QStringLiteral("unknown attribute %1 on Window").arg(name));
            ok = false;
            continue;
        }
        if (!valid) {
            Error(reader, QStringLiteral("bad value \"%1\" for %2 on Window").arg(value, name));
            ok = false;
        }
    }
    return ok;
}

bool CDialogBuilder::ReadFont(QXmlStreamReader& reader, CPaintManagerUI* manager) {
    int id = 0;
    int size = 12;
    bool bold = false;
    bool isDefault = false;
    QString family;
    bool ok = true;
    for (const auto& a : reader.attributes()) {
        const QString name = a.name().toString();
        const QString value = a.value().toString();
        std::optional<int> number;
        std::optional<bool> flag;
        if (name == u"id" && (number = ParseInt(value))) {
            id = *number;
        } else if (name == u"name") {
            family = value;
        } else if (name == u"size" && (number = ParseInt(value)) && *number > 0) {
            size = *number;
        } else if (name == u"bold" && (flag = ParseBool(value))) {
            bold = *flag;
        } else if (name == u"default" && (flag = ParseBool(value))) {
            isDefault = *flag;
        } else if (name == u"shared" && ParseBool(value)) {
            // Fonts are per window here; sharing between windows changes nothing visible.
        } else {
            Error(reader,
                  QStringLiteral("bad or unknown attribute %1=\"%2\" on Font").arg(name, value));
            ok = false;
        }
    }
    if (family.isEmpty()) {
        Error(reader, QStringLiteral("Font without a name"));
        ok = false;
    }
    if (ok) manager->AddFont(id, family, size, bold, isDefault);
    reader.skipCurrentElement();
    return ok;
}

bool CDialogBuilder::ReadNamedValue(QXmlStreamReader& reader, CPaintManagerUI* manager,
                                    bool isStyle) {
    QString name;
    QString value;
    bool hasValue = false;
    bool ok = true;
    const QString element = reader.name().toString();
    for (const auto& a : reader.attributes()) {
        const QString key = a.name().toString();
        if (key == u"name") {
            name = a.value().toString();
        } else if (key == u"value") {
            value = a.value().toString();
            hasValue = true;
        } else if (key == u"shared" && ParseBool(a.value().toString())) {
        } else {
            Error(reader, QStringLiteral("unknown attribute %1 on %2").arg(key, element));
            ok = false;
        }
    }
    if (name.isEmpty() || !hasValue || !ParseAttributeList(value)) {
        Error(reader, QStringLiteral("%1 needs a name and a valid value list").arg(element));
        ok = false;
    }
    if (ok) {
        if (isStyle)
            manager->AddStyle(name, value);
        else
            manager->AddDefaultAttributeList(name, value);
    }
    reader.skipCurrentElement();
    return ok;
}

std::unique_ptr<CControlUI> CDialogBuilder::ReadControl(QXmlStreamReader& reader,
                                                        CPaintManagerUI* manager,
                                                        CControlUI* parent, int depth) {
    const QString element = reader.name().toString();
    if (depth > kMaxNesting || ++m_controls > kMaxControls) {
        Error(reader, depth > kMaxNesting
                          ? QStringLiteral("controls nested deeper than %1 levels").arg(kMaxNesting)
                          : QStringLiteral("more than %1 controls").arg(kMaxControls));
        // Skipping reads the rest of the element without recursing.
        reader.skipCurrentElement();
        return nullptr;
    }
    std::unique_ptr<CControlUI> control = CreateControl(element);
    if (!control) {
        Error(reader, QStringLiteral("unknown element %1").arg(element));
        reader.skipCurrentElement();
        return nullptr;
    }
    // Attached first so that style and resource lookups reach the window.
    control->SetManager(manager, parent);
    if (const QString* defaults = manager->GetDefaultAttributeList(element)) {
        if (!control->ApplyAttributeList(*defaults))
            Error(reader, QStringLiteral("the defaults for %1 do not apply").arg(element));
    }
    for (const auto& a : reader.attributes()) {
        const QString name = a.name().toString();
        const QString value = a.value().toString();
        if (!control->SetAttribute(name, value))
            Error(reader, QStringLiteral("unknown attribute or bad value %1=\"%2\" on %3")
                              .arg(name, value, element));
    }
    auto* container = dynamic_cast<CContainerUI*>(control.get());
    while (reader.readNextStartElement()) {
        if (!container) {
            Error(reader,
                  QStringLiteral("%1 cannot hold %2").arg(element, reader.name().toString()));
            reader.skipCurrentElement();
            continue;
        }
        if (auto child = ReadControl(reader, manager, container, depth + 1))
            container->Add(std::move(child));
    }
    return control;
}
