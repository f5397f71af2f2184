#pragma once

#include <QString>

// What the player remembers about one media file. A new entry holds these values.
struct ResumeEntry {
    double progress = 0.0;  // seconds to resume at; 0 starts from the beginning
    // The window's last placement, recorded when it was closed over this file. x and y are
    // in pixels divided by the display scale; w and h in pixels.
    int x = -1;
    int y = -1;
    int w = 0;
    int h = 0;
    // The audio track chosen for the file: its language as the engine reports it, or, for a
    // track without one, its number ("2"); empty for the engine's own choice.
    QString audio;
    // Seconds the subtitles are shown later (earlier when negative).
    double subtitleDelay = 0.0;

    bool operator==(const ResumeEntry&) const = default;
};
