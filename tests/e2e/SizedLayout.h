#pragma once

#include <QRect>
#include <QSize>
#include <cmath>

// Where the main window's parts sit at 100 % scale for any window size, in window
// coordinates: the title bar is 30 high at the top, the control bar 60 high at the
// bottom, the video area fills the rest. Controls on the left keep their place, those on
// the right move with the right edge. At 800x600 these are the rectangles of MainLayout.h.
namespace e2e::sized {

constexpr int kTitleHeight = 30;
constexpr int kControlsHeight = 60;
constexpr int kBars = kTitleHeight + kControlsHeight;

inline QRect titleBar(QSize s) { return {0, 0, s.width(), kTitleHeight}; }
inline QRect controlBar(QSize s) {
    return {0, s.height() - kControlsHeight, s.width(), kControlsHeight};
}
inline QRect video(QSize s) { return {0, kTitleHeight, s.width(), s.height() - kBars}; }

inline QRect menuButton(QSize) { return {0, 0, 30, 30}; }
inline QRect pinButton(QSize s) { return {s.width() - 120, 0, 30, 30}; }
// The restore button takes the maximise button's place while the window is maximised.
inline QRect maxButton(QSize s) { return {s.width() - 60, 0, 30, 30}; }
inline QRect closeButton(QSize s) { return {s.width() - 30, 0, 30, 30}; }
// The text of the title label starts right of the info button that a loaded title shows.
inline QRect titleText(QSize s) { return {136, 5, s.width() - 136 - 120, 20}; }
// The info button, shown left of the title label once a title is known.
inline QRect infoButton(QSize) { return {110, 7, 16, 16}; }
// Inside the title label but right of any short title, left of the pin button.
inline QRect bareTitle(QSize s) { return {s.width() - 280, 5, 150, 20}; }

inline QRect progressSlider(QSize s) { return {5, s.height() - 57, s.width() - 10, 8}; }
inline QRect playButton(QSize s) { return {0, s.height() - 44, 40, 40}; }
inline QRect stopButton(QSize s) { return {40, s.height() - 44, 40, 40}; }
inline QRect backwardButton(QSize s) { return {80, s.height() - 44, 40, 40}; }
inline QRect forwardButton(QSize s) { return {120, s.height() - 44, 40, 40}; }
inline QRect openButton(QSize s) { return {160, s.height() - 44, 40, 40}; }
inline QRect timeLabel(QSize s) { return {210, s.height() - 44, 120, 40}; }
// The speed label, hidden until a speed is picked, stands just left of the speed button.
inline QRect speedLabel(QSize s) { return {s.width() - 242, s.height() - 44, 30, 40}; }
inline QRect speedButton(QSize s) { return {s.width() - 214, s.height() - 44, 40, 40}; }
inline QRect subtitleButton(QSize s) { return {s.width() - 181, s.height() - 44, 40, 40}; }
inline QRect volumeButton(QSize s) { return {s.width() - 148, s.height() - 44, 40, 40}; }
// The volume slider runs 0 to 100 over its 70 px with an 8 px thumb: the thumb's left edge
// stands at round(62 * value / 100) from the slider's left.
inline QRect volumeSlider(QSize s) { return {s.width() - 110, s.height() - 29, 70, 8}; }
// Where picture::progress reads that thumb at `value`.
inline double volumeThumb(int value) { return std::lround(62 * value / 100.0) / 62.0; }
inline QRect fullscreenButton(QSize s) { return {s.width() - 40, s.height() - 44, 40, 40}; }
// Between the time label and the speed button.
inline QRect bareControls(QSize s) { return {340, s.height() - 42, s.width() - 560, 36}; }

}  // namespace e2e::sized
