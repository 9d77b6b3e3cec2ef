# Cross-building for 64-bit Windows on Debian with MinGW-w64
# (g++-mingw-w64-x86-64). Used for the Allegro library and for the game.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The win32 thread model: no winpthread DLL, whichever model the
# alternatives system makes the default.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers and libraries from the MinGW-w64 tree only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# On 64-bit Windows a long is 32 bits: an address kept in a long, an unsigned
# long, an int or a DWORD loses its top half, and 64-bit Windows places memory
# above 4 GB. Any such cast or assignment stops the build (C++ refuses the
# pointer-to-smaller-integer cast by itself).
set(CMAKE_C_FLAGS_INIT "-Werror=pointer-to-int-cast -Werror=int-to-pointer-cast -Werror=int-conversion")
set(CMAKE_CXX_FLAGS_INIT "-Werror=int-to-pointer-cast")
