#pragma once
// The product facts the About window shows: the version and the home page.

#include <QString>

// The product's home page, opened in the default browser from the About window.
inline constexpr const char* kHomePageAddress = "https://movira.example/player";

// The version as shown to the user: the text before its third '.', so that a four-part
// version (major.minor.build.revision) loses its revision; a shorter text is kept whole.
// An empty text means the build carries no version, which shows as "1.0.0".
QString ProductVersionFrom(const QString& versionText);

// This build's product version. There is no version resource on Linux; the version the build
// was configured with stands in for it.
QString GetProductVersion();
