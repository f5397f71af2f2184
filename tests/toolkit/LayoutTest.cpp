#include <gtest/gtest.h>

#include "SkinFixture.h"
#include "toolkit/Dpi.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UILabel.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UISlider.h"

namespace {

struct Expected {
    const char* name;
    const char* cls;
    QRect pos;  // at 800 x 600; empty for hidden controls
    bool visible;
};

// Where the main layout puts every named control in an 800 x 600 window.
const Expected kMainControls[] = {
    {"vTop", "HorizontalLayoutUI", QRect(0, 0, 800, 30), true},
    {"menubtn", "FadeButtonUI", QRect(0, 0, 30, 30), true},
    {"infobtn", "FadeButtonUI", QRect(), false},
    {"lblvideo", "LabelUI", QRect(120, 0, 560, 30), true},
    {"pinbtn", "FadeButtonUI", QRect(680, 0, 30, 30), true},
    {"minbtn", "FadeButtonUI", QRect(710, 0, 30, 30), true},
    {"maxbtn", "FadeButtonUI", QRect(740, 0, 30, 30), true},
    {"restorebtn", "FadeButtonUI", QRect(), false},
    {"closebtn", "FadeButtonUI", QRect(770, 0, 30, 30), true},
    {"video_area", "ControlUI", QRect(0, 30, 800, 510), true},
    {"vBottom", "VerticalLayoutUI", QRect(0, 540, 800, 60), true},
    {"slider_progress", "SliderUI", QRect(5, 543, 790, 8), true},
    {"btn_previous", "ButtonUI", QRect(0, 556, 40, 40), true},
    {"btn_play", "ButtonUI", QRect(40, 556, 40, 40), true},
    {"btn_next", "ButtonUI", QRect(80, 556, 40, 40), true},
    {"btn_stop", "ButtonUI", QRect(120, 556, 40, 40), true},
    {"btn_backward", "ButtonUI", QRect(160, 556, 40, 40), true},
    {"btn_forward", "ButtonUI", QRect(200, 556, 40, 40), true},
    {"btn_open", "ButtonUI", QRect(240, 556, 40, 40), true},
    {"lbl_time", "LabelUI", QRect(290, 556, 120, 38), true},
    {"lbl_speed", "LabelUI", QRect(), false},
    {"btn_speed", "ButtonUI", QRect(556, 556, 40, 40), true},
    {"btn_subtitle", "ButtonUI", QRect(589, 556, 40, 40), true},
    {"btn_audio", "ButtonUI", QRect(619, 556, 40, 40), true},
    {"btn_volume", "ButtonUI", QRect(652, 556, 40, 40), true},
    {"slider_volume", "SliderUI", QRect(690, 571, 70, 8), true},
    {"btn_fullscreen", "ButtonUI", QRect(760, 556, 40, 40), true},
};

}  // namespace

class MainLayout : public SkinLayout {};

TEST_F(MainLayout, EveryNamedControlHasItsClassPlaceAndVisibility) {
    Build(QStringLiteral("main.xml"));
    for (const Expected& e : kMainControls) {
        CControlUI* c = Control(e.name);
        ASSERT_TRUE(c) << e.name;
        EXPECT_EQ(c->GetClass(), QString::fromLatin1(e.cls)) << e.name;
        EXPECT_EQ(c->IsVisible(), e.visible) << e.name;
        if (e.visible) EXPECT_EQ(c->GetPos(), e.pos) << e.name;
    }
}

TEST_F(MainLayout, WindowAttributesPaddingsTextsAndRanges) {
    Build(QStringLiteral("main.xml"));
    const WindowAttributes& w = pm->GetWindowAttributes();
    EXPECT_EQ(w.initSize, QSize(800, 600));
    EXPECT_EQ(w.minInfo, QSize(300, 200));
    EXPECT_EQ(w.caption, QMargins(0, 0, 0, 30));
    EXPECT_EQ(w.sizeBox, QMargins(4, 4, 6, 6));
    EXPECT_TRUE(w.showShadow);
    EXPECT_EQ(w.shadowImage, QStringLiteral("imgs/shadow.png"));
    EXPECT_EQ(w.focusBorderColor, QColor(0x11, 0xE0, 0x00)) << "the skin's accent colour";

    EXPECT_EQ(Control("infobtn")->GetPadding(), QMargins(0, 7, 0, 0));
    EXPECT_EQ(Control("btn_subtitle")->GetPadding(), QMargins(-5, 0, -5, 0));
    EXPECT_EQ(Control("lbl_time")->GetText(), QStringLiteral("00:00 / 00:00"));
    EXPECT_EQ(Control("lbl_speed")->GetText(), QStringLiteral("1x"));
    EXPECT_TRUE(dynamic_cast<CLabelUI*>(Control("lbl_speed"))->GetAlignment() & Qt::AlignRight);
    EXPECT_TRUE(Control("menubtn")->IsHandCursor());

    auto* progress = dynamic_cast<CSliderUI*>(Control("slider_progress"));
    auto* volume = dynamic_cast<CSliderUI*>(Control("slider_volume"));
    ASSERT_TRUE(progress && volume);
    EXPECT_EQ(progress->GetMaxValue(), 1000);
    EXPECT_EQ(progress->GetValue(), 0);
    EXPECT_TRUE(progress->IsSendMove());
    EXPECT_EQ(volume->GetMaxValue(), 100);
    EXPECT_EQ(volume->GetValue(), 100);
    EXPECT_FALSE(volume->IsSendMove());
    EXPECT_EQ(volume->GetThumbSize(), QSize(8, 8));
    EXPECT_EQ(progress->GetStep(), 10) << "1 % of the length";
    EXPECT_EQ(volume->GetStep(), 5);
    EXPECT_TRUE(progress->IsEnabled() && volume->IsEnabled());
}

