// Building the play queue of a large folder. Opening a file alone lists the media files of
// its folder and sorts them in natural order, on the window's thread and before the file
// plays; these show what that costs for a folder of 10 000 files, and how much of it is the
// sort alone.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <random>

#include "player/NaturalOrder.h"
#include "player/PlayQueue.h"

namespace {

constexpr int kMediaFiles = 10000;
// Files among them that are not media: subtitles, notes, pictures.
constexpr int kOtherFiles = 40;

// The i-th media file's name, as a large collection names them: episodes numbered with
// and without leading zeros, in varying letter case, with several extensions, and numbers
// from one to five digits.
QString MediaName(int i) {
    static const char* const kExtensions[] = {"mkv", "mp4", "MKV", "avi", "webm"};
    const QString extension = QString::fromLatin1(kExtensions[i % 5]);
    switch (i % 4) {
        case 0:
            return QStringLiteral("Show S%1E%2.%3")
                .arg(i / 1000 + 1, 2, 10, QLatin1Char('0'))
                .arg(i, 4, 10, QLatin1Char('0'))
                .arg(extension);
        case 1:
            return QStringLiteral("show s%1e%2 (director's cut).%3")
                .arg(i / 1000 + 1)
                .arg(i)
                .arg(extension);
        case 2:
            return QStringLiteral("Clip %1 take %2.%3").arg(i).arg(i % 7).arg(extension);
        default:
            return QStringLiteral("CLIP-%1-cd%2.%3").arg(i * 13 % 99991).arg(i % 3).arg(extension);
    }
}

QString OtherName(int i) {
    static const char* const kExtensions[] = {"srt", "txt", "nfo", "jpg"};
    return QStringLiteral("Show S01E%1.%2").arg(i * 250).arg(QLatin1String(kExtensions[i % 4]));
}

// The folder, made once for the whole run with empty files, and removed at exit.
class LargeFolder {
  public:
    LargeFolder() {
        for (int i = 0; i < kMediaFiles; ++i) m_ok = Touch(MediaName(i)) && m_ok;
        for (int i = 0; i < kOtherFiles; ++i) m_ok = Touch(OtherName(i)) && m_ok;
    }

    bool IsValid() const { return m_ok && m_dir.isValid(); }
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

  private:
    bool Touch(const QString& name) {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly);
    }

    QTemporaryDir m_dir;
    bool m_ok = true;
};

const LargeFolder& TheFolder() {
    static const auto folder = std::make_unique<LargeFolder>();
    return *folder;
}

// Opening one file of the middle of the folder: list the folder, keep the media files, sort
// them, make whole paths and find the file among them. The folder's entries are in the
// system's cache after the first run, as they are once a file manager has shown it.
void BM_QueueSetFolderOf(benchmark::State& state) {
    const LargeFolder& folder = TheFolder();
    if (!folder.IsValid()) {
        state.SkipWithError("cannot make the folder");
        return;
    }
    const QString file = folder.PathOf(MediaName(kMediaFiles / 2));
    qsizetype size = 0;
    for (auto _ : state) {
        PlayQueue queue;
        queue.SetFolderOf(file);
        size = queue.Size();
        benchmark::DoNotOptimize(queue);
    }
    if (size != kMediaFiles) state.SkipWithError("the queue does not hold every media file");
    state.counters["files"] = static_cast<double>(size);
}
BENCHMARK(BM_QueueSetFolderOf)->Unit(benchmark::kMillisecond);

// The natural-order sort alone, of the same names in memory, shuffled as a folder lists
// them. Copying the names before each sort is not timed.
void BM_NaturalSort(benchmark::State& state) {
    QStringList shuffled;
    for (int i = 0; i < kMediaFiles; ++i) shuffled << MediaName(i);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    for (auto _ : state) {
        state.PauseTiming();
        QStringList names = shuffled;
        names.detach();
        state.ResumeTiming();
        std::sort(names.begin(), names.end(),
                  [](const QString& a, const QString& b) { return NaturalLess(a, b); });
        benchmark::DoNotOptimize(names);
    }
    state.counters["names"] = kMediaFiles;
}
BENCHMARK(BM_NaturalSort)->Unit(benchmark::kMillisecond);

}  // namespace
