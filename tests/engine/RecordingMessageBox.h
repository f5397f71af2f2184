#pragma once

#include <vector>

#include "platform/MessageBoxService.h"

// Records the boxes instead of showing them, so a failing load never blocks a test.
class RecordingMessageBox final : public platform::MessageBoxService {
  public:
    struct Box {
        QString text;
        QString caption;
        platform::MessageBoxIcon icon;
    };

    void Show(const QString& text, const QString& caption, platform::MessageBoxIcon icon) override {
        boxes.push_back({text, caption, icon});
    }

    std::vector<Box> boxes;
};
