# Compiler flags of the fuzz build (-DMOVIRA_FUZZ=ON). Included from the top level before
# any target exists, so every library the targets use is instrumented for coverage and
# checked by AddressSanitizer and UndefinedBehaviorSanitizer; only the fuzz executables
# link libFuzzer itself (fuzz/CMakeLists.txt).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "MOVIRA_FUZZ needs clang for libFuzzer: configure with "
                      "-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ (scripts/fuzz does)")
endif()
# Undefined behaviour must stop the run like a crash, or libFuzzer would only print it.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
