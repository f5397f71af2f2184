// Skin layouts are XML that a skin author, not the program, wrote. The builder must refuse
// what it does not know with an error, never crash, and whatever it accepts must lay out,
// paint and take mouse input without fault.

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "FakePaintHost.h"
#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIControl.h"

namespace {

// Small, so that painting stays cheap; the layouts' own sizes do not matter to the builder.
const QSize kClientSize(320, 200);

void Press(CPaintManagerUI& manager, QPoint from, QPoint to) {
    LRESULT result = 0;
    manager.MessageHandler(WM_MOUSEMOVE, 0, MakePointLParam(from.x(), from.y()), result);
    manager.MessageHandler(WM_LBUTTONDOWN, 0, MakePointLParam(from.x(), from.y()), result);
    manager.MessageHandler(WM_MOUSEMOVE, 0, MakePointLParam(to.x(), to.y()), result);
    manager.MessageHandler(WM_LBUTTONUP, 0, MakePointLParam(to.x(), to.y()), result);
}

}  // namespace

void FuzzLayout(QByteArrayView data) {
    EnsureGuiApplication();
    FakePaintHost host(kClientSize);
    CPaintManagerUI manager;
    manager.Init(&host);
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root =
        builder.CreateFromData(data.toByteArray(), &manager, QStringLiteral("fuzz.xml"));
    FUZZ_CHECK((root != nullptr) == builder.GetErrors().isEmpty(),
               "a build failed without saying why, or succeeded with errors");
    if (!root) return;
    FUZZ_CHECK(manager.AttachDialog(std::move(root)), "a built tree was not attached");
    manager.LayoutIfNeeded();

    QImage canvas(kClientSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        manager.Paint(painter, canvas.rect());
    }

    // Across the middle, along the edges and out of the window, as a user's mouse would.
    const QPoint centre(kClientSize.width() / 2, kClientSize.height() / 2);
    Press(manager, centre, QPoint(kClientSize.width() - 2, centre.y()));
    Press(manager, QPoint(2, 2), QPoint(-40, -40));
    Press(manager, QPoint(kClientSize.width() - 2, kClientSize.height() - 2), centre);
    LRESULT result = 0;
    manager.MessageHandler(WM_MOUSELEAVE, 0, 0, result);

    // Animations started by the input advance a few steps; a copy of the ids, since a step
    // may stop its own timer.
    for (int step = 0; step < 4; ++step) {
        std::vector<int> ids;
        for (const auto& [id, interval] : host.timers) ids.push_back(id);
        for (int id : ids) manager.OnHostTimer(id);
    }

    // A second layout at another size, as after the user resizes the window.
    host.Resize(QSize(kClientSize.width() / 3, kClientSize.height() * 2));
    manager.NeedUpdate();
    QPainter painter(&canvas);
    manager.Paint(painter, canvas.rect());
}
