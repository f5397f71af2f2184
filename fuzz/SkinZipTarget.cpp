// The skin package is a zip archive. The one compiled into the program is trusted by
// nobody: the reader promises that any bytes, however damaged, fail cleanly. Every member
// of whatever opens is read, and reading is repeatable.

#include <QStringList>

#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "toolkit/ResourceZip.h"

namespace {

// A damaged archive can list a great many members; enough are read to reach every code
// path without letting one input take seconds.
constexpr qsizetype kMaxMembersRead = 64;

}  // namespace

void FuzzSkinZip(QByteArrayView data) {
    ResourceZip zip;
    const bool opened = zip.Open(data.data(), std::size_t(data.size()));
    FUZZ_CHECK(opened == zip.IsOpen(), "Open and IsOpen disagree");
    if (!opened) {
        FUZZ_CHECK(zip.Names().isEmpty() && !zip.Read(QStringLiteral("main.xml")),
                   "an archive that failed to open still reads");
        return;
    }
    const QStringList names = zip.Names();
    for (const QString& name : names.mid(0, kMaxMembersRead)) {
        const std::optional<QByteArray> first = zip.Read(name);
        const std::optional<QByteArray> second = zip.Read(name);
        FUZZ_CHECK(first == second, "a member read twice gave different results");
    }
    FUZZ_CHECK(!zip.Read(QString()), "the empty name read as a member");

    // Opening nothing closes what was open.
    FUZZ_CHECK(!zip.Open(nullptr, 0) && !zip.IsOpen() && zip.Names().isEmpty(),
               "a failed open left an archive open");
}
