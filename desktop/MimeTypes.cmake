# The media types the player opens, read from mime-types.txt next to this file: the one list
# for everything that names them (the desktop entry's MimeType line, and whatever else
# announces them). Any folder can include this file and call the function.
#
#   movira_mime_types(<out_var>)
#
# sets <out_var> to the types, in the file's order, and makes CMake configure again when the
# file changes. A line that is not a "type/subtype" stops the configuration.

set(MOVIRA_MIME_TYPES_FILE ${CMAKE_CURRENT_LIST_DIR}/mime-types.txt)

function(movira_mime_types out_var)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MOVIRA_MIME_TYPES_FILE})
  file(STRINGS ${MOVIRA_MIME_TYPES_FILE} lines)
  set(types "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    if(NOT line MATCHES "^[A-Za-z0-9][A-Za-z0-9.+_-]*/[A-Za-z0-9][A-Za-z0-9.+_-]*$")
      message(FATAL_ERROR "${MOVIRA_MIME_TYPES_FILE}: \"${line}\" is not a media type")
    endif()
    if(line IN_LIST types)
      message(FATAL_ERROR "${MOVIRA_MIME_TYPES_FILE}: ${line} is listed twice")
    endif()
    list(APPEND types ${line})
  endforeach()
  set(${out_var} ${types} PARENT_SCOPE)
endfunction()
