#pragma once
// CPaintManagerUI: one per window. Owns the window's control tree, fonts, styles and images,
// routes mouse messages to controls, keeps the keyboard focus and gives keys to the focused
// control, sends the controls' notifications, and paints. Its static part holds the
// process-wide skin package that every file name resolves in.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QMargins>
#include <QSize>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "toolkit/PaintHost.h"
#include "toolkit/UIDefs.h"

class QPainter;
class CControlUI;

struct ScaledImage {
    QImage image;
    qreal scale = 1.0;  // 1.0, 1.25 or 1.5: which variant was found
};

// Window attributes read from the layout's root element.
struct WindowAttributes {
    QSize initSize;
    QSize minInfo;
    QMargins caption;  // left, top, right edges and the strip's height as "bottom"
    QMargins sizeBox;
    bool showShadow = false;
    QString shadowImage;
    int shadowSize = 0;
    QMargins shadowCorner;
    bool bkTrans = false;
    QColor focusBorderColor = QColor(0x00, 0x78, 0xD7);  // the focus ring
};

class CPaintManagerUI {
  public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // --- process-wide skin source ---
    // Hands the toolkit a zip held in memory; the block must outlive its use. An unreadable
    // block leaves no package.
    static bool SetResourceZip(const void* data, std::size_t size);
    static std::optional<QByteArray> LoadResource(const QString& name);
    static int MessageLoop();
    static void Term();

    // --- this window ---
    void Init(PaintHost* host);
    PaintHost* GetHost() const { return m_host; }
    bool AttachDialog(std::unique_ptr<CControlUI> root);
    CControlUI* GetRoot() const { return m_root.get(); }
    CControlUI* FindControl(const QString& name) const;
    // Lays the tree out first if it changed since the last layout.
    CControlUI* FindControl(const QPoint& logicalPoint);

    void AddNotifier(INotifyUI* notifier);
    void RemoveNotifier(INotifyUI* notifier);
    void SendNotify(CControlUI* control, const QString& type, WPARAM wParam = 0, LPARAM lParam = 0);

    void Invalidate();
    void Invalidate(const QRect& rc);
    void NeedUpdate();
    bool IsUpdateNeeded() const { return m_updateNeeded; }
    // Gives the root the host's client rectangle if anything changed size or visibility.
    void LayoutIfNeeded();
    // Lays the tree out when needed and paints the part of it inside `dirty`.
    void Paint(QPainter& painter, const QRect& dirty);

    void AddFont(int id, const QString& family, int pixelSize, bool bold, bool isDefault);
    QFont GetFont(int id) const;
    void AddStyle(const QString& name, const QString& attributes);
    const QString* GetStyle(const QString& name) const;
    void AddDefaultAttributeList(const QString& controlName, const QString& attributes);
    const QString* GetDefaultAttributeList(const QString& controlName) const;
    WindowAttributes& GetWindowAttributes() { return m_window; }
    const WindowAttributes& GetWindowAttributes() const { return m_window; }

    // DPI picks the image variants: 120 and up the "@125" files, 144 and up the "@150" files.
    void SetDPI(int dpi);
    int GetDPI() const { return m_dpi; }
    void ResetDPIAssets();
    const ScaledImage* GetImage(const QString& file);

    bool SetTimer(CControlUI* control, UINT id, UINT milliseconds);
    void KillTimer(CControlUI* control, UINT id);
    void OnHostTimer(int hostTimerId);
    void SetCursorShape(Qt::CursorShape shape);

    // Mouse messages for the controls (points in physical client pixels). Returns true when a
    // control took the message.
    bool MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    CControlUI* GetHotControl() const { return m_hot; }
    CControlUI* GetCaptureControl() const { return m_captured; }
    // Makes `control` the hot one (null: none), as the pointer moving onto it would.
    void SetHotControl(CControlUI* control);

    // --- keyboard focus: one control of the window, or none ---
    // Keys reach the window through PreMessageHandler before anything else sees them:
    // Tab and Shift+Tab (VK_TAB, with GetKeyState(VK_SHIFT)) move the focus along
    // GetTabControls, wrapping around at either end; any other key goes to the focused
    // control first (a button takes Enter, a slider Left and Right) and on to the window
    // when the control leaves it. A mouse press in the window ends the focus. Focus moved by
    // the keyboard shows a ring of the layout's focusbordercolor around the control.
    // Every change of focus sends "killfocus" from the old and "setfocus" from the new
    // control.
    CControlUI* GetFocus() const { return m_focus; }
    // Moves the focus to `control` (null: none); `showRing` as focus moved by the keyboard.
    void SetFocus(CControlUI* control, bool showRing = false);
    // Whether a ring is drawn now: the focus came from the keyboard and its control is one
    // Tab stops at.
    bool IsFocusRingShown() const;
    // Where the ring of `control` is drawn (logical pixels): around its rectangle, one pixel
    // off, kFocusRingWidth wide, kept inside the client area.
    QRect GetFocusRingRect(const CControlUI& control) const;
    static constexpr int kFocusRingWidth = 2;
    // The controls Tab stops at, in layout order (the layout tree's document order).
    std::vector<CControlUI*> GetTabControls() const;
    // Visible, enabled and keyboard-enabled (CControlUI::IsKeyboardEnabled).
    static bool IsTabStop(const CControlUI& control);
    // Moves the focus, with its ring, to the next (or previous) control Tab stops at, from
    // the focused control's place in the layout; from none, to the first (or last). False
    // when the window has no such control.
    bool SetNextTabControl(bool forward = true);
    // The first look at every window message: a key for the focus as above (true when it was
    // taken); a mouse press ends the focus and goes on (false).
    bool PreMessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Called by a control being destroyed, so no pointer to it survives here.
    void ReapObjects(CControlUI* control);

  private:
    struct ControlTimer {
        CControlUI* control;
        UINT id;
        int hostId;
    };

    QPoint ToLogical(LPARAM lParam) const;
    void SetHot(CControlUI* control, const QPoint& pt);
    void PaintFocusRing(QPainter& painter, const QRect& dirty);

    PaintHost* m_host = nullptr;
    std::unique_ptr<CControlUI> m_root;
    std::vector<INotifyUI*> m_notifiers;
    std::map<int, QFont> m_fonts;
    QFont m_defaultFont;
    QHash<QString, QString> m_styles;
    QHash<QString, QString> m_defaultAttributes;
    QHash<QString, ScaledImage> m_images;
    std::vector<ControlTimer> m_timers;
    WindowAttributes m_window;
    CControlUI* m_hot = nullptr;
    CControlUI* m_captured = nullptr;
    CControlUI* m_focus = nullptr;
    bool m_focusRing = false;
    int m_dpi = 96;
    bool m_updateNeeded = true;
};
