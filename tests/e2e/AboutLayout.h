#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>

// Where the About window's parts sit in its 400x300 layout, in its own coordinates: a
// 30 px title bar with the title label 10 px in, then 20 px padding around a column of the
// 60 px logo, the product name (40 px), the slogan (30 px), a stretch, the version line
// (30 px) and the home-page button, the stretch and the button sharing the 70 px left over.
namespace e2e::about {

constexpr QRgb kColour = 0x2C2C2C;

constexpr QRect kTitle{10, 0, 60, 30};
constexpr QRect kProductName{20, 110, 360, 40};
constexpr QRect kSlogan{20, 150, 360, 30};
constexpr QRect kVersion{20, 215, 360, 30};
constexpr QRect kHomePage{20, 245, 360, 35};
constexpr QPoint kCloseButton{385, 15};
// A strip of bare background left of the centred texts and below the title bar.
constexpr QRect kBareStrip{25, 60, 80, 200};

}  // namespace e2e::about
