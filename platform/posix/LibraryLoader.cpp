#include "platform/LibraryLoader.h"

#include <dlfcn.h>

#include <QString>

namespace platform {
namespace {

class DynamicLinkerLoader final : public LibraryLoader {
  public:
    void* Load(const std::string& fileName, std::string& error) override {
        // dlopen treats an empty name as the main program, whose symbols are not the
        // library the caller asked for.
        if (fileName.empty()) {
            error = "empty library file name";
            return nullptr;
        }
        // RTLD_NOW: a library with unresolvable dependencies fails here, at start-up, and
        // not in the middle of playback. RTLD_LOCAL: its symbols stay out of the global
        // namespace of the process.
        void* module = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            // dlerror() must be read before any other dl* call replaces the text, which is in
            // the locale's encoding.
            const char* text = dlerror();
            error = text != nullptr ? QString::fromLocal8Bit(text).toStdString()
                                    : fileName + ": cannot be loaded";
            return nullptr;
        }
        error.clear();
        return module;
    }

    void* Resolve(void* module, const char* symbol) override {
        void* address = dlsym(module, symbol);
        // A failed lookup leaves its text pending; drop it so that the next failed Load
        // reports its own cause.
        dlerror();
        return address;
    }

    void Unload(void* module) override { dlclose(module); }
};

}  // namespace

LibraryLoader& SystemLibraryLoader() {
    // Deliberately leaked: function-local statics are destroyed in reverse order of
    // creation, and the engine table, created earlier, unloads through this loader at exit.
    static auto* const loader = new DynamicLinkerLoader;
    return *loader;
}

}  // namespace platform
