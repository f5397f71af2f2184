#include "ui/TimeFormat.h"

#include <algorithm>

#include "ui/NumberCasts.h"

namespace {

QString LongForm(int s) {
    return QString::asprintf("%d:%02d:%02d", s / 3600, (s % 3600) / 60, s % 60);
}

// Minutes are taken modulo the hour, so a time of an hour or more loses its hours here.
QString ShortForm(int s) { return QString::asprintf("%02d:%02d", (s % 3600) / 60, s % 60); }

}  // namespace

QString FormatTime(double seconds) {
    const int s = TruncateToInt(seconds);
    return s / 3600 > 0 ? LongForm(s) : ShortForm(s);
}

QString SpokenTime(double seconds) {
    const int s = std::max(0, TruncateToInt(seconds));
    return s / 3600 > 0 ? LongForm(s) : QString::asprintf("%d:%02d", s / 60, s % 60);
}

QString TimeInLength(double position, double duration) {
    const int elapsed = TruncateToInt(position);
    return TruncateToInt(duration) / 3600 > 0 ? LongForm(elapsed) : ShortForm(elapsed);
}

QString PlaybackTimeText(double position, double duration) {
    return TimeInLength(position, duration) + QStringLiteral(" / ") +
           TimeInLength(duration, duration);
}
