// PlayerWindow: the speed, subtitle and audio pop-up menus, and the About window.

#include "toolkit/AccessibleWindow.h"
#include "toolkit/Dpi.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"
#include "ui/AboutWnd.h"
#include "ui/PlayerWindow.h"

namespace {
// Both menus open upward over the control bar, their left edge on the button's.
constexpr DWORD kMenuAlignment = kMenuAlignBottom;
}  // namespace

QPoint PlayerWindow::MenuAnchor(CControlUI* button) const {
    const QPoint topLeft = button ? button->GetPos().topLeft() : QPoint();
    return ClientToScreen(CDPI::ToDevice(topLeft, DevicePixelRatio()));
}

void PlayerWindow::ShowSpeedMenu(CControlUI* anchor) {
    CMenuWnd::GetGlobalContextMenuObserver().SetMenuCheckInfo(&m_menuCheckInfo);
    m_pMenu.reset();
    // The current speed carries a check mark, and the menu opens on it; a speed no item names
    // marks none.
    const double current = m_player.Speed();
    for (const SpeedItem& item : m_speedItems.Items())
        CMenuWnd::SetMenuItemInfo(item.name, item.speed == current);
    m_menuButton = anchor;
    m_pMenu = std::make_unique<CMenuWnd>();
    m_pMenu->SetName(CResourceManager::GetInstance().GetText(QStringLiteral("speed")));
    m_pMenu->Init(nullptr, QStringLiteral("speed_menu.xml"), MenuAnchor(anchor), &m_pm, nullptr,
                  kMenuAlignment);
}

namespace {

// A track item of the audio or the subtitle menu; all items of one menu share `name`, and the
// user data tells them apart.
std::unique_ptr<CMenuElementUI> TrackItem(const QString& name, const QString& text, std::int64_t id,
                                          bool checked) {
    auto item = std::make_unique<CMenuElementUI>();
    item->SetName(name);
    item->SetText(text);
    item->SetUserData(QString::number(id));
    item->SetChecked(checked);
    return item;
}

}  // namespace

CMenuWnd* PlayerWindow::OpenFilledMenu(CControlUI* anchor, const QString& nameId) {
    m_menuButton = anchor;
    // An empty menu layout, which the caller fills.
    return CMenuWnd::CreateMenu(nullptr, QStringLiteral("subtitle_menu.xml"), MenuAnchor(anchor),
                                &m_pm, &m_menuCheckInfo, kMenuAlignment,
                                CResourceManager::GetInstance().GetText(nameId));
}

void PlayerWindow::ShowFilledMenu(CMenuWnd& menu) {
    menu.ResizeMenu();
    menu.ShowCheckedItem();
}

void PlayerWindow::ShowSubtitleMenu(CControlUI* anchor) {
    CMenuWnd* menu = OpenFilledMenu(anchor, QStringLiteral("subtitle"));
    if (!menu) return;
    if (CMenuUI* items = menu->GetMenuUI()) {
        // The track shown is checked, or "Turn off" while none is.
        const std::int64_t shown = m_player.CurrentSubtitle();
        auto off = TrackItem(QStringLiteral("subtitle_"), QStringLiteral("subtitle_close"), -1,
                             shown == -1);
        off->SetResourceText(true);
        items->Add(std::move(off));
        for (const TrackEntry& track : m_player.SubtitleTracks())
            items->Add(TrackItem(QStringLiteral("subtitle_"), SubtitleItemText(track), track.id,
                                 track.id == shown));
        if (m_player.HasOpenFile()) {
            auto load = std::make_unique<CMenuElementUI>();
            load->SetName(QStringLiteral("subtitle_load"));
            load->SetText(QStringLiteral("subtitle_load"));
            load->SetResourceText(true);
            items->Add(std::move(load));
        }
    }
    ShowFilledMenu(*menu);
}

void PlayerWindow::ShowAudioMenu(CControlUI* anchor) {
    CMenuWnd* menu = OpenFilledMenu(anchor, QStringLiteral("audio"));
    if (!menu) return;
    if (CMenuUI* items = menu->GetMenuUI()) {
        const std::int64_t playing = m_player.CurrentAudio();
        const QString numbered =
            CResourceManager::GetInstance().GetText(QStringLiteral("audio_track"));
        int number = 0;
        for (const TrackEntry& track : m_player.AudioTracks())
            items->Add(TrackItem(QStringLiteral("audio_"), AudioItemText(track, ++number, numbered),
                                 track.id, track.id == playing));
    }
    ShowFilledMenu(*menu);
}

void PlayerWindow::AnnouncePick(const QString& chosen) {
    // The menu has closed: the button that opened it carries the choice as its description,
    // and the keyboard back on it reads it again.
    if (!m_menuButton) return;
    m_menuButton->Accessible().description = chosen;
    if (m_menuButton->IsFocused()) NotifyAccessible(*m_menuButton, QAccessible::Focus);
}

void PlayerWindow::ShowAbout() {
    auto about = std::make_unique<CAboutWnd>();
    if (!about->Create(this, QStringLiteral("About"), WS_POPUP | WS_VISIBLE, 0)) return;
    // From here the window frees itself when it is destroyed.
    CAboutWnd* window = about.release();
    window->CenterWindow();
    window->ShowModal();
}
