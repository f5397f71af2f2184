#pragma once

#include <QString>

#include "settings/ResumeEntry.h"
#include "settings/ResumeTable.h"

// The values the player remembers between runs: the volume, the mute and pin states, the
// language file and a resume entry for every media file it has saved a position for. They
// live on disk in "config.ini" (section "Settings") and "progress.ini" (one section per
// resume key). The store only holds, reads and writes them; when to remember and when to
// resume is decided by its callers, which read and write the members directly.
class SettingsStore {
  public:
    // The one store of the process, kept in SettingsFolder(), created on first use.
    static SettingsStore& Instance();

    // A store whose files live in folder. Tests give every store a folder of its own.
    explicit SettingsStore(QString folder);
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Reads both files; whatever is missing or unreadable takes its default. Entries read
    // from the progress file replace those of the same key; others stay as they are.
    void Load();

    // Writes every value and every entry, merged into each file as it is on disk now:
    // sections and keys the store does not hold (unknown keys, entries erased from memory,
    // entries another running player saved) stay in the files. Failures are silent for
    // the user; the result says whether both files were written, and a file that could not
    // be written keeps its old contents.
    bool Save();

    // The entry of path, inserted with the new-entry values when missing.
    ResumeEntry& EntryFor(const QString& path);
    // The entry of path, or null; inserts nothing.
    ResumeEntry* FindEntry(const QString& path);
    // Forgets the entry of path in memory; the progress file keeps its last saved values.
    void EraseEntry(const QString& path);

    // The paths of the two files. Building one creates the folder when it is missing.
    QString ConfigFilePath() const;
    QString ProgressFilePath() const;

    double m_volume = 100.0;  // on the engine's scale; the volume slider runs 0 to 100
    bool m_mute = false;
    bool m_topMost = false;
    // At the end of a file the next one of the queue starts. Read, never written.
    bool m_autoNext = true;
    // Before Load the Chinese table; a config file without the key gives the English one.
    QString m_language = QStringLiteral("lan_zh.xml");
    ResumeTable m_resume;

  private:
    QString FilePath(const QString& name) const;

    QString m_folder;  // ends in '/'
    // The entries as this store last read or wrote them: a save writes only what changed
    // since, so a newer position another running player saved is not put back.
    ResumeTable m_onDisk;
};
