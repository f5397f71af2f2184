#include "toolkit/MenuWnd.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <limits>
#include <vector>

#include "toolkit/AccessibleWindow.h"
#include "toolkit/Dpi.h"
#include "toolkit/MenuCommand.h"
#include "toolkit/UIMenu.h"
#include "toolkit/UIMenuElement.h"

namespace {

// One notch of a mouse wheel, and how far it scrolls a menu: three items.
constexpr int kWheelNotch = 120;
constexpr int kScrollPerNotch = 3 * CMenuElementUI::kDefaultHeight;

int DistanceTo(const QRect& r, const QPoint& p) {
    const int dx = std::max({r.left() - p.x(), 0, p.x() - r.right()});
    const int dy = std::max({r.top() - p.y(), 0, p.y() - r.bottom()});
    return dx + dy;
}

// The screen holding a physical point, or the nearest one when the point is off every screen.
QScreen* ScreenNear(const QPoint& physical) {
    QScreen* best = QGuiApplication::primaryScreen();
    int bestDistance = std::numeric_limits<int>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const int d =
            DistanceTo(CDPI::ToDevice(screen->geometry(), screen->devicePixelRatio()), physical);
        if (d < bestDistance) {
            best = screen;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace

CMenuWnd::CMenuWnd() { GetGlobalContextMenuObserver().AddMenu(this); }

CMenuWnd::~CMenuWnd() {
    // Closed here, while this object is still a menu, so its own handlers see the close.
    if (IsWindow()) DestroyWindow();
    GetGlobalContextMenuObserver().RemoveMenu(this);
}

MenuObserver& CMenuWnd::GetGlobalContextMenuObserver() {
    static MenuObserver observer;
    return observer;
}

CMenuWnd* CMenuWnd::CreateMenu(CMenuElementUI* owner, const QString& xml, QPoint screenPoint,
                               CPaintManagerUI* mainPaintManager, MenuCheckInfo* checkInfo,
                               DWORD alignment, const QString& name) {
    auto menu = std::make_unique<CMenuWnd>();
    menu->SetName(name);
    if (!menu->Init(owner, xml, screenPoint, mainPaintManager, checkInfo, alignment))
        return nullptr;
    return GetGlobalContextMenuObserver().Adopt(std::move(menu));
}

bool CMenuWnd::Init(CMenuElementUI* owner, const QString& xml, QPoint screenPoint,
                    CPaintManagerUI* mainPaintManager, MenuCheckInfo* checkInfo, DWORD alignment) {
    if (GetHWND() || !m_skinFile.isEmpty()) return false;
    m_ownerItem = owner;
    m_skinFile = xml;
    m_anchor = screenPoint;
    m_mainPaintManager = mainPaintManager;
    m_alignment = alignment;
    if (checkInfo) GetGlobalContextMenuObserver().SetMenuCheckInfo(checkInfo);
    // A tool window is a pop-up here: above its owner, holding the mouse until it closes.
    CWindowWnd* ownerWindow = CWindowWnd::FromPaintManager(mainPaintManager);
    if (!Create(ownerWindow, QStringLiteral("Menu"), WS_POPUP, WS_EX_TOOLWINDOW)) return false;
    ResizeMenu();
    // A pop-up takes the keyboard by itself; activating it would take the focus from the owner.
    ShowWindow(true, false);
    NotifyAccessibleWindow(GetHWND(), QAccessible::PopupMenuStart);
    ShowCheckedItem();
    return IsWindow();
}

void CMenuWnd::ShowCheckedItem() {
    CMenuUI* menu = GetMenuUI();
    if (!IsWindow() || !menu) return;
    for (int i = 0; i < menu->GetCount(); ++i) {
        auto* item = dynamic_cast<CMenuElementUI*>(menu->GetItemAt(i));
        if (item && item->IsVisible() && item->IsEnabled() && item->IsChecked()) {
            m_pm.LayoutIfNeeded();
            menu->ScrollIntoView(*item);
            m_pm.LayoutIfNeeded();
            m_pm.SetHotControl(item);  // heard as the item in focus
            return;
        }
    }
    NotifyAccessibleWindow(GetHWND(), QAccessible::Focus);
}

void CMenuWnd::DestroyMenu() {
    MenuObserver& observer = GetGlobalContextMenuObserver();
    observer.CloseAll();
    // The menus the toolkit keeps go now, unless one is still handling the click that closed it.
    observer.FreeClosedMenus();
}

QString CMenuWnd::GetWindowClassName() const { return QStringLiteral("MenuWnd"); }

QString CMenuWnd::GetSkinFile() const { return m_skinFile; }

void CMenuWnd::InitWindow() { ApplyCheckInfo(); }

CMenuUI* CMenuWnd::GetMenuUI() const {
    CControlUI* root = m_pm.GetRoot();
    if (!root) return nullptr;
    if (auto* menu = dynamic_cast<CMenuUI*>(root)) return menu;
    CMenuUI* found = nullptr;
    root->ForEach([&found](CControlUI& c) {
        if (!found) found = dynamic_cast<CMenuUI*>(&c);
    });
    return found;
}

void CMenuWnd::ApplyCheckInfo() {
    const MenuCheckInfo* info = GetGlobalContextMenuObserver().GetMenuCheckInfo();
    CControlUI* root = m_pm.GetRoot();
    if (!info || !root) return;
    // Only the names the map knows change; a check written in the layout stays otherwise.
    root->ForEach([info](CControlUI& c) {
        auto* item = dynamic_cast<CMenuElementUI*>(&c);
        if (!item) return;
        const auto it = info->find(item->GetName());
        if (it != info->end()) item->SetChecked(it->second);
    });
}

bool CMenuWnd::SetMenuItemInfo(const QString& name, bool checked) {
    MenuObserver& observer = GetGlobalContextMenuObserver();
    MenuCheckInfo* info = observer.GetMenuCheckInfo();
    if (!info) return false;
    (*info)[name] = checked;
    for (CMenuWnd* menu : observer.GetMenus()) {
        if (menu->IsWindow()) menu->ApplyCheckInfo();
    }
    return true;
}

void CMenuWnd::ResizeMenu() {
    if (!IsWindow()) return;
    // Items added in code since the menu was built get their check state here.
    ApplyCheckInfo();
    // A layout without a menu keeps the fixed size of its root, if it has one.
    QSize size = m_pm.GetRoot() ? m_pm.GetRoot()->EstimateSize(QSize()) : QSize();
    if (const CMenuUI* menu = GetMenuUI()) {
        const QMargins& pad = menu->GetPadding();
        size =
            menu->EstimateSize(QSize()) + QSize(pad.left() + pad.right(), pad.top() + pad.bottom());
        if (menu->GetFixedWidth() > 0) size.setWidth(menu->GetFixedWidth());
        if (menu->GetFixedHeight() > 0) size.setHeight(menu->GetFixedHeight());
    }
    QScreen* screen = ScreenNear(m_anchor);
    const qreal ratio = screen ? screen->devicePixelRatio() : DevicePixelRatio();
    const QRect workArea = screen ? CDPI::ToDevice(screen->availableGeometry(), ratio) : QRect();
    const QSize physical = CDPI::DeviceSizeHolding(size.expandedTo(QSize(1, 1)), ratio);
    SetWindowPos(PlaceMenu(physical, m_anchor, m_alignment, workArea));
    // Laid out now rather than at the first paint, so the items' places are known at once.
    m_pm.NeedUpdate();
    m_pm.LayoutIfNeeded();
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_ITEMCLICK) return;
    if (const auto* item = dynamic_cast<const CMenuElementUI*>(msg.pSender)) {
        PostPick(*item);
        DestroyMenu();
    }
}

void CMenuWnd::PostPick(const CMenuElementUI& item) {
    CWindowWnd* target = CWindowWnd::FromPaintManager(m_mainPaintManager);
    if (!target) return;
    target->PostMessage(UIMSG_MENU_PICK,
                        MakePayload(MenuCommand{item.GetName(), item.GetUserData(),
                                                item.GetDisplayText(), item.IsChecked()}));
}

LRESULT CMenuWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Counted so that a menu closed by a click on itself is not freed under its own feet.
    ++m_messageDepth;
    const LRESULT result = WindowImplBase::HandleMessage(msg, wParam, lParam);
    --m_messageDepth;
    return result;
}

LRESULT CMenuWnd::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (msg == WM_MOUSEWHEEL) {
        Scroll(static_cast<std::int16_t>((wParam >> 16) & 0xFFFF), lParam);
        handled = true;
    } else if (msg == WM_DESTROY) {
        NotifyAccessibleWindow(GetHWND(), QAccessible::PopupMenuEnd);
    } else if (msg == WM_SHOWWINDOW && wParam == 0 && IsWindow()) {
        // Hidden by someone else (its owner went away): a hidden menu is a closed one.
        DestroyWindow();
        handled = true;
    }
    return 0;
}

