// The desktop's view of the player over a private session bus: its media controls
// (MPRIS, driven with playerctl, dbus-send and gdbus as a panel or media key would) and the
// idle inhibition a playing video holds, recorded by a stand-in for the desktop's service.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <cmath>
#include <csignal>
#include <memory>

#include "MediaSession.h"
#include "Picture.h"
#include "SessionBus.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

constexpr double kLongSeconds = 90.0;
// The volume slider's thumb travels 62 px (70 less its 8 px).
constexpr int kVolumeTravel = 62;

QString busName(qint64 pid) {
    return QStringLiteral("org.mpris.MediaPlayer2.moviraplayer.instance") + QString::number(pid);
}

// What a helper process wrote to its log so far.
QString logText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The stand-in for the desktop's idle-inhibition service (IdleStandIn.cpp).
class IdleStandIn : public HelperProcess {
  public:
    using HelperProcess::HelperProcess;
    bool start(const SessionBus& bus, bool portal, QString* error) {
        const QStringList arguments =
            portal ? QStringList{QStringLiteral("--portal")} : QStringList{};
        return launch(QStringLiteral(MOVIRA_IDLE_STANDIN), arguments, bus.env(), 10s, error) &&
               awaitReady([this] { return saw(QStringLiteral("ready")); }, 10s,
                          QStringLiteral("did not come up"), error);
    }
    bool saw(const QString& line) const { return lines().contains(line); }
    QStringList lines() const { return logText(logFile_).split(u'\n', Qt::SkipEmptyParts); }
};

class DesktopControlsTest : public MediaTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(MediaTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(StartSessionBus(artifactDir_, &bus_));
        player_->setEnv(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_->address());
        // Every Seeked and PropertiesChanged signal on the bus, as a panel receives them.
        monitorLog_ = artifactDir_ + QStringLiteral("/signals.log");
        monitor_ = std::make_unique<HelperProcess>(monitorLog_);
        QString error;
        ASSERT_TRUE(monitor_->launch(QStringLiteral("dbus-monitor"),
                                     {QStringLiteral("--address"), bus_->address(),
                                      QStringLiteral("type='signal',member='Seeked'"),
                                      QStringLiteral("type='signal',member='PropertiesChanged'")},
                                     bus_->env(), 10s, &error))
            << str(error);
        standIn_ = std::make_unique<IdleStandIn>(artifactDir_ + QStringLiteral("/standin.log"));
    }
    void TearDown() override {
        MediaTest::TearDown();
        standIn_.reset();
        monitor_.reset();
        bus_.reset();
    }

    // The desktop's stand-in services up (the screen saver's service missing where
    // `portalOnly`), then the player playing `clip` in its window.
    void startPlaying(const media::Clip& clip, bool portalOnly) {
        QString error;
        ASSERT_TRUE(standIn_->start(*bus_, portalOnly, &error)) << str(error);
        ASSERT_NO_FATAL_FAILURE(startWith(clip, media::kBarsWindow));
        ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());
    }
    // playerctl for the player with process id `pid`.
    QString control(qint64 pid, const QStringList& arguments, bool* ok = nullptr) {
        return bus_->run(
            QStringLiteral("playerctl"),
            QStringList{QStringLiteral("--player=moviraplayer.instance") + QString::number(pid)} +
                arguments,
            ok);
    }
    bool awaitControl(qint64 pid, const QStringList& arguments, const QString& expected) {
        return pollUntil([&] { return control(pid, arguments) == expected; }, 20s, 100ms);
    }
    // A call on the player's object in gdbus's notation, which shows every value's type.
    QString call(qint64 pid, const QString& method, const QStringList& arguments = {}) {
        return bus_->run(
            QStringLiteral("gdbus"),
            QStringList{QStringLiteral("call"), QStringLiteral("--session"),
                        QStringLiteral("--dest"), busName(pid), QStringLiteral("--object-path"),
                        QStringLiteral("/org/mpris/MediaPlayer2"), QStringLiteral("--method"),
                        method} +
                arguments);
    }
    QString playerProperty(qint64 pid, const QString& name) {
        return call(pid, QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                    {QStringLiteral("org.mpris.MediaPlayer2.Player"), name});
    }
    // The positions of the Seeked signals seen so far, in microseconds.
    QList<qint64> seeked() const {
        QList<qint64> positions;
        static const QRegularExpression value(QStringLiteral("member=Seeked\\s+int64 (-?\\d+)"));
        for (auto it = value.globalMatch(logText(monitorLog_)); it.hasNext();)
            positions << it.next().captured(1).toLongLong();
        return positions;
    }
    // Whether a PropertiesChanged signal has announced `property` with `value` as dbus-monitor
    // prints it ("string \"Paused\"", "double 0.35").
    bool announced(const QString& property, const QString& value) const {
        const QRegularExpression change(QStringLiteral("string \"%1\"\\s+variant\\s+%2\n")
                                            .arg(property, QRegularExpression::escape(value)));
        return logText(monitorLog_).contains(change);
    }
    bool awaitAnnounced(const QString& property, const QString& value) {
        return pollUntil([&] { return announced(property, value); }, 20s, 50ms);
    }
    bool awaitStandIn(const QString& line) {
        return pollUntil([&] { return standIn_->saw(line); }, 20s, 50ms);
    }
    // Where the volume slider's thumb stands, 0 to 1.
    std::optional<double> volumeThumb(const QImage& image) const {
        return picture::progress(image, onScreen(sized::volumeSlider(size())));
    }

    std::unique_ptr<SessionBus> bus_;
    std::unique_ptr<HelperProcess> monitor_;
    QString monitorLog_;
    std::unique_ptr<IdleStandIn> standIn_;
};

