# GoogleTest from Debian's sources, built inside each tree.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# tests/**/*_test.cpp are portable (native and Windows); *_win_test.cpp need Windows;
# *_gui_test.cpp need Windows and a display.
file(GLOB_RECURSE ALL_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/*_test.cpp)
set(CORE_TESTS) 
set(WIN_TESTS)
set(GUI_TESTS)
foreach(f IN LISTS ALL_TESTS)
  if(f MATCHES "_gui_test\\.cpp$")
    list(APPEND GUI_TESTS ${f})
  elseif(f MATCHES "_win_test\\.cpp$")
    list(APPEND WIN_TESTS ${f})
  else()
    list(APPEND CORE_TESTS ${f})
  endif()
endforeach()
file(GLOB_RECURSE CORE_SUPPORT CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER CORE_SUPPORT EXCLUDE REGEX "_win\\.cpp$")
file(GLOB_RECURSE WIN_SUPPORT CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*_win.cpp)

set(TEST_FIXTURES ${PROJECT_SOURCE_DIR}/tests/fixtures)
set(REPORT_DIR ${CMAKE_BINARY_DIR}/test-reports)

function(tidewell_add_test name)
  # The XML report proves the program ran to its end; wine-exec.sh insists on it.
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${REPORT_DIR}/${name}.xml)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TIDEWELL_SOURCE_DIR=${PROJECT_SOURCE_DIR};TIDEWELL_FIXTURES=${TEST_FIXTURES}")
endfunction()

# Most of a test file's compile time went to reading GoogleTest and <windows.h> again and to
# optimising code that runs once: the test programs take those headers precompiled, and -O1 where
# the program itself is built with -O3.
function(tidewell_speed_up_test target)
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()

add_executable(core_tests ${CORE_TESTS} ${CORE_SUPPORT})
target_include_directories(core_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(core_tests PRIVATE tidewell_core gtest_main)
target_compile_definitions(core_tests PRIVATE TIDEWELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_precompile_headers(core_tests PRIVATE <gtest/gtest.h> <functional> <string> <vector>)
tidewell_speed_up_test(core_tests)
tidewell_add_test(core_tests)

if(WIN32)
  add_executable(win_tests ${WIN_TESTS} ${CORE_SUPPORT} ${WIN_SUPPORT} ${RC_FILE})
  target_include_directories(win_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(win_tests PRIVATE tidewell_win gtest_main)
  target_compile_definitions(win_tests PRIVATE TIDEWELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_precompile_headers(win_tests PRIVATE <gtest/gtest.h> <windows.h> <functional> <string> <vector>)
  tidewell_speed_up_test(win_tests)
  tidewell_add_test(win_tests)

  add_executable(gui_tests ${GUI_TESTS} ${CORE_SUPPORT} ${WIN_SUPPORT} ${RC_FILE})
  target_include_directories(gui_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # The screen-reader walk calls oleacc as a reader does.
  target_link_libraries(gui_tests PRIVATE tidewell_win gtest_main oleacc)
  target_compile_definitions(gui_tests PRIVATE TIDEWELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_precompile_headers(gui_tests REUSE_FROM win_tests) # the same flags: one header for both
  tidewell_speed_up_test(gui_tests)
  tidewell_add_test(gui_tests)

  # Tests find Kelvane.ini and the languages beside their exe, as the program does.
  foreach(t win_tests gui_tests)
    add_custom_command(TARGET ${t} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${DIST_DIR}/Kelvane.ini $<TARGET_FILE_DIR:${t}>/Kelvane.ini
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${DIST_DIR}/lang $<TARGET_FILE_DIR:${t}>/lang)
  endforeach()

  if(TARGET help_file)
    add_dependencies(gui_tests help_file) # the help test opens each language's file
  endif()
  # Every window in every language again at 144 DPI, in a prefix of its own: a text that fits at
  # 96 may not where the font's hinting rounds otherwise.
  add_test(NAME gui_tests_144
    COMMAND gui_tests --gtest_filter=InterfaceWindows.EveryWindow* --gtest_output=xml:${REPORT_DIR}/gui_tests_144.xml)
  set_tests_properties(gui_tests_144 PROPERTIES ENVIRONMENT
    "TIDEWELL_SOURCE_DIR=${PROJECT_SOURCE_DIR};TIDEWELL_FIXTURES=${TEST_FIXTURES};WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-144;TIDEWELL_PREFIX_DPI=144")

  # Harness self-check: a test program that crashes must fail the run.
  add_executable(harness_crash ${PROJECT_SOURCE_DIR}/tests/harness/crash.cpp)
  target_link_libraries(harness_crash PRIVATE gtest_main)
  tidewell_add_test(harness_crash)
  set_tests_properties(harness_crash PROPERTIES WILL_FAIL TRUE)
  # The fast suite: the programs that open no window, for a second compiler's tree in make test.
  set_tests_properties(core_tests win_tests harness_crash PROPERTIES LABELS fast)
endif()

if(WIN32)
  # Helper programs the process and service tests start: a sleeping child and a dummy service.
  add_executable(sleeper_child WIN32 ${PROJECT_SOURCE_DIR}/tests/tools/process/sleeper_child.cpp)
  add_executable(dummy_service ${PROJECT_SOURCE_DIR}/tests/tools/service/dummy_service.cpp)
  add_dependencies(win_tests sleeper_child dummy_service)
  add_dependencies(gui_tests sleeper_child dummy_service tidewellc)
  # The console program's scenario test runs tidewellc.exe from console-peer, where the
  # Tidewell.exe beside it is a link to gui_tests.exe: the program tidewellc talks to is then the
  # test's own window, as where the files really lie. A link needs a Linux host (or a Windows
  # that allows them).
  set(PEER_DIR ${CMAKE_BINARY_DIR}/console-peer)
  add_custom_command(TARGET tidewellc POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PEER_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:tidewellc> ${PEER_DIR}/tidewellc.exe)
  add_custom_command(TARGET gui_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PEER_DIR}
    COMMAND ${CMAKE_COMMAND} -E create_symlink ../$<TARGET_FILE_NAME:gui_tests> ${PEER_DIR}/Tidewell.exe)
endif()

# The event log's call as Wine traces it.
if(WIN32 AND NOT CMAKE_HOST_WIN32)
  add_test(NAME event_log_trace COMMAND ${PROJECT_SOURCE_DIR}/scripts/event-log-trace.sh ${CMAKE_BINARY_DIR})
endif()

# Install, start, upgrade and remove the MSI in a fresh Wine prefix (Linux hosts with wixl).
find_program(WIXL wixl)
if(WIN32 AND WIXL AND NOT CMAKE_HOST_WIN32)
  add_test(NAME installer COMMAND ${PROJECT_SOURCE_DIR}/scripts/installer-test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(installer PROPERTIES TIMEOUT 300)
endif()
