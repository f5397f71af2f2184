// Where the window goes when a video has loaded.
#include <gtest/gtest.h>

#include <ostream>

#include "ui/FitGeometry.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
QT_END_NAMESPACE

namespace {

struct FitCase {
    const char* name;
    std::int64_t videoW, videoH;
    float dpiScale;
    QRect workArea;
    int bars;
    QRect expected;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class FitGeometryTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitGeometryTest, PlacesTheWindow) {
    const FitCase& c = GetParam();
    const std::optional<QRect> rect =
        FitWindowRect(c.videoW, c.videoH, c.dpiScale, c.workArea, c.bars);
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(*rect, c.expected);
}

const QRect kFullHd(0, 0, 1920, 1040);

INSTANTIATE_TEST_SUITE_P(
    Videos, FitGeometryTest,
    testing::Values(
        // Cut to 90 % of the width, then of the height left for the video.
        FitCase{"FullHdVideo", 1920, 1080, 1.0f, kFullHd, 90, QRect(208, 52, 1504, 936)},
        // Widened to the minimum; the height stays and the engine letterboxes.
        FitCase{"SmallVideo", 640, 360, 1.0f, kFullHd, 90, QRect(535, 295, 850, 450)},
        // The minimum width comes before the fit, so a tall video ends up narrower.
        FitCase{"PortraitVideo", 1080, 1920, 1.0f, kFullHd, 90, QRect(722, 52, 475, 936)},
        FitCase{"ScaledScreen", 1920, 1080, 1.5f, QRect(0, 0, 2560, 1400), 135,
                QRect(640, 272, 1280, 855)},
        // Both cuts apply; taking the height first would end one pixel narrower.
        FitCase{"WidthIsCutBeforeHeight", 1735, 851, 1.0f, kFullHd, 90, QRect(97, 52, 1725, 936)},
        // Divided in single precision: in double, 858 / 1.1f is just below 780.
        FitCase{"SinglePrecisionScale", 1716, 858, 1.1f, QRect(0, 0, 2560, 1400), 90,
                QRect(500, 265, 1560, 870)},
        // Centred on a work area that does not start at the origin.
        FitCase{"SecondMonitor", 640, 360, 1.0f, QRect(1920, 40, 1920, 1040), 90,
                QRect(2455, 335, 850, 450)},
        // A scale that would divide by zero counts as no scaling.
        FitCase{"BrokenScale", 640, 360, 0.0f, kFullHd, 90, QRect(535, 295, 850, 450)}),
    [](const testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(FitGeometryLimitsTest, NoVideoSizeLeavesTheWindowAlone) {
    EXPECT_EQ(FitWindowRect(0, 0, 1.0f, kFullHd, 90), std::nullopt);  // audio only
    EXPECT_EQ(FitWindowRect(1920, 0, 1.0f, kFullHd, 90), std::nullopt);
    EXPECT_EQ(FitWindowRect(0, 1080, 1.0f, kFullHd, 90), std::nullopt);
    EXPECT_EQ(FitWindowRect(-1920, 1080, 1.0f, kFullHd, 90), std::nullopt);
}

TEST(FitGeometryLimitsTest, AWorkAreaSmallerThanTheBarsGivesNoNegativeSize) {
    const std::optional<QRect> rect = FitWindowRect(1920, 1080, 1.0f, QRect(0, 0, 300, 80), 90);
    ASSERT_TRUE(rect.has_value());
    EXPECT_GE(rect->width(), 0);
    EXPECT_GE(rect->height(), 90);
    EXPECT_LE(rect->width(), 270);
}

TEST(FitGeometryLimitsTest, AnAbsurdVideoSizeStillFits) {
    const std::optional<QRect> rect = FitWindowRect(INT64_MAX, INT64_MAX / 2, 1.0f, kFullHd, 90);
    ASSERT_TRUE(rect.has_value());
    EXPECT_TRUE(kFullHd.contains(*rect))
        << rect->x() << "," << rect->y() << " " << rect->width() << "x" << rect->height();
}

}  // namespace