TEST_F(DesktopControlsTest, MediaControlsDriveThePlayerAndFollowIt) {
    ASSERT_NO_FATAL_FAILURE(startPlaying(media::kLong, false));
    const qint64 pid = player_->processId();

    // Playing, and holding an inhibition for its video.
    EXPECT_TRUE(awaitControl(pid, {QStringLiteral("status")}, QStringLiteral("Playing")));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("inhibit %1 1").arg(pid)))
        << str(standIn_->lines().join(u'|'));

    // The metadata, with the types the interface fixes.
    const QString metadata = playerProperty(pid, QStringLiteral("Metadata"));
    const QString url = QUrl::fromLocalFile(media::path(media::kLong)).toString(QUrl::FullyEncoded);
    EXPECT_TRUE(metadata.contains(
        QStringLiteral("'mpris:trackid': <objectpath '/example/movira/MoviraPlayer/track/1'>")))
        << str(metadata);
    EXPECT_TRUE(metadata.contains(QStringLiteral("'xesam:title': <'Movira long'>")))
        << str(metadata);
    EXPECT_TRUE(metadata.contains(QStringLiteral("'xesam:url': <'%1'>").arg(url))) << str(metadata);
    const auto length =
        QRegularExpression(QStringLiteral("'mpris:length': <int64 (\\d+)>")).match(metadata);
    ASSERT_TRUE(length.hasMatch()) << str(metadata);
    EXPECT_NEAR(length.captured(1).toLongLong() / 1e6, kLongSeconds, 0.1);

    // As busctl reads the introspection: the position is only ever read (its changes are
    // not announced; Seeked tells of jumps), and whether it can be controlled never changes.
    const QStringList members =
        bus_->run(QStringLiteral("busctl"),
                  {QStringLiteral("--address=") + bus_->address(), QStringLiteral("introspect"),
                   busName(pid), QStringLiteral("/org/mpris/MediaPlayer2"),
                   QStringLiteral("org.mpris.MediaPlayer2.Player")})
            .split(u'\n');
    const auto row = [&](const QString& name) {
        const QStringList found =
            members.filter(QRegularExpression(QStringLiteral("^\\.%1\\s+property\\s").arg(name)));
        return found.isEmpty() ? QString() : found.front().simplified();
    };
    EXPECT_TRUE(row(QStringLiteral("Position")).startsWith(QStringLiteral(".Position property x ")))
        << str(members.join(u'|'));
    EXPECT_FALSE(row(QStringLiteral("Position")).contains(QStringLiteral("emits-")))
        << str(row(QStringLiteral("Position")));
    EXPECT_TRUE(row(QStringLiteral("CanControl")).endsWith(QStringLiteral(" const")))
        << str(row(QStringLiteral("CanControl")));
    EXPECT_TRUE(row(QStringLiteral("PlaybackStatus")).endsWith(QStringLiteral(" emits-change")))
        << str(row(QStringLiteral("PlaybackStatus")));

    // Paused from outside: the window shows it and the inhibition goes.
    control(pid, {QStringLiteral("pause")});
    EXPECT_TRUE(awaitControl(pid, {QStringLiteral("status")}, QStringLiteral("Paused")));
    EXPECT_TRUE(
        awaitAnnounced(QStringLiteral("PlaybackStatus"), QStringLiteral("string \"Paused\"")));
    ASSERT_FALSE(awaitPaused(QStringLiteral("paused")).isNull());
    EXPECT_TRUE(awaitStandIn(QStringLiteral("release %1 1").arg(pid)));

    // A stale track and a place beyond the end are ignored; then to 12 s, which the slider
    // shows and one Seeked signal announces.
    const QString stale =
        call(pid, QStringLiteral("org.mpris.MediaPlayer2.Player.SetPosition"),
             {QStringLiteral("/example/movira/MoviraPlayer/track/7"), QStringLiteral("30000000")});
    const QString beyond =
        call(pid, QStringLiteral("org.mpris.MediaPlayer2.Player.SetPosition"),
             {QStringLiteral("/example/movira/MoviraPlayer/track/1"), QStringLiteral("95000000")});
    EXPECT_EQ(stale, QStringLiteral("()"));
    EXPECT_EQ(beyond, QStringLiteral("()"));
    control(pid, {QStringLiteral("position"), QStringLiteral("12")});
    EXPECT_TRUE(pollUntil([&] { return !seeked().isEmpty(); }, 20s, 50ms)) << "no Seeked signal";
    const QList<qint64> seeks = seeked();
    ASSERT_EQ(seeks.size(), 1) << "one seek, one signal";
    EXPECT_NEAR(seeks.front() / 1e6, 12.0, 0.1);
    EXPECT_FALSE(awaitPausedAt(QStringLiteral("at-12s"), 12.0 / kLongSeconds, 0.01).isNull());

    // The volume at 0.35: the slider follows, and so does config.ini at the end.
    control(pid, {QStringLiteral("volume"), QStringLiteral("0.35")});
    EXPECT_TRUE(awaitControl(pid, {QStringLiteral("volume")}, QStringLiteral("0.350000")));
    EXPECT_TRUE(awaitAnnounced(QStringLiteral("Volume"), QStringLiteral("double 0.35")));
    EXPECT_TRUE(screen_->grabUntil(
        QStringLiteral("volume-35"),
        [&](const QImage& image) {
            return std::abs(volumeThumb(image).value_or(-1) - 0.35) <= 0.5 / kVolumeTravel;
        },
        20s, &lastShot_))
        << "the volume thumb stands at " << volumeThumb(lastShot_).value_or(-1);

    // The rate: the speed label appears with it.
    const QRect speedLabel = onScreen(sized::speedLabel(size()));
    EXPECT_EQ(countPixels(screen_->grab(QStringLiteral("normal-speed")), speedLabel, isLightText),
              0);
    call(pid, QStringLiteral("org.freedesktop.DBus.Properties.Set"),
         {QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Rate"),
          QStringLiteral("<1.5>")});
    EXPECT_EQ(playerProperty(pid, QStringLiteral("Rate")), QStringLiteral("(<1.5>,)"));
    EXPECT_TRUE(awaitAnnounced(QStringLiteral("Rate"), QStringLiteral("double 1.5")));
    EXPECT_TRUE(screen_->grabUntil(
        QStringLiteral("speed-label"),
        [&](const QImage& image) { return countPixels(image, speedLabel, isLightText) >= 10; }, 10s,
        &lastShot_));

    // Playing again takes a new inhibition; Quit closes as the close button does and gives
    // it back.
    control(pid, {QStringLiteral("play")});
    EXPECT_TRUE(awaitControl(pid, {QStringLiteral("status")}, QStringLiteral("Playing")));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("inhibit %1 2").arg(pid)));
    call(pid, QStringLiteral("org.mpris.MediaPlayer2.Quit"));
    ASSERT_NO_FATAL_FAILURE(expectExit(0));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("release %1 2").arg(pid)))
        << str(standIn_->lines().join(u'|'));

    EXPECT_EQ(savedSetting(QStringLiteral("Volume")), QStringLiteral("35.0"));
    const auto progress = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(progress.has_value());
    const double saved =
        progress->value(resumeKey(media::path(media::kLong)), QStringLiteral("progress"))
            .value_or(QString())
            .toDouble();
    EXPECT_GE(saved, 12.0) << str(progress->text());
    EXPECT_LT(saved, kLongSeconds) << str(progress->text());
}

