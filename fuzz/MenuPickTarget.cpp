// A picked menu item reaches the player window as a record of its name, user data, text and
// check mark. The subtitle menu's user data is a track id that the window reads with
// ParseUserDataId; menus come from skin layouts, so the text can be anything.

#include <QByteArray>
#include <QList>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "toolkit/MenuCommand.h"

namespace {

// The record's fields, separated by NUL bytes in the input: name, user data, text, and a
// check mark when a fourth field is present.
MenuCommand Record(QByteArrayView data) {
    const QList<QByteArray> fields = data.toByteArray().split('\0');
    MenuCommand pick;
    pick.name = QString::fromUtf8(fields.value(0));
    pick.userData = QString::fromUtf8(fields.value(1));
    pick.text = QString::fromUtf8(fields.value(2));
    pick.checked = fields.size() > 3;
    return pick;
}

// ParseUserDataId's documented reading is exactly strtoll's in the C locale: leading
// blanks, a sign, digits up to the first other character, saturation. Characters beyond
// ASCII can only end the number, so they become a byte that does the same.
std::int64_t ExpectedId(const QString& text) {
    std::string ascii;
    for (const QChar c : text) ascii += c.unicode() < 0x80 ? char(c.unicode()) : '\x01';
    errno = 0;
    return std::strtoll(ascii.c_str(), nullptr, 10);
}

}  // namespace

void FuzzMenuPick(QByteArrayView data) {
    const MenuCommand pick = Record(data);
    FUZZ_CHECK(ParseUserDataId(pick.userData) == ExpectedId(pick.userData),
               "the user data reads as another number than strtoll's");
}
