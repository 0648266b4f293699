# Cross build for Windows with the Zig toolchain's clang and libc++ (scripts/install-deps.sh puts
# it in build/toolchains/zig). The including file names the target: TIDEWELL_ZIG_TARGET and
# CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(TIDEWELL_ZIG_DIR ${CMAKE_CURRENT_LIST_DIR}/../scripts/zig)
set(CMAKE_C_COMPILER ${TIDEWELL_ZIG_DIR}/cc)
set(CMAKE_CXX_COMPILER ${TIDEWELL_ZIG_DIR}/c++)
set(CMAKE_C_COMPILER_TARGET ${TIDEWELL_ZIG_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${TIDEWELL_ZIG_TARGET})
set(CMAKE_AR llvm-ar-14 CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib-14 CACHE FILEPATH "")
# LLVM's resource compiler writes objects for either machine; the scripts see the Windows headers
# the code is compiled against, as system headers (as the compiler sees them too).
set(CMAKE_RC_COMPILER llvm-windres-14)
set(CMAKE_RC_FLAGS_INIT "--target=${TIDEWELL_RC_TARGET} \
--preprocessor-arg=-isystem${CMAKE_CURRENT_LIST_DIR}/../build/toolchains/zig/lib/libc/include/any-windows-any")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Zig's driver takes no header as a compilation's input (-x c++-header): no precompiled headers.
set(CMAKE_DISABLE_PRECOMPILE_HEADERS ON)
