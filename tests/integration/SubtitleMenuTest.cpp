// The subtitle menu on a real file: it lists a turn-off item and the file's subtitle tracks
// as the engine knows them, and each pick reaches the engine and shows on the picture.
#include <QColor>
#include <QImage>
#include <algorithm>
#include <functional>

#include "IntegrationEnv.h"
#include "LivePlayer.h"
#include "Screen.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"
#include "ui/PlayerWindow.h"

namespace integration {
namespace {

using namespace std::chrono_literals;

// One video, two audio and two subtitle tracks: English without a title, then Chinese
// titled in Chinese. The English text is the shorter line.
const QString kTracksClip = QStringLiteral(MOVIRA_MEDIA_DIR "/e2e-tracks-640x360.mkv");

struct Item {
    QString text;
    QString userData;
    bool operator==(const Item&) const = default;
};
void PrintTo(const Item& item, std::ostream* os) {
    *os << '"' << str(item.text) << "\" (" << str(item.userData) << ')';
}

// The light subtitle text on the clip's dark picture: how many pixels, and how wide a run
// of columns they cover.
struct Lit {
    int pixels = 0;
    int width = 0;
};
Lit litText(const QImage& image, const QRect& rect) {
    Lit lit;
    int left = rect.right();
    int right = rect.left() - 1;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::min({qRed(p), qGreen(p), qBlue(p)}) < 200) continue;
            ++lit.pixels;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    lit.width = std::max(0, right - left + 1);
    return lit;
}

class SubtitleMenuTest : public LivePlayerTest {
  protected:
    // Clicks the subtitle button and returns the one menu that opened.
    CMenuWnd* openSubtitleMenu() {
        click("btn_subtitle");
        const auto menus = openMenus();
        EXPECT_EQ(menus.size(), 1u) << "open menus after a click on the subtitle button";
        return menus.size() == 1 ? menus.front() : nullptr;
    }

    static std::vector<Item> items(CMenuWnd& menu) {
        std::vector<Item> all;
        CMenuUI* container = menu.GetMenuUI();
        if (!container) return all;
        for (int i = 0; i < container->GetCount(); ++i) {
            const CControlUI* item = container->GetItemAt(i);
            all.push_back({item->GetDisplayText(), item->GetUserData()});
        }
        return all;
    }

    // Picks the item, which closes the menu, and waits for the engine to show `visibility`
    // with the track `sid`.
    void pick(int index, const QString& sid, const QString& visibility) {
        CMenuWnd* menu = openSubtitleMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_NO_FATAL_FAILURE(clickItem(*menu, index));
        const bool applied = awaitEvents(
            [&] {
                return engineString("sid") == sid && engineString("sub-visibility") == visibility;
            },
            5s);
        EXPECT_TRUE(applied)
            << "after item " << index << ": sid "
            << str(engineString("sid").value_or(QStringLiteral("<none>"))) << ", sub-visibility "
            << str(engineString("sub-visibility").value_or(QStringLiteral("<none>")))
            << "; expected " << str(sid) << ", " << str(visibility);
        EXPECT_TRUE(openMenus().empty()) << "the menu stayed open after the pick";
        EXPECT_TRUE(awaitMenusGoneFromScreen()) << "the menu still shows after the pick";
    }

    // Waits until the lower middle of the picture, where subtitles sit, meets `condition`.
    // The band keeps clear of the right side, where the menu opens: a closed menu can leave
    // its image there until the engine draws its next frame.
    Lit awaitSubtitles(const QString& label, const std::function<bool(const Lit&)>& condition) {
        const QRect video = videoAreaOnScreen();
        const QRect band(video.center().x() - 200, video.top() + video.height() / 2, 400,
                         video.height() / 2);
        Lit seen;
        const auto shot = screen_->grabUntil(
            label,
            [&](const QImage& image) {
                seen = litText(image, band);
                return condition(seen);
            },
            10s);
        EXPECT_TRUE(shot.has_value()) << label.toStdString() << ": " << seen.pixels
                                      << " light pixels over " << seen.width << " columns";
        return seen;
    }

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LivePlayerTest::SetUp());
        screen_ =
            std::make_unique<e2e::Screen>(QString::fromLocal8Bit(qgetenv("DISPLAY")), artifactDir_);
    }

    std::unique_ptr<e2e::Screen> screen_;
};