TEST_F(MainLayout, ShowingAHiddenControlMakesRoomForIt) {
    Build(QStringLiteral("main.xml"));
    Control("infobtn")->SetVisible(true);
    EXPECT_TRUE(pm->IsUpdateNeeded());
    pm->LayoutIfNeeded();
    EXPECT_EQ(Control("infobtn")->GetPos(), QRect(110, 7, 16, 16));
    EXPECT_EQ(Control("lblvideo")->GetPos(), QRect(136, 0, 544, 30));
}

// A floating control is placed by its owner: the layout neither moves it nor makes room.
TEST_F(MainLayout, AFloatingControlKeepsItsPlaceAndTakesNoRoom) {
    Build(QStringLiteral("main.xml"));
    auto* root = dynamic_cast<CContainerUI*>(pm->GetRoot());
    ASSERT_TRUE(root);
    auto owned = std::make_unique<CLabelUI>();
    CLabelUI* floating = owned.get();
    root->Add(std::move(owned));
    ASSERT_TRUE(floating->ApplyAttributeList(QStringLiteral("float=\"true\"")));
    EXPECT_FALSE(floating->ApplyAttributeList(QStringLiteral("float=\"maybe\"")));
    floating->SetPos(QRect(10, 520, 50, 20));
    pm->NeedUpdate();
    pm->LayoutIfNeeded();
    EXPECT_EQ(floating->GetPos(), QRect(10, 520, 50, 20));
    EXPECT_EQ(Control("video_area")->GetPos(), QRect(0, 30, 800, 510));
    EXPECT_EQ(pm->FindControl(QPoint(20, 530)), floating) << "over what it covers";
}

TEST_F(MainLayout, FillingControlsShareWhatResizingLeaves) {
    Build(QStringLiteral("main.xml"), QSize(300, 200));
    EXPECT_EQ(Control("video_area")->GetPos(), QRect(0, 30, 300, 110));
    EXPECT_EQ(Control("closebtn")->GetPos(), QRect(270, 0, 30, 30));
    // The control bar's fixed parts need 652 pixels: the gap closes and the rest runs past the
    // right edge, keeping every control's size.
    EXPECT_EQ(pm->FindControl(QPoint(299, 175))->GetName(), QStringLiteral("lbl_time"));
    EXPECT_EQ(Control("btn_speed")->GetPos(), QRect(408, 156, 40, 40));
}

// The window opens at 800 wide and a loaded video widens it to at least 850: at both, with
// the speed label shown too, the row's stretch still parts the left-hand controls from the
// right-hand ones and the fullscreen button ends at the window's edge, none cut off. (The
// speed, subtitle and volume buttons overlap a little on purpose: their negative paddings.)
TEST_F(MainLayout, TheControlBarFitsAtTheOpeningAndTheFittedWidths) {
    for (const int width : {800, 850}) {
        Build(QStringLiteral("main.xml"), QSize(width, 600));
        Control("lbl_speed")->SetVisible(true);
        pm->LayoutIfNeeded();
        EXPECT_LT(Control("lbl_time")->GetPos().right(), Control("lbl_speed")->GetPos().left())
            << width;
        EXPECT_EQ(Control("btn_fullscreen")->GetPos().right(), width - 1) << width;
    }
}

class OtherLayouts : public SkinLayout {};

