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
# The languages beside it, as beside the program.
add_custom_command(TARGET screenshots POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${DIST_DIR}/lang $<TARGET_FILE_DIR:screenshots>/lang)
