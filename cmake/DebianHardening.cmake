# Optimised builds on Debian are hardened the way Debian builds its own
# packages: the flags dpkg-buildflags gives with every hardening feature on
# (fortified libc calls, stack protector, read-only relocations, immediate
# binding). Its -g and -O levels are left to the build type and its source
# path mapping to the developer's debugger; a Debug build stays unhardened,
# since fortification needs the optimiser.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "No dpkg-buildflags (package dpkg-dev): optimised builds are not hardened")
  return()
endif()

foreach(area IN ITEMS CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${DPKG_BUILDFLAGS} --get ${area}
    OUTPUT_VARIABLE hardening_flags OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(hardening_flags UNIX_COMMAND "${hardening_flags}")
  list(FILTER hardening_flags EXCLUDE REGEX "^-(g|O[0-9s]?|ffile-prefix-map=.*)$")
  set(hardening_${area} ${hardening_flags})
endforeach()

set(hardening_configs "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
foreach(flag IN LISTS hardening_CPPFLAGS hardening_CXXFLAGS)
  add_compile_options("$<${hardening_configs}:${flag}>")
endforeach()
foreach(flag IN LISTS hardening_LDFLAGS)
  add_link_options("$<${hardening_configs}:${flag}>")
endforeach()
string(REPLACE ";" " " hardening_flags "${hardening_CPPFLAGS};${hardening_CXXFLAGS};${hardening_LDFLAGS}")
message(STATUS "Optimised builds hardened with: ${hardening_flags}")
