#pragma once
// The names screenshots are saved under: "<title> <hh-mm-ss>.png", with the title made safe
// for a file name on Linux and on Windows alike, and " (2)", " (3)", ... before ".png" where
// a name is taken.

#include <QString>

// The most UTF-16 code units a screenshot's name has (Windows allows 255). Its UTF-8 bytes
// are kept within the 255 a Linux file system allows, too.
inline constexpr int kScreenshotNameMaxLength = 200;
inline constexpr int kScreenshotNameMaxBytes = 255;

// A playback position as "hh-mm-ss", in whole seconds rounded down, the hours in at least two
// digits. A negative or unknown position counts as 0.
QString ScreenshotTime(double seconds);

// The title as part of a file name: / \ : * ? " < > |, control characters and unpaired
// surrogates each become "_", trailing dots and spaces go, and a title left empty becomes
// "MoviraPlayer".
QString ScreenshotTitle(const QString& title);

// "<title> <hh-mm-ss>.png", or for a copy from 2 on "<title> <hh-mm-ss> (<copy>).png". The
// title (ScreenshotTitle) is cut where the name would pass the limits above, never between
// the two halves of a surrogate pair.
QString ScreenshotFileName(const QString& title, double seconds, int copy = 1);

// The first of the names for copies 1, 2, 3, ... that nothing in `folder` has; empty when
// they are all taken.
QString FreeScreenshotName(const QString& folder, const QString& title, double seconds);
