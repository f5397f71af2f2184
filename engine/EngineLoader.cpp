#include "engine/EngineLoader.h"

#include <QStringList>

#include "platform/LibraryLoader.h"
#include "platform/MessageBoxService.h"

namespace {

void* LoadFirst(platform::LibraryLoader& loader, platform::MessageBoxService& boxes,
                const std::vector<std::string>& fileNames,
                const platform::MessageBoxTexts& failureBox) {
    QStringList errors;
    for (const std::string& fileName : fileNames) {
        std::string error;
        if (void* module = loader.Load(fileName, error)) {
            return module;
        }
        // The loader's text names the file and the cause (missing, wrong architecture,
        // unresolved dependency), which is what the user needs to fix it.
        errors << QString::fromUtf8(error);
    }
    boxes.Show(failureBox.text.arg(errors.join(u'\n')), failureBox.caption,
               platform::MessageBoxIcon::None);
    return nullptr;
}

// Stores the symbol into field right away, so a later failure leaves the earlier ones set.
template <typename Function>
bool ResolveInto(Function& field, platform::LibraryLoader& loader, void* module,
                 const char* symbol) {
    field = reinterpret_cast<Function>(loader.Resolve(module, symbol));
    return field != nullptr;
}

bool ResolveAll(EngineApi& api, platform::LibraryLoader& loader) {
    void* const m = api.module;
    // Stops at the first function the library lacks.
#define MOVIRA_ENGINE_FUNCTION(name, result, params) \
    if (!ResolveInto(api.name, loader, m, #name)) return false;
#include "engine/EngineFunctions.h"
    return true;
}

}  // namespace

bool LoadEngineLibrary(const platform::MessageBoxTexts& failureBox) {
    return LoadEngineLibrary(GetEngineApi(), platform::SystemLibraryLoader(),
                             platform::SystemMessageBox(), kEngineLibraryNames, failureBox);
}

bool LoadEngineLibrary(EngineApi& api, platform::LibraryLoader& loader,
                       platform::MessageBoxService& boxes,
                       const std::vector<std::string>& fileNames,
                       const platform::MessageBoxTexts& failureBox) {
    // Loading again would only take a second reference on the same library, and the
    // resolved fields already point into the first one.
    if (api.module != nullptr) {
        return api.loaded;
    }
    api.module = LoadFirst(loader, boxes, fileNames, failureBox);
    if (api.module == nullptr) {
        return false;
    }
    api.loader = &loader;
    api.loaded = ResolveAll(api, loader);
    return api.loaded;
}
