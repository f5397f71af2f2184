// What a save does about other programs on Windows, which may hold the file open for a
// moment without sharing it.
#include <windows.h>

#include <QDir>
#include <chrono>
#include <future>
#include <thread>

#include "AtomicFileTest.h"

namespace {

// Another program opens the file without letting it be replaced and closes it soon after, as a
// virus scanner does: the save waits that moment out instead of failing. The holder lets go
// only once the save has begun, so the save meets the open file at least once.
TEST_F(AtomicFileTest, MomentarySharingViolationIsWaitedOut) {
    ASSERT_TRUE(WriteFile(path, "old\n"));
    const HANDLE held =
        CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ,
                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::promise<void> saving;
    std::thread holder([&held, started = saving.get_future()]() mutable {
        started.wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(60));  // the scanner's moment
        CloseHandle(held);
    });
    const bool saved = AtomicFile(path).Update([&saving](const QByteArray&) {
        saving.set_value();
        return QByteArray("new\n");
    });
    holder.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadFile(path), "new\n");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));
}

}  // namespace
