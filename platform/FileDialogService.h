#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QWidget;

namespace platform {

// One entry of an open dialog's type list: a name and its patterns ("*.mp3;*.mp4").
using FileFilter = std::pair<QString, QString>;

// The open-file dialog; tests replace it with a scripted answer.
class FileDialogService {
  public:
    virtual ~FileDialogService() = default;

    // Asks for one existing file. The first filter is preselected. nullopt when the user
    // cancels.
    virtual std::optional<QString> AskOpenFile(QWidget* owner,
                                               const std::vector<FileFilter>& filters) = 0;
};

// Qt's own dialog (the same on every desktop, and scriptable in end-to-end tests).
FileDialogService& SystemFileDialog();

}  // namespace platform
