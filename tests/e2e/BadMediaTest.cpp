// Files and paths a player meets in the wild: ones that are not media at all, cannot be
// read or do not exist, odd paths to real clips, a file gone by the time it is dropped, a
// title longer than any window and more subtitle tracks than fit on a screen. Whatever it
// gets, the player stays alive and answers clicks, shows no window of its own but the main
// one (and tooltips), ends with exit code 0 when closed, and keeps the user's settings.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "BadInputSession.h"
#include "SettingsFiles.h"
#include "TestFiles.h"

namespace e2e {
namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// ---- Input the player cannot play ----

struct UnplayableCase {
    const char* name;
    // Makes the input inside `folder` and returns its path; empty on failure.
    QString (*make)(const QString& folder);
    bool asNobody;  // run the player as an unprivileged user, for whom root's files are closed
};
void PrintTo(const UnplayableCase& c, std::ostream* os) { *os << c.name; }

QString zeroBytes(const QString& folder) {
    const QString path = folder + QStringLiteral("/empty.mp4");
    return WriteFile(path, {}) ? path : QString();
}

// The first 40 % of a clip whose index sits at its end, as a broken download leaves it.
QString truncatedMp4(const QString& folder) {
    const QByteArray whole = readFile(media::path(media::kBars));
    const QString path = folder + QStringLiteral("/truncated.mp4");
    return !whole.isEmpty() && WriteFile(path, whole.left(whole.size() * 2 / 5)) ? path : QString();
}

QString randomBytesMkv(const QString& folder) {
    QRandomGenerator random(20240607);  // the same bytes every run
    QByteArray bytes(256 * 1024, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    const QString path = folder + QStringLiteral("/noise.mkv");
    return WriteFile(path, bytes) ? path : QString();
}

QString directory(const QString& folder) {
    const QString path = folder + QStringLiteral("/a folder.mp4");
    return QDir().mkpath(path) && WriteFile(path + QStringLiteral("/notes.txt"), "not media\n")
               ? path
               : QString();
}

// Opening a pipe for reading blocks until someone writes to it; nobody ever will.
QString namedPipe(const QString& folder) {
    const QString path = folder + QStringLiteral("/pipe.mp4");
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0 ? path : QString();
}

// A path to nothing, as a stale shortcut or a typo gives.
QString missing(const QString& folder) { return folder + QStringLiteral("/no such clip.mp4"); }

// Plain text that is no media and no playlist either.
QString textFile(const QString& folder) {
    const QString path = folder + QStringLiteral("/notes.txt");
    return WriteFile(path, "Things to watch\n- the long one\n- the one with subtitles\n")
               ? path
               : QString();
}

// A real clip that only root may read.
QString unreadable(const QString& folder) {
    const QString path = folder + QStringLiteral("/private.mp4");
    return QFile::copy(media::path(media::kBars), path) &&
                   ::chmod(QFile::encodeName(path).constData(), 0) == 0
               ? path
               : QString();
}

bool isPipe(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Whether any process has `path` open, as its /proc entry shows.
bool openedBySomeone(const QString& path) {
    const QString target = QFileInfo(path).absoluteFilePath();
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (pid.isEmpty() || !pid.front().isDigit()) continue;
        const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
        for (const QFileInfo& fd : QDir(fds).entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() == target) return true;
        }
    }
    return false;
}

class UnplayableTest : public BadInputTest, public ::testing::WithParamInterface<UnplayableCase> {};

TEST_P(UnplayableTest, IgnoredWithoutAWord) {
    const QString path = GetParam().make(inputs_);
    ASSERT_FALSE(path.isEmpty()) << "cannot make the input";
    if (GetParam().asNobody && !runAsNobody()) GTEST_SKIP() << "needs root to switch users";

    ASSERT_NO_FATAL_FAILURE(startAndAwaitMain({path}, media::kEmptyWindow));
    // A pipe stays open while the engine waits for data that never comes: the player must
    // answer, and close, while it does.
    if (isPipe(path)) {
        ASSERT_TRUE(pollUntil([&] { return openedBySomeone(path); }, 20s))
            << "the engine never opened the pipe";
    }
    ASSERT_NO_FATAL_FAILURE(expectAnswersClicks());
    EXPECT_EQ(xdo_->geometry(window_), media::kEmptyWindow) << "something was played";
    ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
    expectSettingsKept();
    EXPECT_EQ(otherWindowsShown(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, UnplayableTest,
    ::testing::Values(UnplayableCase{"ZeroByteFile", zeroBytes, false},
                      UnplayableCase{"TruncatedMp4", truncatedMp4, false},
                      UnplayableCase{"RandomBytesNamedMkv", randomBytesMkv, false},
                      UnplayableCase{"Directory", directory, false},
                      UnplayableCase{"NamedPipe", namedPipe, false},
                      UnplayableCase{"MissingFile", missing, false},
                      UnplayableCase{"TextFile", textFile, false},
                      UnplayableCase{"NoReadPermission", unreadable, true}),
    [](const ::testing::TestParamInfo<UnplayableCase>& info) { return info.param.name; });

// ---- Odd paths to real clips ----

struct OddPathCase {
    const char* name;
    QString (*path)(const QString& folder);  // where to put the clip
};
void PrintTo(const OddPathCase& c, std::ostream* os) { *os << c.name; }

// 4 000 characters in all, through folders of up to 200 characters each.
QString longPath(const QString& folder) {
    constexpr int kLength = 4000;
    const QString file = QStringLiteral("/clip.mp4");
    QString path = folder;
    for (char letter = 'a'; path.size() + 1 + file.size() < kLength; ++letter) {
        const auto room = kLength - (path.size() + 1 + file.size());
        path += QLatin1Char('/') + QString(std::min<qsizetype>(200, room), QLatin1Char(letter));
    }
    const QString whole = path + file;
    return whole.size() == kLength ? whole : QString();
}

QString newlinePath(const QString& folder) { return folder + QStringLiteral("/two\nlines.mp4"); }

// Spaces, Chinese, an emoji outside the Basic Multilingual Plane, which UTF-16 (and with
// it the resume key) holds as a surrogate pair, and the two characters a URL reserves.
QString unicodePath(const QString& folder) {
    return folder + QStringLiteral("/my clip #1 100% 视频 🎬.mp4");
}

class OddPathTest : public BadInputTest, public ::testing::WithParamInterface<OddPathCase> {};

TEST_P(OddPathTest, PlaysAndRemembersTheFile) {
    const QString path = GetParam().path(inputs_);
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    ASSERT_TRUE(QFile::copy(media::path(media::kBars), path)) << str(path);

    ASSERT_NO_FATAL_FAILURE(startPlayer({path}, media::title(media::kBars), media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("playing")).isNull());
    ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
    expectSettingsKept();
    EXPECT_EQ(otherWindowsShown(), QStringList());

    // The close recorded the window in the entry of exactly this path.
    const auto progress = IniText::load(player_->settingsDir() + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(progress.has_value()) << "no progress.ini";
    const QString key = resumeKey(path);
    EXPECT_EQ(progress->value(key, QStringLiteral("w")),
              QString::number(media::kBarsWindow.width()))
        << str(progress->text());
    EXPECT_EQ(progress->value(key, QStringLiteral("h")),
              QString::number(media::kBarsWindow.height()));
}

INSTANTIATE_TEST_SUITE_P(Paths, OddPathTest,
                         ::testing::Values(OddPathCase{"FourThousandCharacters", longPath},
                                           OddPathCase{"WithANewline", newlinePath},
                                           OddPathCase{"SpacesChineseAndEmoji", unicodePath}),
                         CaseName());

// ---- A file gone before it loads ----

// The user drags a clip from another program, and while the drag is under way the file is
// deleted (a download manager cleaning up, say). The drop arrives with a path to nothing.
using DeletedFileTest = BadInputTest;

TEST_F(DeletedFileTest, DroppedAfterDeletionIsIgnored) {
    const QString path = inputs_ + QStringLiteral("/doomed.mp4");
    ASSERT_TRUE(QFile::copy(media::path(media::kBars), path));
    ASSERT_NO_FATAL_FAILURE(startAndAwaitMain({}, media::kEmptyWindow));

    // The drag source of the drop tests, clear of the player, dragging the clip.
    ASSERT_NO_FATAL_FAILURE(startDragSource({path}, QPoint(20, 20)));
    const QPoint to = onScreen(QPoint(400, 285));
    ASSERT_NO_FATAL_FAILURE(pressAndMove(dragSource_->grip(), to, 6));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_NO_FATAL_FAILURE(dropAt(to));

    // The source tells how the drag ended once the player has answered the drop.
    const auto verdict = dragSource_->awaitVerdict(20s);
    ASSERT_TRUE(verdict.has_value()) << "the drag never ended";
    EXPECT_EQ(*verdict, QStringLiteral("copied")) << "the player did not take the drop";

    ASSERT_NO_FATAL_FAILURE(expectAnswersClicks());
    EXPECT_EQ(xdo_->windowName(window_), QStringLiteral("MoviraPlayer"));
    EXPECT_EQ(xdo_->geometry(window_), media::kEmptyWindow);
    ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
    expectSettingsKept();
    // The drag source's windows (its own and the one under the pointer while dragging)
    // are the only others.
    EXPECT_EQ(otherWindowsShown({dragSourceWindow_}, {QStringLiteral("e2e_drag_source")}),
              QStringList());
}

// ---- A broken file in a queue ----

// A season with a damaged middle episode: N from the first passes over it to the one after,
// and the window answers throughout.
using BrokenEpisodeTest = BadInputTest;

TEST_F(BrokenEpisodeTest, NextPassesOverIt) {
    const QString season = inputs_ + QStringLiteral("/season");
    ASSERT_TRUE(QDir().mkpath(season));
    ASSERT_TRUE(QFile::copy(media::path(media::kEpisode1), season + QStringLiteral("/ep 1.mp4")));
    ASSERT_TRUE(WriteFile(season + QStringLiteral("/ep 2.mp4"), QByteArray(4096, '\x5a')));
    ASSERT_TRUE(QFile::copy(media::path(media::kBars), season + QStringLiteral("/ep 3.mp4")));

    ASSERT_NO_FATAL_FAILURE(startPlayer({season + QStringLiteral("/ep 1.mp4")},
                                        media::title(media::kEpisode1), media::kTitledWindow));
    ASSERT_NO_FATAL_FAILURE(pressKey(QStringLiteral("n")));
    ASSERT_NO_FATAL_FAILURE(awaitWindow(media::title(media::kBars), media::kBarsWindow));
    ASSERT_FALSE(awaitPlaying(QStringLiteral("third-playing")).isNull());
    ASSERT_NO_FATAL_FAILURE(expectAnswersClicks());
    ASSERT_NO_FATAL_FAILURE(closeAndExpectCleanExit());
    expectSettingsKept();
}

}  // namespace
}  // namespace e2e
