#pragma once
// PlayerWindow: the player's one main window, built from "main.xml": the title bar "vTop",
// the black video area with the engine's video window over it, and the control bar
// "vBottom". It is a view of its Player: it turns clicks, keys, drops and menu picks into
// player operations and shows what the player tells it. Its operations are split by concern
// over PlayerWindow*.cpp.

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "player/Player.h"
#include "toolkit/MenuObserver.h"
#include "toolkit/WindowImplBase.h"
#include "ui/MpvVideoWnd.h"
#include "ui/ProgressHoverLabel.h"
#include "ui/SpeedItems.h"

class CControlUI;
class CContainerUI;
class CSliderUI;
class CLabelUI;
class SettingsStore;
class CMenuWnd;
enum class PlayerCommand;
struct ResumeEntry;
namespace platform {
class FileDialogService;
}

class PlayerWindow : public WindowImplBase, private PlayerObserver {
  public:
    // The engine table and the settings store are the process's own unless a test hands in
    // others.
    explicit PlayerWindow(const EngineApi& api = GetEngineApi(), SettingsStore* store = nullptr);
    ~PlayerWindow() override;

    // Builds the window from its layout and shows it as the program does at start-up:
    // centred, at the main monitor's DPI. False when the layout could not be built. Start-up
    // owns the object and deletes it after the message loop.
    bool CreateAndShow();

    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(TNotifyUI& msg) override;

    Player& GetPlayer() { return m_player; }
    const Player& GetPlayer() const { return m_player; }

    // Opens `path` with its folder as the queue, or asks for files with the open dialog
    // when it is empty.
    void OpenMedia(const QString& path);
    // Files given together are the queue; a file alone has its folder as its queue.
    void OpenMediaFiles(const QStringList& paths) { m_player.OpenFiles(paths); }
    // A drop: media files are the queue, subtitle files go to the film that plays.
    void OnFilesDropped(const QStringList& paths);
    // What the close button does.
    void OnCloseClicked();
    // Brings the window back from minimised, shows it and gives it the focus.
    void Raise();

    // The system's media controls take the keyboard's media keys, so the window leaves them.
    void SetMediaKeysFromSystem(bool fromSystem) { m_mediaKeysFromSystem = fromSystem; }

    void ToggleFullScreen();
    bool IsFullScreen() const { return m_bFullScreen; }
    bool AreBarsVisible() const { return m_bBarsVisible; }

    // The close button's record of where the window was: the corner divided by the DPI
    // scale, the size as it is.
    static void StoreWindowRect(ResumeEntry& entry, const QRect& windowRect, float dpiScale);

    // The speed menu object the window keeps (at most one); null until first opened.
    CMenuWnd* SpeedMenu() const { return m_pMenu.get(); }
    void SetFileDialog(platform::FileDialogService* dialog) { m_fileDialog = dialog; }

    float DpiScale() const { return m_dpiScale; }
    MpvVideoWnd& VideoWindow() { return m_videoWnd; }
    CControlUI* CloseButton() const { return m_pCloseBtn; }
    CSliderUI* ProgressSlider() const { return m_pProgress; }
    CSliderUI* VolumeSlider() const { return m_pVolume; }

  protected:
    QString GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    QString GetSkinFile() const override;
    void InitWindow() override;
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    // Engine instance and playback, as the window's controls ask for them.
    bool CreateEngine();
    static void EngineWakeupCallback(void* context);
    void TogglePause();
    void SeekRelative(double seconds);
    void SetSpeed(double speed);
    void ApplyMute();
    // Asks for a subtitle file for the film that plays, and adds it.
    void AskSubtitleFile();
    // Adds it, or says briefly on the picture that it could not be read.
    void AddSubtitleFile(const QString& path);
    // Moves the subtitles by `seconds` and shows the delay on the picture.
    void ShiftSubtitles(double seconds);
    // Saves the picture to the pictures folder and shows the name it was saved under.
    void TakeScreenshot();

    // Fullscreen.
    void ShowBars(bool visible);
    void ArmHideTimer();
    void OnFullScreenTimer(WPARAM id);
    void OnFullScreenMouseMove(LPARAM lParam);
    void OnFullScreenMouseLeave();

    // Pop-up menus and the About window.
    void ShowSpeedMenu(CControlUI* anchor);
    void ShowSubtitleMenu(CControlUI* anchor);
    void ShowAudioMenu(CControlUI* anchor);
    // Opens an empty pop-up menu above `anchor`, named by the text `nameId`, for the caller
    // to fill; null when it could not be made.
    CMenuWnd* OpenFilledMenu(CControlUI* anchor, const QString& nameId);
    // Sizes the filled menu to its items and puts the keyboard on the checked one.
    static void ShowFilledMenu(CMenuWnd& menu);
    void ShowAbout();
    void OnMenuPick(const struct MenuCommand& pick);
    QPoint MenuAnchor(CControlUI* button) const;
    // Tells screen readers the item picked from the menu `m_menuButton` opened.
    void AnnouncePick(const QString& chosen);