TEST_F(OtherLayouts, AboutWindowBuilds) {
    Build(QStringLiteral("about.xml"), QSize(400, 300));
    EXPECT_EQ(pm->GetWindowAttributes().caption, QMargins(0, 0, 0, 300));
    ASSERT_TRUE(Control("lblVersion"));
    EXPECT_EQ(Control("lblVersion")->GetText(), QStringLiteral("v1.1.0"));
    ASSERT_TRUE(Control("homepage_btn"));
    EXPECT_TRUE(Control("homepage_btn")->IsResourceText());
    EXPECT_EQ(Control("closebtn")->GetPos(), QRect(370, 0, 30, 30));
    EXPECT_EQ(pm->GetFont(1).pixelSize(), 16);
    EXPECT_EQ(pm->GetFont(2).pixelSize(), 14);
    EXPECT_EQ(pm->GetWindowAttributes().focusBorderColor, QColor(0x11, 0xE0, 0x00));
    QStringList stops;
    for (CControlUI* c : pm->GetTabControls()) stops << c->GetName();
    EXPECT_EQ(stops, QStringList({"closebtn", "homepage_btn"}))
        << "the logo, a button that names nothing, is no stop";
}

TEST_F(OtherLayouts, SpeedMenuHoldsItsTenItemsWithSharedLook) {
    Build(QStringLiteral("speed_menu.xml"), QSize(120, 300));
    auto* menu = dynamic_cast<CMenuUI*>(pm->GetRoot());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetCount(), 10);
    EXPECT_EQ(menu->GetItemAt(0)->GetName(), QStringLiteral("menu_speed_25"));
    EXPECT_EQ(menu->GetItemAt(9)->GetText(), QStringLiteral("4x"));
    EXPECT_EQ(menu->GetItemStyle().hotBkColor, QColor(0x88, 0x88, 0x88));
    EXPECT_EQ(menu->GetItemStyle().selectedTextColor, QColor(0x11, 0xE0, 0x00));
    EXPECT_EQ(menu->GetInset(), QMargins(1, 1, 1, 1));
    EXPECT_EQ(menu->GetBorderSize(), 1);
    EXPECT_EQ(pm->GetWindowAttributes().focusBorderColor, QColor(0x00, 0x78, 0xD7))
        << "a layout without a ring colour gets the toolkit's";

    Build(QStringLiteral("subtitle_menu.xml"), QSize(120, 300));
    menu = dynamic_cast<CMenuUI*>(pm->GetRoot());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetCount(), 0);
}

TEST(LayoutErrors, UnknownElementsAttributesAndValuesAreReportedWithTheirLine) {
    FakePaintHost host;
    CPaintManagerUI pm;
    pm.Init(&host);
    struct Case {
        const char* xml;
        const char* mentions;
    };
    const Case cases[] = {
        {"<Window>\n<VerticalLayout>\n<Bogus/>\n</VerticalLayout></Window>",
         ":3: unknown element Bogus"},
        {"<Window>\n<Label colour=\"#FF000000\"/></Window>",
         ":2: unknown attribute or bad value colour"},
        {"<Window>\n<Label width=\"wide\"/></Window>", "width=\"wide\""},
        {"<Window>\n<Button style=\"nope\"/></Window>", "style"},
        {"<Window sparkle=\"1\"><Control/></Window>", "unknown attribute sparkle on Window"},
        {"<Window focusbordercolor=\"green\"><Control/></Window>",
         "bad value \"green\" for focusbordercolor on Window"},
        {"<Window>\n<Slider step=\"0\"/></Window>", ":2: unknown attribute or bad value step"},
        {"<Window><Label><Control/></Label></Window>", "Label cannot hold Control"},
        {"<Window><Font id=\"0\" size=\"12\"/><Control/></Window>", "Font without a name"},
        {"<Layout/>", "the root element must be Window"},
        {"<Window><Control/><Control/></Window>", "extra"},
        {"<Window><Control></Window>", "m"},
    };
    for (const Case& c : cases) {
        CDialogBuilder builder;
        EXPECT_FALSE(builder.CreateFromData(QByteArray(c.xml), &pm, QStringLiteral("t.xml")))
            << c.xml;
        ASSERT_FALSE(builder.GetErrors().isEmpty()) << c.xml;
        EXPECT_TRUE(builder.GetErrors().join(u'\n').contains(QString::fromLatin1(c.mentions)))
            << c.xml << " gave " << builder.GetErrors().join(u'\n').toStdString();
    }
}

