# Windows test programs run under Wine, in a Wine prefix and on a private X server of the
# build folder's own (wine-run starts both for the "wine" fixture and stops them after).
set(MOVIRA_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-run)
set(MOVIRA_WINE_SESSION ${PROJECT_BINARY_DIR}/wine)

# Where the test programs find the DLLs they link (Qt's, the MinGW runtime's) and Qt's
# plugins: wine-run exports what SESSION/environment says. Wine sees / as drive Z:.
include(${PROJECT_SOURCE_DIR}/cmake/MingwRuntime.cmake)
set(wine_dirs ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} ${MOVIRA_MINGW_RUNTIME_DIRS})
list(TRANSFORM wine_dirs PREPEND "Z:")
list(JOIN wine_dirs ";" wine_path)
file(WRITE ${MOVIRA_WINE_SESSION}/environment
     "WINEPATH=${wine_path}\nQT_PLUGIN_PATH=Z:${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}\n")

add_test(NAME windows.wine.start COMMAND ${MOVIRA_WINE_RUN} ${MOVIRA_WINE_SESSION} --start)
add_test(NAME windows.wine.stop COMMAND ${MOVIRA_WINE_RUN} ${MOVIRA_WINE_SESSION} --stop)
set_tests_properties(windows.wine.start PROPERTIES FIXTURES_SETUP wine LABELS windows TIMEOUT 300)
set_tests_properties(windows.wine.stop PROPERTIES FIXTURES_CLEANUP wine LABELS windows)

# A command under Wine as test `name`, in the Wine session.
function(movira_wine_test name)
  movira_wine_session_test(${name} ${MOVIRA_WINE_RUN} ${MOVIRA_WINE_SESSION} ${ARGN})
endfunction()

# A command of this machine that works with the Wine session (starts Windows programs through
# wine-run itself) as test `name`.
function(movira_wine_session_test name)
  add_test(NAME ${name} COMMAND ${ARGN})
  # A program that stops at a box nobody can see (a failed start shows one) would hold the
  # run until the end of time.
  set_tests_properties(${name} PROPERTIES LABELS windows FIXTURES_REQUIRED wine TIMEOUT 300)
endfunction()

# A GoogleTest program as one test (each Wine start costs a fraction of a second, which a
# test a case would pay hundreds of times), taking the arguments the Linux build gives
# gtest_discover_tests: TEST_FILTER becomes --gtest_filter and a test of its own, PROPERTIES
# are the test's.
function(movira_gtests target)
  cmake_parse_arguments(arg "" "TEST_PREFIX;DISCOVERY_MODE;TEST_FILTER" "PROPERTIES" ${ARGN})
  set(name windows.${target})
  set(filter "")
  if(arg_TEST_FILTER)
    string(MAKE_C_IDENTIFIER "${arg_TEST_FILTER}" suffix)
    string(REGEX REPLACE "^_+|_+$" "" suffix "${suffix}")
    string(SUBSTRING "${arg_TEST_FILTER}" 0 1 first)
    if(first STREQUAL "-")
      set(suffix "not_${suffix}")
    endif()
    set(name ${name}.${suffix})
    set(filter --gtest_filter=${arg_TEST_FILTER})
  endif()
  movira_wine_test(${name} $<TARGET_FILE:${target}> ${filter})
  if(arg_PROPERTIES)
    set_tests_properties(${name} PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()
