// Files dragged from another program onto the player, over the X drag-and-drop protocol:
// the first of them opens, whether it lands on the picture or on the window's bars.
#include <QProcess>

#include "MediaSession.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

struct DropCase {
    const char* name;
    QPoint target;  // in the empty window's coordinates
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
    ASSERT_NO_FATAL_FAILURE(startPlayer({}, QStringLiteral("MoviraPlayer"), media::kEmptyWindow));
    // Left of and above the player, clear of it.
    const QPoint sourceAt(20, 20);
    ASSERT_NO_FATAL_FAILURE(
        startSource({media::path(media::kBars), media::path(media::kTitled)}, sourceAt));

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
}

INSTANTIATE_TEST_SUITE_P(Targets, DropTest,
                         ::testing::Values(DropCase{"OnThePicture", {400, 285}},
                                           DropCase{"OnTheTitleBar", {400, 15}}),
                         [](const ::testing::TestParamInfo<DropCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace e2e
