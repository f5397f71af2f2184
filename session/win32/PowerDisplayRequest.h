#pragma once
// Keeps the display on while held, through a power request ("display required") with the
// reason Windows shows in `powercfg /requests`; on a system that refuses power requests,
// through the thread's execution state instead. Ends with the object.

#include <windows.h>

#include <QString>
#include <string>

#include "session/ShellServices.h"

class PowerDisplayRequest final : public DisplayRequest {
  public:
    explicit PowerDisplayRequest(const QString& reason);
    ~PowerDisplayRequest() override;
    PowerDisplayRequest(const PowerDisplayRequest&) = delete;
    PowerDisplayRequest& operator=(const PowerDisplayRequest&) = delete;

    void SetHeld(bool held) override;

  private:
    std::wstring m_reason;
    HANDLE m_request = INVALID_HANDLE_VALUE;
    bool m_held = false;
};
