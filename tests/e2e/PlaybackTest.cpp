// A file named on the command line plays: its picture shows in the video area at its own
// aspect and moves, and the close button still ends the process with success. Names that
// look like options or are not UTF-8 play and resume too, and --help and --version print.
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <cmath>
#include <utility>

#include "MediaSession.h"
#include "Picture.h"
#include "Poll.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

using PlaybackTest = MediaTest;

TEST_F(PlaybackTest, PlaysTheFileFromTheCommandLine) {
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));

    // The 640x360 picture sits unscaled in the middle of the 850x360 video area, with black
    // on either side. Strong colours fill most of it: the colour bars.
    const QSize clip = media::kBars.video;
    const QRect area = videoArea();
    const QRect shownArea(area.left() + (area.width() - clip.width()) / 2, area.top(), clip.width(),
                          clip.height());
    const QRect leftBand(area.left(), area.top(), shownArea.left() - area.left() - 2,
                         area.height());
    const QRect rightBand(shownArea.right() + 3, area.top(), area.right() - shownArea.right() - 2,
                          area.height());
    const int half = shownArea.width() * shownArea.height() / 2;
    QImage last;
    const auto shown = screen_->grabUntil(
        QStringLiteral("picture"),
        [&](const QImage& image) { return picture::countColourful(image, shownArea) >= half; }, 20s,
        &last);
    ASSERT_TRUE(shown.has_value())
        << "colourful pixels in the picture: " << picture::countColourful(last, shownArea) << " of "
        << shownArea.width() * shownArea.height();
    EXPECT_EQ(str(checkUniform(*shown, leftBand, 0x000000, 8)), "") << "left of the picture";
    EXPECT_EQ(str(checkUniform(*shown, rightBand, 0x000000, 8)), "") << "right of the picture";

    ASSERT_FALSE(awaitPlaying(QStringLiteral("moving")).isNull());
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
}

// Names as desktops and shells hand them over, each a link to the 30 s clip in the player's
// working folder: one that looks like an option of Qt's, given after "--"; one with a space
// and a byte that is not UTF-8, as a file: URI; and that byte raw. Each plays, is
// remembered under the key of its name, and the next run resumes there.
struct NameCase {
    const char* label;
    QByteArray fileName;  // in the working folder, as bytes
    enum Form { AfterDashDash, FileUri, RawPath } form;
    // The name the player knows the file by: the text given, or the path, with each byte
    // that is not UTF-8 as U+DC00 + the byte. A %s stands for the working folder.
    const char16_t* keyText;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.label; }

// The clip's length and how far a slider reading may be off (a pixel of 840 is 0.04 s).
constexpr double kClipSeconds = 30.0;
constexpr double kSliderSlack = 0.01;

class NamedFileTest : public MediaTest, public ::testing::WithParamInterface<NameCase> {
  protected:
    // The arguments, written so that a launcher can pass any bytes: bash runs the player with
    // each of them after printf's %b, which turns "\xE9" into that byte.
    QStringList arguments(const QByteArray& path) const {
        const auto escaped = [](const QByteArray& bytes) {
            QString text;
            for (const char c : bytes) {
                const auto byte = static_cast<unsigned char>(c);
                if (byte >= 0x80 || c == '\\')
                    text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
                else
                    text += QLatin1Char(c);
            }
            return text;
        };
        switch (GetParam().form) {
            case NameCase::AfterDashDash:
                return {QStringLiteral("--"), escaped(GetParam().fileName)};
            case NameCase::FileUri:
                return {escaped("file://" + path.toPercentEncoding("/"))};
            case NameCase::RawPath:
                break;
        }
        return {escaped(path)};
    }

    // Qt reads a name that is not UTF-8 as another name and could not remove the link with
    // the test's folder.
    void TearDown() override {
        if (!link_.isEmpty()) ::unlink(link_.constData());
        MediaTest::TearDown();
    }
    QByteArray link_;
};

