#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "settings/ResumeKey.h"
#include "settings/SettingsStore.h"

namespace {

void ExpectEntry(const ResumeEntry* entry, const ResumeEntry& expected) {
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->progress, expected.progress);
    EXPECT_EQ(entry->x, expected.x);
    EXPECT_EQ(entry->y, expected.y);
    EXPECT_EQ(entry->w, expected.w);
    EXPECT_EQ(entry->h, expected.h);
}

class SettingsStoreTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::unique_ptr<SettingsStore> Loaded() const {
        auto store = std::make_unique<SettingsStore>(folder);
        store->Load();
        return store;
    }

    QTemporaryDir dir;
    const QString folder = dir.path() + "/MoviraPlayer/";
    const QString config = folder + "config.ini";
    const QString progress = folder + "progress.ini";
};

TEST_F(SettingsStoreTest, DefaultsWithoutFiles) {
    SettingsStore store(folder);
    EXPECT_EQ(store.m_language, "lan_zh.xml");
    store.Load();
    EXPECT_EQ(store.m_volume, 100.0);
    EXPECT_FALSE(store.m_mute);
    EXPECT_FALSE(store.m_topMost);
    EXPECT_EQ(store.m_language, "lan_en.xml");
    EXPECT_TRUE(store.m_resume.empty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// Flags are on only for the integer 1; volumes and positions are decimal numbers or 0.
TEST_F(SettingsStoreTest, ValuesReadByTheirKind) {
    struct Case {
        const char* volume;  // null: no Volume key
        const char* flag;    // Mute and TopMost
        double expectedVolume;
        bool expectedFlag;
    };
    const Case cases[] = {
        {"55.5", "1", 55.5, true},     {" +7.25 ", " 1 ", 7.25, true}, {"42abc", "2", 42, false},
        {"abc", "true", 0, false},     {"nan", "-1", 0, false},        {"inf", "0", 0, false},
        {"1e999", "01", 0, true},      {"0x10", "1abc", 0, true},      {"", "", 0, false},
        {nullptr, "\"1\"", 100, true}, {"-.5", "+1", -0.5, true},
    };
    for (const Case& c : cases) {
        QByteArray text = "[Settings]\nMute=" + QByteArray(c.flag) + "\nTopMost=" + c.flag + "\n";
        if (c.volume != nullptr) {
            text += "Volume=" + QByteArray(c.volume) + "\n";
        }
        ASSERT_TRUE(QDir().mkpath(folder) && WriteFile(config, text));
        const auto store = Loaded();
        EXPECT_EQ(store->m_volume, c.expectedVolume) << text.constData();
        EXPECT_EQ(store->m_mute, c.expectedFlag) << text.constData();
        EXPECT_EQ(store->m_topMost, c.expectedFlag) << text.constData();
    }

    ASSERT_TRUE(WriteFile(progress,
                          "[1]\nprogress=12.5\nx=abc\ny=\n[2]\n[3]\nprogress=bad\nw=640\nh=360\n"));
    const auto store = Loaded();
    ExpectEntry(&store->m_resume.at("1"), {12.5, 0, -1, 0, 0});
    ExpectEntry(&store->m_resume.at("2"), {0.0, -1, -1, 0, 0});
    ExpectEntry(&store->m_resume.at("3"), {0.0, -1, -1, 640, 360});
}

// The files use a full stop whatever the locale; keys come out sorted as text.
void ExpectSavedFormats(const QString& folder) {
    SettingsStore store(folder);
    store.m_volume = 55;
    store.m_resume["9"] = {83.25, -3, 7, 640, 360};
    store.m_resume["10"] = {1234.5678, 2147483647, -2147483647 - 1, 1, 2};
    store.m_resume["1"] = {};
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(folder + "config.ini"),
              "[Settings]\nVolume=55.0\nMute=0\nTopMost=0\nLanguage=lan_zh.xml\n");
    EXPECT_EQ(ReadFile(folder + "progress.ini"),
              "[1]\nprogress=0.000\nx=-1\ny=-1\nw=0\nh=0\n"
              "[10]\nprogress=1234.568\nx=2147483647\ny=-2147483648\nw=1\nh=2\n"
              "[9]\nprogress=83.250\nx=-3\ny=7\nw=640\nh=360\n");
    SettingsStore reread(folder);
    reread.Load();
    EXPECT_EQ(reread.m_volume, 55.0);
    EXPECT_EQ(reread.m_resume.at("9").progress, 83.25);
}

TEST_F(SettingsStoreTest, NumbersAreWrittenInFixedFormats) { ExpectSavedFormats(folder); }

// Puts the process's numeric locale and Qt's default locale back, whatever the test did.
class NumericLocaleGuard {
  public:
    ~NumericLocaleGuard() {
        QLocale::setDefault(m_qtDefault);
        std::setlocale(LC_NUMERIC, m_numeric.c_str());
    }

  private:
    const std::string m_numeric = std::setlocale(LC_NUMERIC, nullptr);
    const QLocale m_qtDefault;
};

TEST_F(SettingsStoreTest, GermanNumericLocaleChangesNothing) {
    const NumericLocaleGuard guard;
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    char sample[16];
    std::snprintf(sample, sizeof sample, "%.1f", 1.5);
    ASSERT_STREQ(sample, "1,5");  // the locale is really in force
    ExpectSavedFormats(folder);
}

TEST_F(SettingsStoreTest, UnknownContentSurvivesAndKnownKeysUpdateInPlace) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(
        WriteFile(config, "; note\n[Settings]\nvolume=10\nExtra=keep\n[Plugins]\nfoo=bar\n"));
    ASSERT_TRUE(WriteFile(progress, "[123]\nprogress=50.000\nnote=hi\n"));
    const auto store = Loaded();
    store->m_volume = 37.5;
    store->m_mute = store->m_topMost = true;
    store->m_language = "lan_x.xml";
    store->EntryFor("/v.mkv") = {12.5, 1, 2, 3, 4};
    ASSERT_TRUE(store->Save());

    EXPECT_EQ(ReadFile(config),
              "; note\n[Settings]\nvolume=37.5\nExtra=keep\nMute=1\nTopMost=1\n"
              "Language=lan_x.xml\n[Plugins]\nfoo=bar\n");
    // A section that lacked keys gets them all.
    EXPECT_EQ(ReadFile(progress), "[123]\nprogress=50.000\nnote=hi\nx=-1\ny=-1\nw=0\nh=0\n[" +
                                      ResumeKey("/v.mkv").toUtf8() +
                                      "]\nprogress=12.500\nx=1\ny=2\nw=3\nh=4\n");
    const auto reread = Loaded();
    EXPECT_EQ(reread->m_volume, 37.5);
    EXPECT_TRUE(reread->m_mute && reread->m_topMost);
    EXPECT_EQ(reread->m_language, "lan_x.xml");
    ExpectEntry(reread->FindEntry("/v.mkv"), {12.5, 1, 2, 3, 4});
}

