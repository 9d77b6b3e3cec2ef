# cmake -DFROM=DIR -DTO=DIR -DEXCLUDE=NAME -P copy_game_files.cmake
# Copies every file of FROM but EXCLUDE into TO.
file(GLOB files LIST_DIRECTORIES false "${FROM}/*")
list(FILTER files EXCLUDE REGEX "/${EXCLUDE}$")
if(NOT files)
  message(FATAL_ERROR "Nothing to copy in ${FROM}: build the Linux game's data first")
endif()
file(MAKE_DIRECTORY "${TO}")
foreach(f ${files})
  get_filename_component(name "${f}" NAME)
  file(COPY_FILE "${f}" "${TO}/${name}" ONLY_IF_DIFFERENT)
endforeach()
