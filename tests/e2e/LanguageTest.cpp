// The interface speaks the user's language, as the desktop's environment names it
// (LANGUAGE, then LC_ALL, LC_MESSAGES and LANG): Chinese for any Chinese locale, English for
// every other, German included, for which the skin has no table. The "Language" key of
// config.ini does not choose it and is written back as it was. Seen on the screen: a
// button's tooltip, the subtitle menu's first item and the About window's texts each show
// the language's words and not the other language's (TextPicture.h tells them apart), and
// Qt's own file dialog is captioned in it.
#include <QDir>
#include <QFile>
#include <utility>
#include <vector>

#include "MediaSession.h"
#include "SettingsFiles.h"
#include "TextPicture.h"
#include "WindowParts.h"

namespace e2e {
namespace {

// The words checked, from the skin's language tables; the About window's version line is
// the player's own.
struct Words {
    const char* volumeTooltip;
    const char* subtitleOff;
    const char* aboutTitle;
    const char* productName;
    const char* slogan;
    const char* versionLine;
    const char* homePage;
    const char* openDialogCaption;  // Qt's own text, from Qt's catalogue for the language
};
constexpr Words kEnglish{"Volume",
                         "Turn off",
                         "About",
                         "Movira Media Player",
                         "Minimalist, pure, and fluid",
                         "Version: v" MOVIRA_VERSION,
                         "Visit Official Website",
                         "Open"};
constexpr Words kChinese{"声音",
                         "关闭字幕",
                         "关于",
                         "Movira音视频播放器",
                         "极简、纯净、流畅",
                         "版本: " MOVIRA_VERSION,
                         "访问官方网站",
                         "打开"};

struct LanguageCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> environment;
    const char* languageSetting;  // what config.ini says before the run
    const Words* shown;
    const Words* other;
};
void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class LanguageTest : public MediaTest, public ::testing::WithParamInterface<LanguageCase> {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MediaTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(
            seedSettings(QStringLiteral("config.ini"),
                         QByteArray("[Settings]\nVolume=100.0\nMute=0\nTopMost=0\nLanguage=") +
                             GetParam().languageSetting + '\n'));
        for (const auto& [name, value] : GetParam().environment) {
            player_->setEnv(QString::fromLatin1(name), QString::fromLatin1(value));
        }
        ASSERT_NO_FATAL_FAILURE(watchWindows());
    }

    // Waits until `area` (on the screen) shows `expected` in `font`, then expects that the
    // same screenshot does not pass for `other`, the other language's words. Texts of a
    // window already seen painted need a shorter wait.
    void expectText(const QString& label, const QRect& area, const char* expected,
                    const char* other, const QFont& font, std::chrono::milliseconds bound = 20s) {
        const QString want = QString::fromUtf8(expected);
        text::Likeness seen;
        const auto shot = screen_->grabUntil(
            label,
            [&](const QImage& image) {
                seen = text::likeness(image, area, want, font);
                return seen.alike();
            },
            bound, &lastShot_);
        EXPECT_TRUE(shot.has_value())
            << str(label) << " never showed \"" << expected << "\": " << str(seen.describe());
        if (!shot) return;
        const text::Likeness unlike = text::likeness(*shot, area, QString::fromUtf8(other), font);
        EXPECT_FALSE(unlike.alike())
            << str(label) << " passes for \"" << other << "\" as well: " << str(unlike.describe());
    }
};

