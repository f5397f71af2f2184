#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <vector>

// Telling which text a screenshot shows without reading it. The test draws the text it
// expects with Qt, in the font the player uses, in the colours found on the screen, and
// compares the two drawings by their ink: the pixels far from the background. Two texts
// are alike when their ink has the same width and height within a couple of pixels and
// nearly the same amount of ink in each column. This tells "关闭字幕" from "Turn off" with
// a wide margin, while the small differences of hinting and antialiasing between the
// player's X11 rendering and the test's offscreen one stay inside the tolerances.
namespace e2e::text {

// The ink of one line of text on a plain background.
struct Ink {
    QRect box;                 // the smallest rectangle holding all ink; empty for none
    std::vector<int> columns;  // how many ink pixels each column of the box holds
};

// The ink in `area` of `image`. The background is the area's most common colour, the ink
// colour the one furthest from it; a pixel is ink when it is more than a third of the way
// from the background to the ink colour.
Ink inkIn(const QImage& image, const QRect& area);

// `text` drawn as the player's controls draw a line of text: left-aligned, in `font` and
// `colour`, on `background`, with room around it.
QImage render(const QString& text, const QFont& font, QRgb colour, QRgb background);

// How far apart two inks are.
struct Likeness {
    int widthDifference = 0;   // seen less expected, in pixels
    int heightDifference = 0;  // seen less expected, in pixels
    // The column counts of the two, lined up at their left edges (or one pixel either
    // way, whichever fits best): the sum of their differences over the sum of both, from 0
    // for the same counts to 1 for ink where the other has none.
    double profileDistance = 1.0;
    bool seenAnything = false;

    bool alike() const;
    QString describe() const;
};

Likeness compare(const Ink& seen, const Ink& expected);

// Whether `area` of `image` shows `text` in `font`, drawn in the colours found there.
Likeness likeness(const QImage& image, const QRect& area, const QString& text, const QFont& font);

// The skin's font at 100 % scale: the Windows face "微软雅黑" that the layouts name,
// resolved through the same substitutes as the player resolves it (to the CJK face
// fontconfig offers).
QFont skinFont(int pixelSize);
// Qt's own tooltips, which the player uses, take the default font of Qt's generic Unix
// theme: "Sans Serif" at 9 points, 12 pixels on the 96 dpi test screen.
QFont tooltipFont();

}  // namespace e2e::text
