#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {

class DesktopUrlOpener final : public UrlOpener {
  public:
    bool Open(const QString& address) override {
        return QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    }
};

}  // namespace

UrlOpener& SystemUrlOpener() {
    static DesktopUrlOpener opener;
    return opener;
}

}  // namespace platform
