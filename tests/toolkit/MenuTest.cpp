// Pop-up menus as the user meets them: opened at a button, kept on the screen, picked with the
// mouse or the keyboard, dismissed by a click elsewhere or Escape, and never left behind.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "toolkit/MenuCommand.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"

namespace {

MenuObserver& Observer() { return CMenuWnd::GetGlobalContextMenuObserver(); }

// Lets posted messages and deferred deletions run until `done` holds; a bounded number of turns.
template <class Pred>
bool Await(Pred done) {
    for (int i = 0; i < 50 && !done(); ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

// The window menus belong to: the player's main layout. It records the picks posted to it and
// opens a speed menu from "btn_speed" the way the player does, keeping the menu object.
class OwnerWindow : public WindowImplBase {
  public:
    QString GetWindowClassName() const override { return QStringLiteral("MenuOwner"); }
    QString GetSkinFile() const override { return QStringLiteral("main.xml"); }
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        handled = msg == UIMSG_MENU_PICK;
        if (handled) {
            const MenuCommand* pick = PayloadValue<MenuCommand>(wParam);
            picks.push_back(pick ? *pick
                                 : MenuCommand{QStringLiteral("<no record>"), {}, {}, false});
        }
        return 0;
    }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender->GetName() != u"btn_speed") return;
        speedMenu.reset();
        speedMenu = std::make_unique<CMenuWnd>();
        ++speedMenusOpened;
        speedMenu->Init(nullptr, QStringLiteral("speed_menu.xml"),
                        ClientToScreen(msg.pSender->GetPos().topLeft()), &m_pm, nullptr,
                        kMenuAlignBottom);
    }
    std::vector<MenuCommand> picks;
    std::unique_ptr<CMenuWnd> speedMenu;
    int speedMenusOpened = 0;
};

// A mouse event as the system delivers it: to a native window, at a global point.
void SendMouse(QWindow* window, QEvent::Type type, QPoint global) {
    ASSERT_TRUE(window);
    const QPointF local = window->mapFromGlobal(QPointF(global));
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, local, local, QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &e);
}

QWindow* WindowOf(CWindowWnd& wnd) {
    return wnd.GetHWND() ? wnd.GetHWND()->windowHandle() : nullptr;
}

QPoint GlobalCenter(CMenuWnd& menu, const CControlUI& item) {
    return menu.GetHWND()->mapToGlobal(item.GetPos().center());
}

void Wheel(CMenuWnd& menu, int delta) {
    QWidget* w = menu.GetHWND();
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent e(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

std::unique_ptr<CMenuElementUI> Item(const char* name, const char* text, const QString& data) {
    auto item = std::make_unique<CMenuElementUI>();
    item->SetName(QString::fromUtf8(name));
    item->SetText(QString::fromUtf8(text));
    item->SetUserData(data);
    return item;
}

// A key as the system delivers it: to the native window with the keyboard focus.
void SendKey(QWindow* window, Qt::Key key) {
    ASSERT_TRUE(window);
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &e);
}

QString HotName(CMenuWnd& menu) {
    const CControlUI* hot = menu.GetPM().GetHotControl();
    return hot ? hot->GetName() : QStringLiteral("<none>");
}

void PressEscape(CMenuWnd& menu) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(menu.GetHWND(), &escape);
}

}  // namespace

TEST(MenuPlacement, AlignedCornerSitsOnTheAnchorAndTheMenuStaysInTheWorkArea) {
    const QRect screen(0, 0, 1280, 800);
    const QSize size(100, 282);
    struct Case {
        QPoint anchor;
        DWORD align;
        QPoint topLeft;
    };
    const Case cases[] = {
        {{500, 700}, kMenuAlignBottom, {500, 418}},     // lower-left corner on the anchor
        {{500, 300}, kMenuAlignDefault, {500, 300}},    // top-left corner on the anchor
        {{500, 300}, kMenuAlignRight, {400, 300}},      // opens leftwards
        {{1250, 780}, kMenuAlignDefault, {1180, 518}},  // pushed off the right and bottom edges
        {{50, 100}, kMenuAlignRight | kMenuAlignBottom, {0, 0}},  // and off the left and top
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceMenu(size, c.anchor, c.align, screen), QRect(c.topLeft, size))
            << c.anchor.x();
    EXPECT_EQ(PlaceMenu(QSize(100, 1682), {500, 700}, kMenuAlignBottom, screen),
              QRect(500, 0, 100, 800))
        << "a menu taller than the screen is cut to it";
    EXPECT_EQ(PlaceMenu(size, {1270, 500}, kMenuAlignDefault, QRect(1280, 0, 1920, 1080)),
              QRect(QPoint(1280, 500), size))
        << "the screen need not start at 0";
}

