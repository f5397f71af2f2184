#include "LayoutDump.h"

#include <QJsonArray>
#include <QMargins>
#include <QRect>

#include "toolkit/DialogBuilder.h"
#include "toolkit/Dpi.h"
#include "toolkit/PaintHost.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIControl.h"
#include "toolkit/UISlider.h"

namespace {

// A window of a fixed size that never shows: what the paint manager lays out into.
class DumpHost : public PaintHost {
  public:
    DumpHost(QSize logicalSize, qreal ratio) : m_size(logicalSize), m_ratio(ratio) {}
    void InvalidateRect(const QRect&) override {}
    int StartTimer(int) override { return ++m_lastTimer; }
    void StopTimer(int) override {}
    void SetCursorShape(Qt::CursorShape) override {}
    qreal DevicePixelRatio() const override { return m_ratio; }
    QSize ClientSize() const override { return m_size; }
    void Resize(QSize size) { m_size = size; }

  private:
    QSize m_size;
    qreal m_ratio;
    int m_lastTimer = 0;
};

QJsonArray Pair(int a, int b) { return {a, b}; }
QJsonArray Quad(int a, int b, int c, int d) { return {a, b, c, d}; }
QJsonArray Margins(const QMargins& m) { return Quad(m.left(), m.top(), m.right(), m.bottom()); }

struct BuiltLayout {
    explicit BuiltLayout(qreal scale) : host(QSize(), scale) {}
    DumpHost host;
    CPaintManagerUI pm;
};

bool Build(BuiltLayout& built, const QString& file, QString* error) {
    built.pm.Init(&built.host);
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root = builder.Create(file, &built.pm);
    if (!root) {
        *error = QStringLiteral("%1 does not build: %2")
                     .arg(file, builder.GetErrors().join(QStringLiteral("; ")));
        return false;
    }
    built.pm.AttachDialog(std::move(root));
    return true;
}

}  // namespace

std::optional<QJsonObject> DumpLayout(const LayoutDumpRequest& request, QString* error) {
    BuiltLayout built(request.scale);
    if (!Build(built, request.file, error)) return std::nullopt;
    CPaintManagerUI& pm = built.pm;
    const WindowAttributes& w = pm.GetWindowAttributes();
    // As the window opens: its own size, never below its minimum.
    const QSize own = w.initSize.expandedTo(w.minInfo);
    const QSize device = request.size.isEmpty() ? CDPI::ToDevice(own, request.scale) : request.size;
    for (const QString& name : request.shown) {
        CControlUI* control = pm.FindControl(name);
        if (!control) {
            *error = QStringLiteral("%1 has no control %2").arg(request.file, name);
            return std::nullopt;
        }
        control->SetVisible(true);
    }
    built.host.Resize(CDPI::ToLogical(device, request.scale));
    pm.NeedUpdate();
    pm.LayoutIfNeeded();

    QJsonObject controls;
    QJsonObject texts;
    QJsonObject thumbs;
    QJsonArray hidden;
    pm.GetRoot()->ForEach([&](CControlUI& control) {
        const QString& name = control.GetName();
        if (name.isEmpty() && control.GetText().isEmpty()) return;
        if (!control.IsVisible()) {
            if (!name.isEmpty()) hidden.append(name);
            return;
        }
        const QRect r = CDPI::ToDevice(control.GetPos(), request.scale);
        const QJsonArray rect = Quad(r.x(), r.y(), r.width(), r.height());
        if (const auto* slider = dynamic_cast<const CSliderUI*>(&control);
            slider && !name.isEmpty()) {
            const QSize thumb = CDPI::ToDevice(slider->GetThumbSize(), request.scale);
            thumbs.insert(name, Pair(thumb.width(), thumb.height()));
        }
        if (!name.isEmpty()) {
            controls.insert(name, rect);
        } else if (!texts.contains(control.GetText())) {
            texts.insert(control.GetText(), rect);
        }
    });
    QJsonObject window;
    window.insert(QStringLiteral("size"), Pair(w.initSize.width(), w.initSize.height()));
    window.insert(QStringLiteral("mininfo"), Pair(w.minInfo.width(), w.minInfo.height()));
    window.insert(QStringLiteral("sizebox"), Margins(w.sizeBox));
    window.insert(QStringLiteral("caption"), Margins(w.caption));

    QJsonObject dump;
    dump.insert(QStringLiteral("layout"), request.file);
    dump.insert(QStringLiteral("size"), Pair(device.width(), device.height()));
    dump.insert(QStringLiteral("scale"), request.scale);
    dump.insert(QStringLiteral("window"), window);
    dump.insert(QStringLiteral("controls"), controls);
    dump.insert(QStringLiteral("texts"), texts);
    dump.insert(QStringLiteral("thumbs"), thumbs);
    dump.insert(QStringLiteral("hidden"), hidden);
    return dump;
}

std::optional<int> MainBarsHeight(QString* error) {
    BuiltLayout built(1.0);
    const QString file = QStringLiteral("main.xml");
    if (!Build(built, file, error)) return std::nullopt;
    int height = 0;
    for (const char* bar : {"vTop", "vBottom"}) {
        const CControlUI* control = built.pm.FindControl(QString::fromLatin1(bar));
        if (!control) {
            *error = QStringLiteral("%1 has no control %2").arg(file, QString::fromLatin1(bar));
            return std::nullopt;
        }
        height += control->GetFixedHeight();
    }
    return height;
}
