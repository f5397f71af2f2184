#include "platform/UiLanguage.h"
#include "platform/win32/WideText.h"

namespace platform {

int UserUiPrimaryLanguage() {
    // The locale variables, when any is set, decide as on Linux (tests set them); else the
    // language the user chose for Windows' own interface.
    const auto environment = [](const char* name) { return qEnvironmentVariable(name); };
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!environment(name).isEmpty()) return PrimaryLanguageFrom(environment);
    }
    switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
        case LANG_CHINESE:
            return kLangChinese;
        case LANG_GERMAN:
            return kLangGerman;
        case LANG_SPANISH:
            return kLangSpanish;
        case LANG_FRENCH:
            return kLangFrench;
        case LANG_ITALIAN:
            return kLangItalian;
        default:
            return kLangEnglish;
    }
}

}  // namespace platform
