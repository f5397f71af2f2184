#pragma once

#include <string>

namespace platform {

// Run-time loading of shared libraries. The playback library is never linked; it is found
// and bound by name when the program starts, and tests substitute a scripted loader.
class LibraryLoader {
  public:
    virtual ~LibraryLoader() = default;

    // Loads by file name with the system's search order (on Windows the program's folder
    // first). On failure returns null and sets error to the system loader's own text in
    // UTF-8, which names the file; on success clears error.
    virtual void* Load(const std::string& fileName, std::string& error) = 0;

    // The address of symbol in module, or null when the module does not export it.
    virtual void* Resolve(void* module, const char* symbol) = 0;

    virtual void Unload(void* module) = 0;
};

// The process-wide loader backed by the system's dynamic linker. It is never destroyed, so
// objects that unload their library during exit can still reach it.
LibraryLoader& SystemLibraryLoader();

}  // namespace platform
