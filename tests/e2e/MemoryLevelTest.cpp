// Resident memory over a sitting of opening files one after another through the open
// dialog, an HD clip among them: once every file has been opened, opening them again must
// not raise it. Measured the same way each time: the HD clip just played to its end, its
// last picture still, so that what is cached and drawn is the same.
#include <QFile>
#include <algorithm>
#include <vector>

#include "MediaSession.h"
#include "Picture.h"

namespace e2e {
namespace {

// Resident memory may differ this much between two looks at the same state; the growth
// the test guards against was some 30 MiB over the opens below.
constexpr double kSlackMiB = 10.0;
constexpr int kRounds = 6;

class MemoryLevelTest : public MediaTest {
  protected:
    // Opens `clip` by typing its path into the open dialog and waits until its window is
    // fitted and painted at `fitted`. Use with ASSERT_NO_FATAL_FAILURE.
    void open(const media::Clip& clip, const QRect& fitted) {
        ASSERT_NO_FATAL_FAILURE(clickAt(sized::openButton(size()).center()));
        WindowId dialog = 0;
        ASSERT_NO_FATAL_FAILURE(awaitOnlyWindow(QStringLiteral("^Open$"), 20s, &dialog));
        ASSERT_TRUE(xdo_->focus(dialog)) << str(xdo_->lastError());
        ASSERT_TRUE(xdo_->type(media::path(clip))) << str(xdo_->lastError());
        ASSERT_TRUE(xdo_->key(QStringLiteral("Return"))) << str(xdo_->lastError());
        ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(clip), fitted));
    }

    // Opens the HD clip, waits until it has played to its end (3 s), then returns the median of
    // a few readings of the process's VmRSS, in MiB. Use with ASSERT_NO_FATAL_FAILURE.
    void residentAfterTheHdClip(const QString& label, double* mib) {
        ASSERT_NO_FATAL_FAILURE(open(media::kWide, media::kWideWindow));
        // At its end the engine keeps the last picture and pauses.
        ASSERT_FALSE(awaitPaused(label).isNull()) << "the HD clip did not reach its end";
        std::vector<double> readings;
        pollUntil(
            [&] {
                readings.push_back(residentMiB());
                return readings.size() == 9;
            },
            10s, 200ms);
        std::nth_element(readings.begin(), readings.begin() + readings.size() / 2, readings.end());
        *mib = readings[readings.size() / 2];
    }

    double residentMiB() const {
        QFile status(QStringLiteral("/proc/%1/status").arg(player_->processId()));
        if (!status.open(QIODevice::ReadOnly)) return 0;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
        }
        return 0;
    }
};

TEST_F(MemoryLevelTest, OpeningFilesAgainDoesNotRaiseResidentMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "resident memory says nothing under AddressSanitizer";
#endif
    // The clips share the media folder: at the end of one, no next file may start.
    ASSERT_NO_FATAL_FAILURE(seedSettings(QStringLiteral("config.ini"), "[Settings]\nAutoNext=0\n"));
    ASSERT_NO_FATAL_FAILURE(startWith(media::kBars, media::kBarsWindow));
    // Every file once, so that what is made once (decoders, caches, the dialog's icons) is.
    ASSERT_NO_FATAL_FAILURE(open(media::kPortrait, media::kPortraitWindow));
    double before = 0;
    ASSERT_NO_FATAL_FAILURE(residentAfterTheHdClip(QStringLiteral("before"), &before));

    for (int round = 0; round < kRounds; ++round) {
        ASSERT_NO_FATAL_FAILURE(open(media::kBars, media::kBarsWindow));
        ASSERT_NO_FATAL_FAILURE(open(media::kWide, media::kWideWindow));
        ASSERT_NO_FATAL_FAILURE(open(media::kPortrait, media::kPortraitWindow));
    }
    double after = 0;
    ASSERT_NO_FATAL_FAILURE(residentAfterTheHdClip(QStringLiteral("after"), &after));
    RecordProperty("resident_before_mib", static_cast<int>(before));
    RecordProperty("resident_after_mib", static_cast<int>(after));
    EXPECT_LT(after - before, kSlackMiB)
        << "resident memory went from " << before << " MiB to " << after << " MiB";
}

}  // namespace
}  // namespace e2e
