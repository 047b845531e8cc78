# Cross-build for Windows x86-64 with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TROV_MINGW x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${TROV_MINGW}-gcc-posix ${TROV_MINGW}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TROV_MINGW}-g++-posix ${TROV_MINGW}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TROV_MINGW}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TROV_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows test executables under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