// Each scale picks its own image files; a scale without files of its own uses the plain ones.
TEST(ScaledImages, TheDpiPicksTheMatchingVariant) {
    struct Case {
        qreal ratio;
        int dpi;
        qreal scale;
        int closeSize;
    };
    for (const Case& c : {Case{1.0, 96, 1.0, 30}, Case{1.25, 120, 1.25, 38},
                          Case{1.5, 144, 1.5, 45}, Case{2.0, 192, 1.5, 45}}) {
        FakePaintHost host;
        host.ratio = c.ratio;
        CPaintManagerUI pm;
        pm.Init(&host);
        EXPECT_EQ(pm.GetDPI(), c.dpi);
        const ScaledImage* close = pm.GetImage(QStringLiteral("imgs/close_normal.png"));
        ASSERT_TRUE(close);
        EXPECT_EQ(close->scale, c.scale);
        EXPECT_EQ(close->image.width(), c.closeSize);
        const ScaledImage* shadow = pm.GetImage(QStringLiteral("imgs/shadow.png"));
        ASSERT_TRUE(shadow) << "unscaled images have no variants";
        EXPECT_EQ(shadow->scale, 1.0);
        EXPECT_EQ(shadow->image.width(), 150);
    }
    FakePaintHost host;
    CPaintManagerUI pm;
    pm.Init(&host);
    pm.SetDPI(144);
    EXPECT_EQ(pm.GetImage(QStringLiteral("imgs/play_normal.png"))->image.width(), 60);
    EXPECT_FALSE(pm.GetImage(QStringLiteral("imgs/nothing.png")));
}

// Logical and device pixels round down both ways. Where truncation was right (non-negative
// values, and negative ones times an integer ratio) the result is what it gave; left of the
// primary screen at fractional scales it is a pixel further left.
TEST(DpiConversions, RoundDownLikeTruncationExceptLeftOfThePrimaryScreen) {
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (const int v : {0, 1, 3, 799, 1913}) {
            EXPECT_EQ(CDPI::ToDevice(v, ratio), static_cast<int>(v * ratio)) << v << " x" << ratio;
            EXPECT_EQ(CDPI::ToLogical(v, ratio), static_cast<int>(v / ratio)) << v << " x" << ratio;
        }
    }
    for (const qreal ratio : {1.0, 2.0})
        for (const int v : {-1, -3, -1913})
            EXPECT_EQ(CDPI::ToDevice(v, ratio), static_cast<int>(v * ratio)) << v << " x" << ratio;
    struct Case {
        qreal ratio;
        int value, device, logical;
    };
    for (const Case& c : {Case{1.0, -1913, -1913, -1913}, Case{1.25, -1913, -2392, -1531},
                          Case{1.5, -1913, -2870, -1276}, Case{1.5, -1, -2, -1},
                          Case{2.0, -1913, -3826, -957}, Case{2.0, -1, -2, -1}}) {
        EXPECT_EQ(CDPI::ToDevice(c.value, c.ratio), c.device) << c.value << " x" << c.ratio;
        EXPECT_EQ(CDPI::ToLogical(c.value, c.ratio), c.logical) << c.value << " x" << c.ratio;
    }
    EXPECT_EQ(CDPI::ToDevice(QPointF(-0.5, 10.9), 1.0), QPoint(-1, 10));
    // Origin and size each, so a window's size does not depend on where it stands.
    EXPECT_EQ(CDPI::ToDevice(QRect(-1913, -1, 1913, 1080), 1.25), QRect(-2392, -2, 2391, 1350));
    EXPECT_EQ(CDPI::ToDevice(QRect(1913, 1, 1913, 1080), 1.25), QRect(2391, 1, 2391, 1350));
    EXPECT_EQ(CDPI::ToLogical(QRect(-2392, -2, 2391, 1350), 1.25), QRect(-1914, -2, 1912, 1080));
    // A size rounded down comes back short; the holding size comes back whole.
    EXPECT_EQ(CDPI::ToLogical(CDPI::ToDevice(QSize(101, 282), 1.25), 1.25), QSize(100, 281));
    EXPECT_EQ(CDPI::DeviceSizeHolding(QSize(101, 282), 1.25), QSize(127, 353));
    EXPECT_EQ(CDPI::ToLogical(CDPI::DeviceSizeHolding(QSize(101, 282), 1.25), 1.25),
              QSize(101, 282));
    EXPECT_EQ(CDPI::DeviceSizeHolding(QSize(101, 282), 2.0), QSize(202, 564));
    // At the float system scale: single precision keeps 30 x (160 / 96) at 50, and a corner
    // left of the primary screen rounds down too.
    EXPECT_EQ(CDPI::ToDeviceAtSystemScale(30, 160.0f / 96.0f), 50);
    EXPECT_EQ(CDPI::ToDeviceAtSystemScale(46, 1.25f), 57);
    EXPECT_EQ(CDPI::ToLogicalAtSystemScale(1913, 1.25f), 1530);
    EXPECT_EQ(CDPI::ToLogicalAtSystemScale(-1913, 1.25f), -1531);
}
