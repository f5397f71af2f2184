#include "platform/FileDialogService.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {
namespace {

QString QtFilter(const FileFilter& filter) {
    QStringList patterns = filter.second.split(u';', Qt::SkipEmptyParts);
    return QStringLiteral("%1 (%2)").arg(filter.first, patterns.join(u' '));
}

class WidgetFileDialog final : public FileDialogService {
  public:
    std::optional<QString> AskOpenFile(QWidget* owner,
                                       const std::vector<FileFilter>& filters) override {
        QStringList names;
        for (const FileFilter& f : filters) names << QtFilter(f);
        QFileDialog dialog(owner);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setNameFilters(names);
        if (!names.isEmpty()) dialog.selectNameFilter(names.first());
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
        return chosen.first();
    }
};

}  // namespace

FileDialogService& SystemFileDialog() {
    static WidgetFileDialog service;
    return service;
}

}  // namespace platform
