#include "ui/FitGeometry.h"

#include <algorithm>
#include <cmath>

#include "ui/NumberCasts.h"

namespace {

// The least width of a loaded video's window: the fit's own choice, not the layout's. The
// layout opens at 800 and may be made as narrow as 300; its control bar keeps every control
// in view from 572 px (docs/architecture.md, "Skin").
constexpr int kMinimumWidth = 850;

// The video's pixels in the window's units. Deliberately in single precision, like the
// scale itself, so the result matches what the scale says to the pixel.
int Unscaled(std::int64_t pixels, float dpiScale) {
    const float scaled = static_cast<float>(static_cast<double>(pixels)) / dpiScale;
    return TruncateToInt(scaled);
}

}  // namespace

std::optional<QRect> FitWindowRect(std::int64_t videoW, std::int64_t videoH, float dpiScale,
                                   const QRect& workArea, int barsHeight) {
    if (videoW <= 0 || videoH <= 0) {
        return std::nullopt;
    }
    // A broken scale would divide by zero; the video's own size is the best guess then.
    if (!(dpiScale > 0.0f) || !std::isfinite(dpiScale)) {
        dpiScale = 1.0f;
    }
    int w = Unscaled(videoW, dpiScale);
    int h = Unscaled(videoH, dpiScale);
    // Before the fit on purpose: on a small screen or for a tall video the fit may still
    // make the window narrower than this.
    w = std::max(w, kMinimumWidth);

    const int areaW = workArea.width();
    const int areaH = workArea.height();
    // At least one pixel each, so a work area smaller than the bars cannot make the fit
    // below divide by zero or produce a negative size.
    const int maxW = std::max(1, TruncateToInt(areaW * 0.9));
    const int maxVideoH = std::max(1, TruncateToInt(areaH * 0.9) - barsHeight);

    // Width first, then height, each keeping the aspect of what the step before left.
    if (w > maxW) {
        h = TruncateToInt(static_cast<double>(h) * maxW / w);
        w = maxW;
    }
    if (h > maxVideoH) {
        w = TruncateToInt(static_cast<double>(w) * maxVideoH / h);
        h = maxVideoH;
    }

    const int windowH = h + barsHeight;
    const int x = workArea.left() + (areaW - w) / 2;
    const int y = workArea.top() + (areaH - windowH) / 2;
    return QRect(x, y, w, windowH);
}
