// Files dragged from another program onto the player, over the X drag-and-drop protocol:
// the first of them opens, whether it lands on the picture or on the window's bars, and
// when the window is closed its entry in progress.ini is written under its path, whatever
// characters the path holds (the drop carries it percent-encoded in a file URL).
#include <QDir>
#include <QFile>
#include <QProcess>

#include "MediaSession.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

struct DropCase {
    const char* name;
    QPoint target;  // in the empty window's coordinates
    // The name the first file is dropped under, a copy of the bars clip; null for the
    // generated clip itself.
    const char* firstFileName;
};
// Failure messages name the case rather than dump its bytes.
void PrintTo(const DropCase& c, std::ostream* os) { *os << c.name; }

class DropTest : public MediaTest, public ::testing::WithParamInterface<DropCase> {
  protected:
    void TearDown() override {
        if (source_.state() != QProcess::NotRunning) {
            source_.kill();
            source_.waitForFinished(5000);
        }
        MediaTest::TearDown();
    }

    // Starts the drag source with `files`, its window at `where`, and waits for it.
    void startSource(const QStringList& files, QPoint where) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), server_->display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), player_->runtimeDir());
        env.remove(QStringLiteral("XAUTHORITY"));
        source_.setProcessEnvironment(env);
        // Its verdict comes on standard output; what Qt says goes to the log.
        source_.setStandardErrorFile(artifactDir_ + QStringLiteral("/drag-source.log"));
        source_.start(QStringLiteral(MOVIRA_DRAG_SOURCE),
                      QStringList{QString::number(where.x()), QString::number(where.y())} + files);
        ASSERT_TRUE(source_.waitForStarted(10000)) << str(source_.errorString());
        const auto windows = xdo_->waitForWindows(QStringLiteral("^e2e drag source$"), 20s);
        ASSERT_EQ(windows.size(), 1u) << "the drag source shows no window";
    }

    // How the source saw the drag end: "copied" when the target took the drop.
    QString awaitVerdict(std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!source_.canReadLine()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !source_.waitForReadyRead(static_cast<int>(left.count()))) {
                return QStringLiteral("(no answer)");
            }
        }
        return QString::fromUtf8(source_.readLine()).trimmed();
    }

    QProcess source_;
};

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
    const QPoint sourceAt(20, 20);
    ASSERT_NO_FATAL_FAILURE(startSource({first, media::path(media::kTitled)}, sourceAt));

    // Press in the source, then move over to the player in steps like a hand would; the
    // last small move makes sure the player has answered for the final place.
    const QPoint from = sourceAt + QPoint(80, 40);
    const QPoint to = onScreen(GetParam().target);
    ASSERT_TRUE(xdo_->mouseMove(from)) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseDown()) << str(xdo_->lastError());
    constexpr int kSteps = 6;
    for (int step = 1; step <= kSteps; ++step) {
        ASSERT_TRUE(xdo_->mouseMove(from + (to - from) * step / kSteps)) << str(xdo_->lastError());
    }
    ASSERT_TRUE(xdo_->mouseMove(to + QPoint(1, 1))) << str(xdo_->lastError());
    ASSERT_TRUE(xdo_->mouseUp()) << str(xdo_->lastError());

    EXPECT_EQ(str(awaitVerdict(20s)), "copied") << "the player did not take the drop";

    // The first file plays: its title becomes the caption, the window fits its video.
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kBars), media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("dropped-playing")).isNull());

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
                         [](const ::testing::TestParamInfo<DropCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace e2e
