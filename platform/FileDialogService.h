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

// The desktop's file dialog, through its platform theme or portal; Qt's own where there is
// none (a bare X server, as in the end-to-end tests, which drive it).
FileDialogService& SystemFileDialog();

}  // namespace platform