TEST_P(NamedFileTest, PlaysAndResumesUnderItsName) {
    const QByteArray home = QFile::encodeName(player_->home());
    const QByteArray path = home + '/' + GetParam().fileName;
    ASSERT_EQ(::symlink(QFile::encodeName(media::path(media::kBars)).constData(), path.constData()),
              0)
        << path.constData();
    link_ = path;
    player_->setLauncher({QStringLiteral("/bin/bash"), QStringLiteral("-c"),
                          QStringLiteral("exe=$1; shift; args=(); for a; do args+=(\"$(printf "
                                         "'%b' \"$a\")\"); done; exec \"$exe\" \"${args[@]}\""),
                          QStringLiteral("bash")});
    const QStringList args = arguments(path);
    const QString key = resumeKey(
        QString::fromUtf16(GetParam().keyText).replace(QStringLiteral("%s"), player_->home()));

    // First run: it plays; left past a quarter (7.5 s), it is closed with its button.
    ASSERT_NO_FATAL_FAILURE(startPlayer(args, media::title(media::kBars), media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("first-run-playing")).isNull());
    QImage last;
    ASSERT_TRUE(pollUntil(
        [&] {
            last = screen_->grab(QStringLiteral("first-run-progress"));
            return !last.isNull() && picture::progress(last, slider()).value_or(0) >= 0.25;
        },
        60s, 500ms))
        << "the slider stopped at " << picture::progress(last, slider()).value_or(-1);
    ASSERT_NO_FATAL_FAILURE(closeWithButton());

    const auto ini = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(ini.has_value()) << "no progress.ini";
    const auto saved = ini->value(key, QStringLiteral("progress"));
    ASSERT_TRUE(saved.has_value()) << "no entry under " << str(key) << " in\n" << str(ini->text());
    EXPECT_GE(saved->toDouble(), 0.25 * kClipSeconds - 1) << str(*saved);

    // Second run: paused where the first left it.
    ASSERT_NO_FATAL_FAILURE(startPlayer(args, media::title(media::kBars), media::kBarsWindow));
    const double place = saved->toDouble() / kClipSeconds;
    const QImage resumed =
        awaitPausedAt(QStringLiteral("second-run-resumed"), place, 2 * kSliderSlack);
    ASSERT_FALSE(resumed.isNull())
        << "the slider stands at " << picture::progress(lastShot_, slider()).value_or(-1)
        << ", where the first run left it: " << place;
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamedFileTest,
    ::testing::Values(
        NameCase{"QtOptionAfterDashDash", "-style", NameCase::AfterDashDash, u"-style"},
        NameCase{"FileUriWithSpaceAndLatin1Byte", "a b caf\xE9.mp4", NameCase::FileUri,
                 u"%s/a b caf\xDCE9.mp4"},
        NameCase{"RawLatin1Name", "caf\xE9.mp4", NameCase::RawPath, u"%s/caf\xDCE9.mp4"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.label; });

// Help and version need no display: printed, and the process ends with success.
TEST(CommandLineOutput, HelpAndVersionPrintWithoutADisplay) {
    QFile usage(QStringLiteral(MOVIRA_USAGE_FILE));
    ASSERT_TRUE(usage.open(QIODevice::ReadOnly));
    const QByteArray usageText = usage.readAll();
    const std::pair<const char*, QByteArray> cases[] = {
        {"--version", "MoviraPlayer " MOVIRA_VERSION "\n"},
        {"--help", usageText},
        {"-h", usageText},
    };
    for (const auto& [option, expected] : cases) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(env);
        process.start(PlayerProcess::executable(), {QString::fromLatin1(option)});
        ASSERT_TRUE(process.waitForFinished(20000)) << option;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << option;
        EXPECT_EQ(process.exitCode(), 0) << option;
        EXPECT_EQ(process.readAllStandardOutput(), expected) << option;
        EXPECT_EQ(process.readAllStandardError(), QByteArray()) << option;
    }
}

}  // namespace
}  // namespace e2e
