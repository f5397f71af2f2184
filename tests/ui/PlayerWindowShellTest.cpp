#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QWidget>
#include <optional>

#include "MediaControlsOffer.h"
#include "SkinLayoutTool.h"
#include "app/LanguageChoice.h"
#include "platform/UiLanguage.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIControl.h"
#include "toolkit/UISlider.h"
#include "ui/PlayerCommands.h"
#include "ui/PlayerWindow.h"

class PlayerWindowShell : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.CreateAndShow());
        origin = window.ClientToScreen(QPoint(0, 0));
    }
    LRESULT HitTest(int x, int y) {
        return window.SendMessage(WM_NCHITTEST, 0, MakePointLParam(origin.x() + x, origin.y() + y));
    }
    void Click(int x, int y) {
        window.SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(x, y));
        window.SendMessage(WM_LBUTTONUP, 0, MakePointLParam(x, y));
    }

    PlayerWindow window;
    QPoint origin;
};

TEST_F(PlayerWindowShell, BuildsItsLayoutAndFindsItsControls) {
    EXPECT_TRUE(window.GetBuildErrors().isEmpty());
    EXPECT_EQ(window.GetClientRect(), QRect(0, 0, 800, 600));
    EXPECT_EQ(window.GetWindowText(), QStringLiteral("MoviraPlayer"));
    EXPECT_TRUE(window.CloseButton());
    ASSERT_TRUE(window.VolumeSlider());
    EXPECT_EQ(static_cast<const CWindowWnd&>(window).GetClassStyle(), CS_DBLCLKS);
    EXPECT_EQ(window.GetHWND()->minimumSize(), QSize(300, 200));
}

// The caption strip and the bare control bar drag the window; buttons and sliders work as
// controls; the borders size it.
TEST_F(PlayerWindowShell, HitTestCoversCaptionControlBarControlsAndBorders) {
    struct Case {
        QPoint pt;
        LRESULT expected;
        const char* what;
    };
    const Case cases[] = {
        {{400, 15}, HTCAPTION, "title label"},
        {{60, 15}, HTCAPTION, "product name"},
        {{785, 15}, HTCLIENT, "close button"},
        {{15, 15}, HTCLIENT, "menu button"},
        {{400, 300}, HTCLIENT, "video area"},
        {{480, 575}, HTCAPTION, "bare control bar"},
        {{350, 575}, HTCAPTION, "time label"},
        {{400, 554}, HTCAPTION, "top of the band: a button row's height above the border"},
        {{400, 553}, HTCLIENT, "below the progress slider, above the band"},
        {{480, 593}, HTCAPTION, "control bar just above the bottom border"},
        {{400, 595}, HTBOTTOM, "bottom border under the band"},
        {{795, 575}, HTRIGHT, "right border beside the band"},
        {{795, 596}, HTBOTTOMRIGHT, "bottom-right corner beside the band"},
        {{4, 554}, HTCAPTION, "top-left corner of the band"},
        {{20, 575}, HTCLIENT, "previous button"},
        {{60, 575}, HTCLIENT, "play button"},
        {{100, 575}, HTCLIENT, "next button"},
        {{607, 575}, HTCLIENT, "subtitle button"},
        {{640, 575}, HTCLIENT, "audio button"},
        {{700, 575}, HTCLIENT, "volume slider"},
        {{400, 547}, HTCLIENT, "progress slider, above the band"},
        {{2, 300}, HTLEFT, "left border"},
        {{2, 575}, HTLEFT, "left border beside the band"},
        {{797, 300}, HTRIGHT, "right border"},
        {{400, 1}, HTTOP, "top border"},
        {{400, 598}, HTBOTTOM, "bottom border"},
        {{1, 1}, HTTOPLEFT, "top-left corner"},
        {{798, 598}, HTBOTTOMRIGHT, "bottom-right corner"},
    };
    for (const Case& c : cases) EXPECT_EQ(HitTest(c.pt.x(), c.pt.y()), c.expected) << c.what;
}

