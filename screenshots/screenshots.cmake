# The picture program `make screenshot` runs. It borrows the tests' helpers (pretended machine,
# registry snapshots, dummy service) and sits beside the test programs, whose helper executables
# and Kelvane.ini it uses. Included rather than a subdirectory: the resource file's dependencies on
# the dialog templates are set for the top directory and hold only there.
set(SHOTS_DIR ${PROJECT_SOURCE_DIR}/screenshots)
add_executable(screenshots ${SHOTS_DIR}/save_picture_win.cpp ${SHOTS_DIR}/screenshots_win.cpp
  ${RC_FILE})
target_include_directories(screenshots PRIVATE ${PROJECT_SOURCE_DIR}/tests ${SHOTS_DIR})
target_compile_definitions(screenshots PRIVATE TIDEWELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_libraries(screenshots PRIVATE tidewell_win)
add_dependencies(screenshots sleeper_child dummy_service)
# A copy beside the Chinese Kelvane.ini takes the *-zh pictures.
add_custom_command(TARGET screenshots POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/zh-CN
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${DIST_DIR}/lang/zh-CN/Kelvane.ini ${CMAKE_BINARY_DIR}/zh-CN/Kelvane.ini
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:screenshots> $<TARGET_FILE:sleeper_child>
          $<TARGET_FILE:dummy_service> ${CMAKE_BINARY_DIR}/zh-CN)