class Menus : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml")));
        ASSERT_TRUE(owner.Create(nullptr, QStringLiteral("owner"), WS_VISIBLE, 0, 0, 0, 800, 600));
        owner.ShowWindow();
        owner.GetPM().LayoutIfNeeded();
        windowsBefore = QApplication::topLevelWidgets().size();
        workArea = QGuiApplication::primaryScreen()->availableGeometry();
    }
    void TearDown() override {
        CMenuWnd::DestroyMenu();
        owner.speedMenu.reset();
        Observer().SetMenuCheckInfo(nullptr);
        EXPECT_TRUE(Await([] { return Observer().GetMenus().empty(); })) << "a menu was left alive";
    }
    CMenuWnd* Open(const char* layout, QPoint anchor, DWORD align = kMenuAlignBottom,
                   MenuCheckInfo* checks = nullptr) {
        return CMenuWnd::CreateMenu(nullptr, QString::fromLatin1(layout), anchor, &owner.GetPM(),
                                    checks, align);
    }
    // A subtitle menu of 60 tracks opened at the bottom of the screen: taller than the screen.
    CMenuWnd* OpenTallMenu() {
        CMenuWnd* menu = Open("subtitle_menu.xml", QPoint(100, workArea.bottom()));
        if (!menu || !menu->GetMenuUI()) return nullptr;
        for (int i = 0; i < 60; ++i)
            menu->GetMenuUI()->Add(Item("subtitle_", "track", QString::number(i)));
        menu->ResizeMenu();
        return menu;
    }
    void Click(QWindow* window, QPoint global) {
        SendMouse(window, QEvent::MouseButtonPress, global);
        SendMouse(window, QEvent::MouseButtonRelease, global);
    }
    bool NoMenuWindowsLeft() const {
        return Observer().GetMenus().empty() &&
               QApplication::topLevelWidgets().size() == windowsBefore;
    }

    OwnerWindow owner;
    qsizetype windowsBefore = 0;
    QRect workArea;
};

TEST_F(Menus, SpeedMenuOpensAboveItsAnchorWithItsTenItemsAndStaysOnScreen) {
    const QPoint anchor(300, 500);
    CMenuWnd* menu = Open("speed_menu.xml", anchor);
    ASSERT_TRUE(menu && menu->GetMenuUI());
    const CMenuUI& items = *menu->GetMenuUI();
    QStringList names;
    int widest = 0;
    for (int i = 0; i < items.GetCount(); ++i) {
        names << items.GetItemAt(i)->GetName();
        widest = std::max(widest, items.GetItemAt(i)->EstimateSize(QSize()).width());
    }
    EXPECT_EQ(names,
              QStringList({"menu_speed_25", "menu_speed_50", "menu_speed_100", "menu_speed_125",
                           "menu_speed_150", "menu_speed_175", "menu_speed_200", "menu_speed_250",
                           "menu_speed_300", "menu_speed_400"}));
    const QRect rc = menu->GetWindowRect();
    EXPECT_EQ(rc.size(), QSize(widest + 2, 10 * CMenuElementUI::kDefaultHeight + 2))
        << "the widest item and the items' heights, inside a one-pixel inset";
    EXPECT_EQ(rc.bottomLeft() + QPoint(0, 1), anchor) << "opens upwards from the anchor";
    EXPECT_EQ(QApplication::activePopupWidget(), menu->GetHWND());
    EXPECT_EQ(menu->GetHWND()->parentWidget(), owner.GetHWND()) << "kept above its owner";

    menu = Open("speed_menu.xml", workArea.bottomRight(), kMenuAlignDefault);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetWindowRect().bottomRight(), workArea.bottomRight())
        << "opened at the screen's corner, moved back onto the screen";
}

