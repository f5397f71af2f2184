#pragma once
// Checks inside the fuzz targets. A failed check is a bug in the code under test, as real
// as a crash: by default it prints what failed and aborts, which libFuzzer records as a
// crash together with the input that caused it. The replay test installs a handler that
// throws instead, ending the input with a test failure that names it; a handler that
// returns lets the target carry on past the failed check.

#include <functional>
#include <string>

using FuzzFailureHandler = std::function<void(const std::string& message)>;

// Replaces the handler; an empty one restores printing and aborting. Returns the old one.
FuzzFailureHandler SetFuzzFailureHandler(FuzzFailureHandler handler);

void FuzzFailure(const char* file, int line, const char* condition, const char* what);

#define FUZZ_CHECK(condition, what) \
    ((condition) ? void() : FuzzFailure(__FILE__, __LINE__, #condition, what))
