#pragma once

#include <QRgb>

// What the journeys expect to see painted, beside where (WindowParts.h): the skin's colours,
// and the counts that tell an image from stray pixels.
namespace e2e::look {

constexpr QRgb kBarColour = 0x1E1E1E;
constexpr QRgb kVideoColour = 0x000000;
constexpr QRgb kTextColour = 0xDDDDDD;
constexpr QRgb kAboutColour = 0x2C2C2C;

// Fewer pixels than this unlike the background are stray antialiasing, not an image.
constexpr int kIconPixels = 12;

// The height of one item of the speed and subtitle menus.
constexpr int kMenuItemHeight = 28;

}  // namespace e2e::look
