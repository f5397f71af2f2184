#pragma once
// ProgressHoverLabel: the progress slider's chapter marks and the label over it. While a file
// is loaded, the slider shows a mark at each chapter's start. While the pointer is over the
// slider of a file with a known length, a small label above the pointer tells the time at
// that point ("12:34") and the chapter it lies in ("12:34  Opening"). The label is a floating
// control of the main window's layout, "lbl_hover", kept inside the window; a native child
// window shows it above the video. It hides when the pointer leaves the slider, when the
// bars hide, on stop and while no length is known.

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "engine/ChapterList.h"
#include "player/PlayerObserver.h"
#include "ui/HoverLabelWnd.h"

class Player;
class CWindowWnd;
class CPaintManagerUI;
class CSliderUI;
class CLabelUI;

// Where the label of `labelSize` goes for a pointer at `pointerX` over `slider`, in a window
// `windowWidth` wide (all logical pixels): centred on the pointer, its bottom just above the
// slider's top, moved in from either edge so that it is never cut off (a label wider than the
// window starts at its left edge).
QRect PlaceHoverLabel(int windowWidth, const QRect& slider, int pointerX, const QSize& labelSize);

// The label's text for `seconds` into a file `duration` long: the time in the form the time
// label gives it (TimeInLength), then two spaces and the title of the chapter it lies in, if
// that has one.
QString HoverLabelText(double seconds, double duration, const std::vector<ChapterEntry>& chapters);

class ProgressHoverLabel : private PlayerObserver {
  public:
    explicit ProgressHoverLabel(Player& player);
    ~ProgressHoverLabel() override;
    ProgressHoverLabel(const ProgressHoverLabel&) = delete;
    ProgressHoverLabel& operator=(const ProgressHoverLabel&) = delete;

    // Adds the label to the window's layout and makes its child window; without a slider
    // there is nothing to show.
    void Attach(CWindowWnd& window, CPaintManagerUI& pm, CSliderUI* slider);
    // The pointer moved to `pt` (logical pixels of the client area).
    void OnMouseMove(const QPoint& pt);
    void Hide();

  private:
    // PlayerObserver
    void OnPlayerChanged() override;
    void OnFileLoaded() override;
    void OnStopped() override;

    void ShowMarks();

    Player& m_player;
    CPaintManagerUI* m_pm = nullptr;
    CSliderUI* m_pSlider = nullptr;
    CLabelUI* m_pLabel = nullptr;
    HoverLabelWnd m_labelWnd;
    std::vector<ChapterEntry> m_chapters;
    double m_marksDuration = 0.0;  // the length the marks were placed for
    bool m_fileLoaded = false;     // from the file's load to the stop
};
