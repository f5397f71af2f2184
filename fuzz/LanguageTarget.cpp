// Language tables are XML files of the skin, which its author (or a translator) edits. A
// table that does not load must leave the one in use untouched, so the interface never
// loses its texts to a damaged file.

#include <QByteArray>
#include <QString>

#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "toolkit/ResourceManager.h"

namespace {

const QString kKnownId = QStringLiteral("fuzz.known");
const QString kKnownText = QStringLiteral("kept");

void LoadKnownTable(CResourceManager& table) {
    const QByteArray known =
        QByteArrayLiteral("<Res><Text id=\"fuzz.known\" value=\"kept\"/></Res>");
    FUZZ_CHECK(table.LoadLanguageFromData(known), "a valid table did not load");
}

}  // namespace

void FuzzLanguage(QByteArrayView data) {
    CResourceManager& table = CResourceManager::GetInstance();
    LoadKnownTable(table);
    const QByteArray xml = data.toByteArray();
    if (!table.LoadLanguageFromData(xml)) {
        FUZZ_CHECK(table.TextCount() == 1 && table.GetText(kKnownId) == kKnownText,
                   "a table that failed to load changed the one in use");
        return;
    }
    // Loading is a function of the bytes alone: the same table loads again to the same size.
    const int count = table.TextCount();
    LoadKnownTable(table);
    FUZZ_CHECK(table.LoadLanguageFromData(xml) && table.TextCount() == count,
               "the same table loaded differently the second time");
    // An id the table lacks shows as written.
    const QString absent = QStringLiteral("\x01not an id");
    FUZZ_CHECK(table.HasText(absent) || table.GetText(absent) == absent,
               "a missing id does not show as written");
}
