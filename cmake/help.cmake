# Compiles the help beside Tidewell.exe: dist/help/en into "Kelvane Help.chm" (English) and
# dist/help/zh-CN into "Kelvane Help zh-CN.chm" (Chinese); a failed compile fails the build.
find_program(CHMCMD chmcmd)
find_program(ICONV iconv)
if(NOT CHMCMD OR NOT ICONV)
  if(CMAKE_HOST_WIN32)
    message(WARNING "chmcmd or iconv not found: the help files are not built")
    return()
  endif()
  message(FATAL_ERROR "chmcmd (Debian package fp-utils) or iconv not found")
endif()
# chmcmd writes the time of day into each file: cleared, so that the same pages give the same bytes.
find_program(PYTHON3 python3)
set(CLEAR_TIME_SCRIPT ${PROJECT_SOURCE_DIR}/scripts/chm-clear-time.py)
set(CLEAR_TIME)
if(PYTHON3)
  set(CLEAR_TIME ${PYTHON3} ${CLEAR_TIME_SCRIPT})
elseif(NOT CMAKE_HOST_WIN32)
  message(FATAL_ERROR "python3 not found")
endif()

# tidewell_help_file(<source folder> <file name> <charset>): the help viewer reads the contents
# and the title in the code page of the file's language and chmcmd copies bytes as they are, so
# help-sources.cmake writes the UTF-8 sources in <charset> first.
function(tidewell_help_file source chm charset)
  file(GLOB sources CONFIGURE_DEPENDS ${source}/*)
  string(MAKE_C_IDENTIFIER "${chm}" tag)
  set(work ${CMAKE_BINARY_DIR}/help/${tag})
  set(output "${CMAKE_BINARY_DIR}/${chm}")
  set(clear)
  if(CLEAR_TIME)
    set(clear COMMAND ${CLEAR_TIME} "${work}/${chm}")
  endif()
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DWORK=${work} -DCHARSET=${charset} -DICONV=${ICONV}
            -P ${PROJECT_SOURCE_DIR}/cmake/help-sources.cmake
    # chmcmd leaves a 0-byte file behind on failure, so its exit code is what counts.
    COMMAND ${CMAKE_COMMAND} -E chdir ${work} ${CHMCMD} Kelvane.hhp
    ${clear}
    COMMAND ${CMAKE_COMMAND} -E copy "${work}/${chm}" "${output}"
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/help-sources.cmake ${CLEAR_TIME_SCRIPT}
    COMMENT "Compiling ${chm}"
    VERBATIM)
  set(HELP_FILES ${HELP_FILES} ${output} PARENT_SCOPE)
endfunction()

set(HELP_FILES)
tidewell_help_file(${DIST_DIR}/help/en "Kelvane Help.chm" utf-8)
tidewell_help_file(${DIST_DIR}/help/zh-CN "Kelvane Help zh-CN.chm" gb2312)
add_custom_target(help_file ALL DEPENDS ${HELP_FILES})
add_dependencies(Tidewell help_file)
