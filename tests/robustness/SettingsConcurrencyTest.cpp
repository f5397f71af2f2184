// Four savers save their own entries into one folder in loops for 30 s, as four players
// open at once would. At the end every entry each of them saved is there with the value of
// its last save, and what the folder held before (a hand-made section, a comment) is too.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <iostream>
#include <memory>

#include "SaverProcess.h"
#include "SaverValues.h"
#include "platform/IniFile.h"
#include "settings/SettingsStore.h"

namespace {

using namespace std::chrono_literals;

constexpr int kSavers = 4;
constexpr int kSeconds = 30;
// Entries per saver: each save adds one until there are this many.
constexpr int kEntriesEach = 300;

TEST(SettingsConcurrencyTest, FourSaversInLoopsLoseNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QStringLiteral("/MoviraPlayer");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile seeded(folder + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(seeded.open(QIODevice::WriteOnly));
    seeded.write("; kept by hand\n[hand made]\nnote=still here\n");
    seeded.close();

    const std::array<QString, kSavers> prefixes{QStringLiteral("a"), QStringLiteral("b"),
                                                QStringLiteral("c"), QStringLiteral("d")};
    std::array<std::unique_ptr<SaverProcess>, kSavers> savers;
    for (int i = 0; i < kSavers; ++i) {
        savers[i] = std::make_unique<SaverProcess>();
        QString error;
        ASSERT_TRUE(savers[i]->start({QStringLiteral("loop"), folder, prefixes[i],
                                      QString::number(kEntriesEach), QString::number(kSeconds)},
                                     &error))
            << error.toStdString();
    }
    // All have loaded before any saves, so none holds another's entries.
    for (auto& saver : savers) {
        ASSERT_EQ(saver->readLine(60s).value_or(QString()).toStdString(), "loaded")
            << saver->errors().toStdString();
    }
    for (auto& saver : savers) saver->write("go\n");

    struct Result {
        int generation;
        int entries;
    };
    std::array<Result, kSavers> results{};
    for (int i = 0; i < kSavers; ++i) {
        SCOPED_TRACE(prefixes[i].toStdString());
        const auto line = savers[i]->readLine(std::chrono::seconds(kSeconds) + 120s);
        ASSERT_TRUE(line.has_value()) << "no report; " << savers[i]->errors().toStdString();
        const QStringList words = line->split(QLatin1Char(' '));
        ASSERT_EQ(words.size(), 4) << line->toStdString();
        ASSERT_EQ(words[0].toStdString(), "last");
        EXPECT_EQ(words[3].toStdString(), "0") << "saves failed";
        results[i] = {words[1].toInt(), words[2].toInt()};
        ASSERT_GT(results[i].generation, 0);
        ASSERT_TRUE(savers[i]->waitForEnd(30s));
        EXPECT_FALSE(savers[i]->killedBySignal());
        EXPECT_EQ(savers[i]->exitCode(), 0) << savers[i]->errors().toStdString();
    }

    SettingsStore store(folder);
    store.Load();
    int saves = 0;
    size_t entries = 1;  // the hand-made section, which a store reads as an entry too
    for (int i = 0; i < kSavers; ++i) {
        SCOPED_TRACE(prefixes[i].toStdString());
        const Result& r = results[i];
        saves += r.generation;
        entries += static_cast<size_t>(r.entries);
        int missing = 0;
        int stale = 0;
        for (int index = 0; index < r.entries; ++index) {
            const auto found = store.m_resume.find(saver::EntryKey(prefixes[i], index));
            if (found == store.m_resume.end()) {
                ++missing;
                continue;
            }
            const saver::EntryValues v = saver::Entry(r.generation, index);
            const ResumeEntry& e = found->second;
            if (e.progress != v.progress || e.x != v.x || e.y != v.y || e.w != v.w || e.h != v.h) {
                ++stale;
            }
        }
        EXPECT_EQ(missing, 0) << "of " << r.entries << " entries";
        EXPECT_EQ(stale, 0) << "entries without the value of the last save, generation "
                            << r.generation;
    }
    EXPECT_EQ(store.m_resume.size(), entries)
        << "entries other than the savers' own and the hand-made one";

    const auto progress = platform::IniFile::Read(folder + QStringLiteral("/progress.ini"));
    EXPECT_EQ(progress.String(u"hand made", u"note", QString()).toStdString(), "still here");
    QFile file(folder + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("; kept by hand\n"));
    EXPECT_EQ(
        QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(u' ').toStdString(),
        "config.ini config.ini.lock progress.ini progress.ini.lock");

    std::cout << kSavers << " savers made " << saves << " saves in " << kSeconds << " s\n";
}

}  // namespace