TEST_F(Menus, MenuTallerThanTheScreenScrollsToEveryItem) {
    CMenuWnd* menu = OpenTallMenu();
    ASSERT_TRUE(menu);
    CMenuUI& items = *menu->GetMenuUI();
    ASSERT_LT(workArea.height(), 60 * CMenuElementUI::kDefaultHeight);
    const QRect rc = menu->GetWindowRect();
    EXPECT_EQ(QRect(rc.left(), rc.top(), 0, rc.height()),
              QRect(100, workArea.top(), 0, workArea.height()));

    CControlUI* last = items.GetItemAt(59);
    const QRect client = menu->GetClientRect();
    EXPECT_FALSE(client.contains(last->GetPos())) << "the last item starts out of sight";
    Wheel(*menu, 120);
    EXPECT_EQ(items.GetScrollPos(), 0) << "nothing above the first item";
    for (int notch = 0; notch < 100 && items.GetScrollPos() < items.GetScrollRange(); ++notch)
        Wheel(*menu, -120);
    Wheel(*menu, -120);
    menu->GetPM().LayoutIfNeeded();
    EXPECT_EQ(items.GetScrollPos(), items.GetScrollRange()) << "nothing below the last item";
    EXPECT_TRUE(client.contains(last->GetPos()));

    Click(WindowOf(*menu), GlobalCenter(*menu, *last));
    ASSERT_TRUE(Await([&] { return !owner.picks.empty(); }));
    EXPECT_EQ(owner.picks[0].userData, QStringLiteral("59"));
}

// The owner window keeps the keyboard focus while its menu is open, as a pop-up takes none;
// its keys must reach the menu all the same.
TEST_F(Menus, UpAndDownMoveTheHotItemAroundAndEnterPicksItWithTheOwnersKeyboard) {
    QWindow* keyboard = WindowOf(owner);
    CMenuWnd* menu = Open("speed_menu.xml", QPoint(300, 500));
    ASSERT_TRUE(menu && menu->GetMenuUI());
    const CMenuUI& items = *menu->GetMenuUI();
    SendKey(keyboard, Qt::Key_Return);
    EXPECT_TRUE(menu->IsWindow()) << "Enter without a hot item picks nothing";
    SendKey(keyboard, Qt::Key_Up);
    EXPECT_EQ(HotName(*menu), QStringLiteral("menu_speed_400")) << "Up from none: the last";
    SendKey(keyboard, Qt::Key_Down);
    EXPECT_EQ(HotName(*menu), QStringLiteral("menu_speed_25")) << "wraps to the first";
    SendKey(keyboard, Qt::Key_Up);
    EXPECT_EQ(HotName(*menu), QStringLiteral("menu_speed_400")) << "wraps to the last";
    EXPECT_TRUE(static_cast<CMenuElementUI*>(items.GetItemAt(9))->IsHot());
    EXPECT_FALSE(static_cast<CMenuElementUI*>(items.GetItemAt(0))->IsHot());

    // The pointer and the keys move one hot item.
    SendMouse(WindowOf(*menu), QEvent::MouseMove, GlobalCenter(*menu, *items.GetItemAt(4)));
    EXPECT_EQ(HotName(*menu), QStringLiteral("menu_speed_150"));
    SendKey(keyboard, Qt::Key_Down);
    EXPECT_EQ(HotName(*menu), QStringLiteral("menu_speed_175"));
    EXPECT_TRUE(owner.picks.empty());
    SendKey(keyboard, Qt::Key_Return);
    EXPECT_EQ(Observer().GetOpenMenuCount(), 0);
    ASSERT_TRUE(Await([&] { return NoMenuWindowsLeft(); }));
    ASSERT_EQ(owner.picks.size(), 1u);
    EXPECT_EQ(owner.picks[0].name, QStringLiteral("menu_speed_175"));
    EXPECT_EQ(owner.picks[0].text, QStringLiteral("1.75x"));
}

