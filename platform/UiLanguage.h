#pragma once

#include <QString>
#include <functional>

namespace platform {

// Primary-language ids of the interface languages the skin knows about. They keep the
// numbers of the Windows language ids so that language tables read the same everywhere.
inline constexpr int kLangChinese = 4, kLangGerman = 7, kLangEnglish = 9, kLangSpanish = 10,
                     kLangFrench = 12, kLangItalian = 16;

// The user's first interface language, decided by the first of LANGUAGE (a colon-separated
// list whose first non-empty entry counts), LC_ALL, LC_MESSAGES and LANG that is set and not
// empty. Every Chinese locale maps to kLangChinese; German, Spanish, French and Italian to
// their ids; "C", "POSIX", nothing set and every other language to kLangEnglish.
// getenv returns a null or empty string for a variable that is not set.
int PrimaryLanguageFrom(const std::function<QString(const char* name)>& getenv);

// The same, read from the process environment.
int UserUiPrimaryLanguage();

}  // namespace platform
