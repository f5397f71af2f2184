// The speed menu on a playing file: where it opens on the screen, what it offers, how a
// pick reaches the engine and the speed label, and that reopening it keeps one menu whose
// check mark follows the speed.
#include <QWidget>

#include "IntegrationEnv.h"
#include "LivePlayer.h"
#include "Xdo.h"
#include "toolkit/MenuObserver.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/UILabel.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"
#include "ui/PlayerWindow.h"

namespace integration {
namespace {

using namespace std::chrono_literals;

const QString kClip = QStringLiteral(MOVIRA_MEDIA_DIR "/e2e-tracks-640x360.mkv");

class SpeedMenuTest : public LivePlayerTest {
  protected:
    static QStringList texts(CMenuWnd& menu) {
        QStringList all;
        if (CMenuUI* items = menu.GetMenuUI()) {
            for (int i = 0; i < items->GetCount(); ++i)
                all << items->GetItemAt(i)->GetDisplayText();
        }
        return all;
    }
    // The names of the checked items.
    static QStringList checked(CMenuWnd& menu) {
        QStringList names;
        if (CMenuUI* items = menu.GetMenuUI()) {
            for (int i = 0; i < items->GetCount(); ++i) {
                const auto* item = dynamic_cast<CMenuElementUI*>(items->GetItemAt(i));
                if (item && item->IsChecked()) names << item->GetName();
            }
        }
        return names;
    }
    static unsigned long nativeId(CMenuWnd* menu) {
        return menu && menu->GetHWND() ? static_cast<unsigned long>(menu->GetHWND()->winId()) : 0;
    }
};

TEST_F(SpeedMenuTest, OpensAboveItsButtonAndThePickSetsTheSpeed) {
    ASSERT_NO_FATAL_FAILURE(openAndAwaitPlaying(kClip));
    MenuObserver& observer = CMenuWnd::GetGlobalContextMenuObserver();

    ASSERT_NO_FATAL_FAILURE(click("btn_speed"));
    CMenuWnd* menu = window_->SpeedMenu();
    ASSERT_NE(menu, nullptr) << "no speed menu after a click on its button";
    ASSERT_TRUE(menu->IsWindow());
    EXPECT_EQ(openMenus(), std::vector<CMenuWnd*>{menu});
    EXPECT_EQ(str(texts(*menu).join(u' ')), "0.25x 0.5x 1x 1.25x 1.5x 1.75x 2x 2.5x 3x 4x");
    EXPECT_EQ(str(checked(*menu).join(u' ')), "menu_speed_100")
        << "the normal speed is the current one";

    // On the screen, as the X server places the windows: the menu's lower edge on the
    // button's upper edge, their left edges together.
    window_->GetPM().LayoutIfNeeded();
    const QRect button = control("btn_speed")->GetPos();
    std::optional<QRect> main;
    std::optional<QRect> placed;
    const bool above = awaitEvents(
        [&] {
            main = xdo_->geometry(static_cast<unsigned long>(window_->GetHWND()->winId()));
            placed = xdo_->geometry(nativeId(menu));
            return main && placed && placed->left() == main->left() + button.left() &&
                   placed->top() + placed->height() == main->top() + button.top();
        },
        5s);
    EXPECT_TRUE(above) << "button at " << button.left() << "," << button.top()
                       << " in the window at " << (main ? main->left() : -1) << ","
                       << (main ? main->top() : -1) << "; the menu spans x "
                       << (placed ? placed->left() : -1) << ", y " << (placed ? placed->top() : -1)
                       << ".." << (placed ? placed->top() + placed->height() : -1);

    // "1.5x", the fifth item: the engine plays faster and the label beside the button says
    // so.
    ASSERT_NO_FATAL_FAILURE(clickItem(*menu, 4));
    const bool faster = awaitEvents([&] { return engineDouble("speed") == 1.5; }, 5s);
    EXPECT_TRUE(faster) << "speed " << engineDouble("speed").value_or(-1);
    EXPECT_FALSE(menu->IsWindow()) << "the menu stayed open after the pick";
    const auto* label = dynamic_cast<CLabelUI*>(control("lbl_speed"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->IsVisible());
    EXPECT_EQ(str(label->GetText()), "1.5x");

    // Opened twice more: each opening makes a new menu window and leaves one menu object,
    // and the mark has moved to the speed picked.
    ASSERT_NO_FATAL_FAILURE(click("btn_speed"));
    const unsigned long first = nativeId(window_->SpeedMenu());
    ASSERT_NE(first, 0u);
    ASSERT_NO_FATAL_FAILURE(click("btn_speed"));
    CMenuWnd* reopened = window_->SpeedMenu();
    ASSERT_NE(reopened, nullptr);
    EXPECT_NE(nativeId(reopened), first) << "the second opening reused the first menu's window";
    EXPECT_EQ(observer.GetOpenMenuCount(), 1);
    EXPECT_EQ(observer.GetMenus().size(), 1u) << "menu objects alive";
    EXPECT_EQ(str(checked(*reopened).join(u' ')), "menu_speed_150");
}

}  // namespace
}  // namespace integration
