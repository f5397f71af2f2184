#include "platform/LibraryLoader.h"

#include <QDir>
#include <QString>
#include <vector>

#include "platform/win32/WideText.h"

namespace platform {
namespace {

// The folder of the running program, where a DLL shipped with it lies.
QString ProgramFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            const QString file = win32::FromWide(path.data(), static_cast<int>(length));
            return file.left(file.lastIndexOf(u'\\'));
        }
        path.resize(path.size() * 2);
    }
}

// A failed load must not bring up the system's own box about a missing disk or DLL.
HMODULE LoadQuietly(const std::wstring& path, DWORD flags) {
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, flags);
    const DWORD error = GetLastError();
    SetThreadErrorMode(previous, nullptr);
    SetLastError(error);
    return module;
}

class WindowsLoader final : public LibraryLoader {
  public:
    void* Load(const std::string& fileName, std::string& error) override {
        if (fileName.empty()) {
            error = "empty library file name";
            return nullptr;
        }
        const QString name = QString::fromStdString(fileName);
        if (name.contains(u'/') || name.contains(u'\\')) {
            return Loaded(LoadQuietly(win32::Wide(QDir::toNativeSeparators(name)),
                                      LOAD_WITH_ALTERED_SEARCH_PATH),
                          name, error);
        }
        // Beside the program first, its own dependencies resolved from its folder; then the
        // system's safe search (the program's folder, System32, added folders), never the
        // current folder, which anyone could have put a DLL of that name into.
        const QString beside = ProgramFolder() + u'\\' + name;
        if (HMODULE module = LoadQuietly(win32::Wide(beside), LOAD_WITH_ALTERED_SEARCH_PATH)) {
            return Loaded(module, beside, error);
        }
        const DWORD besideError = GetLastError();
        if (besideError != ERROR_MOD_NOT_FOUND && besideError != ERROR_FILE_NOT_FOUND &&
            besideError != ERROR_PATH_NOT_FOUND) {
            // There, but unusable (wrong architecture, a missing dependency): say so.
            return Loaded(nullptr, beside, error);
        }
        return Loaded(LoadQuietly(win32::Wide(name), LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), beside,
                      error);
    }

    void* Resolve(void* module, const char* symbol) override {
        return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), symbol));
    }

    void Unload(void* module) override { FreeLibrary(static_cast<HMODULE>(module)); }

  private:
    static void* Loaded(HMODULE module, const QString& tried, std::string& error) {
        if (!module) {
            error = (tried + QStringLiteral(": ") + win32::SystemErrorText(GetLastError()))
                        .toStdString();
            return nullptr;
        }
        error.clear();
        return module;
    }
};

}  // namespace

LibraryLoader& SystemLibraryLoader() {
    // Deliberately leaked, as on Linux: the engine table unloads through it at exit.
    static auto* const loader = new WindowsLoader;
    return *loader;
}

}  // namespace platform
