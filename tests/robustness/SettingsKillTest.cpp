// A saver killed with SIGKILL at 200 different instants while it saves a store of 10 000
// entries. After every kill each settings file holds exactly its old bytes or exactly the
// bytes the save meant to write, what a killed save leaves behind never piles up (the next
// save clears it), and the next save works.
//
// The instants are counted in looks at the folder, not in time: half of the kills come
// a growing number of looks after the save starts, spread over a whole save's length; the
// other half a growing number of looks after a new file (the save's temporary file) shows
// up, which aims them at the write, the flush and the rename.
#include <dirent.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <iostream>
#include <set>
#include <string>

#include "ExpectedFiles.h"
#include "SaverProcess.h"
#include "TestFiles.h"
#include "settings/SettingsStore.h"

namespace {

using namespace std::chrono_literals;

constexpr int kEntries = 10000;
constexpr int kKills = 200;
// A kill that comes after the save has finished does not count; the test goes on until
// kKills saves were killed mid-way, with room for as many misses.
constexpr int kMaxRounds = 2 * kKills;
// How many different offsets each kind of instant is spread over.
constexpr int kSpread = kKills / 2;
const QString kPrefix = QStringLiteral("k");

bool IsOwnFile(const std::string& name) {
    return name == "config.ini" || name == "progress.ini" || name == "config.ini.lock" ||
           name == "progress.ini.lock";
}

// Everything in the folder other than the two files and their lock files: what a save is
// writing, or what a killed one left.
std::set<std::string> Strays(const QString& folder) {
    std::set<std::string> names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && !IsOwnFile(name)) names.insert(name);
    }
    ::closedir(dir);
    return names;
}

std::string Describe(const std::set<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

enum class Anchor { SaveStarts, NewFileAppears };

// Where a saver is killed: `looks` looks at the folder after `anchor`; never when negative.
struct KillPoint {
    Anchor anchor = Anchor::SaveStarts;
    int looks = -1;
};

// How a save ended, and how long it lasted in looks at the folder.
struct SaveRun {
    bool killedMidSave = false;  // killed before it could report the save done
    bool newFileAtKill = false;  // the last look before the kill saw the save's new file
    int looks = 0;
    int looksWithNewFile = 0;
};

class SettingsKillTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path() + QStringLiteral("/MoviraPlayer");
        ASSERT_TRUE(QDir().mkpath(folder_));
        // Generation 0 is written by the test itself, in the store's own format.
        config_ = saver::ConfigBytes(0);
        progress_ = saver::ProgressBytes(kPrefix, kEntries, 0);
        ASSERT_TRUE(WriteFile(configPath(), config_));
        ASSERT_TRUE(WriteFile(progressPath(), progress_));
    }

    QString configPath() const { return folder_ + QStringLiteral("/config.ini"); }
    QString progressPath() const { return folder_ + QStringLiteral("/progress.ini"); }

    // Runs one saver of `generation` and kills it at `point`. Use with ASSERT_NO_FATAL_FAILURE.
    void runSaver(int generation, KillPoint point, SaveRun* run) {
        const std::set<std::string> before = Strays(folder_);
        SaverProcess saver;
        QString error;
        ASSERT_TRUE(saver.start({QStringLiteral("once"), folder_, kPrefix,
                                 QString::number(kEntries), QString::number(generation)},
                                &error))
            << error.toStdString();
        ASSERT_EQ(saver.readLine(60s).value_or(QString()).toStdString(), "saving")
            << saver.errors().toStdString();

        // Looks at the folder until the kill or the end of the save; the deadline only keeps
        // a saver that never reports from hanging the test.
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        bool anchored = point.anchor == Anchor::SaveStarts;
        int counted = 0;
        bool killed = false;
        while (!saver.lineReady()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the save never ended";
            const std::set<std::string> now = Strays(folder_);
            const bool newFile = std::any_of(
                now.begin(), now.end(), [&](const std::string& n) { return before.count(n) == 0; });
            anchored = anchored || newFile;
            if (anchored && point.looks >= 0 && counted++ == point.looks) {
                run->newFileAtKill = newFile;
                saver.killNow();
                killed = true;
                break;
            }
            ++run->looks;
            if (newFile) ++run->looksWithNewFile;
        }
        ASSERT_TRUE(saver.waitForEnd(30s)) << "the saver did not end";
        bool reportedDone = false;
        while (const auto line = saver.readLine(0ms)) {
            ASSERT_NE(line->toStdString(), "failed") << "a save failed";
            reportedDone = reportedDone || *line == QStringLiteral("saved");
        }
        if (killed && saver.killedBySignal()) {
            run->killedMidSave = !reportedDone;
        } else {
            ASSERT_TRUE(reportedDone) << saver.errors().toStdString();
            ASSERT_FALSE(saver.killedBySignal());
            ASSERT_EQ(saver.exitCode(), 0);
        }
    }

    // After a save of `generation` ended, however it ended: each file holds its old or its
    // new bytes, and no more than one leftover per file. What is there becomes the old
    // content for the next save.
    void checkFolder(int generation, const std::string& when) {
        const QByteArray config = ReadFile(configPath());
        const QByteArray progress = ReadFile(progressPath());
        const QByteArray newConfig = saver::ConfigBytes(generation);
        const QByteArray newProgress = saver::ProgressBytes(kPrefix, kEntries, generation);
        EXPECT_TRUE(config == config_ || config == newConfig)
            << when << ": config.ini is neither its old nor its new content:\n"
            << config.left(300).toStdString();
        EXPECT_TRUE(progress == progress_ || progress == newProgress)
            << when << ": progress.ini (" << progress.size() << " bytes; old " << progress_.size()
            << ", new " << newProgress.size() << ") is neither its old nor its new content";
        const std::set<std::string> strays = Strays(folder_);
        EXPECT_LE(strays.size(), 2u) << when << ": leftovers pile up: " << Describe(strays);
        config_ = config;
        progress_ = progress;
    }

    QTemporaryDir dir_;
    QString folder_;
    QByteArray config_;
    QByteArray progress_;
};

