#pragma once
// Saving the picture that shows, subtitles included, as a PNG file in the user's pictures
// folder.

#include <QString>

class EngineInstance;

struct ScreenshotResult {
    bool saved = false;
    // The file written; where it was to be written when that failed, or empty when the
    // folder could not be made or had no free name.
    QString path;
};

// Saves the picture of the file that plays (the caller checks that one does) under
// "<picturesFolder>/MoviraPlayer/" as "<title> <hh-mm-ss>.png" for the playback position, in
// the first name nothing there has yet (ScreenshotName.h). Saved only when the engine took
// the request and a file that is not empty is there afterwards.
ScreenshotResult SaveScreenshot(const EngineInstance& engine, const QString& title, double position,
                                const QString& picturesFolder);