// A series: the file opened alone has the episodes of its folder around it, in number order.
// The next and previous buttons, the keys N and P and the media controls go through them,
// the media controls offer only what there is, and at the end of an episode the next one
// plays on its own; the one that ended starts from the beginning next time.
TEST_F(DesktopControlsTest, ASeriesPlaysInNumberOrder) {
    QString error;
    ASSERT_TRUE(standIn_->start(*bus_, false, &error)) << str(error);
    ASSERT_NO_FATAL_FAILURE(startWith(media::kEpisode2, media::kTitledWindow));
    const qint64 pid = player_->processId();
    const auto offers = [&](const char* property, bool expected) {
        const QString answer =
            expected ? QStringLiteral("(<true>,)") : QStringLiteral("(<false>,)");
        return pollUntil(
            [&] { return playerProperty(pid, QString::fromLatin1(property)) == answer; }, 20s,
            100ms);
    };
    EXPECT_TRUE(offers("CanGoNext", true));
    EXPECT_TRUE(offers("CanGoPrevious", true));

    // Paused, every move leaves the next file paused: the 3 s episodes stay where they are.
    control(pid, {QStringLiteral("pause")});
    EXPECT_TRUE(awaitControl(pid, {QStringLiteral("status")}, QStringLiteral("Paused")));
    // "ep 10" comes after "ep 2", and is the last.
    ASSERT_NO_FATAL_FAILURE(press(sized::nextButton(size())));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kEpisode10), media::kTitledWindow));
    EXPECT_TRUE(offers("CanGoNext", false));
    EXPECT_TRUE(awaitAnnounced(QStringLiteral("CanGoNext"), QStringLiteral("boolean false")));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("n")));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("p")));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kEpisode2), media::kTitledWindow));
    control(pid, {QStringLiteral("previous")});
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kEpisode1), media::kTitledWindow));
    EXPECT_TRUE(offers("CanGoPrevious", false));
    EXPECT_FALSE(awaitPaused(QStringLiteral("first-episode-paused")).isNull());

    // Episode 1 plays to its end, and episode 2 follows without a hand, playing.
    control(pid, {QStringLiteral("play")});
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kEpisode2), media::kTitledWindow));
    EXPECT_FALSE(awaitPlaying(QStringLiteral("next-episode-playing")).isNull());

    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    const auto progress = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(progress.has_value());
    SCOPED_TRACE(str(progress->text()));
    EXPECT_EQ(progress->value(resumeKey(media::path(media::kEpisode1)), QStringLiteral("progress")),
              QStringLiteral("0.000"))
        << "watched to its end";
    EXPECT_TRUE(
        progress->value(resumeKey(media::path(media::kEpisode10)), QStringLiteral("progress"))
            .has_value())
        << "its place was saved when it was left";
}

