#pragma once

#include <QString>
#include <QStringList>
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

    // Asks for existing files: one, or with `several` as many as the user selects, in the
    // order the dialog gives them. The first filter is preselected. Empty when the user
    // cancels.
    virtual QStringList AskOpenFiles(QWidget* owner, const std::vector<FileFilter>& filters,
                                     bool several) = 0;
    // One file; nullopt when the user cancels.
    std::optional<QString> AskOpenFile(QWidget* owner, const std::vector<FileFilter>& filters) {
        const QStringList chosen = AskOpenFiles(owner, filters, false);
        if (chosen.isEmpty()) return std::nullopt;
        return chosen.front();
    }
};

// The desktop's file dialog, through its platform theme or portal; Qt's own where there is
// none (a bare X server, as in the end-to-end tests, which drive it).
FileDialogService& SystemFileDialog();

}  // namespace platform
