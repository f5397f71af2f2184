#pragma once
// Addresses the engine opens itself ("https://host/a.mp4", "rtsp://...", "dvd://"): they
// name no local file, so they are handed over as given, without looking for a file.

#include <QString>
#include <QStringList>
#include <QStringView>

#include "engine/EngineApi.h"

// The scheme of `text` in lower case when it reads "scheme://..." (a letter, then letters,
// digits, '+', '-' or '.'); empty otherwise.
QString AddressScheme(QStringView text);

// The engine's "protocol-list": the schemes of the addresses it opens. Empty without an
// engine.
QStringList EngineProtocols(const EngineApi& api, mpv_handle* handle);

// Whether `text` is an address whose scheme is one of the engine's protocols (its
// "protocol-list" property). False without an engine.
bool EnginePlaysAddress(const EngineApi& api, mpv_handle* handle, QStringView text);
