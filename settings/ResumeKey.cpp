#include "settings/ResumeKey.h"

#include <array>
#include <charconv>
#include <cstdint>

QString ResumeKey(const QString& path) {
    constexpr std::uint32_t kOffsetBasis = 2166136261u;
    constexpr std::uint32_t kPrime = 16777619u;
    std::uint32_t hash = kOffsetBasis;
    for (const QChar c : path) {
        const std::uint32_t unit = c.unicode();
        // Low byte first, whatever the machine's byte order, so keys match across systems.
        for (const std::uint32_t byte : {unit & 0xFFu, unit >> 8}) {
            hash ^= byte;
            hash *= kPrime;
        }
    }
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), hash);
    return QString::fromLatin1(digits.data(), result.ptr - digits.data());
}