// Erasing forgets the entry in memory only; the next player to load finds it again.
TEST_F(SettingsStoreTest, ErasedEntryStaysInTheFile) {
    SettingsStore store(folder);
    store.EntryFor("/a.mkv").progress = 30;
    EXPECT_EQ(store.FindEntry("/b.mkv"), nullptr);
    ASSERT_TRUE(store.Save());
    store.EraseEntry("/a.mkv");
    EXPECT_EQ(store.FindEntry("/a.mkv"), nullptr);
    ExpectEntry(&store.EntryFor("/c.mkv"), ResumeEntry{});
    ASSERT_TRUE(store.Save());

    const auto reread = Loaded();
    ExpectEntry(reread->FindEntry("/a.mkv"), {30, -1, -1, 0, 0});
    EXPECT_NE(reread->FindEntry("/c.mkv"), nullptr);
}

// A save that died between writing and renaming leaves only its temporary files behind.
TEST_F(SettingsStoreTest, InterruptedSaveLeavesTheOldFilesLoadable) {
    SettingsStore store(folder);
    store.m_volume = 55;
    store.EntryFor("/a.mkv").progress = 10;
    ASSERT_TRUE(store.Save());
    ASSERT_TRUE(WriteFile(config + ".tmp-5f3a", "[Settings]\nVolume=9"));
    ASSERT_TRUE(WriteFile(progress + ".tmp-5f3a", "[1"));

    const auto reread = Loaded();
    EXPECT_EQ(reread->m_volume, 55.0);
    ExpectEntry(reread->FindEntry("/a.mkv"), {10, -1, -1, 0, 0});
    reread->m_volume = 60;
    ASSERT_TRUE(reread->Save());
    EXPECT_EQ(Loaded()->m_volume, 60.0);
    EXPECT_EQ(FolderEntries(folder),
              QStringList({"config.ini", "config.ini.lock", "progress.ini", "progress.ini.lock"}));
}

TEST_F(SettingsStoreTest, TwoPlayersSavingInTurnKeepBothEntries) {
    const auto first = Loaded();
    const auto second = Loaded();
    first->EntryFor("/one.mkv").progress = 10;
    ASSERT_TRUE(first->Save());
    second->EntryFor("/two.mkv").progress = 20;
    ASSERT_TRUE(second->Save());
    first->EntryFor("/one.mkv").progress = 11;  // first still knows nothing of /two.mkv
    ASSERT_TRUE(first->Save());

    const auto third = Loaded();
    EXPECT_EQ(third->m_resume.size(), 2u);
    ExpectEntry(third->FindEntry("/one.mkv"), {11, -1, -1, 0, 0});
    ExpectEntry(third->FindEntry("/two.mkv"), {20, -1, -1, 0, 0});
}

