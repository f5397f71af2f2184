#pragma once

#include <QRect>
#include <cstdint>
#include <optional>

// Where the main window goes when a video has loaded, in physical pixels: the video's size
// divided by the DPI scale, at least 850 wide, shrunk with its aspect to 90 % of workArea,
// plus the bars' height, centred on workArea. nullopt when the engine reports no positive
// video size (audio only, or not known yet), so the window stays as it is.
std::optional<QRect> FitWindowRect(std::int64_t videoW, std::int64_t videoH, float dpiScale,
                                   const QRect& workArea, int barsHeight);
