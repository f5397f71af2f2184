# What the Windows executable carries besides its code: a window program (no console opens
# when it starts from Explorer), its version and product texts for Explorer's properties,
# its icon, and the manifest that makes it sharp on every monitor's scale, Windows 10's own,
# UTF-8 in the narrow text functions and with the current look of the system's controls.
enable_language(RC)
set_target_properties(moviraplayer PROPERTIES WIN32_EXECUTABLE ON)

# The version resource's numbers: major, minor, patch and a build number, 0 when none.
foreach(part MAJOR MINOR PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    set(version_${part} 0)
  else()
    set(version_${part} ${PROJECT_VERSION_${part}})
  endif()
endforeach()
set(MOVIRA_RC_VERSION_NUMBERS "${version_MAJOR},${version_MINOR},${version_PATCH},${version_TWEAK}")
set(MOVIRA_MANIFEST_VERSION "${version_MAJOR}.${version_MINOR}.${version_PATCH}.${version_TWEAK}")
# The installer carries them too.
set_property(TARGET moviraplayer PROPERTY MOVIRA_FOUR_PART_VERSION ${MOVIRA_MANIFEST_VERSION})

# The copyright holder and year as the Debian copyright file has them, and its licence.
set(copyright_file ${PROJECT_SOURCE_DIR}/packaging/copyright.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${copyright_file})
file(STRINGS ${copyright_file} copyright_line REGEX "^Copyright: " LIMIT_COUNT 1)
file(STRINGS ${copyright_file} licence_line REGEX "^License: " LIMIT_COUNT 1)
if(NOT copyright_line MATCHES "^Copyright: (.+)$")
  message(FATAL_ERROR "packaging/copyright.in names no copyright holder")
endif()
set(MOVIRA_COPYRIGHT "${CMAKE_MATCH_1}")
if(NOT licence_line STREQUAL "License: GPL-3+")
  message(FATAL_ERROR "packaging/copyright.in: the version resource says GPL-3.0-or-later, "
                      "the copyright file \"${licence_line}\"")
endif()
set(MOVIRA_LICENCE "GPL-3.0-or-later")

set(resource_dir ${CMAKE_CURRENT_BINARY_DIR}/windows)
set(MOVIRA_ICON_FILE ${resource_dir}/moviraplayer.ico)
set(MOVIRA_MANIFEST_FILE ${resource_dir}/moviraplayer.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/moviraplayer.manifest.in ${MOVIRA_MANIFEST_FILE} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/moviraplayer.rc.in ${resource_dir}/moviraplayer.rc @ONLY)

# The icon: the product logo, drawn at each size by the skin renderer on the build machine.
set(logo ${PROJECT_SOURCE_DIR}/skin/icons/logo.svg)
add_custom_command(
  OUTPUT ${MOVIRA_ICON_FILE}
  COMMAND skin_render ico ${logo} ${MOVIRA_ICON_FILE}
  DEPENDS ${logo} skin_render
  COMMENT "Rendering the program icon"
  VERBATIM)
# The installer shows it too.
set_property(TARGET moviraplayer PROPERTY MOVIRA_ICON_FILE ${MOVIRA_ICON_FILE})

# The resource compiler does not report the files the script names: the object depends on
# them by hand.
target_sources(moviraplayer PRIVATE ${resource_dir}/moviraplayer.rc)
set_source_files_properties(${resource_dir}/moviraplayer.rc PROPERTIES
  OBJECT_DEPENDS "${MOVIRA_ICON_FILE};${MOVIRA_MANIFEST_FILE}")
