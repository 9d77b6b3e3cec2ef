# cmake -DGAME_DIR=DIR -DZIP=FILE -P make_zip.cmake
# Packs every file of the Windows game folder, flat, into ZIP.
file(GLOB names LIST_DIRECTORIES false RELATIVE "${GAME_DIR}" "${GAME_DIR}/*")
list(SORT names)
file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip ${names}
                WORKING_DIRECTORY "${GAME_DIR}" COMMAND_ERROR_IS_FATAL ANY)
