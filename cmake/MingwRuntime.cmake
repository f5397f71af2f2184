# Where the DLLs of the MinGW runtime that Windows programs of this build link are, as the
# compiler finds them: MOVIRA_MINGW_RUNTIME_DIRS. The program folder ships them from there,
# and the tests under Wine find them there.
set(MOVIRA_MINGW_RUNTIME_DIRS "")
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} finds no ${runtime}")
  endif()
  get_filename_component(runtime_dir ${runtime_path} DIRECTORY)
  list(APPEND MOVIRA_MINGW_RUNTIME_DIRS ${runtime_dir})
endforeach()
list(REMOVE_DUPLICATES MOVIRA_MINGW_RUNTIME_DIRS)
