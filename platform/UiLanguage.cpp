#include "platform/UiLanguage.h"

#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <array>
#include <utility>

namespace platform {
namespace {

// A locale name is language[_territory][.codeset][@modifier]; only the language decides.
// '-' is accepted too because some desktops write BCP 47 tags such as "zh-TW".
QStringView LanguagePart(QStringView locale) {
    const auto end = std::find_if(locale.begin(), locale.end(), [](QChar c) {
        return c == u'_' || c == u'.' || c == u'@' || c == u'-';
    });
    return locale.first(end - locale.begin());
}

int PrimaryLanguageOf(QStringView locale) {
    static constexpr std::array<std::pair<char16_t const*, int>, 5> kKnown{{
        {u"zh", kLangChinese},
        {u"de", kLangGerman},
        {u"es", kLangSpanish},
        {u"fr", kLangFrench},
        {u"it", kLangItalian},
    }};
    const QStringView language = LanguagePart(locale);
    for (const auto& [code, id] : kKnown) {
        if (language.compare(QStringView(code), Qt::CaseInsensitive) == 0) {
            return id;
        }
    }
    return kLangEnglish;
}

// LANGUAGE lists the user's languages by preference; empty entries ("zh::en", ":de") are
// allowed and skipped.
QString FirstListedLanguage(const QString& languageList) {
    const QStringList entries = languageList.split(u':', Qt::SkipEmptyParts);
    return entries.isEmpty() ? QString() : entries.first();
}

}  // namespace

int PrimaryLanguageFrom(const std::function<QString(const char* name)>& getenv) {
    // A LANGUAGE made of separators only names no language, so the locale variables decide.
    if (const QString listed = FirstListedLanguage(getenv("LANGUAGE")); !listed.isEmpty()) {
        return PrimaryLanguageOf(listed);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const QString value = getenv(name); !value.isEmpty()) {
            return PrimaryLanguageOf(value);
        }
    }
    return kLangEnglish;
}

}  // namespace platform
