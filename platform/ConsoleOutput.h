#pragma once

#include <string_view>

namespace platform {

// Prints UTF-8 text on the standard output (--help, --version). A Windows program built for
// the GUI has none of its own: there the text goes to the console it was started from.
void WriteToConsole(std::string_view text);

}  // namespace platform
