// Files dragged from another program onto the player, over the X drag-and-drop protocol:
// they are the queue and the first of them opens, whether it lands on the picture or on the
// window's bars, and
// when the window is closed its entry in progress.ini is written under its path, whatever
// characters the path holds (the drop carries it percent-encoded in a file URL).
#include <QDir>
#include <QFile>

#include "MediaSession.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

struct DropCase {
    const char* name;
    QPoint target;  // in the empty window's coordinates
    // The name the first file is dropped under, a copy of the bars clip; null for the
    // generated clip itself.
    const char* firstFileName;
};
// Failure messages name the case rather than dump its bytes.
void PrintTo(const DropCase& c, std::ostream* os) { *os << c.name; }

class DropTest : public MediaTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropTest, FirstDroppedFileOpens) {
    QString first = media::path(media::kBars);
    if (GetParam().firstFileName != nullptr) {
        const QString folder = artifactDir_ + QStringLiteral("/dropped");
        first = folder + QLatin1Char('/') + QString::fromUtf8(GetParam().firstFileName);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(media::path(media::kBars), first)) << str(first);
    }
    ASSERT_NO_FATAL_FAILURE(startPlayer({}, QStringLiteral("MoviraPlayer"), media::kEmptyWindow));
    // Left of and above the player, clear of it.
    ASSERT_NO_FATAL_FAILURE(startDragSource({first, media::path(media::kTitled)}, {20, 20}));

    // Press in the source, then move over to the player in steps like a hand would; the
    // last small move makes sure the player has answered for the final place.
    const QPoint to = onScreen(GetParam().target);
    ASSERT_NO_FATAL_FAILURE(pressAndMove(dragSource_->grip(), to, 6));
    ASSERT_NO_FATAL_FAILURE(dropAt(to));

    EXPECT_EQ(str(dragSource_->awaitVerdict(20s).value_or(QStringLiteral("(no answer)"))), "copied")
        << "the player did not take the drop";

    // The first file plays: its title becomes the caption, the window fits its video.
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kBars), media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("dropped-playing")).isNull());
    // The files dropped together are the queue: N plays the second, P the first again.
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("n")));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kTitled), media::kTitledWindow));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("p")));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kBars), media::kBarsWindow));

    // Closed, it records the window in the entry of exactly the dropped path.
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    const auto progress = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(progress.has_value()) << "no progress.ini";
    SCOPED_TRACE(str(progress->text()));
    const QString key = resumeKey(first);
    EXPECT_EQ(progress->value(key, QStringLiteral("w")),
              QString::number(media::kBarsWindow.width()));
    EXPECT_EQ(progress->value(key, QStringLiteral("h")),
              QString::number(media::kBarsWindow.height()));
}

INSTANTIATE_TEST_SUITE_P(Targets, DropTest,
                         ::testing::Values(DropCase{"OnThePicture", {400, 285}, nullptr},
                                           DropCase{"OnTheTitleBar", {400, 15}, nullptr},
                                           DropCase{"SpacesChineseAndEmojiInTheName",
                                                    {400, 285},
                                                    "my clip #1 100% 视频 🎬.mp4"}),
                         CaseName());

}  // namespace
}  // namespace e2e
