#include "engine/FormatFixed.h"

#include <algorithm>
#include <array>
#include <charconv>

std::string FormatFixed(double v, int decimals) {
    // printf would follow LC_NUMERIC; to_chars never does. 350 holds every finite double
    // in fixed notation with the decimals allowed here.
    std::array<char, 350> buffer{};
    const int precision = std::clamp(decimals, 0, 17);
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                      std::chars_format::fixed, precision);
    return std::string(buffer.data(), result.ptr);
}
