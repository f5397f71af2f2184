#include "app/StartupTexts.h"

#include "engine/EngineLoader.h"
#include "toolkit/ResourceManager.h"

namespace {

// The table's text for `id`, else `builtIn`.
QString TextOr(const char* id, const char* builtIn) {
    const CResourceManager& table = CResourceManager::GetInstance();
    const QString key = QString::fromLatin1(id);
    return table.HasText(key) ? table.GetText(key) : QString::fromUtf8(builtIn);
}

}  // namespace

platform::MessageBoxTexts EngineFailedBox() {
    return {TextOr("engine_failed_title", "Playback library not loaded"),
            TextOr("engine_failed", "The playback library could not be loaded:\n%1")};
}

platform::MessageBoxTexts EngineMissingBox() {
    const QString library = QString::fromStdString(kEngineLibraryNames.front());
    return {TextOr("engine_missing_title", "MoviraPlayer cannot start"),
            TextOr("engine_missing",
                   "MoviraPlayer cannot start without its playback library, libmpv (%1), which "
                   "was not found.\n\nInstall libmpv (on Debian and Ubuntu, the package "
                   "libmpv2), or put %1 in the program's folder, then start MoviraPlayer again.")
                .arg(library)};
}
