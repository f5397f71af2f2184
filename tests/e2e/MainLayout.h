#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>

// Where the main window's parts sit at 100 % scale and the default 800x600 size, in
// window coordinates. Rectangles are (x, y, width, height).
namespace e2e::layout {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kMinWidth = 300;
constexpr int kMinHeight = 200;

constexpr QRgb kBarColour = 0x1E1E1E;
constexpr QRgb kVideoColour = 0x000000;
constexpr QRgb kTextColour = 0xDDDDDD;

// Fewer pixels than this unlike the background are stray antialiasing, not an image.
constexpr int kIconPixels = 12;

// Title bar, y 0..30.
constexpr QRect kTitleBar{0, 0, 800, 30};
constexpr QRect kMenuButton{0, 0, 30, 30};
constexpr QRect kAppLabel{30, 0, 60, 30};
constexpr QRect kPinButton{680, 0, 30, 30};
constexpr QRect kMinButton{710, 0, 30, 30};
constexpr QRect kMaxButton{740, 0, 30, 30};
constexpr QRect kCloseButton{770, 0, 30, 30};
// Inside the title label, which is empty while nothing is loaded.
constexpr QRect kBareTitle{300, 5, 300, 20};

// Video area, y 30..540.
constexpr QRect kVideo{0, 30, 800, 510};

// Control bar, y 540..600: the progress slider, then a row of 40x40 buttons.
constexpr QRect kControlBar{0, 540, 800, 60};
constexpr QRect kProgressSlider{5, 543, 790, 8};
constexpr QRect kPlayButton{0, 556, 40, 40};
constexpr QRect kStopButton{40, 556, 40, 40};
constexpr QRect kBackwardButton{80, 556, 40, 40};
constexpr QRect kForwardButton{120, 556, 40, 40};
constexpr QRect kOpenButton{160, 556, 40, 40};
constexpr QRect kTimeLabel{210, 556, 120, 40};
constexpr QRect kSpeedButton{586, 556, 40, 40};
constexpr QRect kSubtitleButton{619, 556, 40, 40};
constexpr QRect kVolumeButton{652, 556, 40, 40};
constexpr QRect kVolumeSlider{690, 571, 70, 8};
constexpr QRect kFullscreenButton{760, 556, 40, 40};
// The empty stretch between the time label and the speed button.
constexpr QRect kBareControls{340, 558, 240, 36};

// The height of one item of the speed and subtitle menus.
constexpr int kMenuItemHeight = 28;

// Points a user would grab: the title bar, bare control-bar space, and the right border
// just below the progress slider, where no control lies.
constexpr QPoint kTitleGrip{400, 15};
constexpr QPoint kControlGrip{400, 575};
constexpr QPoint kRightBorderGrip{797, 553};

}  // namespace e2e::layout
