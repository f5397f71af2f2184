// S saves the picture that plays into the pictures folder the desktop names: a PNG of the
// video's own size, named after the title and the position.
#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include "MediaSession.h"
#include "Picture.h"
#include "Poll.h"

namespace e2e {
namespace {

using ScreenshotTest = MediaTest;

TEST_F(ScreenshotTest, TheSKeySavesThePictureIntoThePicturesFolder) {
    const QString pictures = player_->home() + QStringLiteral("/Shots");
    player_->setEnv(QStringLiteral("XDG_PICTURES_DIR"), pictures);
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());

    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("s")));

    const QDir folder(pictures + QStringLiteral("/MoviraPlayer"));
    QStringList names;
    QImage shot;
    // The engine writes the file while the test looks: it counts once it reads as a PNG.
    const bool saved = pollUntil(
        [&] {
            names = folder.entryList(QDir::Files);
            return names.size() == 1 && shot.load(folder.filePath(names[0]), "PNG");
        },
        20s, 100ms);
    ASSERT_TRUE(saved) << "in " << str(folder.path()) << ": " << str(names.join(u", "));
    const QRegularExpression expected(QStringLiteral("^Movira bars 00-00-[0-5][0-9]\\.png$"));
    EXPECT_TRUE(expected.match(names[0]).hasMatch()) << str(names[0]);
    EXPECT_EQ(shot.size(), media::kBars.video);
    // The colour bars, not a black frame.
    EXPECT_GE(picture::countColourful(shot, shot.rect()), shot.width() * shot.height() / 2);

    ASSERT_NO_FATAL_FAILURE(closeWithButton());
}

}  // namespace
}  // namespace e2e
