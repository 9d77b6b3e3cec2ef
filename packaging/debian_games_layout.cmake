# Run by CPack on the staged package tree before it is packed: moves the
# launcher from usr/bin to usr/games, where Debian keeps games' programs.
# Both lie one folder below usr/, so the launcher's way to the game folder
# stays the same.
set(usr "${CPACK_TEMPORARY_DIRECTORY}/usr")
if(NOT EXISTS "${usr}/bin/vexo")
  message(FATAL_ERROR "no launcher staged at ${usr}/bin/vexo")
endif()
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/vexo" "${usr}/games/vexo")
file(GLOB left_in_bin "${usr}/bin/*")
if(NOT left_in_bin)
  file(REMOVE_RECURSE "${usr}/bin")
endif()
