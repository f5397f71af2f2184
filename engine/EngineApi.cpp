#include "engine/EngineApi.h"

#include <type_traits>

#include "platform/LibraryLoader.h"

// The list's signatures are the library header's, so a field can only hold the real function.
#define MOVIRA_ENGINE_FUNCTION(name, result, params)                            \
    static_assert(std::is_same_v<decltype(EngineApi::name), decltype(&::name)>, \
                  #name " differs from the library's declaration");
#include "engine/EngineFunctions.h"

EngineApi::~EngineApi() {
    // The function fields may point into the library; nothing may call them after this.
    if (module != nullptr && loader != nullptr) {
        loader->Unload(module);
    }
}

EngineApi& GetEngineApi() {
    static EngineApi api;
    return api;
}
