#pragma once
// A main window on a recording fake engine, with its own settings folder and a scripted open
// dialog. Records the private messages the window handles.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "FakeEngineApi.h"
#include "TestFiles.h"
#include "platform/FileDialogService.h"
#include "platform/FileName.h"
#include "settings/SettingsStore.h"
#include "toolkit/UIControl.h"
#include "ui/PlayerMessages.h"
#include "ui/PlayerWindow.h"

class ScriptedFileDialog : public platform::FileDialogService {
  public:
    QStringList AskOpenFiles(QWidget*, const std::vector<platform::FileFilter>& filters,
                             bool several) override {
        ++asked;
        lastFilters = filters;
        askedForSeveral = several;
        if (!answers.isEmpty()) return answers;
        return answer ? QStringList{*answer} : QStringList();
    }
    std::optional<QString> answer;
    QStringList answers;  // several files, before `answer`
    bool askedForSeveral = false;
    int asked = 0;
    std::vector<platform::FileFilter> lastFilters;
};

class ObservedPlayerWindow : public PlayerWindow {
  public:
    using PlayerWindow::PlayerWindow;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        if (msg >= WM_USER) handledMessages.push_back(msg);
        return PlayerWindow::HandleCustomMessage(msg, wParam, lParam, handled);
    }
    int Count(UINT msg) const {
        return static_cast<int>(std::count(handledMessages.begin(), handledMessages.end(), msg));
    }
    std::vector<UINT> handledMessages;
};

// Runs the event loop until `done` holds; false if it has not within the bound.
template <class F>
bool Await(F done, int boundMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > boundMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(); }

    // Builds and shows the window; `withEngine` false makes engine creation fail.
    void Start(bool withEngine = true) {
        window.reset();
        if (!withEngine) fake.SetCreateResult(nullptr);
        store = std::make_unique<SettingsStore>(folder.path() + QStringLiteral("/MoviraPlayer/"));
        window = std::make_unique<ObservedPlayerWindow>(fake.Api(), store.get());
        window->SetFileDialog(&dialog);
        ASSERT_TRUE(window->CreateAndShow());
        QCoreApplication::processEvents();
        window->handledMessages.clear();
        fake.ClearCalls();
    }
    // A file that exists, for OpenMedia, in the system's spelling as the player keeps it.
    QString MediaFile(const QString& name = QStringLiteral("clip.mp4")) {
        return platform::NativeFileName(EmptyFile(folder.path(), name));
    }
    CControlUI* Control(const char* name) {
        return window->GetPM().FindControl(QString::fromLatin1(name));
    }
    void Click(const char* name) {
        CControlUI* c = Control(name);
        ASSERT_TRUE(c) << name;
        window->GetPM().LayoutIfNeeded();
        const QPoint pt = c->GetPos().center();
        window->SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(pt.x(), pt.y()));
        window->SendMessage(WM_LBUTTONUP, 0, MakePointLParam(pt.x(), pt.y()));
        QCoreApplication::processEvents();
    }
    void Wakeup() {
        window->SendMessage(WM_ENGINE_WAKEUP);
        QCoreApplication::processEvents();
    }
    std::vector<std::string> Commands() const { return fake.CallTexts("mpv_command"); }

    QTemporaryDir folder;
    FakeEngineApi fake;
    ScriptedFileDialog dialog;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<ObservedPlayerWindow> window;
};
