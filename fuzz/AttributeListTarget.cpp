// Attribute lists come from layouts (styles, defaults and every control's attributes) and
// carry the value forms: numbers, sizes, edges, rectangles, colours, flags and image
// descriptors. The splitter must refuse malformed lists, and the controls must take any
// value, good or bad, without fault, then lay out, paint and take mouse input.

#include <QImage>
#include <QPainter>
#include <utility>

#include "FakePaintHost.h"
#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIButton.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"

namespace {

const QRect kControlRect(0, 0, 200, 40);

void CheckPairs(const QString& list) {
    const auto pairs = ParseAttributeList(list);
    if (!pairs) return;
    // What the splitter accepts is what it can write back: a name without blanks or '=',
    // a value without '"'. Written back, the pairs split the same way again.
    QString rewritten;
    for (const auto& [name, value] : *pairs) {
        FUZZ_CHECK(!name.isEmpty() && !name.contains(u'='), "a pair has an impossible name");
        for (const QChar c : name) FUZZ_CHECK(!c.isSpace(), "a name holds a blank");
        FUZZ_CHECK(!value.contains(u'"'), "a value holds a double quote");
        rewritten += name + QStringLiteral("=\"") + value + QStringLiteral("\" ");
    }
    FUZZ_CHECK(ParseAttributeList(rewritten) == pairs, "rewritten pairs split differently");
}

void Exercise(CControlUI& control, const QString& list, bool listParses) {
    const bool applied = control.ApplyAttributeList(list);
    FUZZ_CHECK(listParses || !applied, "a malformed list was applied");
    control.SetPos(kControlRect);
    QImage canvas(kControlRect.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        control.DoPaint(painter, kControlRect);
    }
    // A press on the left, a drag to the right and out, a release: buttons and the slider's
    // thumb both react.
    for (const auto& [type, point] : {std::pair{UiEvent::MouseEnter, QPoint(5, 20)},
                                      std::pair{UiEvent::ButtonDown, QPoint(5, 20)},
                                      std::pair{UiEvent::MouseMove, QPoint(150, 20)},
                                      std::pair{UiEvent::MouseMove, QPoint(400, -5)},
                                      std::pair{UiEvent::ButtonUp, QPoint(199, 39)},
                                      std::pair{UiEvent::MouseLeave, QPoint(-1, -1)}}) {
        TEventUI event;
        event.type = type;
        event.pSender = &control;
        event.ptMouse = point;
        control.DoEvent(event);
    }
    QPainter painter(&canvas);
    control.DoPaint(painter, kControlRect);
}

}  // namespace

void FuzzAttributeList(QByteArrayView data) {
    EnsureGuiApplication();
    const QString list = QString::fromUtf8(data);
    CheckPairs(list);
    const bool listParses = ParseAttributeList(list).has_value();

    FakePaintHost host(kControlRect.size());
    CPaintManagerUI manager;
    manager.Init(&host);
    // The input is also a style that it, or another style, may name.
    manager.AddStyle(QStringLiteral("fuzz"), list);
    manager.AddStyle(QStringLiteral("other"), QStringLiteral("style=\"fuzz\""));

    CButtonUI button;
    CSliderUI slider;
    CLabelUI label;
    for (CControlUI* control :
         {static_cast<CControlUI*>(&button), static_cast<CControlUI*>(&slider),
          static_cast<CControlUI*>(&label)}) {
        control->SetManager(&manager, nullptr);
        Exercise(*control, list, listParses);
    }
}
