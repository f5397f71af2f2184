#pragma once

#include <QString>

// The key under which a media file's resume entry is kept: the 32-bit FNV-1a hash of the
// path's UTF-16 little-endian bytes, as an unsigned decimal number. The path is hashed
// exactly as given, so two spellings of one file (letter case, separators) are two keys;
// and the settings file never holds the paths a user has played.
QString ResumeKey(const QString& path);
