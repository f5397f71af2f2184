#include "session/MprisValues.h"

#include <cmath>
#include <limits>

#include "platform/FileUri.h"

namespace mpris {

qint64 MicrosecondsOf(double seconds) {
    if (!(seconds > 0.0)) return 0;
    const double microseconds = std::round(seconds * 1e6);
    // Far beyond any real file; kept from overflowing the conversion.
    if (microseconds >= static_cast<double>(std::numeric_limits<qint64>::max()))
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(microseconds);
}

QString PlaybackStatusOf(PlayState state) {
    switch (state) {
        case PlayState::Playing:
            return QStringLiteral("Playing");
        case PlayState::Paused:
        case PlayState::Ended:
            return QStringLiteral("Paused");
        case PlayState::Idle:
            break;
    }
    return QStringLiteral("Stopped");
}

QDBusObjectPath TrackPath(std::uint64_t number) {
    if (number == 0)
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    return QDBusObjectPath(QStringLiteral("/example/movira/MoviraPlayer/track/") +
                           QString::number(number));
}

QString MediaUrlOf(const QString& name, bool isAddress) {
    return isAddress ? name : platform::FileUriOf(name);
}

}  // namespace mpris
