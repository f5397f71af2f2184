#pragma once

#include <QString>

namespace platform {

enum class MessageBoxIcon { None, Error };

// What a box says, in the interface language.
struct MessageBoxTexts {
    QString caption;
    QString text;
};

// Start-up failures are reported in message boxes; this seam lets tests record them instead
// of blocking on a modal dialog.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;

    // Modal, no owner window, a single OK button; returns when dismissed.
    virtual void Show(const QString& text, const QString& caption, MessageBoxIcon icon) = 0;
};

// Boxes drawn with QMessageBox; the QApplication must exist before the first Show.
MessageBoxService& SystemMessageBox();

}  // namespace platform