TEST_F(SettingsStoreTest, AnUntouchedEntryDoesNotPutBackAnOlderPosition) {
    const auto setup = Loaded();
    setup->EntryFor("/film.mkv").progress = 10;
    ASSERT_TRUE(setup->Save());
    const auto first = Loaded();
    const auto second = Loaded();
    second->EntryFor("/film.mkv").progress = 20;
    ASSERT_TRUE(second->Save());
    first->m_volume = 40;  // first saves other things, never touching /film.mkv
    ASSERT_TRUE(first->Save());
    ExpectEntry(Loaded()->FindEntry("/film.mkv"), {20, -1, -1, 0, 0});

    // A change made after the last save is written, even back to a value seen before.
    first->EntryFor("/film.mkv").progress = 12;
    ASSERT_TRUE(first->Save());
    ExpectEntry(Loaded()->FindEntry("/film.mkv"), {12, -1, -1, 0, 0});
    first->EntryFor("/film.mkv").progress = 10;
    ASSERT_TRUE(first->Save());
    ExpectEntry(Loaded()->FindEntry("/film.mkv"), {10, -1, -1, 0, 0});
}

TEST_F(SettingsStoreTest, EverySectionLoadsHoweverMany) {
    QByteArray text;
    for (int i = 0; i < 5000; ++i) {
        text += "[" + QByteArray::number(4000000000u + i) + "]\nprogress=" + QByteArray::number(i) +
                ".5\nx=" + QByteArray::number(i) + "\n";
    }
    ASSERT_TRUE(QDir().mkpath(folder) && WriteFile(progress, text));
    const auto store = Loaded();
    ASSERT_EQ(store->m_resume.size(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        const ResumeEntry& entry = store->m_resume.at(QString::number(4000000000u + i));
        ASSERT_TRUE(entry.progress == i + 0.5 && entry.x == i && entry.y == -1) << i;
    }
}

TEST_F(SettingsStoreTest, FolderThatCannotBeCreatedSavesNothing) {
    ASSERT_TRUE(WriteFile(dir.filePath("file.txt"), "x"));
    SettingsStore store(dir.filePath("file.txt/MoviraPlayer"));
    store.Load();
    EXPECT_EQ(store.m_language, "lan_en.xml");
    store.EntryFor("/a.mkv").progress = 9;
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(ReadFile(dir.filePath("file.txt")), "x");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"file.txt"}));
}

}  // namespace

// The audio track and the subtitle delay chosen for a file go in only once chosen, are
// overwritten once there, and come back; AutoNext is only read, and only 0 turns it off.
TEST_F(SettingsStoreTest, ChoicesPerFileAndAutoNext) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteFile(config, "[Settings]\nAutoNext=0\n"));
    SettingsStore store(folder);
    store.Load();
    EXPECT_FALSE(store.m_autoNext);
    store.EntryFor("/plain.mkv").progress = 7;
    ResumeEntry& chosen = store.EntryFor("/dubbed.mkv");
    chosen.audio = QStringLiteral("fre");
    chosen.subtitleDelay = -0.3;
    ASSERT_TRUE(store.Save());
    EXPECT_TRUE(ReadFile(config).contains("AutoNext=0\n")) << "kept as written by hand";
    const QByteArray written = ReadFile(progress);
    EXPECT_TRUE(written.contains("]\nprogress=7.000\nx=-1\ny=-1\nw=0\nh=0\n[") ||
                written.endsWith("]\nprogress=7.000\nx=-1\ny=-1\nw=0\nh=0\n"))
        << written.toStdString();
    EXPECT_TRUE(written.contains("h=0\naudio=fre\nsubdelay=-0.300\n")) << written.toStdString();

    auto reread = Loaded();
    EXPECT_EQ(reread->FindEntry("/dubbed.mkv")->audio, QStringLiteral("fre"));
    EXPECT_DOUBLE_EQ(reread->FindEntry("/dubbed.mkv")->subtitleDelay, -0.3);
    reread->EntryFor("/dubbed.mkv").audio.clear();
    reread->EntryFor("/dubbed.mkv").subtitleDelay = 0.0;
    ASSERT_TRUE(reread->Save());
    EXPECT_TRUE(ReadFile(progress).contains("h=0\naudio=\nsubdelay=0.000\n"));
    reread = Loaded();
    EXPECT_TRUE(reread->FindEntry("/dubbed.mkv")->audio.isEmpty());
    EXPECT_DOUBLE_EQ(reread->FindEntry("/dubbed.mkv")->subtitleDelay, 0.0);

    for (const char* value : {"1", "2", "yes", ""}) {
        ASSERT_TRUE(WriteFile(config, QByteArray("[Settings]\nAutoNext=") + value + "\n"));
        EXPECT_TRUE(Loaded()->m_autoNext) << value;
    }
}
