# Fills the program folder from the build, in script mode:
#
#   cmake -D CONFIG=<file> -P ProgramFolder.cmake
#
# CONFIG, which packaging/windows/CMakeLists.txt generates, sets FOLDER (emptied first), EXE,
# STRIP, OBJDUMP, PLUGIN_DIR and PLUGINS (paths under it), DLL_DIRS (where the DLLs that
# anything here imports are looked up), SYSTEM_LIB_DIR (the MinGW import libraries of
# Windows' own DLLs), TRANSLATION_DIR and TRANSLATIONS, QT_CONF, LICENCES (pairs of a source
# file and its name under licenses/), LIBMPV (a libmpv folder, or empty) and INSTALL_LIST,
# UNINSTALL_LIST: the installer's File and Delete commands for every file in the folder.
#
# Every DLL that the program, its plugins or libmpv import comes along, found in DLL_DIRS;
# one that is neither there nor Windows' own stops the build, since the program would not
# start without it.
cmake_minimum_required(VERSION 3.25)
include(${CONFIG})

file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})

# Copies SOURCE to FOLDER/DESTINATION (a relative file name).
function(place source destination)
  get_filename_component(directory ${FOLDER}/${destination} DIRECTORY)
  file(MAKE_DIRECTORY ${directory})
  file(COPY_FILE ${source} ${FOLDER}/${destination})
endfunction()

# The Windows DLLs by lower-case name: what a program may import without bringing it.
function(is_system_dll name out_var)
  string(TOLOWER ${name} lower)
  string(REGEX REPLACE "\\.dll$" "" stem ${lower})
  # API sets are names the loader maps onto system DLLs; every other system DLL has its
  # import library in the MinGW sysroot.
  if(stem MATCHES "^(api|ext)-ms-" OR EXISTS ${SYSTEM_LIB_DIR}/lib${stem}.a)
    set(${out_var} TRUE PARENT_SCOPE)
  else()
    set(${out_var} FALSE PARENT_SCOPE)
  endif()
endfunction()

# The DLLs that DLL_DIRS hold, by lower-case name, since Windows matches names so.
foreach(directory IN LISTS DLL_DIRS)
  file(GLOB dlls ${directory}/*.dll)
  foreach(dll IN LISTS dlls)
    get_filename_component(name ${dll} NAME)
    string(TOLOWER ${name} lower)
    if(NOT DEFINED dll_${lower})
      set(dll_${lower} ${dll})
    endif()
  endforeach()
endforeach()

# Follows the imports of the files in `pending` and puts every DLL they need beside the
# program, where the loader looks first.
set(pending ${EXE})
foreach(plugin IN LISTS PLUGINS)
  list(APPEND pending ${PLUGIN_DIR}/${plugin})
endforeach()
if(LIBMPV)
  list(APPEND pending ${LIBMPV}/bin/libmpv-2.dll)
endif()
set(seen "")
set(missing "")
while(pending)
  list(POP_FRONT pending file)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${file}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" name "${import}")
    string(STRIP "${name}" name)
    string(TOLOWER ${name} lower)
    if(lower IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${lower})
    if(DEFINED dll_${lower})
      get_filename_component(found_name ${dll_${lower}} NAME)
      place(${dll_${lower}} ${found_name})
      list(APPEND pending ${dll_${lower}})
    else()
      is_system_dll(${name} system)
      if(NOT system)
        get_filename_component(importer ${file} NAME)
        list(APPEND missing "${name} (imported by ${importer})")
      endif()
    endif()
  endforeach()
endwhile()
if(missing)
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "The program folder would lack ${missing}: none is in ${DLL_DIRS}")
endif()

# The program without its debugging information, which stays in the build folder.
get_filename_component(exe_name ${EXE} NAME)
execute_process(COMMAND ${STRIP} --strip-unneeded -o ${FOLDER}/${exe_name} ${EXE}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${STRIP} failed on ${EXE}")
endif()
foreach(plugin IN LISTS PLUGINS)
  place(${PLUGIN_DIR}/${plugin} ${plugin})
endforeach()
foreach(translation IN LISTS TRANSLATIONS)
  place(${TRANSLATION_DIR}/${translation} translations/${translation})
endforeach()
place(${QT_CONF} qt.conf)
while(LICENCES)
  list(POP_FRONT LICENCES source destination)
  place(${source} licenses/${destination})
endwhile()
if(LIBMPV)
  place(${LIBMPV}/bin/libmpv-2.dll libmpv-2.dll)
  file(GLOB_RECURSE engine_licences RELATIVE ${LIBMPV}/LICENSES ${LIBMPV}/LICENSES/*)
  foreach(licence IN LISTS engine_licences)
    place(${LIBMPV}/LICENSES/${licence} licenses/libmpv/${licence})
  endforeach()
endif()

# The installer's file lists: each folder's files from the top down, and for the
# uninstaller each file, then the folders from the bottom up, so that it removes what it
# installed and nothing a user put beside it.
file(GLOB_RECURSE files RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT files)
set(install_lines "")
set(uninstall_lines "")
set(folders "")
set(current_folder "-")
foreach(file IN LISTS files)
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL current_folder)
    if(folder STREQUAL "")
      string(APPEND install_lines "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install_lines "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
    endif()
    set(current_folder "${folder}")
  endif()
  string(APPEND install_lines "File \"${FOLDER}/${file}\"\n")
  string(APPEND uninstall_lines "Delete \"$INSTDIR\\${windows_file}\"\n")
  while(folder AND NOT folder IN_LIST folders)
    list(APPEND folders ${folder})
    get_filename_component(folder ${folder} DIRECTORY)
  endwhile()
endforeach()
string(APPEND install_lines "SetOutPath \"$INSTDIR\"\n")
# A folder sorts after its parent: in descending order each is removed before its parent.
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND uninstall_lines "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
file(WRITE ${INSTALL_LIST} "${install_lines}")
file(WRITE ${UNINSTALL_LIST} "${uninstall_lines}")