TEST_F(SubtitleMenuTest, ListsTheTracksAndEachPickReachesTheEngineAndThePicture) {
    ASSERT_NO_FATAL_FAILURE(openAndAwaitPlaying(kTracksClip));
    const std::vector<EngineTrack> tracks = engineSubtitleTracks();
    ASSERT_EQ(tracks.size(), 2u) << "the engine does not list the file's two subtitle tracks";
    ASSERT_EQ(str(tracks[0].lang), "eng");
    ASSERT_EQ(str(tracks[1].lang), "chi");
    ASSERT_NE(tracks[0].id, tracks[1].id);
    const QString english = QString::number(tracks[0].id);
    const QString chinese = QString::number(tracks[1].id);

    const auto sidAtStart = engineString("sid");
    ASSERT_TRUE(sidAtStart.has_value());

    // The turn-off item in the interface language first, then the tracks in the file's
    // order with the engine's ids (a title follows its language), and last the item that
    // loads a subtitle file.
    CMenuWnd* menu = openSubtitleMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(items(*menu),
              (std::vector<Item>{{QStringLiteral("Turn off"), QStringLiteral("-1")},
                                 {QStringLiteral("eng"), english},
                                 {QStringLiteral("chi - 简体中文"), chinese},
                                 {QStringLiteral("Load subtitle file…"), QString()}}));
    // Dismissed with Escape: it closes and nothing changes.
    menu->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(openMenus().empty()) << "Escape left the menu open";
    EXPECT_TRUE(awaitMenusGoneFromScreen()) << "the menu still shows after Escape";
    EXPECT_EQ(engineString("sid"), sidAtStart);
    EXPECT_EQ(engineString("sub-visibility"), QStringLiteral("yes"));

    // Turning off hides the text and keeps the chosen track.
    ASSERT_NO_FATAL_FAILURE(pick(0, *sidAtStart, QStringLiteral("no")));
    awaitSubtitles(QStringLiteral("off"), [](const Lit& lit) { return lit.pixels == 0; });

    // The Chinese track, shown again: its line is the longer one.
    ASSERT_NO_FATAL_FAILURE(pick(2, chinese, QStringLiteral("yes")));
    const Lit chineseText =
        awaitSubtitles(QStringLiteral("chinese"), [](const Lit& lit) { return lit.pixels > 0; });

    // The English track replaces it with its shorter line.
    ASSERT_NO_FATAL_FAILURE(pick(1, english, QStringLiteral("yes")));
    awaitSubtitles(QStringLiteral("english"), [&](const Lit& lit) {
        return lit.pixels > 0 && lit.width < chineseText.width * 2 / 3;
    });

    // Off again, from a track picked in the menu: the track stays chosen.
    ASSERT_NO_FATAL_FAILURE(pick(0, english, QStringLiteral("no")));
    awaitSubtitles(QStringLiteral("off-again"), [](const Lit& lit) { return lit.pixels == 0; });
}

TEST_F(SubtitleMenuTest, WithoutAFileOffersOnlyTurningOff) {
    CMenuWnd* menu = openSubtitleMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(items(*menu),
              (std::vector<Item>{{QStringLiteral("Turn off"), QStringLiteral("-1")}}));
    // Picked with nothing loaded, it still reaches the engine and harms nothing.
    ASSERT_NO_FATAL_FAILURE(clickItem(*menu, 0));
    EXPECT_TRUE(awaitEvents([&] { return engineString("sub-visibility") == u"no"; }, 5s))
        << "sub-visibility " << str(engineString("sub-visibility").value_or(QString()));
    EXPECT_TRUE(awaitMenusGoneFromScreen()) << "the menu still shows after the pick";
}

}  // namespace
}  // namespace integration
