// The texts of the time label and of the slider's drag display.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ui/TimeFormat.h"

namespace {

TEST(FormatTimeTest, CutsSecondsAndAddsHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(FormatTime(0.0), QStringLiteral("00:00"));
    EXPECT_EQ(FormatTime(59.9), QStringLiteral("00:59"));
    EXPECT_EQ(FormatTime(65.4), QStringLiteral("01:05"));
    EXPECT_EQ(FormatTime(3599.9), QStringLiteral("59:59"));
    EXPECT_EQ(FormatTime(3600.0), QStringLiteral("1:00:00"));
    EXPECT_EQ(FormatTime(3725.0), QStringLiteral("1:02:05"));
    EXPECT_EQ(FormatTime(36000.0), QStringLiteral("10:00:00"));
    EXPECT_EQ(FormatTime(-5.0), QStringLiteral("00:-5"));
}

TEST(FormatTimeTest, NumbersNoIntegerCanHoldDoNotBreakIt) {
    // Only that the result is some text matters; the engine never reports these.
    EXPECT_FALSE(FormatTime(std::numeric_limits<double>::quiet_NaN()).isEmpty());
    EXPECT_FALSE(FormatTime(std::numeric_limits<double>::infinity()).isEmpty());
    EXPECT_FALSE(FormatTime(-1e300).isEmpty());
}

TEST(SpokenTimeTest, MinutesWithoutALeadingZeroHoursFromAnHourNeverNegative) {
    EXPECT_EQ(SpokenTime(0.0), QStringLiteral("0:00"));
    EXPECT_EQ(SpokenTime(8.9), QStringLiteral("0:08"));
    EXPECT_EQ(SpokenTime(65.4), QStringLiteral("1:05"));
    EXPECT_EQ(SpokenTime(3599.9), QStringLiteral("59:59"));
    EXPECT_EQ(SpokenTime(3725.0), QStringLiteral("1:02:05"));
    EXPECT_EQ(SpokenTime(-5.0), QStringLiteral("0:00"));
    EXPECT_FALSE(SpokenTime(std::numeric_limits<double>::quiet_NaN()).isEmpty());
}

TEST(PlaybackTimeTextTest, TheDurationChoosesOneFormForBothTimes) {
    EXPECT_EQ(PlaybackTimeText(65.4, 5400.0), QStringLiteral("0:01:05 / 1:30:00"));
    EXPECT_EQ(PlaybackTimeText(65.4, 3000.0), QStringLiteral("01:05 / 50:00"));
    EXPECT_EQ(PlaybackTimeText(0.0, 3599.9), QStringLiteral("00:00 / 59:59"));
    EXPECT_EQ(PlaybackTimeText(0.0, 3600.0), QStringLiteral("0:00:00 / 1:00:00"));
    EXPECT_EQ(PlaybackTimeText(0.0, 0.0), QStringLiteral("00:00 / 00:00"));
}

TEST(PlaybackTimeTextTest, TheShortFormDropsWholeHoursFromTheElapsedTime) {
    // No duration reported yet: the hour of the position is lost.
    EXPECT_EQ(PlaybackTimeText(3725.0, 0.0), QStringLiteral("02:05 / 00:00"));
    // A position past a short duration.
    EXPECT_EQ(PlaybackTimeText(7265.0, 3000.0), QStringLiteral("01:05 / 50:00"));
}

TEST(PlaybackTimeTextTest, ANegativePositionIsNotClamped) {
    EXPECT_EQ(PlaybackTimeText(-5.0, 3000.0), QStringLiteral("00:-5 / 50:00"));
}

}  // namespace
