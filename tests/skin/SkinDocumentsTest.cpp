// The layouts, menus and language tables of the embedded package: their encoding, the names
// the code looks up, the texts the user reads, and the images they refer to.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <algorithm>
#include <utility>
#include <vector>

#include "EmbeddedSkin.h"

namespace {

const QByteArray kDeclaration = R"(<?xml version="1.0" encoding="utf-8"?>)";

struct Element {
    QString tag;
    QXmlStreamAttributes attributes;
    int depth;
};

// Every element in document order; fails the test when the text is not well-formed XML.
std::vector<Element> Elements(const QString& file) {
    std::vector<Element> elements;
    QXmlStreamReader reader(SkinMember(file));
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            elements.push_back({reader.name().toString(), reader.attributes(), depth});
            ++depth;
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    EXPECT_FALSE(reader.hasError())
        << file.toStdString() << ": " << reader.errorString().toStdString();
    return elements;
}

std::vector<std::pair<QString, QString>> Texts(const QString& table) {
    std::vector<std::pair<QString, QString>> texts;
    for (const Element& element : Elements(table)) {
        if (element.tag == QLatin1String("Text"))
            texts.emplace_back(element.attributes.value("id").toString(),
                               element.attributes.value("value").toString());
    }
    return texts;
}

TEST(SkinDocuments, AreUtf8WithoutByteOrderMarkAndDeclaredAsStated) {
    const std::vector<std::pair<const char*, bool>> files{
        {"main.xml", false},         {"about.xml", false}, {"speed_menu.xml", true},
        {"subtitle_menu.xml", true}, {"lan_en.xml", true}, {"lan_zh.xml", true}};
    for (const auto& [file, declared] : files) {
        SCOPED_TRACE(file);
        const QByteArray bytes = SkinMember(file);
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_EQ(bytes.startsWith(kDeclaration), declared);
        if (!declared) {
            EXPECT_FALSE(bytes.startsWith("<?xml"));
        }
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder(bytes);
        EXPECT_FALSE(decoder.hasError());
        EXPECT_FALSE(Elements(file).empty());
    }
}

TEST(SkinDocuments, LanguageTablesHoldTheSameIdsInOrder) {
    const std::vector<std::pair<QString, QString>> english{
        {"aboutname", "Movira Media Player"},
        {"sysmenu", "Menu"},
        {"infobtn", "Show title"},
        {"pin", "Pin"},
        {"unpin", "Unpin"},
        {"min", "Minimize"},
        {"max", "Maximize"},
        {"restore", "Restore"},
        {"close", "Close"},
        {"play", "Play"},
        {"pause", "Pause"},
        {"stop", "Stop"},
        {"backward", "Backward"},
        {"forward", "Forward"},
        {"open", "Open"},
        {"subtitle", "Subtitle"},
        {"subtitle_close", "Turn off"},
        {"previous", "Previous file"},
        {"next", "Next file"},
        {"audio", "Audio track"},
        {"audio_track", "Track %1"},
        {"subtitle_load", "Load subtitle file…"},
        {"filter_subtitles", "Subtitle files"},
        {"subtitle_delay", "Subtitle delay: %1 s"},
        {"subtitle_failed", "Subtitle file not loaded: %1"},
        {"screenshot_saved", "Screenshot saved: %1"},
        {"screenshot_failed", "Screenshot not saved"},
        {"speed", "Speed"},
        {"video", "Video"},
        {"progress", "Progress"},
        {"progress_value", "%1 of %2"},
        {"volume", "Volume"},
        {"mute", "Mute"},
        {"fullscreen", "Fullscreen"},
        {"about", "About"},
        {"version", "Version:"},
        {"home", "Visit Official Website"},
        {"slogan", "Minimalist, pure, and fluid"},
        {"filter_media", "Media files"},
        {"filter_all", "All files"},
        {"engine_failed_title", "Playback library not loaded"},
        {"engine_failed", "The playback library could not be loaded:\n%1"},
        {"engine_missing_title", "MoviraPlayer cannot start"},
        {"engine_missing",
         "MoviraPlayer cannot start without its playback library, libmpv (%1), which was not "
         "found.\n\nInstall libmpv (on Debian and Ubuntu, the package libmpv2), or put %1 in the "
         "program's folder, then start MoviraPlayer again."}};
    const std::vector<std::pair<QString, QString>> chinese{
        {"aboutname", "Movira音视频播放器"},
        {"sysmenu", "菜单"},
        {"infobtn", "显示标题"},
        {"pin", "窗口置顶"},
        {"unpin", "取消置顶"},
        {"min", "最小化"},
        {"max", "最大化"},
        {"restore", "还原"},
        {"close", "关闭"},
        {"play", "播放"},
        {"pause", "暂停"},
        {"stop", "停止"},
        {"backward", "快退"},
        {"forward", "快进"},
        {"open", "打开"},
        {"subtitle", "字幕"},
        {"subtitle_close", "关闭字幕"},
        {"previous", "上一个文件"},
        {"next", "下一个文件"},
        {"audio", "音轨"},
        {"audio_track", "音轨 %1"},
        {"subtitle_load", "加载字幕文件…"},
        {"filter_subtitles", "字幕文件"},
        {"subtitle_delay", "字幕延迟：%1 秒"},
        {"subtitle_failed", "字幕文件未能加载：%1"},
        {"screenshot_saved", "截图已保存：%1"},
        {"screenshot_failed", "截图未能保存"},
        {"speed", "播放倍速"},
        {"video", "视频"},
        {"progress", "播放进度"},
        {"progress_value", "%1，共 %2"},
        {"volume", "声音"},
        {"mute", "静音"},
        {"fullscreen", "全屏"},
        {"about", "关于"},
        {"version", "版本："},
        {"home", "访问官方网站"},
        {"slogan", "极简、纯净、流畅"},
        {"filter_media", "音视频文件"},
        {"filter_all", "所有文件"},
        {"engine_failed_title", "失败"},
        {"engine_failed", "错误码: %1"},
        {"engine_missing_title", "错误"},
        {"engine_missing", "找不到 %1，请确保它和程序在同一目录"}};
    EXPECT_EQ(Texts("lan_en.xml"), english);
    EXPECT_EQ(Texts("lan_zh.xml"), chinese);
    EXPECT_EQ(Elements("lan_en.xml").front().tag, "Res");
    EXPECT_EQ(Elements("lan_zh.xml").front().tag, "Res");
}

// Every text id and tooltip id a layout shows through the language tables must exist there.
TEST(SkinDocuments, ResourceTextsNameKnownIds) {
    QStringList ids;
    for (const auto& [id, value] : Texts("lan_en.xml")) ids << id;
    for (const char* layout : {"main.xml", "about.xml"}) {
        for (const Element& element : Elements(layout)) {
            if (element.attributes.value("resourcetext") != QLatin1String("true")) continue;
            const QString tooltip = element.attributes.value("tooltip").toString();
            if (!tooltip.isEmpty()) {
                EXPECT_TRUE(ids.contains(tooltip)) << layout << ": " << tooltip.toStdString();
            }
        }
        // Names for screen readers are always ids.
        for (const Element& element : Elements(layout)) {
            const QString name = element.attributes.value("accessiblename").toString();
            if (!name.isEmpty())
                EXPECT_TRUE(ids.contains(name)) << layout << ": " << name.toStdString();
        }
    }
    for (const Element& element : Elements("about.xml")) {
        const QString text = element.attributes.value("text").toString();
        // The version label is overwritten at run time; everything else is an id.
        if (element.attributes.value("resourcetext") == QLatin1String("true") && !text.isEmpty() &&
            element.attributes.value("name") != QLatin1String("lblVersion")) {
            EXPECT_TRUE(ids.contains(text)) << text.toStdString();
        }
    }
}

TEST(SkinDocuments, LayoutsNameTheControlsTheCodeLooksUp) {
    const auto names = [](const QString& layout) {
        QStringList found;
        for (const Element& element : Elements(layout))
            found << element.attributes.value("name").toString();
        return found;
    };
    const QStringList main = names("main.xml");
    for (const char* control :
         {"closebtn",        "maxbtn",        "restorebtn", "minbtn",         "pinbtn",
          "menubtn",         "infobtn",       "vTop",       "vBottom",        "video_area",
          "slider_progress", "slider_volume", "lblvideo",   "lbl_time",       "lbl_speed",
          "btn_open",        "btn_play",      "btn_stop",   "btn_fullscreen", "btn_forward",
          "btn_backward",    "btn_volume",    "btn_speed",  "btn_subtitle"})
        EXPECT_EQ(main.count(control), 1) << control;
    const QStringList about = names("about.xml");
    for (const char* control : {"closebtn", "lblVersion", "homepage_btn"})
        EXPECT_EQ(about.count(control), 1) << control;
}

// Every image a layout refers to, directly or inside a style, must be in the package.
TEST(SkinDocuments, LayoutImagesArePackaged) {
    const QStringList names = EmbeddedSkin().Names();
    static const QRegularExpression imagePath(QStringLiteral(R"([\w/@.-]+\.png)"));
    int checked = 0;
    for (const char* layout : {"main.xml", "about.xml"}) {
        for (const Element& element : Elements(layout)) {
            for (const QXmlStreamAttribute& attribute : element.attributes) {
                auto matches = imagePath.globalMatch(attribute.value());
                while (matches.hasNext()) {
                    const QString path = matches.next().captured();
                    EXPECT_TRUE(names.contains(path)) << layout << " names " << path.toStdString();
                    ++checked;
                }
            }
        }
    }
    // Two shadows, five slider parts, three looks of 20 buttons, three of the logo, and the
    // three images of each of the six styles for the buttons that change with the state.
    EXPECT_EQ(checked, 2 + 5 + 20 * 3 + 3 + 6 * 3);
}

TEST(SkinDocuments, SpeedMenuListsTenSpeedsInOrder) {
    std::vector<std::pair<QString, QString>> items;
    for (const Element& element : Elements("speed_menu.xml")) {
        if (element.tag == QLatin1String("MenuElement"))
            items.emplace_back(element.attributes.value("name").toString(),
                               element.attributes.value("text").toString());
    }
    const std::vector<std::pair<QString, QString>> expected{
        {"menu_speed_25", "0.25x"},  {"menu_speed_50", "0.5x"},  {"menu_speed_100", "1x"},
        {"menu_speed_125", "1.25x"}, {"menu_speed_150", "1.5x"}, {"menu_speed_175", "1.75x"},
        {"menu_speed_200", "2x"},    {"menu_speed_250", "2.5x"}, {"menu_speed_300", "3x"},
        {"menu_speed_400", "4x"}};
    EXPECT_EQ(items, expected);
}

// The subtitle menu is filled at run time, so its Menu element starts out empty; both menus
// share the same frame.
TEST(SkinDocuments, SubtitleMenuStartsEmpty) {
    const std::vector<Element> elements = Elements("subtitle_menu.xml");
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements.back().tag, "Menu");
    EXPECT_EQ(std::count_if(elements.begin(), elements.end(),
                            [](const Element& e) { return e.tag == QLatin1String("MenuElement"); }),
              0);
    QStringList frame;
    for (const Element& element : elements) frame << element.tag;
    QStringList speedFrame;
    for (const Element& element : Elements("speed_menu.xml"))
        if (element.tag != QLatin1String("MenuElement")) speedFrame << element.tag;
    EXPECT_EQ(frame, speedFrame);
}

}  // namespace
