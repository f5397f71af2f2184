// The images of the embedded package: every file the layouts and the code name, at the
// pixel sizes the toolkit expects for each display scale, and looking like what they are.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "EmbeddedSkin.h"

namespace {

struct ImageGroup {
    QStringList files;         // plain names; "@125" and "@150" variants are derived
    std::array<int, 3> sides;  // at 100 %, 125 % and 150 %
};

const QStringList kTitleButtons{"close", "maximize", "minus", "pin", "restore", "sysmenu", "unpin"};
const QStringList kBarButtons{"audio", "backward", "forward", "fullscreen",  "next",
                              "open",  "play",     "playing", "previous",    "speed",
                              "stop",  "subtitle", "volume",  "volume_close"};
const QStringList kAllButtons = kTitleButtons + kBarButtons + QStringList{"info"};
const std::array<const char*, 3> kSuffixes{"", "@125", "@150"};

QString ButtonFile(const QString& button, const char* look, const char* suffix) {
    return QStringLiteral("imgs/%1_%2%3.png")
        .arg(button, QLatin1String(look), QLatin1String(suffix));
}

QStringList ButtonFiles(const QStringList& buttons) {
    QStringList files;
    for (const QString& button : buttons) {
        files << QStringLiteral("imgs/%1_normal.png").arg(button)
              << QStringLiteral("imgs/%1_hover.png").arg(button);
    }
    return files;
}

QString Scaled(QString plain, const char* suffix) {
    return plain.insert(plain.size() - 4, QLatin1String(suffix));
}

const std::vector<ImageGroup>& ScaledGroups() {
    static const std::vector<ImageGroup> groups{
        {ButtonFiles(kTitleButtons), {30, 38, 45}},
        {ButtonFiles(kBarButtons), {40, 50, 60}},
        {ButtonFiles({"info"}), {16, 20, 24}},
        {{"imgs/thumbnails_down.png"}, {8, 10, 12}},
        {{"logo.png"}, {60, 75, 90}},
    };
    return groups;
}

QImage Png(const QString& name) {
    const QImage image = QImage::fromData(SkinMember(name), "PNG");
    EXPECT_FALSE(image.isNull()) << name.toStdString() << " is not a PNG image";
    return image.convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

TEST(SkinImages, PackageHoldsExactlyTheLayoutsTablesAndImages) {
    QSet<QString> expected{"main.xml",          "about.xml",          "speed_menu.xml",
                           "subtitle_menu.xml", "lan_en.xml",         "lan_zh.xml",
                           "imgs/shadow.png",   "imgs/volude_bg.png", "imgs/volude_pro.png"};
    for (const ImageGroup& group : ScaledGroups())
        for (const QString& file : group.files)
            for (const char* suffix : kSuffixes) expected.insert(Scaled(file, suffix));

    const QStringList names = EmbeddedSkin().Names();
    const QSet<QString> present(names.begin(), names.end());
    EXPECT_EQ(names.size(), present.size()) << "duplicate members";
    for (const QString& name : expected) EXPECT_TRUE(present.contains(name)) << name.toStdString();
    for (const QString& name : present)
        EXPECT_TRUE(expected.contains(name)) << "unexpected " << name.toStdString();
}

TEST(SkinImages, ScaledImagesHaveTheirSizeAtEveryScale) {
    for (const ImageGroup& group : ScaledGroups()) {
        for (const QString& file : group.files) {
            for (std::size_t i = 0; i < kSuffixes.size(); ++i) {
                const QString name = Scaled(file, kSuffixes[i]);
                EXPECT_EQ(Png(name).size(), QSize(group.sides[i], group.sides[i]))
                    << name.toStdString();
            }
        }
    }
}

TEST(SkinImages, UnscaledImagesHaveTheirSize) {
    EXPECT_EQ(Png("imgs/shadow.png").size(), QSize(150, 150));
    EXPECT_EQ(Png("imgs/volude_bg.png").size(), QSize(80, 8));
    EXPECT_EQ(Png("imgs/volude_pro.png").size(), QSize(80, 8));
}

// The window applies these looks itself when the state changes, so no layout names them.
TEST(SkinImages, ImagesAppliedByTheWindowArePresent) {
    for (const char* file :
         {"imgs/pin_normal.png", "imgs/pin_hover.png", "imgs/playing_normal.png",
          "imgs/playing_hover.png", "imgs/volume_close_normal.png", "imgs/volume_close_hover.png"})
        EXPECT_FALSE(Png(file).isNull()) << file;
}

TEST(SkinImages, ButtonsShowAGlyphAndChangeUnderTheMouse) {
    for (const QString& button : kAllButtons) {
        for (const char* suffix : kSuffixes) {
            const QImage normal = Png(ButtonFile(button, "normal", suffix));
            const QImage hover = Png(ButtonFile(button, "hover", suffix));
            SCOPED_TRACE(ButtonFile(button, "normal", suffix).toStdString());
            ASSERT_EQ(normal.size(), hover.size());
            EXPECT_NE(normal, hover);
            // A glyph, not an empty or a filled square: the bar shows through the corners.
            EXPECT_GT(OpaquePixels(normal), 0);
            EXPECT_EQ(qAlpha(normal.pixel(0, 0)), 0);
            EXPECT_LT(OpaquePixels(normal), normal.width() * normal.height() / 2);
        }
    }
}

// Two looks the user tells apart at a glance must not be the same picture.
TEST(SkinImages, StateLooksDiffer) {
    for (const auto& [a, b] :
         {std::pair{"pin", "unpin"}, std::pair{"play", "playing"},
          std::pair{"volume", "volume_close"}, std::pair{"maximize", "restore"}}) {
        EXPECT_NE(Png(ButtonFile(a, "normal", "")), Png(ButtonFile(b, "normal", "")))
            << a << " / " << b;
    }
}

// The toolkit draws the shadow as a nine-patch with 30 px corners around a window inset by
// 25 px: the falloff must fade to nothing at the border and repeat unchanged along each edge.
TEST(SkinImages, ShadowStretchesAsANinePatch) {
    const QImage shadow = Png("imgs/shadow.png");
    ASSERT_EQ(shadow.size(), QSize(150, 150));
    const auto alpha = [&](int x, int y) { return qAlpha(shadow.pixel(x, y)); };

    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(75, 0), 0);
    EXPECT_GT(alpha(75, 75), 0);
    EXPECT_EQ(
        qRed(shadow.pixel(75, 75)) + qGreen(shadow.pixel(75, 75)) + qBlue(shadow.pixel(75, 75)), 0);
    for (int d = 0; d < 30; ++d) {
        // Edge cells: the same along the stretched direction, on all four sides alike.
        for (int along = 30; along < 120; ++along) {
            ASSERT_EQ(alpha(along, d), alpha(75, d)) << along << "," << d;
            ASSERT_EQ(alpha(d, along), alpha(75, d));
            ASSERT_EQ(alpha(along, 149 - d), alpha(75, d));
            ASSERT_EQ(alpha(149 - d, along), alpha(75, d));
        }
        // Darker towards the window.
        if (d > 0) {
            EXPECT_GE(alpha(75, d), alpha(75, d - 1)) << d;
        }
    }
    EXPECT_GT(alpha(75, 24), alpha(75, 5));
}

// The sliders stretch only the rectangle 2,2..74,6 of their track images: it has to be one
// flat, opaque colour, and the filled part must stand out from the empty track.
TEST(SkinImages, SliderTracksAreFlatInsideTheirSourceRectangle) {
    const QImage track = Png("imgs/volude_bg.png");
    const QImage filled = Png("imgs/volude_pro.png");
    for (const QImage* image : {&track, &filled}) {
        const QRgb colour = image->pixel(2, 2);
        EXPECT_EQ(qAlpha(colour), 255);
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 74; ++x) ASSERT_EQ(image->pixel(x, y), colour) << x << "," << y;
    }
    EXPECT_NE(track.pixel(2, 2), filled.pixel(2, 2));
}

}  // namespace
