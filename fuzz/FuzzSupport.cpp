#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "FuzzCheck.h"
#include "FuzzTargets.h"

namespace {

FuzzFailureHandler& Handler() {
    static FuzzFailureHandler handler;
    return handler;
}

constexpr FuzzTarget kTargets[] = {
    {"ini_file", FuzzIniFile},
    {"layout", FuzzLayout},
    {"attribute_list", FuzzAttributeList},
    {"language", FuzzLanguage},
    {"skin_zip", FuzzSkinZip},
    {"image_descriptor", FuzzImageDescriptor},
    {"menu_pick", FuzzMenuPick},
};

}  // namespace

FuzzFailureHandler SetFuzzFailureHandler(FuzzFailureHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

void FuzzFailure(const char* file, int line, const char* condition, const char* what) {
    const std::string message =
        std::string(file) + ":" + std::to_string(line) + ": " + what + " (" + condition + ")";
    if (Handler()) {
        Handler()(message);
        return;
    }
    std::fprintf(stderr, "fuzz check failed: %s\n", message.c_str());
    std::abort();
}

std::span<const FuzzTarget> FuzzTargets() { return kTargets; }

const FuzzTarget* FindFuzzTarget(std::string_view name) {
    for (const FuzzTarget& target : kTargets) {
        if (target.name == name) return &target;
    }
    return nullptr;
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    // No display is needed or wanted: the targets draw into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc by reference for the application's lifetime, and the application lives
    // as long as the process: destroying it at exit, after other statics, would only add
    // ways to crash that the program itself never has.
    static int argc = 1;
    static char name[] = "moviraplayer-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* const app = new QGuiApplication(argc, argv);
    (void)app;
}