    // Video window and displays.
    void FindControls();
    void LayoutVideoWindow();
    // The window came to a scale of `dpi` (96 at 1.0): the skin's images and the video area
    // follow it; `suggested`, if given, is where the window should be, in device pixels.
    void OnDpiChanged(int dpi, const QRect* suggested);
    void FitWindowToVideo();
    void UpdateTimeText();
    void OnTimePosChanged(double position);
    void OnMediaTitleChanged(const QString& title);
    void SetTimeText(const QString& text);
    // The progress slider as a person reads it at `seconds`: "0:08 of 0:20".
    QString ProgressValueText(double seconds) const;
    // While the progress slider has the focus, playback moving it is heard at most every 10 s.
    void AnnouncePlayback();
    // A toggle button's state, as screen readers are told it (pin, mute).
    void ShowToggleState(CControlUI* button, bool on);
    // The title button's state: on while the title shows.
    void ShowTitleState();
    // Applies the skin's style `name` to `button`, if both are there.
    void ApplyLook(CControlUI* button, const char* style);
    void ApplyPlayButtonLook();
    void ShowStopped();
    // The progress slider's range: its value is the position in this many parts of the length.
    double ProgressScale() const;
    // The bars' heights as the layout fixes them, in logical pixels; 0 for a missing bar.
    int TopBarHeight() const;
    int BottomBarHeight() const;
    // The fixed height of the control bar's row of buttons (the play button's row); 0 without
    // one.
    int ButtonRowHeight() const;

    // Controls and input.
    // Carries out a command of the command table; `button` is the control that gave it, or
    // null for a key.
    void RunCommand(PlayerCommand command, CControlUI* button);
    static int VolumeStep();
    void OnClickControl(CControlUI* sender);
    void SendSysCommand(WPARAM command);
    void ToggleTitle();
    void TogglePin();
    void RecordWindowRect();
    void OnProgressDragged();
    void OnProgressReleased();
    // Moves the volume by `delta` from what the slider shows.
    void StepVolume(int delta);
    // The player's keys; other keys do nothing.
    void OnKeyPressed(WPARAM key);
    // The wheel changes the volume over the picture, not over a bar that is shown.
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    bool IsOverShownBar(const QPoint& logical);

    // PlayerObserver
    void OnPositionChanged(double seconds) override;
    void OnPlayStateChanged() override;
    void OnTitleChanged(const QString& title) override;
    void OnFileLoaded() override;
    void OnStopped() override;
    void OnVolumeChanged(int level) override;
    void OnMuteChanged(bool muted) override;
    void OnSpeedChanged(double speed) override;

    platform::FileDialogService* m_fileDialog;

    MpvVideoWnd m_videoWnd;
    Player m_player;  // after the video window, so that its engine ends first
    ProgressHoverLabel m_hoverLabel{m_player};
    SpeedItems m_speedItems;
    bool m_bFullScreen = false;
    bool m_mediaKeysFromSystem = false;  // the system's media controls take the media keys
    QRect m_rcWindow;             // kept on entering fullscreen; the normal rectangle if maximised
    bool m_bSavedZoomed = false;  // the "style" kept across fullscreen: maximised or not
    bool m_bKeptZoomed = false;   // fullscreen entered maximised over the whole monitor
    QPoint m_ptLastMouse;
    UINT m_hideTimer = 0;
    bool m_bBarsVisible = false;
    bool m_bSeeking = false;         // the progress slider is being dragged
    bool m_progressFocused = false;  // the progress slider had the focus at the last position
    QElapsedTimer m_progressHeard;   // since the position was last announced during playback
    int m_wheelDelta = 0;            // wheel movement short of a whole notch, in either direction
    bool m_bTopMost = false;
    float m_dpiScale = 1.0f;

    CControlUI* m_pCloseBtn = nullptr;
    CControlUI* m_pMaxBtn = nullptr;
    CControlUI* m_pRestoreBtn = nullptr;
    CControlUI* m_pMinBtn = nullptr;
    CControlUI* m_pPinBtn = nullptr;
    CControlUI* m_pVolumeBtn = nullptr;
    CControlUI* m_pPlayBtn = nullptr;
    CControlUI* m_pInfoBtn = nullptr;
    CContainerUI* m_pTopBar = nullptr;
    CContainerUI* m_pBottomBar = nullptr;
    CSliderUI* m_pProgress = nullptr;
    CSliderUI* m_pVolume = nullptr;
    CLabelUI* m_pTitleLabel = nullptr;
    CLabelUI* m_pTimeLabel = nullptr;
    CLabelUI* m_pSpeedLabel = nullptr;

    MenuCheckInfo m_menuCheckInfo;
    CControlUI* m_menuButton = nullptr;  // the button that opened the last menu
    std::unique_ptr<CMenuWnd> m_pMenu;
};
