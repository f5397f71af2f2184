#pragma once

#include <QString>

namespace platform {

// Opens a web address in the user's browser; tests record the address instead.
class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    virtual bool Open(const QString& address) = 0;
};

// QDesktopServices: the desktop's default browser.
UrlOpener& SystemUrlOpener();

}  // namespace platform
