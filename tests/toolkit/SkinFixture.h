#pragma once
// Builds windows' layouts from the embedded skin package on a fake host.

#include <gtest/gtest.h>

#include <memory>

#include "FakePaintHost.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIControl.h"

class SkinLayout : public ::testing::Test {
  protected:
    // Builds `file` into the manager and lays it out at `size`; fails the test on errors.
    void Build(const QString& file, QSize size = QSize(800, 600)) {
        host = std::make_unique<FakePaintHost>(size);
        pm = std::make_unique<CPaintManagerUI>();
        pm->Init(host.get());
        CDialogBuilder builder;
        auto root = builder.Create(file, pm.get());
        ASSERT_TRUE(root) << builder.GetErrors().join(u'\n').toStdString();
        pm->AttachDialog(std::move(root));
        pm->LayoutIfNeeded();
    }
    CControlUI* Control(const char* name) const {
        return pm->FindControl(QString::fromLatin1(name));
    }
    // Feeds a mouse message at a logical client point.
    void Mouse(UINT msg, QPoint pt) {
        LRESULT result = 0;
        pm->MessageHandler(msg, 0, MakePointLParam(pt.x(), pt.y()), result);
    }

    std::unique_ptr<FakePaintHost> host;
    std::unique_ptr<CPaintManagerUI> pm;
};

// Records the notifications a manager sends.
class NotifyRecorder : public INotifyUI {
  public:
    void Notify(TNotifyUI& msg) override { seen.push_back(msg); }
    std::vector<TNotifyUI> seen;
};
