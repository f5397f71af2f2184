# Writes the manual page from the usage text that --help prints, so that the two never
# disagree.
#
#   cmake -D USAGE=app/usage.txt -D OUTPUT=moviraplayer.1 -D VERSION=1.2.1
#         -D DATE=2026-12-08 -D SUMMARY="play ..." -P ManPage.cmake
#
# The usage text is read as: a "Usage: PROGRAM ARGUMENTS" line, which becomes the synopsis;
# paragraphs of prose, separated by blank lines, which become the description; and headed
# lists such as "Options:" or "Keys:", whose indented entries ("  -h, --help  TEXT" or
# "  Space  TEXT", two or more spaces before the text, longer texts going on in
# further-indented lines) become a section each.

foreach(name USAGE OUTPUT VERSION DATE SUMMARY)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "ManPage.cmake needs -D ${name}=...")
  endif()
endforeach()

# CMake splits lists at ';' except inside square brackets, and usage texts are full of
# brackets: both are swapped for stand-ins while the text is cut into lines, and each line
# gets them back before it is read.
set(semicolon "@MAN_SEMICOLON@")
set(open_bracket "@MAN_OPEN_BRACKET@")
set(close_bracket "@MAN_CLOSE_BRACKET@")

# Text as troff reads it literally: a backslash is \e, and a line that begins with a dot or
# an apostrophe would be a request, so it starts with the zero-width \&.
function(troff_text out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Options are typed, so their hyphens are minus signs (\-), which man renders as the ASCII
# hyphen a terminal user can copy. The synopsis and the option entries hold nothing but
# options and argument names; in prose only a word's leading hyphens are an option's.
function(troff_options out text)
  troff_text(text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# An entry's names in bold ("-h, --help"), an argument word in capitals in italics.
function(troff_option_names out text)
  troff_options(text "${text}")
  string(REGEX REPLACE "(\\\\-[^ ,=]*)" "\\\\fB\\1\\\\fR" text "${text}")
  string(REGEX REPLACE "([ =])([A-Z][A-Z_]+)" "\\1\\\\fI\\2\\\\fR" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(READ "${USAGE}" usage)
string(REPLACE ";" "${semicolon}" usage "${usage}")
string(REPLACE "[" "${open_bracket}" usage "${usage}")
string(REPLACE "]" "${close_bracket}" usage "${usage}")
string(REPLACE "\n" ";" lines "${usage}")

set(program "")
set(synopsis "")
set(description "")
set(sections "")
set(paragraph_start TRUE)
set(in_list FALSE)
foreach(line IN LISTS lines)
  string(REPLACE "${semicolon}" ";" line "${line}")
  string(REPLACE "${open_bracket}" "[" line "${line}")
  string(REPLACE "${close_bracket}" "]" line "${line}")
  string(REGEX REPLACE "[ \t\r]+$" "" line "${line}")
  if(line STREQUAL "")
    set(paragraph_start TRUE)
    set(in_list FALSE)
    continue()
  endif()
  if(line MATCHES "^Usage: ([^ ]+) *(.*)$")
    set(program "${CMAKE_MATCH_1}")
    troff_options(arguments "${CMAKE_MATCH_2}")
    string(REGEX REPLACE "([A-Z][A-Z]+)" "\\\\fI\\1\\\\fR" arguments "${arguments}")
    string(APPEND synopsis ".B ${program}\n${arguments}\n")
    set(paragraph_start FALSE)
    continue()
  endif()
  if(paragraph_start AND line MATCHES "^([A-Za-z][A-Za-z ]*):$")
    string(TOUPPER "${CMAKE_MATCH_1}" heading)
    string(APPEND sections ".SH ${heading}\n")
    set(in_list TRUE)
    set(paragraph_start FALSE)
    continue()
  endif()
  string(STRIP "${line}" stripped)
  if(in_list)
    if(stripped MATCHES "^(-[^ ,]*( [A-Z][A-Z_]*)?(, -[^ ,]*( [A-Z][A-Z_]*)?)*)  +(.+)$")
      troff_option_names(names "${CMAKE_MATCH_1}")
      troff_text(text "${CMAKE_MATCH_5}")
      string(APPEND sections ".TP\n${names}\n${text}\n")
    elseif(line MATCHES "^  [^ ]" AND stripped MATCHES "^([^ ]+( [^ ]+)*)  +(.+)$")
      # Any other entry ("Space  play or pause"): its names in bold as they are.
      troff_text(names "${CMAKE_MATCH_1}")
      troff_text(text "${CMAKE_MATCH_3}")
      string(APPEND sections ".TP\n\\fB${names}\\fR\n${text}\n")
    else()
      troff_text(text "${stripped}")
      string(APPEND sections "${text}\n")
    endif()
    continue()
  endif()
  if(paragraph_start AND NOT description STREQUAL "")
    string(APPEND description ".PP\n")
  endif()
  set(paragraph_start FALSE)
  troff_text(text "${stripped}")
  # Options named in the prose are typed too.
  string(REGEX REPLACE "(^| )--([a-z]|$| )" "\\1\\\\-\\\\-\\2" text "${text}")
  string(REGEX REPLACE "(^| )-([a-zA-Z])" "\\1\\\\-\\2" text "${text}")
  string(APPEND description "${text}\n")
endforeach()

if(program STREQUAL "")
  message(FATAL_ERROR "${USAGE} has no \"Usage: PROGRAM ...\" line")
endif()
string(TOUPPER "${program}" title)
troff_text(summary "${SUMMARY}")

set(page [[.\" The manual page of moviraplayer, generated from app/usage.txt by desktop/ManPage.cmake.
]])
string(APPEND page ".TH ${title} 1 ${DATE} \"MoviraPlayer ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${program} \\- ${summary}\n")
string(APPEND page ".SH SYNOPSIS\n${synopsis}")
string(APPEND page ".SH DESCRIPTION\n${description}")
string(APPEND page "${sections}")
string(APPEND page [[.SH FILES
.TP
.I $XDG_CONFIG_HOME/MoviraPlayer/config.ini
The volume and the other settings.
.TP
.I $XDG_CONFIG_HOME/MoviraPlayer/progress.ini
Where each file was stopped, to resume it there next time.
.PP
Without
.BR XDG_CONFIG_HOME ,
both are in
.IR ~/.config/MoviraPlayer/ .
.SH SEE ALSO
.BR mpv (1)
]])

file(WRITE "${OUTPUT}" "${page}")
