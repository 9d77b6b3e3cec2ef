# cmake -DGAME_DIR=DIR -DLICENSE=FILE -DZIP=FILE -P make_zip.cmake
# Packs every file of the Windows game folder, and the licence, flat into ZIP.
set(stage "${ZIP}.stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(GLOB files LIST_DIRECTORIES false "${GAME_DIR}/*")
file(COPY ${files} ${LICENSE} DESTINATION "${stage}")
file(GLOB names LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
list(SORT names)
file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip ${names}
                WORKING_DIRECTORY "${stage}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${stage}")
