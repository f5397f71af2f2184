#pragma once
// PlayerWindow: the player's one main window, built from "main.xml": the title bar "vTop",
// the black video area with the engine's video window over it, and the control bar
// "vBottom". It owns the engine instance and the player's state; its operations are split by
// concern over PlayerWindow*.cpp.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/EngineApi.h"
#include "engine/EngineEventSink.h"
#include "engine/EngineInstance.h"
#include "toolkit/MenuObserver.h"
#include "toolkit/WindowImplBase.h"
#include "ui/MainPage.h"
#include "ui/MpvVideoWnd.h"
#include "ui/PlayerObserver.h"

class CControlUI;
class CContainerUI;
class CProgressUI;
class CSliderUI;
class CLabelUI;
class SettingsStore;
class CMenuWnd;
namespace platform {
class FileDialogService;
}

class PlayerWindow : public WindowImplBase, private EngineEventSink {
  public:
    static constexpr UINT HIDE_BARS_TIMER_ID = 1001;
    static constexpr UINT kHideBarsDelayMs = 3000;
    static constexpr int kRevealBand = 50;  // pixels from the top that bring the bars back
    // The progress slider's range: its value is the position in thousandths of the length.
    static constexpr double kProgressScale = 1000.0;

    // The engine table and the settings store are the process's own unless a test hands in
    // others.
    explicit PlayerWindow(const EngineApi& api = GetEngineApi(), SettingsStore* store = nullptr);
    ~PlayerWindow() override;

    // Builds the window from its layout and shows it as the program does at start-up: the
    // main page registered, centred, at the main monitor's DPI. False when the layout could
    // not be built.
    bool CreateAndShow();

    QString GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    QString GetSkinFile() const override;
    void InitWindow() override;
    void OnFinalMessage(QWidget* hWnd) override;
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(TNotifyUI& msg) override;

    // Engine instance.
    bool CreateEngine();
    static void EngineWakeupCallback(void* context);

    // Playback.
    void OpenMedia(const QString& path);
    void TogglePause();
    PlayState GetPlayState() const;
    void SeekRelative(double seconds);
    void SetSpeed(double speed, const QString& label);
    // Moves the volume slider by `delta`, kept within the slider's range, then does what a
    // move of the slider does.
    void StepVolume(int delta);
    void ApplyMute();
    // Plays when paused or at the end; pauses when playing. Nothing else changes.
    void Play();
    void Pause();
    // What the stop button does.
    void Stop();
    // Seeks to seconds from the start, as a release of the progress slider does.
    void SeekTo(double seconds);
    // The speed as the speed menu sets it, labelled like its items ("1.5x").
    void SetRate(double speed);
    // Sets the volume slider to `level` (clamped to the slider's range), then does what a
    // move of the slider does.
    void SetVolumeLevel(int level);
    // What the close button does.
    void OnCloseClicked();
    // Brings the window back from minimised, shows it and gives it the focus.
    void Raise();
    void RestorePosition();
    void SavePosition();

    // Fullscreen.
    void ToggleFullScreen();
    bool IsFullScreen() const { return m_bFullScreen; }
    bool AreBarsVisible() const { return m_bBarsVisible; }

    // The close button's record of where the window was: the corner divided by the DPI
    // scale, the size as it is.
    static void StoreWindowRect(struct ResumeEntry& entry, const QRect& windowRect, float dpiScale);

    // Pop-up menus and the About window.
    void ShowSpeedMenu(CControlUI* anchor);
    void ShowSubtitleMenu(CControlUI* anchor);
    void ShowAbout();
    // The speed menu object the window keeps (at most one); null until first opened.
    CMenuWnd* SpeedMenu() const { return m_pMenu.get(); }

    // Video window and displays.
    void LayoutVideoWindow();
    void FitWindowToVideo();
    void UpdateTimeText();
    void OnTimePosChanged(double position);
    void OnMediaTitleChanged(const char* utf8Title);

    CMainPage& MainPage() { return m_mainPage; }
    void SetFileDialog(platform::FileDialogService* dialog) { m_fileDialog = dialog; }

    // The one observer (or null); it must outlive the window or be reset before it goes.
    void SetObserver(PlayerObserver* observer) { m_observer = observer; }

