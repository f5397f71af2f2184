#include "engine/ChapterList.h"

#include <string>

#include "engine/StringProperty.h"

namespace {

std::string ChapterProperty(std::int64_t index, const char* field) {
    return "chapter-list/" + std::to_string(index) + "/" + field;
}

}  // namespace

std::vector<ChapterEntry> ReadChapters(const EngineApi& api, mpv_handle* handle) {
    std::vector<ChapterEntry> chapters;
    if (handle == nullptr) {
        return chapters;
    }
    std::int64_t count = 0;
    api.mpv_get_property(handle, "chapter-list/count", MPV_FORMAT_INT64, &count);
    for (std::int64_t index = 0; index < count; ++index) {
        ChapterEntry entry;
        // An unreadable start leaves 0: the chapter is still one of the file's.
        api.mpv_get_property(handle, ChapterProperty(index, "time").c_str(), MPV_FORMAT_DOUBLE,
                             &entry.start);
        ReadStringProperty(api, handle, ChapterProperty(index, "title").c_str(), entry.title);
        chapters.push_back(std::move(entry));
    }
    return chapters;
}

int ChapterAt(const std::vector<ChapterEntry>& chapters, double seconds) {
    int found = -1;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (chapters[i].start <= seconds) {
            found = static_cast<int>(i);
        }
    }
    return found;
}
