# Preset windows-cross: the Win32 backends (global hot keys, the About box's
# registry reading) and their tests, cross-built with mingw-w64 without Qt
# and run under wine by scripts/test-win.sh.
if(NOT WIN32)
  message(FATAL_ERROR "JW_WINDOWS_CROSS needs the mingw-w64 toolchain: cmake --preset windows-cross")
endif()
enable_testing()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(src/hotkeys)
add_subdirectory(src/about)
add_subdirectory(tests/hotkeys/win)
add_subdirectory(tests/about/win)
