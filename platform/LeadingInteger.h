#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <cstdint>

namespace platform {

// The decimal integer text starts with: an optional '+' or '-', then the ASCII digits up to
// the first other character. No digits give 0, and a value beyond the 64-bit range saturates
// at the end of the range. This is strtoll's reading in base 10 and the C locale except for
// one thing: blanks in front are not skipped, so " 5" reads as 0. Each caller decides about
// them: the settings reader keeps that reading of a quoted " 5", a menu's user data skips
// them first, as strtoll would.
std::int64_t LeadingInteger(QStringView text);
// The same for bytes (UTF-8 text, say): a byte beyond ASCII ends the number like any other
// character that is not a digit.
std::int64_t LeadingInteger(QByteArrayView text);

}  // namespace platform
