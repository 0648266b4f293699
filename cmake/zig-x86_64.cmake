# 64-bit x86 Windows with clang and libc++ (the second compiler); tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TIDEWELL_ZIG_TARGET x86_64-windows-gnu)
set(TIDEWELL_RC_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/zig.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
