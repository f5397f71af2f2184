// A process that saves a settings store, for the tests that kill savers or run several at
// once. Its values come from SaverValues.h, so the tests know what every save writes.
//
//   settings_saver once FOLDER PREFIX COUNT GENERATION
//     Gives a store in FOLDER entries PREFIX00000 ... (COUNT of them) and the settings the
//     values of GENERATION, prints "saving", saves once, prints "saved". It does not load
//     the files first: the save merges with them anyway, and a quick start lets the tests
//     that kill savers run many of them.
//
//   settings_saver loop FOLDER PREFIX COUNT SECONDS
//     Loads the store, prints "loaded" and waits for a line on standard input, so that
//     several savers can be started together. Then, until SECONDS have passed, saves
//     generation 1, 2, ...: generation g adds one more entry (until there are COUNT) and
//     gives every entry of PREFIX and the settings the values of g. Prints
//     "last <generation> <entries> <failed saves>" at the end.
//
// Exits 0 when every save wrote both files, 1 when one failed, 2 on bad arguments.
#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <iostream>
#include <string>

#include "SaverValues.h"
#include "settings/SettingsStore.h"

namespace {

void Apply(SettingsStore& store, const QString& prefix, int entries, int generation) {
    const saver::ConfigValues config = saver::Config(generation);
    store.m_volume = config.volume;
    store.m_mute = config.mute;
    store.m_topMost = config.topMost;
    store.m_language = config.language;
    for (int index = 0; index < entries; ++index) {
        const saver::EntryValues v = saver::Entry(generation, index);
        store.m_resume[saver::EntryKey(prefix, index)] =
            ResumeEntry{v.progress, v.x, v.y, v.w, v.h};
    }
}

// Unbuffered by hand: the test reads these lines while the process runs, and a killed
// process never flushes.
void Say(const char* line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int SaveOnce(SettingsStore& store, const QString& prefix, int count, int generation) {
    Apply(store, prefix, count, generation);
    Say("saving");
    const bool saved = store.Save();
    Say(saved ? "saved" : "failed");
    return saved ? 0 : 1;
}

int SaveInLoop(SettingsStore& store, const QString& prefix, int count, int seconds) {
    Say("loaded");
    std::string go;
    if (!std::getline(std::cin, go)) return 2;
    QElapsedTimer running;
    running.start();
    int generation = 0;
    int failures = 0;
    while (running.elapsed() < seconds * 1000LL) {
        ++generation;
        Apply(store, prefix, std::min(generation, count), generation);
        if (!store.Save()) ++failures;
    }
    std::printf("last %d %d %d\n", generation, std::min(generation, count), failures);
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fputs("usage: settings_saver once|loop FOLDER PREFIX COUNT GENERATION|SECONDS\n",
                   stderr);
        return 2;
    }
    const std::string mode = argv[1];
    const QString prefix = QString::fromLocal8Bit(argv[3]);
    bool countOk = false;
    bool lastOk = false;
    const int count = QString::fromLatin1(argv[4]).toInt(&countOk);
    const int last = QString::fromLatin1(argv[5]).toInt(&lastOk);
    if (!countOk || !lastOk || count < 0 || last < 0) return 2;

    SettingsStore store(QString::fromLocal8Bit(argv[2]));
    if (mode == "once") return SaveOnce(store, prefix, count, last);
    if (mode != "loop") return 2;
    store.Load();
    return SaveInLoop(store, prefix, count, last);
}
