#include "player/ScreenshotName.h"

#include <QStringView>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/FileName.h"

namespace {

// Far beyond any real folder; it only bounds the search.
constexpr int kMaxCopies = 100000;

bool IsUnsafe(QChar c) {
    static constexpr QStringView kReserved = u"/\\:*?\"<>|";
    return kReserved.contains(c) || c.category() == QChar::Other_Control;
}

int Utf8Length(char32_t codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

void TrimTrailingDotsAndSpaces(QString& text) {
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == u'.' || text[end - 1] == u' ')) --end;
    text.truncate(end);
}

// The longest start of `title` that takes at most `units` UTF-16 code units and `bytes`
// UTF-8 bytes, cut between whole code points.
QString Cut(const QString& title, qsizetype units, qsizetype bytes) {
    qsizetype end = 0;
    while (end < title.size()) {
        const bool pair = title[end].isHighSurrogate() && end + 1 < title.size() &&
                          title[end + 1].isLowSurrogate();
        const qsizetype width = pair ? 2 : 1;
        const int size = pair ? 4 : Utf8Length(static_cast<char32_t>(title[end].unicode()));
        if (end + width > units || size > bytes) break;
        end += width;
        bytes -= size;
    }
    return title.left(end);
}

}  // namespace

QString ScreenshotTime(double seconds) {
    // Whole seconds; past a hundred years a position is no longer a real one.
    const std::int64_t whole = std::isfinite(seconds) && seconds > 0
                                   ? static_cast<std::int64_t>(std::min(seconds, 3.2e9))
                                   : 0;
    return QStringLiteral("%1-%2-%3")
        .arg(whole / 3600, 2, 10, QLatin1Char('0'))
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString ScreenshotTitle(const QString& title) {
    QString safe = title;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const QChar c = safe[i];
        if (c.isHighSurrogate() && i + 1 < safe.size() && safe[i + 1].isLowSurrogate()) {
            ++i;  // a whole pair: one character beyond the first plane
        } else if (c.isSurrogate() || IsUnsafe(c)) {
            safe[i] = u'_';
        }
    }
    TrimTrailingDotsAndSpaces(safe);
    return safe.isEmpty() ? QStringLiteral("MoviraPlayer") : safe;
}

QString ScreenshotFileName(const QString& title, double seconds, int copy) {
    QString tail = u' ' + ScreenshotTime(seconds);
    if (copy > 1) tail += QStringLiteral(" (%1)").arg(copy);
    tail += QStringLiteral(".png");
    // The tail is ASCII: as many bytes as code units.
    QString head = Cut(ScreenshotTitle(title), kScreenshotNameMaxLength - tail.size(),
                       kScreenshotNameMaxBytes - tail.size());
    // A cut may end on a dot or a space again.
    TrimTrailingDotsAndSpaces(head);
    return (head.isEmpty() ? QStringLiteral("MoviraPlayer") : head) + tail;
}

QString FreeScreenshotName(const QString& folder, const QString& title, double seconds) {
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        QString name = ScreenshotFileName(title, seconds, copy);
        if (!platform::FileExists(folder + u'/' + name)) return name;
    }
    return QString();
}
