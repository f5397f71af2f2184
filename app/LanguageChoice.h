#pragma once
// The interface language: the table file asked for by the user's primary language, with
// English when the package lacks it.

#include <QString>

class QTranslator;

// "lan_zh.xml" for Chinese, "lan_de.xml", "lan_es.xml", "lan_fr.xml", "lan_it.xml" for German,
// Spanish, French and Italian, "lan_en.xml" for any other language.
QString LanguageFileFor(int primaryLanguage);

// Loads the table for the language into the toolkit, falling back to English. Returns the file
// that was loaded, or an empty string when neither could be.
QString LoadInterfaceLanguage(int primaryLanguage);

// Qt's own texts (the buttons of message boxes, the file dialog's labels and buttons) in the
// interface language: for Chinese, Qt's Simplified Chinese catalogue from the system's Qt
// translations (Debian's qt6-translations-l10n) is loaded into `translator` and installed.
// False, with nothing installed, for any other language or when the catalogue is missing;
// Qt then speaks English, as the interface does.
bool InstallQtTranslation(QTranslator& translator, int primaryLanguage);
