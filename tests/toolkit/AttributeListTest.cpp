#include <gtest/gtest.h>

#include "SkinFixture.h"
#include "toolkit/AttributeList.h"
#include "toolkit/ImageDescriptor.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIButton.h"

TEST(AttributeList, SplitsPairsKeepingSingleQuotesAndTrailingSpace) {
    const auto pairs = ParseAttributeList(
        QStringLiteral("tooltip=\"play\" hotimage=\"file='imgs/play_hover.png'\" "));
    ASSERT_TRUE(pairs);
    ASSERT_EQ(pairs->size(), 2u);
    EXPECT_EQ((*pairs)[0], std::make_pair(QStringLiteral("tooltip"), QStringLiteral("play")));
    EXPECT_EQ((*pairs)[1].second, QStringLiteral("file='imgs/play_hover.png'"));
    EXPECT_TRUE(ParseAttributeList(QString())->empty());
}

TEST(AttributeList, RejectsMalformedLists) {
    for (const char* bad : {"tooltip=play", "tooltip=\"play", "=\"x\"", "tooltip", "a=\"1\"b"}) {
        const auto pairs = ParseAttributeList(QString::fromLatin1(bad));
        if (QString::fromLatin1(bad) == u"a=\"1\"b") {
            // "b" without a value is malformed too.
            EXPECT_FALSE(pairs) << bad;
        } else {
            EXPECT_FALSE(pairs) << bad;
        }
    }
}

TEST(AttributeList, ValueForms) {
    EXPECT_EQ(ParseColor(QStringLiteral("#FF1E1E1E")), QColor(0x1E, 0x1E, 0x1E));
    EXPECT_EQ(ParseColor(QStringLiteral("0x303132")), QColor(0x30, 0x31, 0x32));
    EXPECT_EQ(ParseColor(QStringLiteral("0x80FF0000"))->alpha(), 0x80);
    EXPECT_FALSE(ParseColor(QStringLiteral("#12345")));
    EXPECT_FALSE(ParseColor(QStringLiteral("red")));
    EXPECT_EQ(ParseEdges(QStringLiteral("-2,0,-2,0")), QMargins(-2, 0, -2, 0));
    EXPECT_FALSE(ParseEdges(QStringLiteral("1,2,3")));
    EXPECT_EQ(ParseCornerRect(QStringLiteral("2,2,74,6")), QRect(2, 2, 72, 4));
    EXPECT_FALSE(ParseBool(QStringLiteral("yes")));
}

TEST(ImageDescriptorParse, BarePathAndQuotedForms) {
    EXPECT_EQ(ImageDescriptor::Parse(QStringLiteral("imgs/a.png"))->file,
              QStringLiteral("imgs/a.png"));
    const auto d =
        ImageDescriptor::Parse(QStringLiteral("file='imgs/v.png' source='2,2,74,6' fade='128'"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->file, QStringLiteral("imgs/v.png"));
    EXPECT_EQ(d->source, QRect(2, 2, 72, 4));
    EXPECT_EQ(d->fade, 128);
    EXPECT_FALSE(ImageDescriptor::Parse(QStringLiteral("file='a.png' sparkle='1'")));
    EXPECT_FALSE(ImageDescriptor::Parse(QStringLiteral("file='a.png")));
    EXPECT_FALSE(ImageDescriptor::Parse(QStringLiteral("source='1,2,3,4'")));
}

class ButtonLooks : public SkinLayout {};

// Every look the program applies at run time is a style of the skin: it must parse, name
// images the package holds, set the tooltip the language table translates, and end with
// one space like every attribute list applied to a live control.
TEST_F(ButtonLooks, ApplyToLiveButtons) {
    ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml")));
    Build(QStringLiteral("main.xml"));
    struct Case {
        const char* control;
        const char* look;
        const char* normal;
        const char* hot;
        const char* tooltip;  // shown text, or null when the look keeps the tooltip
    };
    const Case cases[] = {
        {"btn_play", "look_playing", "imgs/playing_normal.png", "imgs/playing_hover.png", "Pause"},
        {"btn_play", "look_play", "imgs/play_normal.png", "imgs/play_hover.png", "Play"},
        {"pinbtn", "look_pinned", "imgs/pin_normal.png", "imgs/pin_hover.png", "Pin"},
        {"pinbtn", "look_unpinned", "imgs/unpin_normal.png", "imgs/unpin_hover.png", "Pin"},
        {"btn_volume", "look_muted", "imgs/volume_close_normal.png", "imgs/volume_close_hover.png",
         "Mute"},
        {"btn_volume", "look_unmuted", "imgs/volume_normal.png", "imgs/volume_hover.png", "Volume"},
    };
    for (const Case& c : cases) {
        auto* button = dynamic_cast<CButtonUI*>(Control(c.control));
        ASSERT_TRUE(button) << c.control;
        const QString* look = pm->GetStyle(QString::fromLatin1(c.look));
        ASSERT_TRUE(look) << c.look;
        EXPECT_TRUE(look->endsWith(QStringLiteral("\" "))) << c.look;
        EXPECT_TRUE(button->ApplyAttributeList(*look)) << c.look;
        EXPECT_EQ(button->GetNormalImage().file, QString::fromLatin1(c.normal));
        EXPECT_EQ(button->GetHotImage().file, QString::fromLatin1(c.hot));
        EXPECT_EQ(button->GetPushedImage().file, QString::fromLatin1(c.hot));
        EXPECT_TRUE(pm->GetImage(button->GetNormalImage().file)) << c.normal;
        EXPECT_TRUE(pm->GetImage(button->GetHotImage().file)) << c.hot;
        EXPECT_EQ(button->GetToolTip(), QString::fromLatin1(c.tooltip));
    }
}

TEST_F(ButtonLooks, UnknownAttributeFailsButKnownOnesStillApply) {
    Build(QStringLiteral("main.xml"));
    auto* button = dynamic_cast<CButtonUI*>(Control("btn_stop"));
    ASSERT_TRUE(button);
    EXPECT_FALSE(button->ApplyAttributeList(
        QStringLiteral("sparkle=\"1\" normalimage=\"imgs/play_normal.png\" ")));
    EXPECT_EQ(button->GetNormalImage().file, QStringLiteral("imgs/play_normal.png"));
    EXPECT_FALSE(button->ApplyAttributeList(QStringLiteral("width=\"wide\" ")));
    EXPECT_EQ(button->GetFixedWidth(), 40);
}
