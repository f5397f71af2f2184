#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/UiLanguage.h"

namespace {

using Environment = std::map<std::string, QString>;

int LanguageOf(const Environment& environment) {
    return platform::PrimaryLanguageFrom([&](const char* name) {
        const auto it = environment.find(name);
        return it == environment.end() ? QString() : it->second;
    });
}

int LanguageOfLang(const char* lang) { return LanguageOf({{"LANG", QString::fromUtf8(lang)}}); }

TEST(UiLanguageTest, EveryChineseLocaleIsChinese) {
    for (const char* locale : {"zh", "zh_CN", "zh_CN.UTF-8", "zh_TW.UTF-8", "zh_HK@x",
                               "zh_SG.GB2312", "zh-TW", "ZH_cn"}) {
        EXPECT_EQ(LanguageOfLang(locale), platform::kLangChinese) << locale;
    }
}

TEST(UiLanguageTest, KnownEuropeanLanguagesKeepTheirIds) {
    EXPECT_EQ(LanguageOfLang("de_DE.UTF-8"), platform::kLangGerman);
    EXPECT_EQ(LanguageOfLang("de_AT"), platform::kLangGerman);
    EXPECT_EQ(LanguageOfLang("es_MX.UTF-8"), platform::kLangSpanish);
    EXPECT_EQ(LanguageOfLang("fr_CA"), platform::kLangFrench);
    EXPECT_EQ(LanguageOfLang("it_IT@euro"), platform::kLangItalian);
}

TEST(UiLanguageTest, EverythingElseIsEnglish) {
    for (const char* locale : {"en_US.UTF-8", "en_GB", "ja_JP.UTF-8", "C", "C.UTF-8", "POSIX"}) {
        EXPECT_EQ(LanguageOfLang(locale), platform::kLangEnglish) << locale;
    }
    EXPECT_EQ(LanguageOf({}), platform::kLangEnglish);
}

// Only the language code counts: neither a longer code that starts the same nor a known
// territory makes a known language.
TEST(UiLanguageTest, LanguageCodeMustMatchWhole) {
    for (const char* locale : {"frr_DE", "dsb_DE", "ast_ES", "zhx", "en_IT", "C.zh"}) {
        EXPECT_EQ(LanguageOfLang(locale), platform::kLangEnglish) << locale;
    }
}

TEST(UiLanguageTest, VariablesDecideInPrecedenceOrder) {
    const Environment all{{"LANGUAGE", "zh_CN"},
                          {"LC_ALL", "de_DE.UTF-8"},
                          {"LC_MESSAGES", "fr_FR.UTF-8"},
                          {"LANG", "it_IT.UTF-8"}};
    EXPECT_EQ(LanguageOf(all), platform::kLangChinese);

    Environment withoutLanguage = all;
    withoutLanguage.erase("LANGUAGE");
    EXPECT_EQ(LanguageOf(withoutLanguage), platform::kLangGerman);

    withoutLanguage.erase("LC_ALL");
    EXPECT_EQ(LanguageOf(withoutLanguage), platform::kLangFrench);

    withoutLanguage.erase("LC_MESSAGES");
    EXPECT_EQ(LanguageOf(withoutLanguage), platform::kLangItalian);
}

TEST(UiLanguageTest, EmptyVariablesFallThrough) {
    EXPECT_EQ(LanguageOf({{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LC_MESSAGES", "es_ES"}}),
              platform::kLangSpanish);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", ""}, {"LC_ALL", "fr_FR"}, {"LANG", "zh_CN"}}),
              platform::kLangFrench);
    EXPECT_EQ(LanguageOf({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", ""}}),
              platform::kLangEnglish);
}

// A locale variable set to C is a decision too: it does not fall through to LANG.
TEST(UiLanguageTest, CLocaleInAnEarlierVariableWins) {
    EXPECT_EQ(LanguageOf({{"LC_ALL", "C"}, {"LANG", "zh_CN.UTF-8"}}), platform::kLangEnglish);
}

TEST(UiLanguageTest, LanguageListUsesItsFirstNonEmptyEntry) {
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "fr:de:zh"}}), platform::kLangFrench);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "en_US:zh_CN"}, {"LANG", "zh_CN"}}), platform::kLangEnglish);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", ":it_IT:fr"}}), platform::kLangItalian);
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "::de"}}), platform::kLangGerman);
    // Separators alone name no language.
    EXPECT_EQ(LanguageOf({{"LANGUAGE", "::"}, {"LANG", "zh_TW.UTF-8"}}), platform::kLangChinese);
}

// The process-environment form reads the same variables.
TEST(UiLanguageTest, ReadsTheProcessEnvironment) {
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::map<const char*, QByteArray> saved;
    for (const char* name : names) {
        if (qEnvironmentVariableIsSet(name)) {
            saved[name] = qgetenv(name);
        }
        qunsetenv(name);
    }

    qputenv("LC_ALL", "");
    qputenv("LC_MESSAGES", "de_CH.UTF-8");
    qputenv("LANG", "zh_CN.UTF-8");
    const int language = platform::UserUiPrimaryLanguage();

    for (const char* name : names) {
        qunsetenv(name);
        if (const auto it = saved.find(name); it != saved.end()) {
            qputenv(name, it->second);
        }
    }
    EXPECT_EQ(language, platform::kLangGerman);
}

}  // namespace
