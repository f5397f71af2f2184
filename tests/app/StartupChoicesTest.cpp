#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QTranslator>

#include "RecordingMessageBox.h"
#include "ScriptedLibraryLoader.h"
#include "app/CommandLine.h"
#include "app/LanguageChoice.h"
#include "app/StartupTexts.h"
#include "engine/EngineLoader.h"
#include "platform/FileDialogService.h"
#include "platform/FileName.h"
#include "platform/MessageBoxService.h"
#include "platform/UiLanguage.h"
#include "toolkit/ResourceManager.h"

namespace {
QString Text(const char* id) {
    return CResourceManager::GetInstance().GetText(QString::fromLatin1(id));
}
}  // namespace

TEST(LanguageChoice, EachPrimaryLanguageAsksForItsTable) {
    EXPECT_EQ(LanguageFileFor(platform::kLangChinese), QStringLiteral("lan_zh.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangGerman), QStringLiteral("lan_de.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangSpanish), QStringLiteral("lan_es.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangFrench), QStringLiteral("lan_fr.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangItalian), QStringLiteral("lan_it.xml"));
    EXPECT_EQ(LanguageFileFor(platform::kLangEnglish), QStringLiteral("lan_en.xml"));
    EXPECT_EQ(LanguageFileFor(17), QStringLiteral("lan_en.xml"));  // Japanese
}

// Every Chinese locale shows Chinese; the four languages the package lacks fall back to English.
TEST(LanguageChoice, LoadsChineseOrFallsBackToEnglish) {
    for (const char* locale : {"zh_CN.UTF-8", "zh_TW.UTF-8", "zh_HK", "zh_SG", "zh"}) {
        const int lang = platform::PrimaryLanguageFrom([&](const char* name) {
            return QString::fromLatin1(name) == u"LANG" ? QString::fromLatin1(locale) : QString();
        });
        EXPECT_EQ(LoadInterfaceLanguage(lang), QStringLiteral("lan_zh.xml")) << locale;
        EXPECT_EQ(Text("play"), QStringLiteral("播放")) << locale;
        EXPECT_EQ(Text("subtitle_close"), QStringLiteral("关闭字幕"));
    }
    for (int lang : {platform::kLangGerman, platform::kLangSpanish, platform::kLangFrench,
                     platform::kLangItalian, platform::kLangEnglish}) {
        EXPECT_EQ(LoadInterfaceLanguage(lang), QStringLiteral("lan_en.xml")) << lang;
        EXPECT_EQ(Text("play"), QStringLiteral("Play"));
        EXPECT_EQ(Text("fullscreen"), QStringLiteral("Fullscreen"));
    }
}

TEST(LanguageChoice, MissingTableKeepsTheLoadedOne) {
    ASSERT_EQ(LoadInterfaceLanguage(platform::kLangChinese), QStringLiteral("lan_zh.xml"));
    EXPECT_FALSE(CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_de.xml")));
    EXPECT_EQ(Text("stop"), QStringLiteral("停止"));
    EXPECT_EQ(Text("no_such_id"), QStringLiteral("no_such_id"));
}

namespace {
// The two boxes of a start-up without the playback library, with the loader's errors as
// given, a placeholder-like text among them.
std::vector<platform::MessageBoxTexts> FailureBoxes() {
    ScriptedLibraryLoader loader;
    RecordingMessageBox boxes;
    EngineApi api;
    EXPECT_FALSE(LoadEngineLibrary(api, loader, boxes, {"libmpv.so.2", "libmpv.so.1 100%1 %2"},
                                   EngineFailedBox()));
    // The second box names the library the program looks for first on this system.
    std::vector<platform::MessageBoxTexts> shown;
    for (const auto& box : boxes.boxes) shown.push_back({box.caption, box.text});
    shown.push_back(EngineMissingBox());
    return shown;
}
}  // namespace

// The boxes as the user reads them: the loader's errors in the first, what to do in the
// second. Chinese desktops read them as they always have; a table without them (a skin
// package that cannot be read) gives the English table's.
TEST(StartupTexts, FailureBoxesSpeakTheTablesLanguage) {
    const QString errors =
        QStringLiteral("libmpv.so.2: not present\nlibmpv.so.1 100%1 %2: not present");
    LoadInterfaceLanguage(platform::kLangChinese);
    auto boxes = FailureBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("失败"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("错误码: ") + errors);
    EXPECT_EQ(boxes[1].caption, QStringLiteral("错误"));
    const QString library = QString::fromStdString(kEngineLibraryNames.front());
    EXPECT_EQ(boxes[1].text, QStringLiteral("找不到 %1，请确保它和程序在同一目录").arg(library));

    LoadInterfaceLanguage(platform::kLangEnglish);
    const auto english = FailureBoxes();
    ASSERT_EQ(english.size(), 2u);
    EXPECT_EQ(english[0].caption, QStringLiteral("Playback library not loaded"));
    EXPECT_EQ(english[0].text,
              QStringLiteral("The playback library could not be loaded:\n") + errors);
    EXPECT_EQ(english[1].caption, QStringLiteral("MoviraPlayer cannot start"));
    EXPECT_TRUE(english[1].text.startsWith(
        QStringLiteral("MoviraPlayer cannot start without its playback library, libmpv (%1), which")
            .arg(library)))
        << english[1].text.toStdString();
    EXPECT_TRUE(english[1].text.contains(QStringLiteral("the package libmpv2")));
    EXPECT_TRUE(
        english[1].text.contains(QStringLiteral("put %1 in the program's folder").arg(library)));

    ASSERT_TRUE(CResourceManager::GetInstance().LoadLanguageFromData(
        "<Res><Text id=\"play\" value=\"Play\"/></Res>"));
    boxes = FailureBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(boxes[i].caption, english[i].caption);
        EXPECT_EQ(boxes[i].text, english[i].text);
    }
    LoadInterfaceLanguage(platform::kLangEnglish);
}

