# Cross-compiles the Windows build on Debian with MinGW-w64 (POSIX threads, for std::thread) and
# runs what it builds under wine: cmake --preset mingw.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked statically, the programs need no DLL of the compiler beside them, so a test or the
# runner starts from any folder, under wine or on a Windows machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(ZELKORA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT ZELKORA_WINE)
  find_program(ZELKORA_WINE NAMES wine64 wine)
endif()
if(ZELKORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELKORA_WINE})
endif()
