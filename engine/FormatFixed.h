#pragma once

#include <string>

// v with a fixed number of decimals (0 to 17) and '.' as separator whatever the locale,
// since the engine parses numbers the C way.
std::string FormatFixed(double v, int decimals);