// The layout dump that the journeys and harnesses place their clicks by is what the window
// lays out: every visible named control, where the window opens and at another size, also
// with a control shown that the layout hides.
TEST_F(PlayerWindowShell, TheLayoutDumpIsWhatTheWindowLaysOut) {
    CPaintManagerUI& pm = window.GetPM();
    const auto expectDumped = [&](const QStringList& args) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const QJsonObject dump = AskSkinLayout(args).toObject();
        const QJsonObject controls = dump.value(QStringLiteral("controls")).toObject();
        const QJsonArray size = dump.value(QStringLiteral("size")).toArray();
        EXPECT_EQ(QSize(size[0].toInt(), size[1].toInt()), window.GetClientRect().size());
        pm.LayoutIfNeeded();
        QStringList visible;
        pm.GetRoot()->ForEach([&](CControlUI& c) {
            if (!c.GetName().isEmpty() && c.IsVisible()) visible << c.GetName();
        });
        QStringList dumped = controls.keys();
        dumped.sort();
        visible.sort();
        EXPECT_EQ(dumped, visible);
        for (const QString& name : visible)
            EXPECT_EQ(RectOfJson(controls.value(name)), pm.FindControl(name)->GetPos())
                << name.toStdString();
        const QJsonObject thumbs = dump.value(QStringLiteral("thumbs")).toObject();
        EXPECT_EQ(thumbs.size(), 2) << "the progress and volume sliders";
        for (const QString& name : thumbs.keys()) {
            const auto* slider = dynamic_cast<const CSliderUI*>(pm.FindControl(name));
            ASSERT_TRUE(slider) << name.toStdString();
            const QJsonArray thumb = thumbs.value(name).toArray();
            EXPECT_EQ(QSize(thumb[0].toInt(), thumb[1].toInt()), slider->GetThumbSize());
        }
        const QJsonObject attributes = dump.value(QStringLiteral("window")).toObject();
        EXPECT_EQ(RectOfJson(attributes.value(QStringLiteral("sizebox"))), QRect(4, 4, 6, 6))
            << "as left, top, right, bottom";
        const QJsonArray minimum = attributes.value(QStringLiteral("mininfo")).toArray();
        EXPECT_EQ(QSize(minimum[0].toInt(), minimum[1].toInt()), window.GetHWND()->minimumSize());
    };
    expectDumped({QStringLiteral("rects"), QStringLiteral("main.xml")});
    window.SetWindowPos(QRect(window.GetWindowRect().topLeft(), QSize(850, 450)));
    QCoreApplication::processEvents();
    ASSERT_EQ(window.GetClientRect().size(), QSize(850, 450));
    pm.FindControl(QStringLiteral("infobtn"))->SetVisible(true);
    expectDumped({QStringLiteral("rects"), QStringLiteral("main.xml"), QStringLiteral("850"),
                  QStringLiteral("450"), QStringLiteral("--show"), QStringLiteral("infobtn")});
}

TEST_F(PlayerWindowShell, TooltipsComeFromTheLanguageTable) {
    LoadInterfaceLanguage(platform::kLangChinese);
    EXPECT_EQ(window.ToolTipAt(QPoint(785, 15)), QStringLiteral("关闭"));
    EXPECT_EQ(window.ToolTipAt(QPoint(60, 575)), QStringLiteral("播放"));
    EXPECT_EQ(window.ToolTipAt(QPoint(20, 575)), QStringLiteral("上一个文件"));
    LoadInterfaceLanguage(platform::kLangGerman);
    EXPECT_EQ(window.ToolTipAt(QPoint(785, 15)), QStringLiteral("Close"));
    EXPECT_EQ(window.ToolTipAt(QPoint(607, 575)), QStringLiteral("Subtitle"));
    EXPECT_EQ(window.ToolTipAt(QPoint(640, 575)), QStringLiteral("Audio track"));
    EXPECT_EQ(window.ToolTipAt(QPoint(100, 575)), QStringLiteral("Next file"));
    EXPECT_EQ(window.ToolTipAt(QPoint(400, 300)), QString());
}

