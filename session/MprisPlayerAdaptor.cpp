#include "session/MprisPlayerAdaptor.h"

#include <algorithm>
#include <cmath>

#include "engine/StreamAddress.h"
#include "platform/FileUri.h"
#include "player/Player.h"
#include "session/MprisValues.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, Player& player)
    : QDBusAbstractAdaptor(object), m_player(player) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
    return mpris::PlaybackStatusOf(m_player.HasOpenFile() ? m_player.GetPlayState()
                                                          : PlayState::Idle);
}

double MprisPlayerAdaptor::Rate() const { return m_player.Speed(); }

void MprisPlayerAdaptor::SetRate(double rate) {
    if (rate == 0.0)
        Pause();
    else if (rate >= MinimumRate() && rate <= MaximumRate())
        m_player.SetSpeed(rate);
}

QDBusObjectPath MprisPlayerAdaptor::CurrentTrack() const {
    return mpris::TrackPath(m_player.HasOpenFile() ? m_player.TrackNumber() : 0);
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
    const QDBusObjectPath track = CurrentTrack();
    QVariantMap metadata{{QStringLiteral("mpris:trackid"), QVariant::fromValue(track)}};
    if (track == mpris::TrackPath(0)) return metadata;
    if (m_player.Duration() > 0.0)
        metadata.insert(QStringLiteral("mpris:length"), mpris::MicrosecondsOf(m_player.Duration()));
    if (!m_player.Title().isEmpty())
        metadata.insert(QStringLiteral("xesam:title"), m_player.Title());
    const QString& path = m_player.FilePath();
    const bool isAddress = m_player.EngineProtocols().contains(AddressScheme(path));
    metadata.insert(QStringLiteral("xesam:url"), mpris::MediaUrlOf(path, isAddress));
    return metadata;
}

double MprisPlayerAdaptor::MinimumRate() const { return m_player.MinimumSpeed(); }

double MprisPlayerAdaptor::MaximumRate() const { return m_player.MaximumSpeed(); }

double MprisPlayerAdaptor::Volume() const { return m_player.VolumeLevel() / 100.0; }

void MprisPlayerAdaptor::SetVolume(double volume) {
    if (std::isnan(volume)) return;
    m_player.SetVolume(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100.0)));
}

qlonglong MprisPlayerAdaptor::Position() const {
    if (!m_player.HasOpenFile()) return 0;
    return mpris::MicrosecondsOf(m_player.Position().value_or(0.0));
}

bool MprisPlayerAdaptor::CanGoNext() const { return m_player.HasNext(); }

bool MprisPlayerAdaptor::CanGoPrevious() const { return m_player.HasPrevious(); }

void MprisPlayerAdaptor::Next() { m_player.Next(); }

void MprisPlayerAdaptor::Previous() { m_player.Previous(); }

bool MprisPlayerAdaptor::CanPlay() const { return m_player.HasOpenFile(); }

bool MprisPlayerAdaptor::CanPause() const { return m_player.HasOpenFile(); }

bool MprisPlayerAdaptor::CanSeek() const { return m_player.HasOpenFile(); }

void MprisPlayerAdaptor::Pause() { m_player.Pause(); }

void MprisPlayerAdaptor::PlayPause() {
    if (m_player.GetPlayState() == PlayState::Playing)
        m_player.Pause();
    else
        m_player.Play();
}

void MprisPlayerAdaptor::Stop() { m_player.Stop(); }

void MprisPlayerAdaptor::Play() { m_player.Play(); }

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    if (CanSeek()) m_player.SeekBy(static_cast<double>(Offset) / 1e6);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    if (!CanSeek() || TrackId != CurrentTrack()) return;
    if (Position < 0 || Position > mpris::MicrosecondsOf(m_player.Duration())) return;
    m_player.SeekTo(static_cast<double>(Position) / 1e6);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri) {
    const QString name = platform::MediaNameOf(Uri.toUtf8());
    // An empty name would ask the user for a file instead.
    if (!name.isEmpty()) m_player.Open(name);
}
