#include "player/Screenshot.h"

#include <QDir>
#include <QFileInfo>

#include "engine/EngineInstance.h"
#include "platform/FileName.h"
#include "player/ScreenshotName.h"

ScreenshotResult SaveScreenshot(const EngineInstance& engine, const QString& title, double position,
                                const QString& picturesFolder) {
    if (picturesFolder.isEmpty()) return {};
    const QString folder = QDir::cleanPath(picturesFolder + QStringLiteral("/MoviraPlayer"));
    if (!QDir().mkpath(folder)) return {};
    const QString name = FreeScreenshotName(folder, title, position);
    if (name.isEmpty()) return {};
    const QString path = platform::NativeFileName(folder + u'/' + name);
    // The engine may accept the request and still write nothing (no picture yet, a full
    // disk): only a file with something in it counts.
    if (!engine.Screenshot(path)) return {false, path};
    const QFileInfo file(path);
    return {file.isFile() && file.size() > 0, path};
}
