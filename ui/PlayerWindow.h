#pragma once
// PlayerWindow: the player's one main window, built from "main.xml": the title bar "vTop",
// the black video area and the control bar "vBottom". It owns the player's state and the
// operations that act on it.

#include <QString>

#include "toolkit/WindowImplBase.h"
#include "ui/MainPage.h"

class CControlUI;
class CContainerUI;
class CSliderUI;
class CLabelUI;

class PlayerWindow : public WindowImplBase {
public:
    PlayerWindow();
    ~PlayerWindow() override;

    QString GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    QString GetSkinFile() const override;
    void InitWindow() override;
    void OnFinalMessage(QWidget* hWnd) override;
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(TNotifyUI& msg) override;

    CMainPage& MainPage() { return m_mainPage; }

    // Controls found when the window initialised (null when the layout lacks one).
    CControlUI* CloseButton() const { return m_pCloseBtn; }
    CSliderUI* ProgressSlider() const { return m_pProgress; }
    CSliderUI* VolumeSlider() const { return m_pVolume; }
    float DpiScale() const { return m_dpiScale; }

private:
    void FindControls();

    // State that the playback operations share.
    double m_duration = 0.0;
    bool m_bFullScreen = false;
    bool m_bSeeking = false;
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

    CMainPage m_mainPage;
};
