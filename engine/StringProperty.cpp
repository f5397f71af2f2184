#include "engine/StringProperty.h"

void ReadStringProperty(const EngineApi& api, mpv_handle* handle, const char* name, QString& out) {
    char* text = nullptr;
    api.mpv_get_property(handle, name, MPV_FORMAT_STRING, &text);
    if (text != nullptr) {
        out = QString::fromUtf8(text);
        api.mpv_free(text);
    }
}
