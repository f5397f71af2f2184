#pragma once
// The values the desktop's media controls (MPRIS) exchange, in their units and forms.

#include <QDBusObjectPath>
#include <QString>
#include <cstdint>

#include "engine/PlayState.h"

namespace mpris {

// Seconds as whole microseconds, rounded to the nearest, in 64 bits (a 32-bit count ends
// after 35 minutes). 0 for a negative value or one that is not a number.
qint64 MicrosecondsOf(double seconds);

// "Playing" or "Paused", and "Stopped" with nothing open. At the end of a file the file is
// still open, paused on its last picture.
QString PlaybackStatusOf(PlayState state);

// The object path that names the n-th file loaded; the reserved "no track" path for 0.
QDBusObjectPath TrackPath(std::uint64_t number);

// The URL of what `name` opens: an address as it is, a file as platform::FileUriOf gives it.
QString MediaUrlOf(const QString& name, bool isAddress);

}  // namespace mpris
