#pragma once

#include <QString>

// Seconds as "h:mm:ss" when there is at least a whole hour, else "mm:ss". Seconds are cut,
// never rounded, and a negative time is shown as it is ("00:-5").
QString FormatTime(double seconds);

// Seconds as they are read out: "m:ss", or "h:mm:ss" from an hour on ("0:08", "1:02:05").
// Seconds are cut; a negative time reads as 0:00.
QString SpokenTime(double seconds);

// `position` in the form a file `duration` long is shown in: "h:mm:ss" from an hour of length
// on, else "mm:ss", which drops whole hours. Seconds are cut.
QString TimeInLength(double position, double duration);

// The time label's "elapsed / total" text: both halves in the form the duration picks.
QString PlaybackTimeText(double position, double duration);
