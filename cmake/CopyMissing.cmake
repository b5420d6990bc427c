# Copies the files of SOURCE into DESTINATION unless they are there already,
# so that rebuilding never overwrites a test the user has changed.
file(MAKE_DIRECTORY "${DESTINATION}")
file(GLOB files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS files)
    if(NOT EXISTS "${DESTINATION}/${name}")
        file(COPY "${SOURCE}/${name}" DESTINATION "${DESTINATION}")
    endif()
endforeach()