// Each line: the arguments after the program's name, then what they ask for.
struct CommandLineCase {
    const char* name;
    QList<QByteArray> arguments;
    CommandLineRequest::Action action;
    QString media;
};

TEST(CommandLine, EachArgumentListAsksForItsAction) {
    using Action = CommandLineRequest::Action;
    const QString latin1 = QString::fromUtf16(u"caf\xDCE9.mp4");  // byte E9 escaped
    const CommandLineCase cases[] = {
        {"nothing", {}, Action::Play, {}},
        {"plain path", {"/m/a b.mp4"}, Action::Play, QStringLiteral("/m/a b.mp4")},
        {"Chinese path", {"/m/\xE8\xA7\x86.mp4"}, Action::Play, QStringLiteral(u"/m/视.mp4")},
        {"several files", {"/m/a.mp4", "/m/c.mp4"}, Action::Play, QStringLiteral("/m/a.mp4")},
        {"empty first file", {"", "/m/c.mp4"}, Action::Play, {}},
        {"-- then a Qt option", {"--", "-style"}, Action::Play, QStringLiteral("-style")},
        {"Qt option as a file", {"-reverse"}, Action::Play, QStringLiteral("-reverse")},
        {"unknown option as a file",
         {"--fullscreen", "a.mp4"},
         Action::Play,
         QStringLiteral("--fullscreen")},
        {"-- then --help", {"--", "--help"}, Action::Play, QStringLiteral("--help")},
        {"-- twice", {"--", "--"}, Action::Play, QStringLiteral("--")},
        {"-- alone", {"--"}, Action::Play, {}},
        {"--version", {"--version"}, Action::ShowVersion, {}},
        {"--help", {"--help"}, Action::ShowHelp, {}},
        {"-h", {"-h"}, Action::ShowHelp, {}},
        {"option after a file", {"a.mp4", "--version"}, Action::ShowVersion, {}},
        {"first option decides", {"-h", "--version"}, Action::ShowHelp, {}},
#ifdef _WIN32
        {"file URI",
         {"file:///C:/tmp/a%20b.mp4"},
         Action::Play,
         QStringLiteral("C:\\tmp\\a b.mp4")},
        {"file URI of localhost", {"file://localhost/D:/x"}, Action::Play, QStringLiteral("D:\\x")},
        {"file URI of a share",
         {"file://nas/films/x"},
         Action::Play,
         QStringLiteral("\\\\nas\\films\\x")},
        {"file URI without a drive",
         {"file:///tmp/x"},
         Action::Play,
         QStringLiteral("file:///tmp/x")},
        {"-- then a file URI", {"--", "file:///C:/a%20b"}, Action::Play, QStringLiteral("C:\\a b")},
#else
        {"file URI", {"file:///tmp/a%20b.mp4"}, Action::Play, QStringLiteral("/tmp/a b.mp4")},
        {"file URI, byte not UTF-8",
         {"file:///tmp/caf%E9.mp4"},
         Action::Play,
         QStringLiteral("/tmp/") + latin1},
        {"file URI of localhost", {"file://localhost/x"}, Action::Play, QStringLiteral("/x")},
        {"file URI of another host",
         {"file://nas/x"},
         Action::Play,
         QStringLiteral("file://nas/x")},
        {"-- then a file URI", {"--", "file:///a%20b"}, Action::Play, QStringLiteral("/a b")},
#endif
        {"address",
         {"http://host/a%20b.mp4?x=1"},
         Action::Play,
         QStringLiteral("http://host/a%20b.mp4?x=1")},
        {"raw name not UTF-8", {"caf\xE9.mp4"}, Action::Play, latin1},
    };
    for (const CommandLineCase& c : cases) {
        const CommandLineRequest request = ReadCommandLine(c.arguments);
        EXPECT_EQ(request.action, c.action) << c.name;
        EXPECT_EQ(request.media, c.media) << c.name;
    }
    // The escaped names stand for the very bytes given.
#ifndef _WIN32
    EXPECT_EQ(platform::EncodeFileName(ReadCommandLine({"file:///tmp/caf%E9.mp4"}).media),
              "/tmp/caf\xE9.mp4");
#endif
    EXPECT_EQ(platform::EncodeFileName(ReadCommandLine({"caf\xE9.mp4"}).media), "caf\xE9.mp4");

    // Files named together are the queue in their order; later empty ones are left out.
    EXPECT_EQ(ReadCommandLine({"ep 2.mp4", "", "--", "http://host/ep 3", "-"}).files,
              (QStringList{QStringLiteral("ep 2.mp4"), QStringLiteral("http://host/ep 3"),
                           QStringLiteral("-")}));
    EXPECT_TRUE(ReadCommandLine({"", "ep 2.mp4"}).files.isEmpty()) << "an empty first names none";
    EXPECT_EQ(ReadCommandLine({"a.mp4"}).files, QStringList{QStringLiteral("a.mp4")});
}

