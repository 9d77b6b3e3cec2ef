# The portable Linux release (scripts/build-portable): the game linked
# against the static Allegro that scripts/static-allegro.sh made, with the
# C++ runtime and the X11 pixmap library linked in, so that it needs only
# what every Linux desktop has (README.txt lists it); the data files of the
# Linux build beside it; and vexo-<version>-linux-x86_64.tar.gz.

set(VEXO_PORTABLE_ALLEGRO "" CACHE PATH "Prefix of the static Allegro for Linux")
set(VEXO_LINUX_BUILD "" CACHE PATH "The Linux build, whose data files and asset generator this build takes")
if(NOT VEXO_LINUX_BUILD)
  message(FATAL_ERROR "VEXO_LINUX_BUILD is not set: build the portable release with scripts/build-portable")
endif()
find_library(VEXO_STATIC_XPM libXpm.a REQUIRED)

add_library(vexo_allegro INTERFACE)
target_include_directories(vexo_allegro INTERFACE ${VEXO_PORTABLE_ALLEGRO}/include)
target_link_libraries(vexo_allegro INTERFACE ${VEXO_PORTABLE_ALLEGRO}/lib/liballeg.a ${VEXO_STATIC_XPM}
  X11 Xext Xcursor Xxf86vm asound m pthread dl rt)
add_library(vexo_sanitizers INTERFACE)  # none in this build
include(cmake/DebianHardening.cmake)

# The window icon's pixmap data comes from the Linux build's generator.
add_executable(vexo_assetgen IMPORTED)
set_target_properties(vexo_assetgen PROPERTIES IMPORTED_LOCATION ${VEXO_LINUX_BUILD}/tools/vexo_assetgen)
add_subdirectory(src)

set(VEXO_PORTABLE_NAME vexo-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(VEXO_PORTABLE_DIR ${CMAKE_BINARY_DIR}/${VEXO_PORTABLE_NAME})
target_sources(vexo PRIVATE ${CMAKE_CURRENT_LIST_DIR}/own_folder.c ${CMAKE_CURRENT_LIST_DIR}/arc4random.c)
# The C++ runtime linked in; GCC's unwinder left to libgcc_s.so.1, which every
# system with the GNU C library has (the C library loads it itself), since
# the static one would ask the C library for 2.35's _dl_find_object.
# --as-needed: the stubs glibc keeps of libpthread, libdl and librt name no
# library. -s: stripped, as a released program is.
target_link_options(vexo PRIVATE -static-libstdc++ -Wl,--as-needed -s)
set_target_properties(vexo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VEXO_PORTABLE_DIR})

add_custom_target(vexo_portable_data ALL
  COMMAND ${CMAKE_COMMAND} -DFROM=${VEXO_LINUX_BUILD}/game -DTO=${VEXO_PORTABLE_DIR} -DEXCLUDE=vexo
          -P ${PROJECT_SOURCE_DIR}/packaging/windows/copy_game_files.cmake
  COMMENT "Copying the data files of the Linux build"
  VERBATIM)
# The oldest C library the game runs with, which its readme states: what
# the program's symbols ask for when built on Debian 12 (the release), or, on
# a C library of 2.38 or later, 2.38, whose headers turn strtol and its kin
# into C23's __isoc23_ functions.
execute_process(COMMAND getconf GNU_LIBC_VERSION OUTPUT_VARIABLE glibc OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX MATCH "[0-9.]+$" glibc "${glibc}")
set(VEXO_GLIBC_FLOOR 2.34)
if(glibc VERSION_GREATER_EQUAL 2.38)
  set(VEXO_GLIBC_FLOOR 2.38)
endif()
file(READ ${PROJECT_SOURCE_DIR}/packaging/keys.txt VEXO_KEYS)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${VEXO_PORTABLE_DIR}/README.txt @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${VEXO_PORTABLE_DIR}/LICENSE COPYONLY)
configure_file(/usr/share/common-licenses/GPL-2 ${VEXO_PORTABLE_DIR}/GPL-2.txt COPYONLY)

# Packed the same way wherever it is built: sorted, owned by root, dated by
# the last commit (or 0 outside a clone), gzip without a name or time.
execute_process(COMMAND git -c safe.directory=* -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
  OUTPUT_VARIABLE VEXO_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT VEXO_EPOCH)
  set(VEXO_EPOCH 0)
endif()
set(VEXO_TARBALL ${CMAKE_BINARY_DIR}/${VEXO_PORTABLE_NAME}.tar.gz)
add_custom_target(vexo_portable_tarball ALL
  COMMAND tar --sort=name --owner=0 --group=0 --numeric-owner --mtime=@${VEXO_EPOCH} --mode=go-w
          -cf - ${VEXO_PORTABLE_NAME} | gzip -9n > ${VEXO_TARBALL}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing ${VEXO_TARBALL}")
add_dependencies(vexo_portable_tarball vexo vexo_portable_data)