TEST_F(SettingsKillTest, FilesStayWholeWhenTheSaverIsKilledMidSave) {
    // One save run to its end first: it shows the whole save writes exactly the new bytes,
    // and how many looks a save lasts.
    SaveRun whole;
    ASSERT_NO_FATAL_FAILURE(runSaver(1, {}, &whole));
    ASSERT_TRUE(ReadFile(configPath()) == saver::ConfigBytes(1)) << "config.ini";
    ASSERT_TRUE(ReadFile(progressPath()) == saver::ProgressBytes(kPrefix, kEntries, 1))
        << "progress.ini";
    ASSERT_NO_FATAL_FAILURE(checkFolder(1, "the whole save"));
    ASSERT_GT(whole.looks, 0);

    int generation = 1;
    int kills = 0;
    int killsWithNewFile = 0;
    for (int round = 0; kills < kKills && round < kMaxRounds; ++round) {
        ++generation;
        const int step = (round / 2) % kSpread;
        KillPoint point;
        if (round % 2 == 0) {
            point = {Anchor::SaveStarts, step * whole.looks / kSpread};
        } else {
            point = {Anchor::NewFileAppears, step * (whole.looksWithNewFile + 1) / kSpread};
        }
        SaveRun run;
        const std::string when = "round " + std::to_string(round);
        ASSERT_NO_FATAL_FAILURE(runSaver(generation, point, &run)) << when;
        ASSERT_NO_FATAL_FAILURE(checkFolder(generation, when));
        if (HasFailure()) return;
        if (run.killedMidSave) {
            ++kills;
            if (run.newFileAtKill) ++killsWithNewFile;
        }
    }
    EXPECT_EQ(kills, kKills) << "too many kills came after the save had finished";

    // The next save works, clears what the last killed one left, and writes the new bytes.
    ++generation;
    SaveRun last;
    ASSERT_NO_FATAL_FAILURE(runSaver(generation, {}, &last));
    EXPECT_TRUE(ReadFile(configPath()) == saver::ConfigBytes(generation)) << "config.ini";
    EXPECT_TRUE(ReadFile(progressPath()) == saver::ProgressBytes(kPrefix, kEntries, generation))
        << "progress.ini";
    EXPECT_EQ(Describe(Strays(folder_)), "");
    SettingsStore store(folder_);
    store.Load();
    EXPECT_EQ(store.m_resume.size(), static_cast<size_t>(kEntries));
    EXPECT_EQ(store.m_volume, saver::Config(generation).volume);

    std::cout << "killed " << kills << " saves of " << kEntries << " entries mid-way ("
              << killsWithNewFile << " while its new file was in the folder), in " << generation - 1
              << " saves; a whole save lasted " << whole.looks << " looks at the folder\n";
}

}  // namespace
