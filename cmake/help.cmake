# Compiles dist/help into "Kelvane Help.chm" beside Tidewell.exe; a failed compile fails the build.
find_program(CHMCMD chmcmd)
if(NOT CHMCMD)
  if(CMAKE_HOST_WIN32)
    message(WARNING "chmcmd not found: the help file is not built")
    return()
  endif()
  message(FATAL_ERROR "chmcmd not found (Debian package fp-utils)")
endif()
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS ${DIST_DIR}/help/*)
set(HELP_WORK ${CMAKE_BINARY_DIR}/help)
set(HELP_CHM "${CMAKE_BINARY_DIR}/Kelvane Help.chm")
add_custom_command(
  OUTPUT ${HELP_CHM}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${DIST_DIR}/help ${HELP_WORK}
  # chmcmd leaves a 0-byte file behind on failure, so its exit code is what counts.
  COMMAND ${CMAKE_COMMAND} -E chdir ${HELP_WORK} ${CHMCMD} Kelvane.hhp
  COMMAND ${CMAKE_COMMAND} -E copy "${HELP_WORK}/Kelvane Help.chm" "${HELP_CHM}"
  DEPENDS ${HELP_SOURCES}
  COMMENT "Compiling the help file"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${HELP_CHM})
add_dependencies(Tidewell help_file)
