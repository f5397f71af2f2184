#include "platform/FileDialogService.h"

#include <QFileDialog>
#include <QStringList>
#include <QUrl>

#include "platform/FileUri.h"

namespace platform {
namespace {

QString QtFilter(const FileFilter& filter) {
    QStringList patterns = filter.second.split(u';', Qt::SkipEmptyParts);
    return QStringLiteral("%1 (%2)").arg(filter.first, patterns.join(u' '));
}

class WidgetFileDialog final : public FileDialogService {
  public:
    QStringList AskOpenFiles(QWidget* owner, const std::vector<FileFilter>& filters,
                             bool several) override {
        QStringList names;
        for (const FileFilter& f : filters) names << QtFilter(f);
        QFileDialog dialog(owner);
        dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // A type list of some eighty patterns would make Qt's own dialog wider than the
        // screen: it shows the names alone, as the desktops' dialogs do.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        // The desktop's own dialog where its platform theme or portal offers one; Qt's
        // otherwise, as on a bare X server.
        dialog.setNameFilters(names);
        if (!names.isEmpty()) dialog.selectNameFilter(names.first());
        if (dialog.exec() != QDialog::Accepted) return {};
        // As URIs, since a desktop's dialog hands over a name's bytes percent-encoded and a
        // local path made of them would have lost those that are not UTF-8.
        QStringList chosen;
        for (const QUrl& url : dialog.selectedUrls()) {
            const auto name = LocalFileOfUri(url.toEncoded());
            if (name && !name->isEmpty()) chosen << *name;
        }
        return chosen;
    }
};

}  // namespace

FileDialogService& SystemFileDialog() {
    static WidgetFileDialog service;
    return service;
}

}  // namespace platform
