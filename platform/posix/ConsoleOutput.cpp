#include "platform/ConsoleOutput.h"

#include <cstdio>

namespace platform {

void WriteToConsole(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace platform
