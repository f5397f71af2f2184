#pragma once
// The System Media Transport Controls of the main window: the media panel of the volume
// flyout and the lock screen, and the media keys. On a system without them (Windows before
// 8.1, Wine) every call does nothing and IsActive says so.

#include <windows.h>
#include <wrl/client.h>

#include <memory>

#include "session/ShellServices.h"
#include "session/win32/MediaControlsAbi.h"

class SmtcControls final : public MediaTransportControls {
  public:
    explicit SmtcControls(HWND window);
    ~SmtcControls() override;
    SmtcControls(const SmtcControls&) = delete;
    SmtcControls& operator=(const SmtcControls&) = delete;

    // Sends the buttons and timeline moves to `requests`, on the UI thread, from now on.
    void Connect(ShellRequests* requests);

    bool IsActive() const override { return m_active; }
    void SetStatus(MediaStatus status) override;
    void SetMedia(const QString& title, bool video) override;
    void SetTimeline(double position, double duration) override;
    void SetNavigation(bool previous, bool next) override;

    struct Relay;

  private:
    Microsoft::WRL::ComPtr<smtc::ISystemMediaTransportControls> m_controls;
    Microsoft::WRL::ComPtr<smtc::ISystemMediaTransportControls2> m_controls2;
    std::shared_ptr<Relay> m_relay;
    smtc::EventToken m_buttonToken{};
    smtc::EventToken m_positionToken{};
    bool m_buttonsAdded = false;
    bool m_positionAdded = false;
    bool m_active = false;
    bool m_comInitialised = false;
};
