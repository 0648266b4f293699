# libFuzzer target for the readers of files from disk; a clang tree of its own (make fuzz).
set(FUZZ_SOURCES
  ${PROJECT_SOURCE_DIR}/tests/fuzz/ini_fuzz.cpp
  ${PROJECT_SOURCE_DIR}/src/common/ini_file.cpp
  ${PROJECT_SOURCE_DIR}/src/common/ini_text.cpp
  ${PROJECT_SOURCE_DIR}/src/common/file_bytes_posix.cpp
  ${PROJECT_SOURCE_DIR}/src/common/spoken_text.cpp
  ${PROJECT_SOURCE_DIR}/src/tools/startup/delay_file.cpp
  ${PROJECT_SOURCE_DIR}/src/history/clean_record.cpp
  ${PROJECT_SOURCE_DIR}/src/history/history_file.cpp
  ${PROJECT_SOURCE_DIR}/src/memory/cleaning_methods.cpp
  ${PROJECT_SOURCE_DIR}/src/memory/memory_status.cpp)
add_executable(ini_fuzz ${FUZZ_SOURCES})
target_include_directories(ini_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                       -fno-omit-frame-pointer -g -O1)
target_link_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