// Each command is declared once: its button is in the layout with the tooltip the table
// names, in both language tables; its key is listed by --help (and so by the manual page,
// made from the same text), and --help lists no key the table lacks; its media-control
// request is one the media controls offer.
TEST_F(PlayerWindowShell, TheCommandTableAgreesWithTheLayoutHelpAndMediaControls) {
    QFile usage(QStringLiteral(MOVIRA_USAGE_FILE));
    ASSERT_TRUE(usage.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(usage.readAll());
    QSet<QString> listed;
    for (const QString& line : help.section(QStringLiteral("Keys:\n"), 1).split(u'\n')) {
        if (!line.startsWith(QStringLiteral("  ")) || line.startsWith(QStringLiteral("   ")))
            continue;  // a continued description
        for (const QString& key :
             line.trimmed().section(QStringLiteral("  "), 0, 0).split(QStringLiteral(", ")))
            listed.insert(key);
    }
    // The keyboard focus's keys belong to the toolkit, not to a command.
    listed.remove(QStringLiteral("Tab"));
    listed.remove(QStringLiteral("Shift+Tab"));

    QSet<QString> keys;
    CResourceManager& texts = CResourceManager::GetInstance();
    for (const char* table : {"lan_en.xml", "lan_zh.xml"}) {
        ASSERT_TRUE(texts.LoadLanguage(QString::fromLatin1(table)));
        for (const PlayerCommandInfo& info : PlayerCommands()) {
            if (!info.control) continue;
            SCOPED_TRACE(info.control);
            CControlUI* button = window.GetPM().FindControl(QString::fromLatin1(info.control));
            ASSERT_TRUE(button);
            ASSERT_TRUE(texts.HasText(QString::fromLatin1(info.tooltip))) << table;
            EXPECT_EQ(button->GetToolTip(), texts.GetText(QString::fromLatin1(info.tooltip)));
        }
    }
    for (const PlayerCommandInfo& info : PlayerCommands()) {
        if (info.keyName) {
            EXPECT_NE(info.key, 0u) << info.keyName;
            EXPECT_EQ(CommandForKey(info.key), &info) << "one command per key";
            keys.insert(QString::fromLatin1(info.keyName));
        }
        if (info.control) {
            EXPECT_EQ(CommandForControl(QString::fromLatin1(info.control)), &info);
        }
        if (!info.mediaCall) continue;
        if (const std::optional<bool> offered = MediaControlsOffer(info.mediaCall)) {
            EXPECT_TRUE(*offered) << info.mediaCall;
        }
    }
    EXPECT_EQ(keys, listed);
    LoadInterfaceLanguage(platform::kLangEnglish);
}

TEST_F(PlayerWindowShell, CloseButtonDestroysTheWindow) {
    Click(785, 15);
    EXPECT_TRUE(window.IsWindow()) << "the close is posted, not immediate";
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.IsWindow());
}

TEST_F(PlayerWindowShell, MaximiseAndRestoreSwapTheirButtons) {
    Click(755, 15);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.IsZoomed());
    EXPECT_EQ(HitTest(2, 300), HTCLIENT) << "no sizing borders while maximised";
    auto& pm = window.GetPM();
    EXPECT_FALSE(pm.FindControl(QStringLiteral("maxbtn"))->IsVisible());
    ASSERT_TRUE(pm.FindControl(QStringLiteral("restorebtn"))->IsVisible());
    pm.LayoutIfNeeded();
    const QRect restore = pm.FindControl(QStringLiteral("restorebtn"))->GetPos();
    Click(restore.center().x(), restore.center().y());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.IsZoomed());
    EXPECT_TRUE(pm.FindControl(QStringLiteral("maxbtn"))->IsVisible());
}
