#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/LanguageChoice.h"
#include "platform/UiLanguage.h"
#include "toolkit/ResourceManager.h"

namespace {
QString Text(const char* id) {
    return CResourceManager::GetInstance().GetText(QString::fromLatin1(id));
}
}  // namespace

TEST(LanguageChoice, EachPrimaryLanguageAsksForItsTable) {
    EXPECT_EQ(LanguageFileFor(platform::kLangChinese), QStringLiteral("lan_zh.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangGerman), QStringLiteral("lan_de.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangSpanish), QStringLiteral("lan_es.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangFrench), QStringLiteral("lan_fr.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangItalian), QStringLiteral("lan_it.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangEnglish), QStringLiteral("lan_en.xml"));
    EXPECT_EQ(LanguageFileFor(17), QStringLiteral("lan_en.xml"));  // Japanese
}

// Every Chinese locale shows Chinese; the four languages the package lacks fall back to English.
TEST(LanguageChoice, LoadsChineseOrFallsBackToEnglish) {
    for (const char* locale : {"zh_CN.UTF-8", "zh_TW.UTF-8", "zh_HK", "zh_SG", "zh"}) {
        const int lang = platform::PrimaryLanguageFrom([&](const char* name) {
            return QString::fromLatin1(name) == u"LANG" ? QString::fromLatin1(locale) : QString();
        });
        EXPECT_EQ(LoadInterfaceLanguage(lang), QStringLiteral("lan_zh.xml")) << locale;
        EXPECT_EQ(Text("play"), QStringLiteral("播放")) << locale;
        EXPECT_EQ(Text("subtitle_close"), QStringLiteral("关闭字幕"));
    }
    for (int lang : {platform::kLangGerman, platform::kLangSpanish, platform::kLangFrench,
                     platform::kLangItalian, platform::kLangEnglish}) {
        EXPECT_EQ(LoadInterfaceLanguage(lang), QStringLiteral("lan_en.xml")) << lang;
        EXPECT_EQ(Text("play"), QStringLiteral("Play"));
        EXPECT_EQ(Text("fullscreen"), QStringLiteral("Fullscreen"));
    }
}

TEST(LanguageChoice, MissingTableKeepsTheLoadedOne) {
    ASSERT_EQ(LoadInterfaceLanguage(platform::kLangChinese), QStringLiteral("lan_zh.xml"));
    EXPECT_FALSE(CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_de.xml")));
    EXPECT_EQ(Text("stop"), QStringLiteral("停止"));
    EXPECT_EQ(Text("no_such_id"), QStringLiteral("no_such_id"));
}

TEST(CommandLine, OnlyTheFirstNonEmptyArgumentIsAFile) {
    EXPECT_EQ(CommandLinePath({QStringLiteral("moviraplayer")}), QString());
    EXPECT_EQ(CommandLinePath({}), QString());
    EXPECT_EQ(CommandLinePath({QStringLiteral("moviraplayer"), QStringLiteral("/m/a b.mp4"),
                               QStringLiteral("/m/c.mp4")}),
              QStringLiteral("/m/a b.mp4"));
    EXPECT_TRUE(
        CommandLinePath({QStringLiteral("moviraplayer"), QString(), QStringLiteral("/m/c.mp4")})
            .isEmpty());
}