    // What the player shows, for other views of it.
    // A file is loaded or loading (not stopped, nothing open).
    bool HasOpenFile() const;
    // Counts the files loaded so far: a new number for each file, reloads included.
    std::uint64_t TrackNumber() const { return m_trackNumber; }
    std::optional<double> Position() const { return m_mpv.GetDouble("time-pos"); }
    double Speed() const { return m_mpv.GetDouble("speed").value_or(1.0); }
    int VolumeLevel() const;
    bool PlaysMovingVideo() const { return m_mpv.PlaysMovingVideo(); }
    // The engine's protocols: the schemes of the addresses it opens.
    QStringList EngineProtocols() const;

    // Read access for tests and the About window.
    mpv_handle* Engine() const { return m_mpv.Handle(); }
    const QString& FilePath() const { return m_filePath; }
    const QString& Title() const { return m_title; }
    double Duration() const { return m_duration; }
    bool IsMuted() const { return m_bMute; }
    float DpiScale() const { return m_dpiScale; }
    MpvVideoWnd& VideoWindow() { return m_videoWnd; }
    CControlUI* CloseButton() const { return m_pCloseBtn; }
    CSliderUI* ProgressSlider() const { return m_pProgress; }
    CSliderUI* VolumeSlider() const { return m_pVolume; }

  private:
    void FindControls();
    void ShowBars(bool visible);
    void ArmHideTimer();
    void OnFullScreenTimer(WPARAM id);
    void OnFullScreenMouseMove(LPARAM lParam);
    void OnFullScreenMouseLeave();
    void OnMenuPick(const struct MenuCommand& pick);
    QPoint MenuAnchor(CControlUI* button) const;
    void OnClickControl(CControlUI* sender);
    void SendSysCommand(WPARAM command);
    void ToggleMute();
    void ToggleTitle();
    // The bars' heights as the layout fixes them, in logical pixels; 0 for a missing bar.
    int TopBarHeight() const;
    int BottomBarHeight() const;
    void RecordWindowRect();
    void NotifyObserver();
    // The time label's text, which the progress slider also gives as its description.
    void SetTimeText(const QString& text);
    // A toggle button's state, as screen readers are told it (pin, mute).
    void ShowToggleState(CControlUI* button, bool on);
    void TogglePin();
    void OnProgressDragged();
    void OnProgressReleased();
    void OnVolumeChanged(CControlUI* sender);
    // What a change of the volume slider does: the engine takes the slider's value and the
    // sound is no longer muted. The value reaches the settings when the window closes.
    void ApplyVolumeSlider(const CProgressUI& slider);
    // The player's keys; other keys do nothing.
    void OnKeyPressed(WPARAM key);
    // The wheel changes the volume over the picture, not over a bar that is shown.
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    bool IsOverShownBar(const QPoint& logical);
    void ApplyPlayButtonLook();
    SettingsStore& Store() const;

    // EngineEventSink
    void OnTimePos(double seconds) override;
    void OnDuration(double seconds) override;
    void OnPlayStateFlag() override;
    void OnMediaTitle(const char* utf8) override;
    void OnFileLoaded() override;
    void OnSeekStarted() override;
    void OnPlaybackRestarted() override;

    SettingsStore* m_store;
    platform::FileDialogService* m_fileDialog;
    PlayerObserver* m_observer = nullptr;

    MpvVideoWnd m_videoWnd;
    EngineInstance m_mpv;  // after the video window, so that it ends first
    double m_duration = 0.0;
    bool m_bFullScreen = false;
    QRect m_rcWindow;             // kept on entering fullscreen; the normal rectangle if maximised
    bool m_bSavedZoomed = false;  // the "style" kept across fullscreen: maximised or not
    bool m_bKeptZoomed = false;   // fullscreen entered maximised over the whole monitor
    QPoint m_ptLastMouse;
    UINT m_hideTimer = 0;
    bool m_bBarsVisible = false;
    bool m_bSeeking = false;      // the progress slider is being dragged
    bool m_bSeekPending = false;  // the engine has begun a seek and not yet gone on
    std::uint64_t m_trackNumber = 0;
    int m_wheelDelta = 0;  // wheel movement short of a whole notch, in either direction
    bool m_bMute = false;
    bool m_bTopMost = false;
    float m_dpiScale = 1.0f;
    QString m_filePath;
    QString m_title;

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
    std::unique_ptr<CMenuWnd> m_pMenu;
    CMainPage m_mainPage;
};
