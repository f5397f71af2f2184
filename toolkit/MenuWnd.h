#pragma once
// CMenuWnd: a pop-up menu built from a menu layout (a Window holding one Menu of MenuElement
// items). It opens as a frameless pop-up above the window it belongs to, sized to its items
// and kept on the screen. A click on an item posts the item to the window of the paint
// manager given at creation and closes every menu; a click anywhere else, or Escape, closes
// it without a pick. It opens with the keyboard on its checked item, if it has one. From the
// keyboard, Up and Down move the hot item (wrapping around; from none, Down goes to the first
// item and Up to the last) and Enter picks it as a click does. Screen readers hear it open,
// by its name, and the item the keyboard is on.

#include <QPoint>
#include <QString>

#include "toolkit/MenuObserver.h"
#include "toolkit/MenuPlacement.h"
#include "toolkit/WindowImplBase.h"

class CMenuUI;
class CMenuElementUI;

// Posted to the owning window for a picked item; wParam carries a MenuCommand that the
// message owns (read it with PayloadValue<MenuCommand>), lParam is 0.
inline constexpr UINT UIMSG_MENU_PICK = WM_USER + 3;

class CMenuWnd : public WindowImplBase {
  public:
    CMenuWnd();
    ~CMenuWnd() override;

    // Opens a menu that the toolkit keeps and frees once it has closed; the pointer is good
    // until then. Null when the layout cannot be built. See Init for the arguments.
    static CMenuWnd* CreateMenu(CMenuElementUI* owner, const QString& xml, QPoint screenPoint,
                                CPaintManagerUI* mainPaintManager,
                                MenuCheckInfo* checkInfo = nullptr,
                                DWORD alignment = kMenuAlignDefault, const QString& name = {});
    // Opens this menu object, which the caller keeps; destroying it closes the menu. `xml` is
    // a menu layout of the skin package, `screenPoint` the anchor in physical screen pixels
    // (as ClientToScreen gives it), `mainPaintManager` the paint manager of the window that
    // receives picks and that the menu stays above (null: picks go nowhere). A non-null
    // `checkInfo` becomes the shared check-state map. `owner` is the item a nested menu would
    // hang from; menus here are top-level and only keep it. One window per object: false if
    // this object already had one or the layout cannot be built.
    bool Init(CMenuElementUI* owner, const QString& xml, QPoint screenPoint,
              CPaintManagerUI* mainPaintManager, MenuCheckInfo* checkInfo = nullptr,
              DWORD alignment = kMenuAlignDefault);

    // Closes every open menu.
    static void DestroyMenu();
    static MenuObserver& GetGlobalContextMenuObserver();
    // Records the check state of the items called `name` in the shared map and shows it in
    // the open menus. False when no map is set.
    static bool SetMenuItemInfo(const QString& name, bool checked);

    // The menu's name for screen readers ("Speed"); empty, they read the window's title,
    // "Menu".
    void SetName(const QString& name) { m_name = name; }
    const QString& Name() const { return m_name; }
    // Puts the keyboard on the first checked item (call again after adding items in code) and
    // tells listeners where it is: that item, or the menu itself when none is checked.
    void ShowCheckedItem();

    // The item container, or null when the layout has none.
    CMenuUI* GetMenuUI() const;
    // Sizes the window to its items (call after adding items in code) and places it at the
    // anchor by the alignment, inside the work area of the screen holding the anchor.
    void ResizeMenu();
    CMenuElementUI* GetOwnerItem() const { return m_ownerItem; }
    // True while this menu is inside its own message handling (not safe to free yet).
    bool IsHandlingMessage() const { return m_messageDepth > 0; }

    QString GetWindowClassName() const override;
    QString GetSkinFile() const override;
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnFinalMessage(QWidget* hWnd) override;

  private:
    void ApplyCheckInfo();
    void PostPick(const CMenuElementUI& item);
    void MoveHotItem(bool down);
    void Scroll(int wheelDelta, LPARAM screenPoint);

    CMenuElementUI* m_ownerItem = nullptr;
    CPaintManagerUI* m_mainPaintManager = nullptr;
    QString m_skinFile;
    QString m_name;
    QPoint m_anchor;
    DWORD m_alignment = kMenuAlignDefault;
    int m_messageDepth = 0;
};
