#pragma once
// MenuObserver: what all pop-up menus of the process share. It holds the check-state map that
// marks items by name, knows every menu object alive (so that one call closes them all), and
// keeps the menus the toolkit opened for callers who hold no pointer to them, freeing each
// once it has closed.

#include <QString>
#include <map>
#include <memory>
#include <vector>

class CMenuWnd;

// Item name -> checked. The map belongs to the program; menus read it when they are built.
using MenuCheckInfo = std::map<QString, bool>;

class MenuObserver {
  public:
    MenuObserver();
    ~MenuObserver();
    MenuObserver(const MenuObserver&) = delete;
    MenuObserver& operator=(const MenuObserver&) = delete;

    // The map must outlive the menus built while it is set, or be unset with null first.
    void SetMenuCheckInfo(MenuCheckInfo* info) { m_checkInfo = info; }
    MenuCheckInfo* GetMenuCheckInfo() const { return m_checkInfo; }

    // Every menu object registers itself when it is made and leaves when it is destroyed.
    void AddMenu(CMenuWnd* menu);
    void RemoveMenu(CMenuWnd* menu);
    const std::vector<CMenuWnd*>& GetMenus() const { return m_menus; }
    int GetOpenMenuCount() const;
    void CloseAll();

    // Takes a menu that nobody else keeps; it is freed after it closes.
    CMenuWnd* Adopt(std::unique_ptr<CMenuWnd> menu);
    int GetAdoptedCount() const { return static_cast<int>(m_adopted.size()); }
    // Frees the adopted menus that have closed. One still inside its own message handling
    // (it closed because of a click on it) is left for the next turn of the event loop.
    void FreeClosedMenus();
    // Called when a menu closes: frees the closed adopted menus on the next turn of the loop.
    void ScheduleFree();

  private:
    static void FreeAllAtExit();

    MenuCheckInfo* m_checkInfo = nullptr;
    std::vector<CMenuWnd*> m_menus;
    std::vector<std::unique_ptr<CMenuWnd>> m_adopted;
    bool m_freeScheduled = false;
    bool m_exitHookSet = false;
};
