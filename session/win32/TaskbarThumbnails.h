#pragma once
// The main window's taskbar button: a thumbnail toolbar with play/pause, -30 s and +30 s,
// and the progress of the file that plays. The buttons are added once the taskbar has made
// the window's button (its "TaskbarButtonCreated" message) and again whenever Explorer
// starts anew; their clicks come to the window as WM_COMMAND and are taken here.

#include <shobjidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <QAbstractNativeEventFilter>

#include "session/ShellServices.h"
#include "session/win32/WindowsShell.h"

class TaskbarThumbnails final : public TaskbarButton, private QAbstractNativeEventFilter {
  public:
    TaskbarThumbnails(HWND window, ThumbButtonLooks looks);
    ~TaskbarThumbnails() override;
    TaskbarThumbnails(const TaskbarThumbnails&) = delete;
    TaskbarThumbnails& operator=(const TaskbarThumbnails&) = delete;

    // Sends the buttons' clicks to `requests` from now on.
    void Connect(ShellRequests* requests) { m_requests = requests; }

    void SetThumbButtons(bool playing, bool enabled) override;
    void SetProgress(TaskbarProgress state, double fraction) override;

  private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    // Makes the taskbar list and adds the buttons, once the button exists.
    void Attach();
    void UpdateButtons(bool add);
    void ApplyProgress();

    HWND m_window;
    ThumbButtonLooks m_looks;
    HICON m_icons[4] = {};
    UINT m_buttonCreatedMessage;
    Microsoft::WRL::ComPtr<ITaskbarList3> m_taskbar;
    ShellRequests* m_requests = nullptr;
    bool m_buttonsAdded = false;
    bool m_playing = false;
    bool m_enabled = false;
    TaskbarProgress m_progress = TaskbarProgress::None;
    double m_fraction = 0.0;
};
