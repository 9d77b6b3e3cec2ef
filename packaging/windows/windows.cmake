# The Windows build of the game (scripts/build-windows): vexo.exe linked
# statically against the Allegro that scripts/static-allegro.sh made, so
# that it needs only the DLLs every Windows has, the data files of the Linux
# build beside it, and the release zip.

set(VEXO_WINDOWS_ALLEGRO "" CACHE PATH "Prefix of the static Allegro for Windows")
set(VEXO_LINUX_GAME_DIR "" CACHE PATH "The Linux build's game folder, with vexo.dat and the patch set")
set(VEXO_WINDOWS_ICON "" CACHE FILEPATH "The icon group the Linux build's generator drew (vexo_windows_icon)")
foreach(needed VEXO_WINDOWS_ALLEGRO VEXO_LINUX_GAME_DIR VEXO_WINDOWS_ICON)
  if(NOT ${needed})
    message(FATAL_ERROR "${needed} is not set: build for Windows with scripts/build-windows")
  endif()
endforeach()

add_library(vexo_allegro INTERFACE)
target_include_directories(vexo_allegro INTERFACE ${VEXO_WINDOWS_ALLEGRO}/include)
target_compile_definitions(vexo_allegro INTERFACE ALLEGRO_STATICLINK)
target_link_libraries(vexo_allegro INTERFACE
  ${VEXO_WINDOWS_ALLEGRO}/lib/liballeg.a
  kernel32 user32 gdi32 comdlg32 ole32 dinput ddraw dxguid winmm dsound)

add_library(vexo_sanitizers INTERFACE)  # none in this build
add_subdirectory(src)

set(VEXO_WINDOWS_GAME_DIR ${CMAKE_BINARY_DIR}/game)
set_target_properties(vexo PROPERTIES
  WIN32_EXECUTABLE TRUE  # a window of its own, no console beside it
  RUNTIME_OUTPUT_DIRECTORY ${VEXO_WINDOWS_GAME_DIR})
target_link_options(vexo PRIVATE -static -static-libgcc -static-libstdc++)

# A tool of the Wine tests, not part of the release: it starts the game with
# the lowest 4 GB of its address space taken, as 64-bit Windows places memory.
add_executable(high_addresses ${PROJECT_SOURCE_DIR}/tests/e2e/high_addresses.c)
set_target_properties(high_addresses PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
target_link_options(high_addresses PRIVATE -static -static-libgcc)

# The program's icon and version as resources (compiled by MinGW's windres),
# with the copyright line of the licence.
enable_language(RC)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE VEXO_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set(VEXO_RESOURCES ${CMAKE_BINARY_DIR}/vexo.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vexo.rc.in ${VEXO_RESOURCES} @ONLY)
target_sources(vexo PRIVATE ${VEXO_RESOURCES})
set_source_files_properties(${VEXO_RESOURCES} PROPERTIES OBJECT_DEPENDS ${VEXO_WINDOWS_ICON})

# Every file the Linux build puts beside its executable (vexo.dat, and the
# patch set with its allegro.cfg), taken as they are: the data files are the
# same on both systems.
add_custom_target(vexo_windows_data ALL
  COMMAND ${CMAKE_COMMAND} -DFROM=${VEXO_LINUX_GAME_DIR} -DTO=${VEXO_WINDOWS_GAME_DIR} -DEXCLUDE=vexo
          -P ${CMAKE_CURRENT_LIST_DIR}/copy_game_files.cmake
  COMMENT "Copying the data files of the Linux build"
  VERBATIM)

# The release: unpack anywhere and double-click vexo.exe. Beside the game,
# its licence and the GPL that patches.dat (cut from a GPL-2 soundfont) is
# under.
file(READ ${PROJECT_SOURCE_DIR}/packaging/keys.txt VEXO_KEYS)  # shared with the Linux release's readme
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${VEXO_WINDOWS_GAME_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${VEXO_WINDOWS_GAME_DIR}/LICENSE COPYONLY)
configure_file(/usr/share/common-licenses/GPL-2 ${VEXO_WINDOWS_GAME_DIR}/GPL-2.txt COPYONLY)
set(VEXO_ZIP ${CMAKE_BINARY_DIR}/vexo-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}.zip)
add_custom_target(vexo_windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -DGAME_DIR=${VEXO_WINDOWS_GAME_DIR} -DZIP=${VEXO_ZIP}
          -P ${CMAKE_CURRENT_LIST_DIR}/make_zip.cmake
  COMMENT "Packing ${VEXO_ZIP}"
  VERBATIM)
add_dependencies(vexo_windows_zip vexo vexo_windows_data)
