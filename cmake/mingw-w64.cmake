# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads,
# needed by std::thread and GoogleTest); programs run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_jw_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_jw_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_jw_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_jw_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_jw_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: wine then needs no mingw runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

if(EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
