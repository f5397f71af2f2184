// PlayerWindow: opening files and the playback its controls ask the player for.

#include <QFileInfo>

#include "platform/FileDialogService.h"
#include "player/FileKinds.h"
#include "toolkit/ResourceManager.h"
#include "ui/OpenDialogFilters.h"
#include "ui/PlayerWindow.h"

namespace {

// The language table's text `id` with its %1 standing for `value`.
QString TextWith(const char* id, const QString& value) {
    return CResourceManager::GetInstance()
        .GetText(QString::fromLatin1(id))
        .replace(QStringLiteral("%1"), value);
}

}  // namespace

void PlayerWindow::OpenMedia(const QString& path) {
    if (!path.isEmpty()) {
        m_player.Open(path);
        return;
    }
    // The position is saved before the dialog, whatever the user then picks.
    m_player.SavePosition();
    if (!m_fileDialog) return;
    const QStringList picked = m_fileDialog->AskOpenFiles(GetHWND(), OpenDialogFilters(), true);
    if (!picked.isEmpty()) m_player.LoadFiles(picked);
}

void PlayerWindow::OnFilesDropped(const QStringList& paths) {
    // Subtitle files go to the film that plays; the other files are the queue.
    QStringList media;
    QStringList subtitles;
    for (const QString& path : paths) (IsSubtitleFileName(path) ? subtitles : media) << path;
    if (!media.isEmpty()) {
        m_player.OpenFiles(media);
        return;
    }
    if (!m_player.HasOpenFile()) return;
    for (const QString& path : subtitles) AddSubtitleFile(path);
}

void PlayerWindow::AskSubtitleFile() {
    if (!m_fileDialog || !m_player.HasOpenFile()) return;
    const CResourceManager& texts = CResourceManager::GetInstance();
    const auto picked = m_fileDialog->AskOpenFile(
        GetHWND(), {{texts.GetText(QStringLiteral("filter_subtitles")), SubtitleFilePatterns()},
                    {texts.GetText(QStringLiteral("filter_all")), QStringLiteral("*")}});
    if (picked) AddSubtitleFile(*picked);
}

void PlayerWindow::AddSubtitleFile(const QString& path) {
    if (m_player.AddSubtitleFile(path)) return;
    // The film plays on; the user is told why nothing changed.
    m_player.ShowMessage(TextWith("subtitle_failed", QFileInfo(path).fileName()));
}

void PlayerWindow::TakeScreenshot() {
    if (!m_player.HasOpenFile()) return;
    const ScreenshotResult shot = m_player.TakeScreenshot();
    m_player.ShowMessage(
        shot.saved ? TextWith("screenshot_saved", QFileInfo(shot.path).fileName())
                   : CResourceManager::GetInstance().GetText(QStringLiteral("screenshot_failed")));
}

void PlayerWindow::ShiftSubtitles(double seconds) {
    if (!m_player.HasOpenFile()) return;
    const double delay = m_player.ShiftSubtitleDelay(seconds);
    // "+0.3", "-0.1", "0.0": tenths, with the sign of the direction.
    QString amount = QString::number(delay, 'f', 1);
    if (amount == QStringLiteral("-0.0")) amount = QStringLiteral("0.0");
    if (delay > 0.0) amount.prepend(u'+');
    m_player.ShowMessage(TextWith("subtitle_delay", amount));
}

void PlayerWindow::TogglePause() { m_player.TogglePause(); }

void PlayerWindow::SeekRelative(double seconds) { m_player.SeekBy(seconds); }

void PlayerWindow::SetSpeed(double speed) { m_player.SetSpeed(speed); }

void PlayerWindow::ApplyMute() {
    const bool muted = m_player.IsMuted();
    ApplyLook(m_pVolumeBtn, muted ? "look_muted" : "look_unmuted");
    ShowToggleState(m_pVolumeBtn, muted);
}
