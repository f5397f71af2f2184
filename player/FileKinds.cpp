#include "player/FileKinds.h"

#include <algorithm>
#include <array>

#include "player/MediaExtensions.h"

namespace {

// VobSub comes as an .idx index and its .sub pictures; the engine takes either.
constexpr std::array kSubtitleExtensions = {u"srt", u"ass", u"ssa", u"vtt", u"sub", u"idx", u"sup"};

template <class List>
bool HasExtensionOf(const QString& name, const List& extensions) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    const QStringView extension = QStringView(name).sliced(dot + 1);
    // A name that ends in a folder separator after the dot has no extension.
    if (extension.contains(u'/') || extension.contains(u'\\')) return false;
    return std::any_of(extensions.begin(), extensions.end(), [&](const char16_t* known) {
        return extension.compare(QStringView(known), Qt::CaseInsensitive) == 0;
    });
}

}  // namespace

bool IsMediaFileName(const QString& name) { return HasExtensionOf(name, kMediaExtensions); }

bool IsSubtitleFileName(const QString& name) { return HasExtensionOf(name, kSubtitleExtensions); }

QString SubtitleFilePatterns() {
    QStringList patterns;
    for (const char16_t* extension : kSubtitleExtensions)
        patterns << QStringLiteral("*.") + QString::fromUtf16(extension);
    return patterns.join(u';');
}