void CMenuWnd::Scroll(int wheelDelta, LPARAM screenPoint) {
    CMenuUI* menu = GetMenuUI();
    if (!menu || wheelDelta == 0) return;
    menu->SetScrollPos(menu->GetScrollPos() - wheelDelta * kScrollPerNotch / kWheelNotch);
    // The item now under the pointer becomes the hot one without waiting for the mouse to move.
    const QPoint client =
        ScreenToClient(QPoint(PointLParamX(screenPoint), PointLParamY(screenPoint)));
    LRESULT ignored = 0;
    m_pm.MessageHandler(WM_MOUSEMOVE, 0, MakePointLParam(client.x(), client.y()), ignored);
}

LRESULT CMenuWnd::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& handled) {
    // No caption and no sizing border: a menu holds the mouse while open, and the pointer
    // beside it must not look like it could resize it.
    handled = true;
    const QPoint pt = ScreenToClient(QPoint(PointLParamX(lParam), PointLParamY(lParam)));
    return GetClientRect().contains(pt) ? HTCLIENT : HTNOWHERE;
}

LRESULT CMenuWnd::OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& handled) {
    handled = true;
    switch (wParam) {
        case VK_ESCAPE:
            DestroyWindow();
            break;
        case VK_UP:
        case VK_DOWN:
            MoveHotItem(wParam == VK_DOWN);
            break;
        case VK_RETURN:
            if (auto* item = dynamic_cast<CMenuElementUI*>(m_pm.GetHotControl())) item->Activate();
            break;
        default:
            handled = false;
            break;
    }
    return 0;
}

void CMenuWnd::MoveHotItem(bool down) {
    CMenuUI* menu = GetMenuUI();
    if (!menu) return;
    std::vector<CMenuElementUI*> items;
    for (int i = 0; i < menu->GetCount(); ++i) {
        auto* item = dynamic_cast<CMenuElementUI*>(menu->GetItemAt(i));
        if (item && item->IsVisible() && item->IsEnabled()) items.push_back(item);
    }
    if (items.empty()) return;
    const auto n = static_cast<std::ptrdiff_t>(items.size());
    const auto at = std::find(items.begin(), items.end(), m_pm.GetHotControl());
    const std::ptrdiff_t from = at != items.end() ? at - items.begin() : down ? -1 : n;
    CMenuElementUI* next = items[static_cast<std::size_t>(((from + (down ? 1 : -1)) % n + n) % n)];
    // Laid out first: the item's place decides how far to scroll, and the scroll moves it.
    m_pm.LayoutIfNeeded();
    menu->ScrollIntoView(*next);
    m_pm.LayoutIfNeeded();
    m_pm.SetHotControl(next);
}

void CMenuWnd::OnFinalMessage(QWidget*) { GetGlobalContextMenuObserver().ScheduleFree(); }
