#include "session/MprisPlayerAdaptor.h"

#include <algorithm>
#include <cmath>

#include "engine/StreamAddress.h"
#include "platform/FileUri.h"
#include "session/MprisValues.h"
#include "ui/PlayerWindow.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, PlayerWindow& window)
    : QDBusAbstractAdaptor(object), m_window(window) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
    return mpris::PlaybackStatusOf(m_window.HasOpenFile() ? m_window.GetPlayState()
                                                          : PlayState::Idle);
}

double MprisPlayerAdaptor::Rate() const { return m_window.Speed(); }

void MprisPlayerAdaptor::SetRate(double rate) {
    if (rate == 0.0)
        Pause();
    else if (rate >= kMinimumRate && rate <= kMaximumRate)
        m_window.SetRate(rate);
}

QDBusObjectPath MprisPlayerAdaptor::CurrentTrack() const {
    return mpris::TrackPath(m_window.HasOpenFile() ? m_window.TrackNumber() : 0);
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
    const QDBusObjectPath track = CurrentTrack();
    QVariantMap metadata{{QStringLiteral("mpris:trackid"), QVariant::fromValue(track)}};
    if (track == mpris::TrackPath(0)) return metadata;
    if (m_window.Duration() > 0.0)
        metadata.insert(QStringLiteral("mpris:length"), mpris::MicrosecondsOf(m_window.Duration()));
    if (!m_window.Title().isEmpty())
        metadata.insert(QStringLiteral("xesam:title"), m_window.Title());
    const QString& path = m_window.FilePath();
    const bool isAddress = m_window.EngineProtocols().contains(AddressScheme(path));
    metadata.insert(QStringLiteral("xesam:url"), mpris::MediaUrlOf(path, isAddress));
    return metadata;
}

double MprisPlayerAdaptor::Volume() const { return m_window.VolumeLevel() / 100.0; }

void MprisPlayerAdaptor::SetVolume(double volume) {
    if (std::isnan(volume)) return;
    m_window.SetVolumeLevel(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100.0)));
}

qlonglong MprisPlayerAdaptor::Position() const {
    if (!m_window.HasOpenFile()) return 0;
    return mpris::MicrosecondsOf(m_window.Position().value_or(0.0));
}

bool MprisPlayerAdaptor::CanPlay() const { return m_window.HasOpenFile(); }

bool MprisPlayerAdaptor::CanPause() const { return m_window.HasOpenFile(); }

bool MprisPlayerAdaptor::CanSeek() const { return m_window.HasOpenFile(); }

bool MprisPlayerAdaptor::CanControl() const { return m_window.HasOpenFile(); }

void MprisPlayerAdaptor::Pause() { m_window.Pause(); }

void MprisPlayerAdaptor::PlayPause() {
    if (m_window.GetPlayState() == PlayState::Playing)
        m_window.Pause();
    else
        m_window.Play();
}

void MprisPlayerAdaptor::Stop() { m_window.Stop(); }

void MprisPlayerAdaptor::Play() { m_window.Play(); }

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    if (CanSeek()) m_window.SeekRelative(static_cast<double>(Offset) / 1e6);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    if (!CanSeek() || TrackId != CurrentTrack()) return;
    if (Position < 0 || Position > mpris::MicrosecondsOf(m_window.Duration())) return;
    m_window.SeekTo(static_cast<double>(Position) / 1e6);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri) {
    const QString name = platform::MediaNameOf(Uri.toUtf8());
    // An empty name would ask the user for a file instead.
    if (!name.isEmpty()) m_window.OpenMedia(name);
}
