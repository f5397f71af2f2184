#pragma once

#include <QImage>
#include <QRect>
#include <optional>

// Readings of the player's state from a screenshot: what the engine draws into the video
// area and what the control bar shows of the playback. Rectangles are in screen
// coordinates.
namespace e2e::picture {

// Pixels of strong colour: the clips' colour bars have them, black video, the grey bars
// and their text do not.
int countColourful(const QImage& image, const QRect& rect);

// Where the progress slider's thumb stands, from 0 (left end) to 1 (right end); nothing
// when no thumb is seen in `slider`.
std::optional<double> progress(const QImage& image, const QRect& slider);

// The play button shows the play triangle while the player is paused or stopped, and the
// two pause bars while it plays.
enum class PlayLook { Play, Pause, Neither };
PlayLook playLook(const QImage& image, const QRect& playButton);

// Whether the time label, which reads "elapsed / total", draws both times the same: at the
// end of a file the elapsed time has reached the length.
bool timesMatch(const QImage& image, const QRect& timeLabel);

}  // namespace e2e::picture
