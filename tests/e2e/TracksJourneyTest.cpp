// A film in two languages with chapters: the audio menu lists both tracks and switches
// between them where the film is, the subtitle file beside the film is offered and one
// dropped on the window is added, shown and checked in the subtitle menu while the film plays
// on, Page Down goes to the next chapter, X moves the subtitles, and the next time the film
// opens it has its language and its delay back. What the engine does is read from the engine
// itself, over its IPC socket.
#include <QFile>
#include <QJsonValue>

#include "EngineProbe.h"
#include "MediaSession.h"

namespace e2e {
namespace {

// The menus' itemselectedbkcolor, which is also their itemhotbkcolor: a menu opens with the
// keyboard on its checked item.
constexpr QRgb kCheckedBackground = 0x888888;

class TracksJourneyTest : public MediaTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MediaTest::SetUp());
        // In the player's runtime folder under /tmp: a socket's path must stay short (108
        // bytes), which one deep in a build folder need not.
        probe_ =
            std::make_unique<EngineProbe>(player_->runtimeDir() + QStringLiteral("/engine.sock"));
        player_->setEnv(QStringLiteral("MOVIRA_ENGINE_OPTIONS"), probe_->engineOptions());
    }
    double timePos() const {
        return probe_->property(QStringLiteral("time-pos")).value_or(QJsonValue(-1.0)).toDouble();
    }
    // Opens the menu of `button`, checks it has `items` items of equal height, and gives its
    // place on the screen.
    QRect openMenu(const QRect& button, int items) {
        QRect menu;
        clickAt(button.center());
        awaitOnlyWindow(QStringLiteral("^Menu$"), 10s, nullptr, &menu);
        return menu.isValid() && items > 0 ? menu : QRect();
    }
    // The middle of item `index` of a menu of `items` equal items inside a one-pixel border.
    static QPoint itemCentre(const QRect& menu, int index, int items) {
        const int height = (menu.height() - 2) / items;
        return {menu.center().x(), menu.top() + 1 + height * index + height / 2};
    }
    std::unique_ptr<EngineProbe> probe_;
};

TEST_F(TracksJourneyTest, LanguagesSubtitleFilesAndChapters) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kChapters, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());
    ASSERT_TRUE(probe_->awaitProperty(QStringLiteral("aid"), 1)) << "the engine is not reached";
    // Video, two audio tracks and the subtitle file beside the film.
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("track-list/count"), 4));

    // The audio menu: English 5.1, then the French commentary, picked where the film is.
    const QRect audioMenu = openMenu(sized::audioButton(size()), 2);
    ASSERT_TRUE(audioMenu.isValid());
    const double before = timePos();
    ASSERT_NO_FATAL_FAILURE(clickScreen(itemCentre(audioMenu, 1, 2)));
    ASSERT_NO_FATAL_FAILURE(restPointer());
    EXPECT_TRUE(awaitNoWindow(QStringLiteral("^Menu$")));
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("aid"), 2));
    EXPECT_GE(timePos(), before) << "the switch went back";

    // A subtitle file dropped on the picture is added, shown, and the film plays on.
    ASSERT_NO_FATAL_FAILURE(
        startDragSource({media::path(media::kDroppedSubtitles)}, QPoint(20, 20)));
    const double beforeDrop = timePos();
    const QPoint picture = onScreen(sized::video(size()).center());
    ASSERT_NO_FATAL_FAILURE(pressAndMove(dragSource_->grip(), picture, 6));
    ASSERT_NO_FATAL_FAILURE(dropAt(picture));
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("track-list/count"), 5));
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("sid"), 2));
    EXPECT_EQ(probe_->property(QStringLiteral("sub-visibility")), QJsonValue(true));
    EXPECT_GE(timePos(), beforeDrop) << "the film started over";
    EXPECT_EQ(xdo_->windowName(window_), media::title(media::kChapters));
    // Its menu: turn off, the file beside the film, the dropped one checked, load a file.
    const QRect subtitleMenu = openMenu(sized::subtitleButton(size()), 4);
    ASSERT_TRUE(subtitleMenu.isValid());
    const QImage shot = screen_->grab(QStringLiteral("subtitle-menu"));
    const auto checkedIn = [&](int index) {
        const QPoint centre = itemCentre(subtitleMenu, index, 4);
        const QRect row(subtitleMenu.left(), centre.y() - 6, subtitleMenu.width(), 12);
        int marked = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                marked += (shot.pixel(x, y) & 0xFFFFFF) == kCheckedBackground;
        return marked;
    };
    // A few pixels of text edges may share the grey; a marked row is a whole band of it.
    EXPECT_GT(checkedIn(2), 500) << "the dropped file is not checked";
    EXPECT_LT(checkedIn(1), 50);
    EXPECT_LT(checkedIn(3), 50);
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Escape")));
    EXPECT_TRUE(awaitNoWindow(QStringLiteral("^Menu$")));

    // A file named like subtitles that holds none: nothing is added, the film plays on.
    const QString broken = artifactDir_ + QStringLiteral("/broken.srt");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        static constexpr char kNoise[] = "\x00\x01\x02 no cue here \xff\xfe";
        file.write(QByteArray(kNoise, sizeof kNoise - 1).repeated(50));
    }
    ASSERT_NO_FATAL_FAILURE(startDragSource({broken}, QPoint(20, 20)));
    ASSERT_NO_FATAL_FAILURE(pressAndMove(dragSource_->grip(), picture, 6));
    ASSERT_NO_FATAL_FAILURE(dropAt(picture));
    EXPECT_EQ(str(dragSource_->awaitVerdict(20s).value_or(QStringLiteral("(no answer)"))),
              "copied");
    const double afterBroken = timePos();
    EXPECT_TRUE(pollUntil([&] { return timePos() > afterBroken + 0.5; }, 20s))
        << "the film stopped";
    EXPECT_EQ(probe_->property(QStringLiteral("track-list/count")), QJsonValue(5));
    EXPECT_EQ(probe_->property(QStringLiteral("sid")), QJsonValue(2));

    // Page Down: the next chapter (from the last, back one first).
    std::int64_t chapter =
        probe_->property(QStringLiteral("chapter")).value_or(QJsonValue(-1)).toInteger();
    if (chapter >= 2) {
        ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Page_Up")));
        ASSERT_TRUE(
            probe_->awaitProperty(QStringLiteral("chapter"), QJsonValue(qint64{chapter - 1})));
        --chapter;
    }
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("Page_Down")));
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("chapter"), QJsonValue(qint64{chapter + 1})));

    // Three steps later, then back to the start and play the film again: all kept for it.
    for (int i = 0; i < 3; ++i) ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("x")));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("z")));
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("sub-delay"), 0.2));
    ASSERT_NO_FATAL_FAILURE(closeWithButton());

    ASSERT_NO_FATAL_FAILURE(startWith(media::kChapters, media::kBarsWindow));
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("aid"), 2)) << "the language is not back";
    EXPECT_TRUE(probe_->awaitProperty(QStringLiteral("sub-delay"), 0.2));
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
}

}  // namespace
}  // namespace e2e
