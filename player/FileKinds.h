#pragma once
// What a file is by its name's extension, letter case aside: media the player offers to open
// (the types of the desktop entry) or a subtitle file the engine adds to the film that plays.

#include <QString>
#include <QStringList>

bool IsMediaFileName(const QString& name);
bool IsSubtitleFileName(const QString& name);

// The subtitle files' patterns for an open dialog: "*.srt;*.ass;...".
QString SubtitleFilePatterns();
