#pragma once

#include <QString>

// The values settings_saver puts into a store, shared with the tests that check what it
// left on disk. A "generation" is one complete set of values: every save of a new
// generation changes every entry and the volume, so that each save rewrites both files
// whole and an interrupted one can be told from a finished one byte by byte.
namespace saver {

struct EntryValues {
    double progress;  // a multiple of 1/4, written exactly with three decimals
    int x;
    int y;
    int w;
    int h;
};

struct ConfigValues {
    int volume;  // whole, so that it is written exactly as "<volume>.0"
    bool mute;
    bool topMost;
    QString language;
};

// The name of entry `index` of the entries made under `prefix`; fixed width, so that text
// order is number order.
inline QString EntryKey(const QString& prefix, int index) {
    return prefix + QStringLiteral("%1").arg(index, 5, 10, QLatin1Char('0'));
}

inline EntryValues Entry(int generation, int index) {
    return {generation * 10.0 + (index % 4) * 0.25, generation, index, 640 + generation % 7,
            360 + index % 5};
}

inline ConfigValues Config(int generation) {
    return {generation % 101, generation % 2 == 1, generation % 3 == 1,
            generation % 2 == 0 ? QStringLiteral("lan_en.xml") : QStringLiteral("lan_zh.xml")};
}

}  // namespace saver
