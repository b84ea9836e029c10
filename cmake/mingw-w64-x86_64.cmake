# Cross-compiles the Windows build with MinGW-w64 (posix threads) and runs its
# test executables under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(EMBRA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${EMBRA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${EMBRA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${EMBRA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${EMBRA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the executables need no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(EMBRA_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${EMBRA_WINE})
