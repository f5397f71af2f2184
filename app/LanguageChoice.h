#pragma once
// The interface language: the table file asked for by the user's primary language, with
// English when the package lacks it.

#include <QString>

// "lan_zh.xml" for Chinese, "lan_de.xml", "lan_es.xml", "lan_fr.xml", "lan_it.xml" for German,
// Spanish, French and Italian, "lan_en.xml" for any other language.
QString LanguageFileFor(int primaryLanguage);

// Loads the table for the language into the toolkit, falling back to English. Returns the file
// that was loaded, or an empty string when neither could be.
QString LoadInterfaceLanguage(int primaryLanguage);