TEST_F(DesktopControlsTest, EachPlayerAnswersForItselfAndOnlyVideoKeepsTheScreenOn) {
    QString error;
    ASSERT_TRUE(standIn_->start(*bus_, false, &error)) << str(error);
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    const qint64 video = player_->processId();
    // A second player, on the same bus and sound server, playing sound only.
    const QString secondDir = artifactDir_ + QStringLiteral("/second");
    QDir().mkpath(secondDir);
    PlayerProcess second(server_->display(), secondDir);
    second.setEnv(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_->address());
    second.setEnv(QStringLiteral("PULSE_SERVER"),
                  QStringLiteral("unix:%1/pulse/native").arg(player_->runtimeDir()));
    ASSERT_TRUE(second.start({media::path(media::kTone)}, &error)) << str(error);
    const qint64 sound = second.processId();

    EXPECT_TRUE(awaitControl(video, {QStringLiteral("status")}, QStringLiteral("Playing")));
    EXPECT_TRUE(awaitControl(sound, {QStringLiteral("status")}, QStringLiteral("Playing")));
    const QStringList players =
        bus_->run(QStringLiteral("playerctl"), {QStringLiteral("--list-all")}).split(u'\n');
    EXPECT_TRUE(players.contains(QStringLiteral("moviraplayer.instance%1").arg(video)))
        << str(players.join(u' '));
    EXPECT_TRUE(players.contains(QStringLiteral("moviraplayer.instance%1").arg(sound)))
        << str(players.join(u' '));
    EXPECT_TRUE(control(sound, {QStringLiteral("metadata"), QStringLiteral("xesam:title")}) ==
                QStringLiteral("Movira tone"));

    // Each answers for itself.
    control(sound, {QStringLiteral("pause")});
    EXPECT_TRUE(awaitControl(sound, {QStringLiteral("status")}, QStringLiteral("Paused")));
    EXPECT_EQ(control(video, {QStringLiteral("status")}), QStringLiteral("Playing"));

    // Only the video keeps the screen on; killed, its player leaves the bus and so its
    // inhibition ends.
    EXPECT_TRUE(awaitStandIn(QStringLiteral("inhibit %1 1").arg(video)));
    ASSERT_TRUE(player_->sendSignal(SIGKILL));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("vanished %1 1").arg(video)))
        << str(standIn_->lines().join(u'|'));
    for (const QString& line : standIn_->lines())
        EXPECT_FALSE(line.contains(QStringLiteral(" %1 ").arg(sound))) << str(line);
    second.kill();
}