TEST_F(Menus, KeysScrollTheHotItemOfATallMenuIntoView) {
    CMenuWnd* menu = OpenTallMenu();
    ASSERT_TRUE(menu);
    CMenuUI& items = *menu->GetMenuUI();
    const QRect view = menu->GetClientRect().marginsRemoved(items.GetInset());
    ASSERT_FALSE(view.contains(items.GetItemAt(59)->GetPos()));
    SendKey(WindowOf(owner), Qt::Key_Up);
    EXPECT_EQ(items.GetScrollPos(), items.GetScrollRange());
    EXPECT_TRUE(view.contains(items.GetItemAt(59)->GetPos()));
    SendKey(WindowOf(owner), Qt::Key_Up);
    EXPECT_EQ(items.GetScrollPos(), items.GetScrollRange()) << "the one above is in view already";
    SendKey(WindowOf(owner), Qt::Key_Down);
    SendKey(WindowOf(owner), Qt::Key_Down);
    EXPECT_EQ(items.GetScrollPos(), 0) << "wrapped round to the first";
    EXPECT_TRUE(view.contains(items.GetItemAt(0)->GetPos()));
    // Going down past the whole items at the top scrolls by just enough for the next one.
    const int shown = view.height() / CMenuElementUI::kDefaultHeight;
    for (int i = 0; i < shown; ++i) SendKey(WindowOf(owner), Qt::Key_Down);
    const CControlUI* hot = menu->GetPM().GetHotControl();
    ASSERT_TRUE(hot);
    EXPECT_EQ(hot->GetUserData(), QString::number(shown));
    EXPECT_EQ(items.GetScrollPos(), (shown + 1) * CMenuElementUI::kDefaultHeight - view.height());
    EXPECT_TRUE(view.contains(hot->GetPos()));
    SendKey(WindowOf(owner), Qt::Key_Return);
    ASSERT_TRUE(Await([&] { return !owner.picks.empty(); }));
    EXPECT_EQ(owner.picks[0].userData, QString::number(shown));
}

TEST_F(Menus, ClickOnAnItemPostsExactlyOnePickAndClosesTheMenu) {
    CMenuWnd* menu = Open("speed_menu.xml", QPoint(300, 500));
    ASSERT_TRUE(menu);
    CControlUI* item = menu->GetPM().FindControl(QStringLiteral("menu_speed_150"));
    ASSERT_TRUE(item);
    SendMouse(WindowOf(*menu), QEvent::MouseMove, GlobalCenter(*menu, *item));
    EXPECT_TRUE(static_cast<CMenuElementUI*>(item)->IsHot());
    Click(WindowOf(*menu), GlobalCenter(*menu, *item));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(Await([&] { return NoMenuWindowsLeft(); })) << "the toolkit frees the closed menu";
    ASSERT_EQ(owner.picks.size(), 1u);
    EXPECT_EQ(owner.picks[0].name, QStringLiteral("menu_speed_150"));
    EXPECT_EQ(owner.picks[0].text, QStringLiteral("1.5x"));
    EXPECT_EQ(owner.picks[0].userData, QString());
    EXPECT_FALSE(owner.picks[0].checked);
}

