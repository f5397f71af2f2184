#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The clips the media folder's build makes for these tests, and what is known about them.
namespace e2e::media {

struct Clip {
    const char* file;   // inside the generated media folder
    const char* title;  // its title tag, which the player shows as the caption
    QSize video;        // empty for audio only
};

inline QString path(const Clip& clip) {
    return QStringLiteral(MOVIRA_MEDIA_DIR "/") + QString::fromUtf8(clip.file);
}
inline QString title(const Clip& clip) { return QString::fromUtf8(clip.title); }

// Colour bars with moving parts and a tone, 30 s: long enough to watch it move, pause it
// and leave it well past the point where a position is remembered.
inline constexpr Clip kBars{"e2e-bars-640x360.mp4", "Movira bars", {640, 360}};
// The same bars for 90 s: a 30 s step forward from near the start lands inside it, and
// half-way still leaves time to play on.
inline constexpr Clip kLong{"e2e-long-640x360.mp4", "Movira long", {640, 360}};
// 4.5 s, so that at its end the last frame and the length both read 00:04. A Chinese title
// and a Chinese file name: both must survive the way to the engine and back.
inline constexpr Clip kTitled{"e2e-标题-320x240.mp4", "测试标题 Movira", {320, 240}};
// Short pictures of awkward sizes for fitting the window.
inline constexpr Clip kWide{"e2e-wide-1920x1080.mp4", "Movira wide", {1920, 1080}};
inline constexpr Clip kPortrait{"e2e-portrait-360x640.mp4", "Movira portrait", {360, 640}};
// Sound only, 10 s.
inline constexpr Clip kTone{"e2e-tone.m4a", "Movira tone", {}};
// 30 s of a plain dark picture with two subtitle tracks: English without a title, then
// Chinese titled "简体中文". Its subtitle menu lists "eng" and "chi - 简体中文".
inline constexpr Clip kTracks{"e2e-tracks-640x360.mkv", "Movira tracks", {640, 360}};
// 30 s of moving bars in three titled chapters, "Opening" from 0 s, "Middle" from 10 s and
// "Credits" from 20 s, with a key frame every second. Two audio tracks: English in 5.1, then
// French stereo titled "Commentaire".
inline constexpr Clip kChapters{"e2e-chapters-640x360.mkv", "Movira chapters", {640, 360}};
inline constexpr double kChapterStarts[] = {0.0, 10.0, 20.0};
inline constexpr const char* kChapterTitles[] = {"Opening", "Middle", "Credits"};
// A subtitle file of one cue and the cue's text.
struct SubtitleFile {
    const char* file;  // inside the generated media folder
    const char* text;
};
inline QString path(const SubtitleFile& subtitles) {
    return QStringLiteral(MOVIRA_MEDIA_DIR "/") + QString::fromUtf8(subtitles.file);
}
// The one beside kChapters, of the same name, from 0 to 30 s; one to drop on the window,
// from 0 s and longer than any clip.
inline constexpr SubtitleFile kChaptersSubtitles{"e2e-chapters-640x360.srt", "Beside the film"};
inline constexpr SubtitleFile kDroppedSubtitles{"e2e-dropped.srt", "Dropped subtitle"};
// A folder of three 3 s 320x240 clips with a tone each, "ep 1.mp4", "ep 2.mp4" and
// "ep 10.mp4", titled "Episode 1", "Episode 2" and "Episode 10": in number order 10 comes
// last, in plain text order second.
inline constexpr char kEpisodesFolder[] = "e2e-episodes";
inline constexpr Clip kEpisode1{"e2e-episodes/ep 1.mp4", "Episode 1", {320, 240}};
inline constexpr Clip kEpisode2{"e2e-episodes/ep 2.mp4", "Episode 2", {320, 240}};
inline constexpr Clip kEpisode10{"e2e-episodes/ep 10.mp4", "Episode 10", {320, 240}};

// Where the window stands on the 1280x800 test screen, which is all work area as no window
// manager reserves any of it. A loaded video widens the window to at least 850 and adds
// the 90 of the two bars to the picture's height; the window is centred.
inline constexpr QRect kEmptyWindow{240, 100, 800, 600};    // nothing loaded, or sound only
inline constexpr QRect kBarsWindow{215, 175, 850, 450};     // 640x360: (1280-850)/2, (800-450)/2
inline constexpr QRect kTitledWindow{215, 235, 850, 330};   // 320x240
inline constexpr QRect kWideWindow{80, 40, 1120, 720};      // 1920x1080 (FitTest)
inline constexpr QRect kPortraitWindow{222, 40, 836, 720};  // 360x640

}  // namespace e2e::media