TEST_F(DesktopControlsTest, ThePortalKeepsTheScreenOnWhereTheScreenSaverServiceIsMissing) {
    ASSERT_NO_FATAL_FAILURE(startPlaying(media::kBars, true));
    const qint64 pid = player_->processId();
    EXPECT_TRUE(awaitStandIn(QStringLiteral("inhibit %1 1").arg(pid)))
        << str(standIn_->lines().join(u'|'));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("release %1 1").arg(pid)))
        << str(standIn_->lines().join(u'|'));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("space")));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("inhibit %1 2").arg(pid)));
    ASSERT_NO_FATAL_FAILURE(press(sized::stopButton(size())));
    EXPECT_TRUE(awaitStandIn(QStringLiteral("release %1 2").arg(pid)));
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    EXPECT_FALSE(standIn_->lines().join(u'|').contains(QStringLiteral("unexpected")));
}

// A screen reader's view through AT-SPI (screen_reader_journey.py does the reading and the
// pressing; the window's id lets it use the keyboard too): the player is found in the
// desktop's accessible tree, its play toggle's action pauses, its progress slider follows
// playback, a menu item picked through it sets the speed and the volume slider takes a value; the
// window shows each and saves the volume.
TEST_F(DesktopControlsTest, ScreenReadersFindAndWorkTheControls) {
    ASSERT_TRUE(bus_->enableAccessibility())
        << "the accessibility bus did not start (at-spi2-core)";
    ASSERT_NO_FATAL_FAILURE(startWith(media::kLong, media::kBarsWindow));

    bool ok = false;
    const QString said =
        bus_->run(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(MOVIRA_SCREEN_READER_JOURNEY), QString::number(window_)}, &ok,
                  server_->display());
    ASSERT_TRUE(ok && said.endsWith(QStringLiteral("\nok"))) << str(said);
    EXPECT_TRUE(said.contains(QStringLiteral("menu 0.25x|0.5x|1x|1.25x|1.5x|1.75x|2x|2.5x|3x|4x")))
        << str(said);

    // The window shows what was done through the tree.
    ASSERT_FALSE(awaitPaused(QStringLiteral("paused")).isNull());
    const QRect speedLabel = onScreen(sized::speedLabel(size()));
    EXPECT_GE(countPixels(screen_->grab(QStringLiteral("speed")), speedLabel, isLightText), 10);
    ASSERT_NO_FATAL_FAILURE(closeWithButton());
    EXPECT_EQ(savedSetting(QStringLiteral("Volume")), QStringLiteral("40.0"));
}

}  // namespace
}  // namespace e2e