TEST_F(Menus, ClickElsewhereOrEscapeClosesWithoutAPickAndTheClickStillCounts) {
    CControlUI* button = owner.GetPM().FindControl(QStringLiteral("btn_speed"));
    ASSERT_TRUE(button);
    const QPoint onButton = owner.GetHWND()->mapToGlobal(button->GetPos().center());
    Click(WindowOf(owner), onButton);
    ASSERT_EQ(owner.speedMenusOpened, 1);
    ASSERT_TRUE(owner.speedMenu && owner.speedMenu->IsWindow());
    // The open menu holds the mouse, so the press reaches it; the release reaches the owner,
    // whose button then opens a fresh menu in place of the closed one.
    SendMouse(WindowOf(*owner.speedMenu), QEvent::MouseButtonPress, onButton);
    QCoreApplication::processEvents();
    SendMouse(WindowOf(owner), QEvent::MouseButtonRelease, onButton);
    EXPECT_EQ(owner.speedMenusOpened, 2);
    ASSERT_TRUE(owner.speedMenu && owner.speedMenu->IsWindow());
    EXPECT_EQ(Observer().GetMenus().size(), 1u) << "the old menu object is gone";

    PressEscape(*owner.speedMenu);
    EXPECT_EQ(Observer().GetOpenMenuCount(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.picks.empty());
}

TEST_F(Menus, HidingTheOwnerClosesItsMenusWithoutAPick) {
    CMenuWnd* made = Open("subtitle_menu.xml", QPoint(300, 500));
    auto owned = std::make_unique<CMenuWnd>();
    ASSERT_TRUE(made && owned->Init(nullptr, QStringLiteral("speed_menu.xml"), QPoint(200, 500),
                                    &owner.GetPM()));
    ASSERT_EQ(Observer().GetOpenMenuCount(), 2);
    // Minimised or destroyed, the owner takes the menus opened over it along.
    owner.ShowWindow(false);
    EXPECT_EQ(Observer().GetOpenMenuCount(), 0);
    EXPECT_FALSE(owned->GetHWND());
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.picks.empty());
    owner.ShowWindow();
}

TEST_F(Menus, MenusOpenedAndClosedInEveryWayLeaveNothingBehind) {
    for (int i = 0; i < 100; ++i) {
        CMenuWnd* made = Open("speed_menu.xml", QPoint(10 + i, 500));
        auto owned = std::make_unique<CMenuWnd>();
        ASSERT_TRUE(made && owned->Init(nullptr, QStringLiteral("speed_menu.xml"), QPoint(200, 500),
                                        &owner.GetPM()));
        ASSERT_EQ(Observer().GetOpenMenuCount(), 2);
        // Closed by Escape, by DestroyMenu, by a press elsewhere; an owned one also dies open.
        switch (i % 4) {
            case 0:
                PressEscape(*made);
                break;
            case 1:
                CMenuWnd::DestroyMenu();
                break;
            case 2:
                SendMouse(WindowOf(*made), QEvent::MouseButtonPress, QPoint(600, 100));
                break;
            default:
                owned.reset();
                CMenuWnd::DestroyMenu();
                break;
        }
        EXPECT_EQ(Observer().GetOpenMenuCount(), i % 4 == 0 ? 1 : 0);
        if (i % 10 == 0) QCoreApplication::processEvents();
    }
    EXPECT_FALSE(CMenuWnd::CreateMenu(nullptr, QStringLiteral("no_such_menu.xml"), {}, nullptr));
    EXPECT_TRUE(Await([&] { return NoMenuWindowsLeft(); }))
        << Observer().GetMenus().size() << " menus, "
        << QApplication::topLevelWidgets().size() - windowsBefore << " windows left";
    EXPECT_EQ(Observer().GetAdoptedCount(), 0);
}

TEST_F(Menus, CheckStateMarksItemsByName) {
    EXPECT_FALSE(CMenuWnd::SetMenuItemInfo(QStringLiteral("menu_speed_100"), true)) << "no map";
    MenuCheckInfo checks{{QStringLiteral("menu_speed_200"), true}};
    CMenuWnd* menu = Open("speed_menu.xml", QPoint(300, 500), kMenuAlignBottom, &checks);
    ASSERT_TRUE(menu);
    auto item = [&menu](const char* name) {
        return static_cast<CMenuElementUI*>(menu->GetPM().FindControl(QString::fromLatin1(name)));
    };
    EXPECT_TRUE(item("menu_speed_200")->IsChecked()) << "marked when the menu was built";
    EXPECT_FALSE(item("menu_speed_100")->IsChecked());
    EXPECT_TRUE(CMenuWnd::SetMenuItemInfo(QStringLiteral("menu_speed_100"), true));
    EXPECT_TRUE(CMenuWnd::SetMenuItemInfo(QStringLiteral("menu_speed_200"), false));
    EXPECT_TRUE(checks[QStringLiteral("menu_speed_100")]);
    EXPECT_TRUE(item("menu_speed_100")->IsChecked()) << "shown in the open menu at once";
    EXPECT_FALSE(item("menu_speed_200")->IsChecked());
    Click(WindowOf(*menu), GlobalCenter(*menu, *item("menu_speed_100")));
    ASSERT_TRUE(Await([&] { return owner.picks.size() == 1; }));
    EXPECT_TRUE(owner.picks[0].checked);
}

