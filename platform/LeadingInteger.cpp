#include "platform/LeadingInteger.h"

#include <limits>

namespace platform {
namespace {

char Ascii(char c) { return c; }
char Ascii(QChar c) { return c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\0'; }

template <typename Text>
std::int64_t Parse(Text text) {
    bool negative = false;
    if (!text.isEmpty() && (Ascii(text.front()) == '-' || Ascii(text.front()) == '+')) {
        negative = Ascii(text.front()) == '-';
        text = text.sliced(1);
    }
    // The magnitude is gathered unsigned so that the most negative value still fits.
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 63 : std::uint64_t{std::numeric_limits<std::int64_t>::max()};
    std::uint64_t magnitude = 0;
    for (const auto unit : text) {
        const char c = Ascii(unit);
        if (c < '0' || c > '9') {
            break;
        }
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!negative) {
        return static_cast<std::int64_t>(magnitude);
    }
    return magnitude == limit ? std::numeric_limits<std::int64_t>::min()
                              : -static_cast<std::int64_t>(magnitude);
}

}  // namespace

std::int64_t LeadingInteger(QStringView text) { return Parse(text); }

std::int64_t LeadingInteger(QByteArrayView text) { return Parse(text); }

}  // namespace platform
