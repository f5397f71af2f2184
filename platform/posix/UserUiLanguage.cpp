#include "platform/UiLanguage.h"

namespace platform {

int UserUiPrimaryLanguage() {
    return PrimaryLanguageFrom([](const char* name) { return qEnvironmentVariable(name); });
}

}  // namespace platform
