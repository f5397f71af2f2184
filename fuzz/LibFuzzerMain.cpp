// The libFuzzer entry points of one target; MOVIRA_FUZZ_TARGET names it (FuzzTargets.h).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

namespace {
const FuzzTarget* g_target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_target = FindFuzzTarget(MOVIRA_FUZZ_TARGET);
    if (g_target == nullptr) {
        std::fprintf(stderr, "no fuzz target named %s\n", MOVIRA_FUZZ_TARGET);
        std::abort();
    }
    // Created here, not during the first input, so that its one-off allocations are not
    // charged to an input.
    EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    g_target->run(QByteArrayView(data, qsizetype(size)));
    return 0;
}
