# Makes the runner the default program for .test files in the mimeapps.list
# of the install prefix (read by desktops from $XDG_DATA_DIRS/applications).
# Whatever else the file holds is kept: only the one entry is set.
#
# Input: MIMEAPPS (the file), MIME_TYPE, DESKTOP_FILE.
set(entry "${MIME_TYPE}=${DESKTOP_FILE}")
set(section "[Default Applications]")
if(EXISTS "${MIMEAPPS}")
    file(READ "${MIMEAPPS}" text)
else()
    set(text "")
endif()

string(REGEX REPLACE "\r\n" "\n" text "${text}")
if(NOT text STREQUAL "" AND NOT text MATCHES "\n$")
    string(APPEND text "\n")
endif()
string(REGEX MATCH "(^|\n)${MIME_TYPE}=[^\n]*" existing "${text}")
string(FIND "${text}" "${section}" section_at)
if(existing)
    # One entry for the type already: set it to the runner, in place. (The
    # file holds the type once at most in a section of defaults.)
    string(REPLACE "${existing}" "\n${entry}" text "${text}")
    string(REGEX REPLACE "^\n" "" text "${text}")
elseif(section_at GREATER_EQUAL 0)
    string(REPLACE "${section}\n" "${section}\n${entry}\n" text "${text}")
else()
    string(APPEND text "${section}\n${entry}\n")
endif()

get_filename_component(folder "${MIMEAPPS}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${MIMEAPPS}.new" "${text}")
file(RENAME "${MIMEAPPS}.new" "${MIMEAPPS}")
message(STATUS "Default for ${MIME_TYPE}: ${DESKTOP_FILE} (${MIMEAPPS})")
