# Windows (x86-64) executables from Debian's mingw-w64, with the posix thread model
# (std::thread and std::mutex need it). The runtime is linked in statically, so a
# program runs on its own, without libgcc, libstdc++ or winpthread DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALVIRO6_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALVIRO6_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALVIRO6_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TALVIRO6_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALVIRO6_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under wine, in a prefix of the build's own (see cmake/wine-run.sh.in).
find_program(TALVIRO6_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT TALVIRO6_WINE)
  find_program(TALVIRO6_WINE NAMES wine64 wine)
endif()