TEST_F(Menus, ItemsAddedInCodeShowTheirLanguageTextAndPickLikeLayoutItems) {
    for (const char* table : {"lan_zh.xml", "lan_en.xml"}) {
        ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguage(QString::fromLatin1(table)));
        CMenuWnd* menu = Open("subtitle_menu.xml", QPoint(300, 500));
        ASSERT_TRUE(menu && menu->GetMenuUI());
        auto off = Item("subtitle_", "subtitle_close", "-1");
        off->SetResourceText(true);
        menu->GetMenuUI()->Add(std::move(off));
        menu->GetMenuUI()->Add(Item("subtitle_", "chi - Simplified", "2"));
        menu->ResizeMenu();
        EXPECT_EQ(menu->GetWindowRect().height(), 2 * CMenuElementUI::kDefaultHeight + 2);
        Click(WindowOf(*menu), GlobalCenter(*menu, *menu->GetMenuUI()->GetItemAt(0)));
    }
    ASSERT_TRUE(Await([&] { return owner.picks.size() == 2; }));
    EXPECT_EQ(owner.picks[0].text, QStringLiteral("关闭字幕"));
    EXPECT_EQ(owner.picks[1].text, QStringLiteral("Turn off"));
    EXPECT_EQ(owner.picks[1].name, QStringLiteral("subtitle_"));
    EXPECT_EQ(owner.picks[1].userData, QStringLiteral("-1"));
}

// A picked item's user data as the owner reads it: the subtitle menu keeps track ids there.
namespace {

struct IdCase {
    const char16_t* text;
    std::int64_t expected;
};

void PrintTo(const IdCase& c, std::ostream* os) {
    *os << '"' << QString::fromUtf16(c.text).toStdString() << '"';
}

class ParseUserDataIdTest : public testing::TestWithParam<IdCase> {};

TEST_P(ParseUserDataIdTest, ReadsLikeADecimalInteger) {
    const IdCase& c = GetParam();
    EXPECT_EQ(ParseUserDataId(QString::fromUtf16(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseUserDataIdTest,
    testing::Values(
        // The turn-off item and track ids.
        IdCase{u"-1", -1}, IdCase{u"1", 1}, IdCase{u"42", 42}, IdCase{u"007", 7},
        // Blanks and signs in front.
        IdCase{u"  7", 7}, IdCase{u"\t\n+15", 15}, IdCase{u" -3", -3},
        // Digits end at the first other character.
        IdCase{u"12abc", 12}, IdCase{u"1 2", 1}, IdCase{u"3.9", 3},
        // No digits.
        IdCase{u"", 0}, IdCase{u"abc", 0}, IdCase{u"-", 0}, IdCase{u"+", 0}, IdCase{u"- 5", 0},
        IdCase{u"--5", 0},
        // Digits and signs from outside ASCII do not count.
        IdCase{u"\u0663", 0}, IdCase{u"\u22125", 0}, IdCase{u"\uFF15", 0},
        // The ends of the range, and beyond them.
        IdCase{u"9223372036854775807", INT64_MAX}, IdCase{u"9223372036854775808", INT64_MAX},
        IdCase{u"99999999999999999999999", INT64_MAX}, IdCase{u"-9223372036854775808", INT64_MIN},
        IdCase{u"-9223372036854775809", INT64_MIN},
        IdCase{u"-99999999999999999999999", INT64_MIN}));

}  // namespace