TEST_P(LanguageTest, TooltipSubtitleMenuAndAboutWindowSpeakIt) {
    const Words& shown = *GetParam().shown;
    const Words& other = *GetParam().other;
    ASSERT_NO_FATAL_FAILURE(startWith(media::kTracks, media::kBarsWindow));

    // A tooltip: the first window the player shows once the pointer rests on the volume
    // button. Inside its one-pixel frame it holds the text alone.
    const size_t before = watcher_.events().size();
    ASSERT_TRUE(xdo_->mouseMove(onScreen(sized::volumeButton(size()).center())))
        << str(xdo_->lastError());
    WindowId tip = 0;
    ASSERT_TRUE(watcher_.waitFor(
        [&](const std::vector<WindowEvent>& events) {
            for (size_t i = before; i < events.size(); ++i) {
                if (events[i].kind == WindowEvent::Mapped && events[i].window != window_) {
                    tip = events[i].window;
                    return true;
                }
            }
            return false;
        },
        20s))
        << "no tooltip over the volume button";
    // Known by its type, as the bad-input tests know the tooltips they pass over.
    EXPECT_TRUE(watcher_.waitFor(
        [&](const std::vector<WindowEvent>& events) { return isTooltip(events, tip); }, 20s))
        << str(describe(watcher_.events()));
    const auto tipRect = xdo_->geometry(tip);
    ASSERT_TRUE(tipRect.has_value()) << str(xdo_->lastError());
    expectText(QStringLiteral("tooltip"), tipRect->adjusted(1, 1, -1, -1), shown.volumeTooltip,
               other.volumeTooltip, text::tooltipFont());

    // The subtitle menu, over its button: the first of its 28 px items, inside a one-pixel
    // border, turns subtitles off. Picking it closes the menu.
    ASSERT_NO_FATAL_FAILURE(press(sized::subtitleButton(size())));
    QRect menu;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^Menu$"), 20s, nullptr, &menu));
    const QRect firstItem(menu.left() + 1, menu.top() + 1, menu.width() - 2, look::kMenuItemHeight);
    expectText(QStringLiteral("subtitle-menu"), firstItem, shown.subtitleOff, other.subtitleOff,
               text::skinFont(12));
    ASSERT_NO_FATAL_FAILURE(clickScreen(firstItem.center()));
    ASSERT_NO_FATAL_FAILURE(restPointer());
    ASSERT_TRUE(awaitNoWindow(QStringLiteral("^Menu$"))) << "the menu stayed open after the pick";

    // The About window: its title, the product's name and slogan in the skin's 12, 16 and
    // 14 px fonts, the version line and the home-page button.
    ASSERT_NO_FATAL_FAILURE(press(sized::menuButton(size())));
    QRect about;
    ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^About$"), 20s, nullptr, &about));
    const QPoint origin = about.topLeft();
    expectText(QStringLiteral("about-title"), about::title().translated(origin), shown.aboutTitle,
               other.aboutTitle, text::skinFont(12));
    expectText(QStringLiteral("about-name"), about::productName().translated(origin),
               shown.productName, other.productName, text::skinFont(16), 5s);
    expectText(QStringLiteral("about-slogan"), about::slogan().translated(origin), shown.slogan,
               other.slogan, text::skinFont(14), 5s);
    expectText(QStringLiteral("about-version"), about::version().translated(origin),
               shown.versionLine, other.versionLine, text::skinFont(12), 5s);
    expectText(QStringLiteral("about-home"), about::homePage().translated(origin), shown.homePage,
               other.homePage, text::skinFont(12), 5s);
    ASSERT_NO_FATAL_FAILURE(clickScreen(origin + about::closePoint()));
    ASSERT_TRUE(awaitNoWindow(QStringLiteral("^About$")))
        << "the About window stayed after a click on its close button";

    // Qt's own file dialog, from the open button, is captioned in the language too; Escape
    // closes it.
    ASSERT_NO_FATAL_FAILURE(clickAt(sized::openButton(size()).center()));
    const QString caption = QLatin1Char('^') + QString::fromUtf8(shown.openDialogCaption) + u'$';
    const auto dialogs = xdo_->waitForWindows(caption, 20s);
    ASSERT_EQ(dialogs.size(), 1u) << "no file dialog captioned " << shown.openDialogCaption << "; "
                                  << str(xdo_->lastError());
    screen_->grab(QStringLiteral("open-dialog"));
    ASSERT_TRUE(xdo_->focus(dialogs.front())) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->key(QStringLiteral("Escape"))) << str(xdo_->lastError());
    ASSERT_TRUE(pollUntil([&] { return xdo_->visibleWindows(caption).empty(); }, 10s))
        << "the dialog stayed after Escape";

    // The setting played no part, and the run wrote it back as it was.
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    const auto config = IniText::load(player_->settingsDir() + QStringLiteral("/config.ini"));
    ASSERT_TRUE(config.has_value()) << "no config.ini";
    EXPECT_EQ(config->value(QStringLiteral("Settings"), QStringLiteral("Language")),
              QString::fromLatin1(GetParam().languageSetting))
        << str(config->text());
}

INSTANTIATE_TEST_SUITE_P(
    Environments, LanguageTest,
    ::testing::Values(
        LanguageCase{"EnglishLocale", {{"LANG", "C.UTF-8"}}, "lan_zh.xml", &kEnglish, &kChinese},
        LanguageCase{
            "ChineseLocale", {{"LANG", "zh_CN.UTF-8"}}, "lan_en.xml", &kChinese, &kEnglish},
        // The first language listed counts, over the locale.
        LanguageCase{"ChineseFirstInLanguageList",
                     {{"LANGUAGE", "zh_TW:en"}, {"LANG", "C.UTF-8"}},
                     "lan_en.xml",
                     &kChinese,
                     &kEnglish},
        // The skin has no German table: the English one stands in, whole.
        LanguageCase{"GermanLocaleGetsEnglish",
                     {{"LANG", "de_DE.UTF-8"}},
                     "lan_zh.xml",
                     &kEnglish,
                     &kChinese}),
    CaseName());

}  // namespace
}  // namespace e2e
