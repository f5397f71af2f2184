#include "ui/OpenDialogFilters.h"

#include "toolkit/ResourceManager.h"
#include "ui/MediaFilePatterns.h"

std::vector<platform::FileFilter> OpenDialogFilters() {
    const CResourceManager& texts = CResourceManager::GetInstance();
    return {
        {texts.GetText(QStringLiteral("filter_media")), QString::fromLatin1(kMediaFilePatterns)},
        {texts.GetText(QStringLiteral("filter_all")), QStringLiteral("*")}};
}
