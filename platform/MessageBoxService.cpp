#include "platform/MessageBoxService.h"

#include <QMessageBox>

namespace platform {
namespace {

class WidgetMessageBox final : public MessageBoxService {
  public:
    void Show(const QString& text, const QString& caption, MessageBoxIcon icon) override {
        const auto boxIcon =
            icon == MessageBoxIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
        // No parent: these boxes appear before any window exists. exec() makes the box
        // application-modal and runs its own event loop until it is dismissed.
        QMessageBox box(boxIcon, caption, text, QMessageBox::Ok);
        box.exec();
    }
};

}  // namespace

MessageBoxService& SystemMessageBox() {
    static WidgetMessageBox service;
    return service;
}

}  // namespace platform