namespace {

// What the next modal dialog shows, read once it is up; it is then cancelled.
struct ModalTexts {
    QString title;
    QStringList buttons;  // without their mnemonic '&'
    QStringList types;    // the file dialog's list of file types
};

class ModalReader {
  public:
    ModalReader() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            m_timer.stop();
            texts.title = modal->windowTitle();
            for (const QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
                if (button->isVisible() && !button->text().isEmpty())
                    texts.buttons << button->text().remove(u'&');
            }
            if (const auto* types = modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
                for (int i = 0; i < types->count(); ++i) texts.types << types->itemText(i);
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        });
        m_timer.start(10);
    }
    ModalTexts texts;

  private:
    QTimer m_timer;
};

}  // namespace

// Qt's own texts follow the interface: Chinese with Qt's Chinese catalogue installed,
// English otherwise.
TEST(QtTranslation, MessageBoxAndFileDialogSpeakTheInterfaceLanguage) {
    for (const int language : {platform::kLangChinese, platform::kLangEnglish}) {
        const bool chinese = language == platform::kLangChinese;
        QTranslator translator;
        ASSERT_EQ(InstallQtTranslation(translator, language), chinese)
            << "Qt's Chinese catalogue missing? (qt6-translations-l10n)";

        ModalReader box;
        platform::SystemMessageBox().Show(QStringLiteral("text"), QStringLiteral("caption"),
                                          platform::MessageBoxIcon::Error);
        EXPECT_EQ(box.texts.buttons,
                  QStringList(chinese ? QStringLiteral("确定") : QStringLiteral("OK")));

        ModalReader dialog;
        EXPECT_FALSE(platform::SystemFileDialog().AskOpenFile(
            nullptr, {{QStringLiteral("Media"), QStringLiteral("*.mp4;*.mkv")},
                      {QStringLiteral("All"), QStringLiteral("*")}}));
        // Named without their patterns, which for media files would be some eighty long.
        EXPECT_EQ(dialog.texts.types,
                  (QStringList{QStringLiteral("Media"), QStringLiteral("All")}));
        EXPECT_EQ(dialog.texts.title, chinese ? QStringLiteral("打开") : QStringLiteral("Open"));
        const QString cancel = chinese ? QStringLiteral("取消") : QStringLiteral("Cancel");
        EXPECT_TRUE(dialog.texts.buttons.contains(cancel))
            << dialog.texts.buttons.join(u'|').toStdString();
    }
}
