#pragma once

#include <QByteArray>
#include <QString>

#include "SaverValues.h"

// The exact bytes of config.ini and progress.ini as a finished save of one generation
// leaves them, written out here independently of the settings code: sections and keys in
// the store's order, numbers in its formats, every line ended by '\n'.
namespace saver {

inline QByteArray ConfigBytes(int generation) {
    const ConfigValues v = Config(generation);
    return QStringLiteral("[Settings]\nVolume=%1.0\nMute=%2\nTopMost=%3\nLanguage=%4\n")
        .arg(v.volume)
        .arg(v.mute ? 1 : 0)
        .arg(v.topMost ? 1 : 0)
        .arg(v.language)
        .toUtf8();
}

inline QByteArray ProgressBytes(const QString& prefix, int entries, int generation) {
    QByteArray bytes;
    for (int index = 0; index < entries; ++index) {
        const EntryValues v = Entry(generation, index);
        bytes += QStringLiteral("[%1]\nprogress=%2\nx=%3\ny=%4\nw=%5\nh=%6\n")
                     .arg(EntryKey(prefix, index))
                     .arg(v.progress, 0, 'f', 3)
                     .arg(v.x)
                     .arg(v.y)
                     .arg(v.w)
                     .arg(v.h)
                     .toUtf8();
    }
    return bytes;
}

}  // namespace saver
