// Saving and loading the settings files with a growing number of resume entries. The player
// saves on every close and file change and never forgets an entry, so a long-used player's
// "progress.ini" only grows; these show how the cost follows its size.

#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>
#include <optional>

#include "settings/SettingsStore.h"

namespace {

QString StoreFolder(const QTemporaryDir& dir) {
    return dir.path() + QStringLiteral("/MoviraPlayer/");
}

// Adds count entries as the player makes them: keyed by the path of a played file, with a
// position and the window's placement. A few keys may collide in the 32-bit hash, as they would for
// a user; the "entries" counter reports how many distinct ones there are.
void AddEntries(SettingsStore& store, int count) {
    for (int i = 0; i < count; ++i) {
        const QString path =
            QStringLiteral("/home/user/Videos/series %1/episode %2.mkv").arg(i / 100).arg(i % 100);
        ResumeEntry& entry = store.EntryFor(path);
        entry.progress = 12.5 + (i % 7200);
        entry.x = 240 + i % 50;
        entry.y = 100 + i % 30;
        entry.w = 850;
        entry.h = 450 + i % 100;
    }
}

// Adds the run's number of entries and saves them; false, with the run skipped as `failure`,
// when the save failed.
bool SaveEntries(SettingsStore& store, benchmark::State& state, const char* failure) {
    AddEntries(store, static_cast<int>(state.range(0)));
    if (store.Save()) return true;
    state.SkipWithError(failure);
    return false;
}

// From a new user's file to a very long-used one; the cost should grow linearly.
void EntryCounts(benchmark::internal::Benchmark* run) {
    for (const int count : {10, 1000, 10000, 100000}) run->Arg(count);
    run->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

// Save with the files already on disk, as for every save after the first: both files are
// read again and merged. One entry's position has changed, as when the player closes over
// a file, so "progress.ini" is written to a temporary file that is flushed and renamed;
// "config.ini" is unchanged and is left as it is.
void BM_SettingsSave(benchmark::State& state) {
    QTemporaryDir dir;
    SettingsStore store(StoreFolder(dir));
    if (!SaveEntries(store, state, "the first save failed")) return;
    ResumeEntry& played = store.m_resume.begin()->second;
    for (auto _ : state) {
        played.progress += 1.0;
        if (!store.Save()) {
            state.SkipWithError("save failed");
            return;
        }
    }
    state.SetComplexityN(state.range(0));
    state.counters["entries"] = static_cast<double>(store.m_resume.size());
}
BENCHMARK(BM_SettingsSave)->Apply(EntryCounts);

// Load into a fresh store, as at start-up. Throwing the store away afterwards is not timed.
void BM_SettingsLoad(benchmark::State& state) {
    QTemporaryDir dir;
    {
        SettingsStore writer(StoreFolder(dir));
        if (!SaveEntries(writer, state, "the save before loading failed")) return;
    }
    std::optional<SettingsStore> store;
    std::size_t loaded = 0;
    for (auto _ : state) {
        store.emplace(StoreFolder(dir));
        store->Load();
        loaded = store->m_resume.size();
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.counters["entries"] = static_cast<double>(loaded);
}
BENCHMARK(BM_SettingsLoad)->Apply(EntryCounts);

}  // namespace
