#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/LibraryLoader.h"

// A loader whose libraries and symbols are declared by the test. Every symbol resolves to
// its own distinct address, so a test can tell which name ended up in which field.
class ScriptedLibraryLoader final : public platform::LibraryLoader {
  public:
    void* Load(const std::string& fileName, std::string& error) override {
        loads.push_back(fileName);
        if (!present.contains(fileName)) {
            error = fileName + ": not present";
            return nullptr;
        }
        error.clear();
        return &moduleToken;
    }

    void* Resolve(void* module, const char* symbol) override {
        resolved.emplace_back(symbol);
        if (module != &moduleToken || missingSymbols.contains(symbol)) {
            return nullptr;
        }
        return AddressOf(symbol);
    }

    void Unload(void* module) override { unloads.push_back(module); }

    // The address Resolve hands out for symbol.
    void* AddressOf(const std::string& symbol) { return &symbolTokens[symbol]; }

    void* Module() { return &moduleToken; }

    std::set<std::string> present;         // file names that load
    std::set<std::string> missingSymbols;  // names the loaded library lacks
    std::vector<std::string> loads;
    std::vector<std::string> resolved;
    std::vector<void*> unloads;

  private:
    int moduleToken = 0;
    std::map<std::string, char> symbolTokens;  // node-based: addresses stay put
};
