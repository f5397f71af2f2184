# The media types the player opens, read from mime-types.txt next to this file: the one list
# for everything that names them (the desktop entry's MimeType line, the media controls'
# list, the open dialog's patterns). Any folder can include this file and call the functions.
#
#   movira_mime_types(<out_var>)
#
# sets <out_var> to the types, in the file's order, and
#
#   movira_media_extensions(<out_var>)
#
# to the file name extensions listed beside them, in the file's order, without the dot. Both
# make CMake configure again when the file changes. A type that is not a "type/subtype", an
# extension that is not lower-case letters, digits and '+', and a type or an extension listed
# twice stop the configuration.

set(MOVIRA_MIME_TYPES_FILE ${CMAKE_CURRENT_LIST_DIR}/mime-types.txt)

# Reads the file into <types_var> and <extensions_var>.
function(movira_read_mime_types types_var extensions_var)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MOVIRA_MIME_TYPES_FILE})
  file(STRINGS ${MOVIRA_MIME_TYPES_FILE} lines)
  set(types "")
  set(extensions "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    string(REGEX REPLACE "[ \t]+" ";" words "${line}")
    list(POP_FRONT words type)
    if(NOT type MATCHES "^[A-Za-z0-9][A-Za-z0-9.+_-]*/[A-Za-z0-9][A-Za-z0-9.+_-]*$")
      message(FATAL_ERROR "${MOVIRA_MIME_TYPES_FILE}: \"${type}\" is not a media type")
    endif()
    if(type IN_LIST types)
      message(FATAL_ERROR "${MOVIRA_MIME_TYPES_FILE}: ${type} is listed twice")
    endif()
    list(APPEND types ${type})
    foreach(extension IN LISTS words)
      if(NOT extension MATCHES "^[a-z0-9+]+$")
        message(FATAL_ERROR
                "${MOVIRA_MIME_TYPES_FILE}: \"${extension}\" (${type}) is not an extension")
      endif()
      if(extension IN_LIST extensions)
        message(FATAL_ERROR "${MOVIRA_MIME_TYPES_FILE}: the extension ${extension} is listed twice")
      endif()
      list(APPEND extensions ${extension})
    endforeach()
  endforeach()
  set(${types_var} ${types} PARENT_SCOPE)
  set(${extensions_var} ${extensions} PARENT_SCOPE)
endfunction()

function(movira_mime_types out_var)
  movira_read_mime_types(types extensions)
  set(${out_var} ${types} PARENT_SCOPE)
endfunction()

function(movira_media_extensions out_var)
  movira_read_mime_types(types extensions)
  set(${out_var} ${extensions} PARENT_SCOPE)
endfunction()
