# Cross-compiling for 64-bit Windows on Debian with MinGW-w64 (the -posix thread model, which
# the Windows Qt was built with). Libraries and CMake packages are looked up only in the
# MinGW sysroot and in the folders of MOVIRA_WINDOWS_PREFIXES (the Windows Qt, the libraries
# scripts/windows-deps builds); programs come from the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

# Prefixes handed down to try_compile projects too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MOVIRA_WINDOWS_PREFIXES)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw} ${MOVIRA_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows programs built here run under Wine: CTest and test discovery start them through it.
find_program(MOVIRA_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${MOVIRA_WINE})
