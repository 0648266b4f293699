# Windows on ARM64 with clang and libc++. Nothing here runs its programs.
set(CMAKE_SYSTEM_PROCESSOR ARM64)
set(TIDEWELL_ZIG_TARGET aarch64-windows-gnu)
set(TIDEWELL_RC_TARGET aarch64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/zig.cmake)
