#include "toolkit/MenuObserver.h"

#include <QCoreApplication>
#include <algorithm>

#include "toolkit/MenuWnd.h"

MenuObserver::MenuObserver() = default;

MenuObserver::~MenuObserver() {
    // Menus still here at process exit outlived the application object, and with it the
    // windowing system their windows need; they are let go rather than torn down.
    for (auto& menu : m_adopted) (void)menu.release();
}

void MenuObserver::AddMenu(CMenuWnd* menu) {
    if (menu && std::find(m_menus.begin(), m_menus.end(), menu) == m_menus.end())
        m_menus.push_back(menu);
}

void MenuObserver::RemoveMenu(CMenuWnd* menu) { std::erase(m_menus, menu); }

int MenuObserver::GetOpenMenuCount() const {
    return static_cast<int>(
        std::count_if(m_menus.begin(), m_menus.end(), [](CMenuWnd* m) { return m->IsWindow(); }));
}

void MenuObserver::CloseAll() {
    // Closing never frees a menu on the spot, so the list stays valid; a copy guards against a
    // menu made by someone reacting to a close.
    const std::vector<CMenuWnd*> menus = m_menus;
    for (CMenuWnd* menu : menus) {
        if (std::find(m_menus.begin(), m_menus.end(), menu) != m_menus.end() && menu->IsWindow())
            menu->DestroyWindow();
    }
}

CMenuWnd* MenuObserver::Adopt(std::unique_ptr<CMenuWnd> menu) {
    if (!menu) return nullptr;
    if (!m_exitHookSet && QCoreApplication::instance()) {
        // Runs as the application object goes, while windows can still be destroyed properly.
        qAddPostRoutine(&MenuObserver::FreeAllAtExit);
        m_exitHookSet = true;
    }
    CMenuWnd* raw = menu.get();
    m_adopted.push_back(std::move(menu));
    if (!raw->IsWindow()) ScheduleFree();
    return raw;
}

void MenuObserver::FreeClosedMenus() {
    m_freeScheduled = false;
    std::vector<std::unique_ptr<CMenuWnd>> closed;
    bool busyLeft = false;
    for (auto it = m_adopted.begin(); it != m_adopted.end();) {
        CMenuWnd* menu = it->get();
        if (menu->IsWindow()) {
            ++it;
        } else if (menu->IsHandlingMessage()) {
            busyLeft = true;
            ++it;
        } else {
            closed.push_back(std::move(*it));
            it = m_adopted.erase(it);
        }
    }
    // Destroyed once the list is consistent again: a menu's destructor reports back here.
    closed.clear();
    if (busyLeft) ScheduleFree();
}

void MenuObserver::ScheduleFree() {
    QCoreApplication* app = QCoreApplication::instance();
    if (m_freeScheduled || m_adopted.empty() || !app) return;
    m_freeScheduled = true;
    QMetaObject::invokeMethod(
        app, [this] { FreeClosedMenus(); }, Qt::QueuedConnection);
}

void MenuObserver::FreeAllAtExit() {
    MenuObserver& observer = CMenuWnd::GetGlobalContextMenuObserver();
    observer.CloseAll();
    observer.FreeClosedMenus();
    observer.m_exitHookSet = false;
}
