#include "engine/EngineApi.h"

#include "platform/LibraryLoader.h"

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
