#include "toolkit/MenuCommand.h"

#include <QStringView>

#include "platform/LeadingInteger.h"

namespace {

// The blanks strtoll skips in the C locale.
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

std::int64_t ParseUserDataId(const QString& text) {
    QStringView number(text);
    while (!number.isEmpty() && IsBlank(number.front())) {
        number = number.sliced(1);
    }
    return platform::LeadingInteger(number);
}
